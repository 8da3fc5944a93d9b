#!/usr/bin/env bash
# The generator must give the same files for the same arguments: the bundled
# random instances are regenerated and compared byte for byte.
set -eu
gerador=$1; instancias=$2
trabalho=$(mktemp -d); trap 'rm -rf "$trabalho"' EXIT
"$gerador" 200 200 "$trabalho/a200"
"$gerador" 1000 1000 "$trabalho/a1000"
cmp "$trabalho/a200/c50info.txt" "$instancias/aleatoria200/c50info.txt"
cmp "$trabalho/a200/c50.txt" "$instancias/aleatoria200/c50.txt"
cmp "$trabalho/a1000/c50.txt" "$instancias/aleatoria1000/c50.txt"
[ "$(wc -l < "$trabalho/a200/c50.txt")" -eq 199 ]
[ "$(head -1 "$trabalho/a200/c50info.txt")" = "199 0" ]
# bad arguments are refused
if "$gerador" 0 1 "$trabalho/x" 2>/dev/null; then exit 1; fi
if "$gerador" 10 abc "$trabalho/x" 2>/dev/null; then exit 1; fi
echo ok
