#!/usr/bin/env bash
# Regenerates the expected files of end-to-end cases from the program, one case
# at a time, after a person has read what would change: the masked diff of the
# case (as the test shows it) and a question; only "s" (or "y") writes the
# case's saida.txt, its expected arquivos/ and its status. A case whose run
# already matches is left untouched. Without a terminal on standard input
# nothing is asked and nothing is written.
#   tests/ponta_a_ponta/regenera.sh [--programa PROGRAMA] CASO...
# CASO is a folder name under casos/ (or a path to one); PROGRAMA defaults to
# build/bancada (cmake --preset release && cmake --build --preset release).
# Only the files the case already expects are rewritten: a new expected file is
# added by hand, after checking it.
set -uo pipefail
aqui=$(cd "$(dirname "$0")" && pwd)
raiz=$(cd "$aqui/../.." && pwd)
programa=$raiz/build/bancada
if [ "${1:-}" = --programa ]; then
  programa=$(realpath "$2"); shift 2
fi
[ $# -gt 0 ] || { sed -n '2,12p' "$0" | sed 's/^# \{0,1\}//'; exit 2; }
[ -t 0 ] || { echo "regenera.sh: a revisao pede um terminal na entrada padrao; nada foi gravado" >&2; exit 2; }
[ -x "$programa" ] || { echo "regenera.sh: $programa nao existe (compile antes)" >&2; exit 2; }

aceitos=0; iguais=0; recusados=0
for nome in "$@"; do
  caso=$aqui/casos/$(basename "$nome")
  [ -f "$caso/entrada.txt" ] || { echo "$nome: nao e um caso"; exit 2; }
  execucao=$(mktemp -d)
  if bash "$aqui/executa_caso.sh" "$programa" "$caso" "$raiz/instancias" "$execucao" \
       > "$execucao/.diferencas" 2>&1; then
    echo "$(basename "$caso"): igual, nada a regenerar"
    iguais=$((iguais + 1))
  else
    echo "=== $(basename "$caso") ==="
    cat "$execucao/.diferencas"
    read -r -p "Aceitar a saida nova de $(basename "$caso")? [s/N] " resposta
    if [[ "$resposta" =~ ^[sSyY]$ ]]; then
      cp "$execucao/.saida_obtida" "$caso/saida.txt"
      for esperado in "$caso"/arquivos/*; do
        [ -f "$esperado" ] && [ -f "$execucao/$(basename "$esperado")" ] &&
          cp "$execucao/$(basename "$esperado")" "$esperado"
      done
      status=$(cat "$execucao/.status")
      if [ "$status" = 0 ]; then rm -f "$caso/status"; else echo "$status" > "$caso/status"; fi
      aceitos=$((aceitos + 1))
    else
      recusados=$((recusados + 1))
    fi
  fi
  rm -rf "$execucao"
done
echo "$aceitos aceitos, $recusados recusados, $iguais iguais"
