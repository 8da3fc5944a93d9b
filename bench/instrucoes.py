#!/usr/bin/env python3
"""Instructions per call of functions, counted by valgrind's callgrind: a figure
that repeats exactly from run to run, unlike times on a busy machine.

    python3 bench/instrucoes.py FUNCAO [FUNCAO ...] -- PROGRAMA [ARGUMENTOS ...]

Runs PROGRAMA under callgrind (standard input passed through) and prints, for
every function whose name starts with one of the FUNCAO prefixes, its inclusive
instruction count, its number of calls and the count per call.
"""

import os
import re
import subprocess
import sys
import tempfile


def main():
    if "--" not in sys.argv:
        sys.exit(__doc__)
    corte = sys.argv.index("--")
    prefixos, programa = sys.argv[1:corte], sys.argv[corte + 1:]
    if not prefixos or not programa:
        sys.exit(__doc__)
    with tempfile.TemporaryDirectory() as pasta:
        saida = os.path.join(pasta, "callgrind.out")
        subprocess.run(["valgrind", "--tool=callgrind", "--callgrind-out-file=" + saida]
                       + programa, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       check=False)
        nomes, chamadas = {}, {}
        alvo = None
        with open(saida) as f:
            for linha in f:
                m = re.match(r"^(c?fn)=\((\d+)\)(?: (.*))?$", linha.rstrip("\n"))
                if m:
                    if m.group(3):
                        nomes[m.group(2)] = m.group(3)
                    alvo = m.group(2) if m.group(1) == "cfn" else None
                    continue
                m = re.match(r"^calls=(\d+) ", linha)
                if m and alvo is not None:
                    chamadas[alvo] = chamadas.get(alvo, 0) + int(m.group(1))
        anotado = subprocess.run(["callgrind_annotate", "--inclusive=yes", saida],
                                 capture_output=True, text=True).stdout
    for linha in anotado.splitlines():
        m = re.match(r"^\s*([\d,]+) \([^)]*\)\s+\S*?:(.*) \[", linha)
        if not m:
            continue
        custo, nome = int(m.group(1).replace(",", "")), m.group(2)
        if not any(nome.startswith(p) for p in prefixos):
            continue
        ids = [i for i, n in nomes.items() if n == nome]
        vezes = sum(chamadas.get(i, 0) for i in ids)
        por = "%.0f" % (custo / vezes) if vezes else "-"
        print("%s: %d instructions, %d calls, %s per call" % (nome, custo, vezes, por))


if __name__ == "__main__":
    main()
