#!/usr/bin/env python3
"""Every method that searches a neighbourhood, in each of the four, from the
nearest-neighbour tour of the ten TSPLIB files: one batch study through
ferramentas/lote.py and the experiment program, with the program's own seeds
and default parameters; the batch CSV goes to docs/vizinhancas/metodos.csv and
the tables to their section of docs/vizinhancas.md.

  bench/metodos_vizinhancas.py BUILD TSPLIB [SECONDS]

SECONDS (default 60) is each run's processor-time budget (--tempo-limite): a
method that reaches it stops with the best tour it had, and its cell says so.
ch150 has real coordinates: it runs in a second batch with --escala 1000, as in
bench/vizinhancas.py.
"""
import csv
import os
import statistics
import subprocess
import sys
import tempfile
import textwrap
import time

NOMES = "eil51 berlin52 st70 eil76 pr76 kroA100 eil101 ch150 a280 pr1002".split()
ESCALA = {"ch150": "1000"}
# Menu paths after the nearest-neighbour construction (1 1), as lote.py reads them.
METODOS = {"descida": "2", "descida-randomica": "3", "descida-parcial": "4", "sa": "5",
           "tabu": "6", "grasp-vmp": "7 1", "grasp-imb": "7 2", "vns": "9"}
VIZINHANCAS = ["troca", "2opt", "oropt", "2opt+oropt"]
ROTULOS = {"troca": "swap", "2opt": "2-opt", "oropt": "Or-opt", "2opt+oropt": "2-opt+Or-opt"}
AQUI = os.path.dirname(os.path.abspath(__file__))
RAIZ = os.path.join(AQUI, "..")
CSV = os.path.join(RAIZ, "docs", "vizinhancas", "metodos.csv")
DOC = os.path.join(RAIZ, "docs", "vizinhancas.md")
INICIO = "<!-- bench/metodos_vizinhancas.py: start -->"
FIM = "<!-- bench/metodos_vizinhancas.py: end -->"


def roda_lote(build, tsps, escala, segundos, csv_saida):
    experimenta = os.path.join(build, "ferramentas", "experimenta")
    args = [sys.executable, os.path.join(RAIZ, "ferramentas", "lote.py"),
            "--experimenta", experimenta, "--csv", csv_saida,
            "--vizinhanca", ",".join(VIZINHANCAS), "--tempo-limite", str(segundos)]
    if escala:
        args += ["--escala", escala]
    for m, caminho in METODOS.items():
        args += ["--roteiro", f"{m}: 1 1 {caminho}"]
    # Status 3: some run failed; the CSV is written all the same and the
    # tables count the failures.
    r = subprocess.run(args + tsps, stdout=subprocess.DEVNULL)
    if r.returncode not in (0, 3):
        sys.exit(f"lote.py ended with status {r.returncode}")
    with open(csv_saida, newline="") as f:
        return list(csv.DictReader(f))


def pct(x):
    return f"{round(x, 2) + 0.0:.2f}"  # no "-0.00"


def gap_inicial(l):
    return 100 * (float(l["fo_inicial"]) - float(l["referencia"])) / float(l["referencia"])


def celula(grupo, segundos):
    validas = [l for l in grupo if l["estado"] in ("ok", "tempo_limite")]
    parados = sum(l["estado"] == "tempo_limite" for l in grupo)
    if not validas:
        return "failed"
    texto = (f"{pct(statistics.fmean(float(l['gap']) for l in validas))} / "
             f"{sum(float(l['tempo']) for l in validas):.3f} s")
    if parados:
        texto += f" ({parados} at {segundos:g} s)"
    if len(validas) < len(grupo):
        texto += f" ({len(grupo) - len(validas)} failed)"
    return texto


