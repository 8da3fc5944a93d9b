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

if "--" not in sys.argv or sys.argv.index("--") in (1, len(sys.argv) - 1):
    sys.exit(__doc__)
corte = sys.argv.index("--")
prefixos, programa = tuple(sys.argv[1:corte]), sys.argv[corte + 1:]
with tempfile.TemporaryDirectory() as pasta:
    saida = os.path.join(pasta, "callgrind.out")
    subprocess.run(["valgrind", "--tool=callgrind", "--callgrind-out-file=" + saida] + programa,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)
    nomes, chamadas, alvo = {}, {}, None  # callgrind names a function once, then by its id
    for linha in open(saida):
        m = re.match(r"^(c?fn)=\((\d+)\)(?: (.*))?$", linha.rstrip("\n"))
        if m:
            nomes.setdefault(m.group(2), m.group(3))
            alvo = nomes[m.group(2)] if m.group(1) == "cfn" else None
        elif alvo and linha.startswith("calls="):
            chamadas[alvo] = chamadas.get(alvo, 0) + int(linha.split()[0][6:])
    anotado = subprocess.run(["callgrind_annotate", "--inclusive=yes", saida],
                             capture_output=True, text=True).stdout
for linha in anotado.splitlines():
    m = re.match(r"^\s*([\d,]+) \([^)]*\)\s+\S*?:(.*) \[", linha)
    if m and m.group(2).startswith(prefixos):
        custo, nome = int(m.group(1).replace(",", "")), m.group(2)
        vezes = chamadas.get(nome, 0)
        print("%s: %d instructions, %d calls, %s per call" % (
            nome, custo, vezes, "%.0f" % (custo / vezes) if vezes else "-"))
