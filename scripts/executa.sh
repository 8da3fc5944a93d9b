#!/usr/bin/env bash
# Builds the workbench and runs it on an instance folder (default: the bundled
# eil51) inside a fresh scratch working directory, so the trace files it
# writes stay out of the source tree.
#   scripts/executa.sh [PASTA_DA_INSTANCIA]
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
instancia=$(cd "${1:-$raiz/instancias/eil51}" && pwd)

cmake -S "$raiz" -B "$raiz/build" -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build "$raiz/build" -j "$(nproc 2>/dev/null || echo 2)" --target bancada > /dev/null

trabalho=$(mktemp -d "${TMPDIR:-/tmp}/bancada.XXXXXX")
cp "$instancia/c50info.txt" "$instancia/c50.txt" "$trabalho/"
echo "Pasta de trabalho (arquivos de saida): $trabalho" >&2
cd "$trabalho"
exec "$raiz/build/bancada"
