#!/usr/bin/env python3
"""Gaps of the descents from the nearest-neighbour tour on the TSPLIB files,
per neighbourhood, through the experiment program, beside R's two_opt from the
same tour (re-measured with this program's calcula_fo); the table of
docs/vizinhancas.md.

  bench/vizinhancas.py BUILD TSPLIB [VIZINHOS]

ch150 has real coordinates: read with --escala 1000. Needs Rscript with the TSP
package for the R columns (left empty without it).
"""
import csv
import io
import os
import shutil
import subprocess
import sys
import tempfile

NOMES = "eil51 berlin52 st70 eil76 pr76 kroA100 eil101 ch150 a280 pr1002".split()
VIZINHANCAS = ["troca", "2opt", "oropt", "2opt+oropt"]
AQUI = os.path.dirname(os.path.abspath(__file__))


def linha(experimenta, tsp, escala, *extra):
    r = subprocess.run([experimenta, "--instancia", tsp, *escala, *extra],
                       capture_output=True, text=True, check=True)
    return list(csv.DictReader(io.StringIO(r.stdout)))[0]


def main():
    build, tsplib = sys.argv[1], sys.argv[2]
    vizinhos = ["--param", f"VIZINHOS={sys.argv[3]}"] if len(sys.argv) > 3 else []
    experimenta = os.path.join(build, "ferramentas", "experimenta")
    converte = os.path.join(build, "ferramentas", "converte_tsplib")
    mede = os.path.join(AQUI, "..", "ferramentas", "percurso_tsplib.py")
    com_r = shutil.which("Rscript") is not None
    colunas = ["nn"] + VIZINHANCAS + ["r_two_opt"]
    somas = dict.fromkeys(colunas, 0.0)
    print("| file | n | NN | swap | 2-opt | Or-opt | 2-opt+Or-opt | R two_opt | "
          "R's NN = ours | R s | 2-opt+Or-opt ms |")
    print("|---" * 11 + "|")
    with tempfile.TemporaryDirectory() as pasta:
        for nome in NOMES:
            tsp = os.path.join(tsplib, nome + ".tsp")
            escala = ["--escala", "1000"] if nome == "ch150" else []
            gaps = {}
            saida = os.path.join(pasta, nome)
            inicial = linha(experimenta, tsp, escala, "--saida", saida)
            gaps["nn"] = float(inicial["gap"])
            referencia = float(inicial["referencia"])
            tempos = {}
            for v in VIZINHANCAS:
                l = linha(experimenta, tsp, escala, "--metodos", "descida", "--vizinhanca", v,
                          *vizinhos)
                gaps[v] = float(l["gap"])
                tempos[v] = float(l["tempo_1"])
            igual, segundos_r = "", ""
            if com_r:
                nn = [os.path.join(saida, a) for a in os.listdir(saida) if a.endswith(".tour")][0]
                r = subprocess.run(["Rscript", os.path.join(AQUI, "vizinhancas_r.R"), tsp, nn,
                                    pasta], capture_output=True, text=True, check=True)
                campos = r.stdout.split()
                segundos_r, igual = campos[1], "yes" if campos[2] == "TRUE" else "ties differ"
                instancia = os.path.join(pasta, nome + "_inst")
                subprocess.run([converte, *escala, tsp, instancia], check=True,
                               capture_output=True)
                medido = subprocess.run([sys.executable, mede, "mede",
                                         os.path.join(pasta, nome + ".r2opt.tour"), instancia],
                                        capture_output=True, text=True, check=True)
                fo_r = float(medido.stdout.split()[-1])
                gaps["r_two_opt"] = 100 * (fo_r - referencia) / referencia
            for c in colunas:
                somas[c] += gaps.get(c, 0.0)
            print(f"| {nome} | {inicial['cidades']} | "
                  + " | ".join(f"{gaps[c]:.2f}" if c in gaps else "" for c in colunas)
                  + f" | {igual} | {segundos_r} | {1000 * tempos['2opt+oropt']:.2f} |",
                  flush=True)
    print("| **mean** | | " + " | ".join(f"**{somas[c] / len(NOMES):.2f}**" for c in colunas)
          + " | | | |")


if __name__ == "__main__":
    main()
