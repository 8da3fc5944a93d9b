#!/usr/bin/env python3
"""The experiment program's own cost, in two figures for the bench table.

1. Each refinement on aleatoria1000 from the menu's random tour, as the
   experiment program times it (its tempo_1 column), against the bench's
   processor time for the same call: best of R runs each, the two interleaved
   round by round so that a noisy minute falls on both.
2. Thirty seeds of the annealing on eil76 through lote.py with -j 2: wall time.
3. Each method's instructions on aleatoria200 under callgrind, in the menu
   program and in the experiment program: a figure that repeats exactly where
   times on a shared machine spread by a fifth from run to run
   (SAIDA_instrucoes.csv).

  bench/experimenta.py BUILD INSTANCIAS EIL76 SAIDA.csv [R]
"""
import csv
import json
import os
import subprocess
import sys
import tempfile
import time

# bench name -> experiment chain
METODOS = [("descida", "descida"), ("descida_randomica", "descida-randomica"),
           ("descida_parcial", "descida-parcial"), ("simulated_annealing", "sa"),
           ("busca_tabu", "tabu"), ("grasp_vizinho", "grasp-vmp"),
           ("grasp_insercao", "grasp-imb"), ("vns", "vns"), ("ag_ox", "ag-ox"),
           ("ag_erx", "ag-erx")]


def bench_uma_vez(bench, nome):
    r = subprocess.run([bench, f"--benchmark_filter=^metodo/{nome}/1000/",
                        "--benchmark_format=json"], capture_output=True, text=True, check=True,
                       cwd=tempfile.gettempdir())
    (b,) = [b for b in json.loads(r.stdout)["benchmarks"] if b["run_type"] == "iteration"]
    fator = {"ms": 1e-3, "us": 1e-6, "ns": 1e-9, "s": 1.0}[b["time_unit"]]
    return b["cpu_time"] * fator


def experimenta_uma_vez(programa, instancia, cadeia):
    r = subprocess.run([programa, "--instancia", instancia, "--inicial", "aleatoria",
                        "--metodos", cadeia], capture_output=True, text=True, check=True)
    (linha,) = csv.DictReader(r.stdout.splitlines())
    return float(linha["tempo_1"])


# experiment chain -> (menu choices after "1 5", function counted)
MENU = {"descida": ("2", "descida"), "descida-randomica": ("3", "descida_randomica"),
        "descida-parcial": ("4", "descida_parcial"), "sa": ("5", "simulated_annealing"),
        "tabu": ("6\n", "busca_tabu"), "grasp-vmp": ("7 1", "grasp"), "grasp-imb": ("7 2", "grasp"),
        "vns": ("9", "vns"), "ag-ox": ("10 1", "algoritmo_genetico"),
        "ag-erx": ("10 2", "algoritmo_genetico")}


def instrucoes(funcao, programa, entrada, pasta):
    contador = os.path.join(os.path.dirname(os.path.abspath(__file__)), "instrucoes.py")
    r = subprocess.run([sys.executable, contador, funcao, "--"] + programa, input=entrada,
                       capture_output=True, text=True, check=True, cwd=pasta)
    # "nome(...): N instructions, C calls, N per call"; the first line is the method itself
    return int(r.stdout.splitlines()[0].split("): ")[1].split()[0])


def conta_instrucoes(build, instancias, saida):
    import shutil
    with tempfile.TemporaryDirectory() as pasta:
        origem = os.path.join(instancias, "aleatoria200")
        for nome in ("c50info.txt", "c50.txt"):
            shutil.copy(os.path.join(origem, nome), pasta)
        with open(saida, "w", newline="") as f:
            w = csv.writer(f)
            w.writerow(["metodo", "bancada", "experimenta", "diferenca_pct"])
            for _, cadeia in METODOS:
                escolhas, funcao = MENU[cadeia]
                entrada = "\n".join(["1", "5"] + escolhas.split(" ") + ["0"]) + "\n"
                b = instrucoes(funcao, [os.path.join(build, "bancada")], entrada, pasta)
                e = instrucoes(funcao, [os.path.join(build, "ferramentas", "experimenta"),
                                        "--instancia", pasta, "--inicial", "aleatoria",
                                        "--metodos", cadeia], "", pasta)
                w.writerow([cadeia, b, e, f"{100 * (e - b) / b:+.2f}"])


def main(argv):
    build, instancias, eil76, saida = (os.path.abspath(a) for a in argv[1:5])
    rodadas = int(argv[5]) if len(argv) > 5 else 5
    bench = os.path.join(build, "bench", "bancada_bench")
    programa = os.path.join(build, "ferramentas", "experimenta")
    aleatoria = os.path.join(instancias, "aleatoria1000")
    melhor = {nome: [float("inf"), float("inf")] for nome, _ in METODOS}
    for _ in range(rodadas):
        for nome, cadeia in METODOS:
            melhor[nome][0] = min(melhor[nome][0], bench_uma_vez(bench, nome))
            melhor[nome][1] = min(melhor[nome][1],
                                  experimenta_uma_vez(programa, aleatoria, cadeia))

    lote = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "ferramentas", "lote.py")
    with tempfile.TemporaryDirectory() as pasta:
        inicio = time.monotonic()
        subprocess.run([sys.executable, lote, "--programa", os.path.join(build, "bancada"),
                        "--experimenta", programa, "--roteiro", "sa: 1 5 5",
                        "--sementes", "1-30", "-j", "2", "--csv", os.path.join(pasta, "l.csv"),
                        eil76], check=True, capture_output=True)
        parede = time.monotonic() - inicio

    with open(saida, "w", newline="") as f:
        w = csv.writer(f)
        w.writerow(["medida", "bench_s", "experimenta_s", "diferenca_pct"])
        for nome, cadeia in METODOS:
            b, e = melhor[nome]
            w.writerow([f"{cadeia} aleatoria1000", f"{b:.6f}", f"{e:.6f}",
                        f"{100 * (e - b) / b:+.2f}"])
        w.writerow(["sa eil76 30 sementes -j 2 (parede)", "", f"{parede:.3f}", ""])
    print(open(saida).read(), end="")
    contagem = os.path.splitext(saida)[0] + "_instrucoes.csv"
    conta_instrucoes(build, instancias, contagem)
    print(open(contagem).read(), end="")


if __name__ == "__main__":
    main(sys.argv)