def tabelas(linhas, segundos):
    por = {}
    for l in linhas:
        por.setdefault((l["roteiro"], l["vizinhanca"]), []).append(l)
    saida = ["| method | " + " | ".join(ROTULOS[v] for v in VIZINHANCAS) + " |",
             "|---" * (len(VIZINHANCAS) + 1) + "|"]
    for m in METODOS:
        saida.append(f"| {m} | " + " | ".join(celula(por.get((m, v), []), segundos)
                                              for v in VIZINHANCAS) + " |")
    iniciais = {l["instancia"]: gap_inicial(l) for l in linhas if l["fo_inicial"]}
    saida += ["", f"The nearest-neighbour tour they start from: mean gap "
              f"{pct(statistics.fmean(iniciais.values()))} %.", "",
              textwrap.fill(
                  "Per file, the least gap (%) in each neighbourhood and the method that "
                  "reached it (the first in the method order on a tie; * stopped by the "
                  "budget). A negative gap is a tour shorter than the `.opt.tour` in the "
                  "program's float distances: the TSPLIB optimum is for distances rounded "
                  "to integers.", 79), ""]
    saida += ["| file | n | NN | " + " | ".join(ROTULOS[v] for v in VIZINHANCAS) + " |",
              "|---" * (len(VIZINHANCAS) + 3) + "|"]
    for nome in NOMES:
        do_arquivo = [l for l in linhas if l["instancia"] == nome
                      and l["estado"] in ("ok", "tempo_limite")]
        if not do_arquivo:
            saida.append(f"| {nome} | | | " + " | ".join("failed" for _ in VIZINHANCAS) + " |")
            continue
        cel = []
        for v in VIZINHANCAS:
            melhor = min((l for l in do_arquivo if l["vizinhanca"] == v),
                         key=lambda l: float(l["gap"]), default=None)
            marca = "*" if melhor and melhor["estado"] == "tempo_limite" else ""
            cel.append(f"{pct(float(melhor['gap']))} {melhor['roteiro']}{marca}" if melhor
                       else "failed")
        saida.append(f"| {nome} | {do_arquivo[0]['cidades']} | {pct(iniciais[nome])} | "
                     + " | ".join(cel) + " |")
    return "\n".join(saida) + "\n"


def main():
    if len(sys.argv) not in (3, 4):
        sys.exit(__doc__)
    build, tsplib = sys.argv[1], sys.argv[2]
    segundos = float(sys.argv[3]) if len(sys.argv) > 3 else 60.0
    inicio = time.monotonic()
    linhas = []
    with tempfile.TemporaryDirectory() as pasta:
        lotes = [([n for n in NOMES if n not in ESCALA], None)]
        lotes += [([n], e) for n, e in ESCALA.items()]
        for k, (nomes, escala) in enumerate(lotes):
            tsps = [os.path.join(tsplib, n + ".tsp") for n in nomes]
            linhas += roda_lote(build, tsps, escala, segundos, os.path.join(pasta, f"{k}.csv"))
    segundos_do_lote = time.monotonic() - inicio
    duracao = (f"{segundos_do_lote:.0f} s" if segundos_do_lote < 120
               else f"{segundos_do_lote / 60:.1f} min")
    ordem = {n: k for k, n in enumerate(NOMES)}
    linhas.sort(key=lambda l: ordem[l["instancia"]])  # stable: lote's order within a file
    with open(CSV, "w", newline="") as f:
        w = csv.DictWriter(f, fieldnames=list(linhas[0]), lineterminator="\n")
        w.writeheader()
        w.writerows(linhas)
    limite = f"{segundos:g}"
    parados = sum(l["estado"] == "tempo_limite" for l in linhas)
    nenhum = f" (none of the {len(linhas)} runs reached it)" if not parados else ""
    introducao = textwrap.fill(f"""\
`python3 bench/metodos_vizinhancas.py build ../shared/tsplib` ({duracao} of wall
time on the shared 2-core machine, two runs at a time): one batch study
of `ferramentas/lote.py` with `--vizinhanca troca,2opt,oropt,2opt+oropt
--tempo-limite {limite}`, each method after the nearest-neighbour construction
(`vizinho`), default parameters (`VIZINHOS=16`), the program's own seeds; ch150 in a
second batch with `--escala 1000`. The batch CSV, one line per run, is
`vizinhancas/metodos.csv`. Each cell: mean gap (%) over the ten files / total
processor time of the ten runs; "(k at {limite} s)" when k runs were stopped by
the {limite} s processor budget{nenhum}; a stopped run keeps the best tour it
had. GRASP builds its own tours and does not start from the nearest-neighbour
one.""", 79, break_on_hyphens=False)
    texto = f"""{INICIO}
## Every method in every neighbourhood

{introducao}

{tabelas(linhas, segundos)}{FIM}
"""
    with open(DOC, encoding="utf-8") as f:
        doc = f.read()
    if INICIO in doc and FIM in doc:
        antes, _, resto = doc.partition(INICIO)
        doc = antes + texto.rstrip("\n") + resto.partition(FIM)[2]
    else:
        doc = doc.rstrip("\n") + "\n\n" + texto
    with open(DOC, "w", encoding="utf-8") as f:
        f.write(doc)
    print(texto, end="")


if __name__ == "__main__":
    main()
