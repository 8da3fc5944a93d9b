#!/usr/bin/env bash
# Builds the workbench and runs it on an instance inside a fresh scratch working
# directory, so the trace files it writes stay out of the source tree. The
# instance is a folder with c50info.txt and c50.txt (default: the bundled eil51)
# or a TSPLIB .tsp file, which the project's converter writes into the scratch
# directory; options after the file go to the converter. The scratch directory
# is removed when the run ends; --guarda PASTA first copies what the run wrote
# (trace files and the instance) into PASTA.
#   scripts/executa.sh [--guarda PASTA] [PASTA_DA_INSTANCIA | ARQUIVO.tsp [OPCOES_DO_CONVERSOR...]]
# PROGRAMAS_PRONTOS=PASTA uses the programs already built in that build folder
# and builds nothing (the tests run the script this way).
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
nome=executa.sh
# One line and status 2 for a path or an option the script cannot use.
recusa() {
  echo "$nome: $1" >&2
  exit 2
}

uso="uso: scripts/executa.sh [--guarda PASTA] [PASTA | ARQUIVO.tsp [--escala K|auto]]"
guarda=
if [ "${1:-}" = --guarda ]; then
  [ $# -ge 2 ] || recusa "--guarda pede uma pasta ($uso)"
  guarda=$2
  shift 2
  [ ! -e "$guarda" ] || [ -d "$guarda" ] || recusa "$guarda: existe e nao e pasta"
fi

# The path is checked before the build, so a typo costs no waiting.
instancia=${1:-$raiz/instancias/eil51}
[ $# -gt 0 ] && shift
if [ -d "$instancia" ]; then
  tipo=pasta
  [ $# -eq 0 ] || recusa "as opcoes ($*) so valem depois de um arquivo .tsp"
  for arquivo in c50info.txt c50.txt; do
    [ -f "$instancia/$arquivo" ] \
      || recusa "$instancia: pasta sem $arquivo (uma instancia tem c50info.txt e c50.txt)"
  done
elif [ -f "$instancia" ] && [[ "${instancia,,}" == *.tsp ]]; then
  tipo=tsp
elif [ -e "$instancia" ]; then
  recusa "$instancia: nao e pasta de instancia nem arquivo .tsp ($uso)"
else
  recusa "$instancia: nao existe ($uso)"
fi

if [ -n "${PROGRAMAS_PRONTOS:-}" ]; then
  build=$PROGRAMAS_PRONTOS
else
  build=$raiz/build
  # Only the program and the converter; their progress goes to stderr, the
  # program's dialogue alone to stdout.
  echo "Compilando o programa em $build ..." >&2
  (cd "$raiz" && cmake --preset release --log-level=NOTICE > /dev/null &&
     cmake --build --preset release -j "$(nproc 2>/dev/null || echo 2)" \
           --target bancada converte_tsplib >&2)
fi

trabalho=$(mktemp -d "${TMPDIR:-/tmp}/bancada.XXXXXX")
# The scratch directory goes however the run ends (Ctrl-C included).
trap 'rm -rf "$trabalho"' EXIT
if [ "$tipo" = pasta ]; then
  cp "$instancia/c50info.txt" "$instancia/c50.txt" "$trabalho/"
elif ! "$build/ferramentas/converte_tsplib" "$instancia" "$trabalho" "$@"; then
  exit 1
fi
if [ -n "$guarda" ]; then
  echo "Pasta de trabalho: $trabalho; os arquivos de saida vao para $guarda ao fim" >&2
else
  echo "Pasta de trabalho: $trabalho (apagada ao fim; --guarda PASTA guarda os arquivos de saida)" >&2
fi
status=0
(cd "$trabalho" && "$build/bancada") || status=$?
if [ -n "$guarda" ]; then
  mkdir -p "$guarda"
  cp -p "$trabalho"/* "$guarda"/
  echo "Arquivos de saida guardados em $guarda" >&2
fi
exit "$status"
