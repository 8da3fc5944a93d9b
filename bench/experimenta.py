#!/usr/bin/env python3
"""The experiment program's own cost, in two figures for the bench table.

1. Each refinement on aleatoria1000 from the menu's random tour, as the
   experiment program times it (its tempo_1 column), against the bench's
   processor time for the same call: best of R runs each, the two interleaved
   round by round so that a noisy minute falls on both.
2. Thirty seeds of the annealing on eil76 through lote.py with -j 2: wall time.

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


if __name__ == "__main__":
    main(sys.argv)
