#!/usr/bin/env bash
# The program's results are defined by the x87 extended format. This builds it
# twice on x86-64 with long double in other formats: -mlong-double-64 (double,
# as MSVC and macOS arm64 have it) and -mlong-double-128 (IEEE quad, as aarch64
# Linux has it), so that the software path of the extended arithmetic is taken,
# and runs the end-to-end suite on each: every case must give the x87 bytes.
# The unit tests run there too; their comparisons with native x87 are skipped
# (ctest counts a skipped test as passed: the count of skipped ones follows).
# Prints the pass counts per build; exits with 1 when any test fails.
#   scripts/testa_formatos.sh
set -uo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)
falhou=0

# "N de M" from ctest's summary line.
contagem() {
  sed -n 's/.* tests passed, \([0-9]*\) tests failed out of \([0-9]*\)/\1 \2/p' "$1" |
    awk '{ printf "%d de %d", $2 - $1, $2 }'
}

for formato in 64 128; do
  pasta=build-ld$formato
  log=$pasta/testa_formatos.log
  if ! { cmake -S . -B "$pasta" -DCMAKE_BUILD_TYPE=Release -DTSP_WERROR=ON \
           -DCMAKE_CXX_FLAGS=-mlong-double-$formato &&
         cmake --build "$pasta" -j "$jobs"; } > /dev/null; then
    echo "-mlong-double-$formato: a compilacao falhou"
    falhou=1
    continue
  fi
  ctest --test-dir "$pasta" -R '^ponta_a_ponta\.' -j "$jobs" --output-on-failure > "$log" 2>&1 || falhou=1
  ponta=$(contagem "$log")
  ctest --test-dir "$pasta" -E '^ponta_a_ponta\.' -j "$jobs" --output-on-failure > "$log.unidade" 2>&1 || falhou=1
  unidade="$(contagem "$log.unidade"), $(grep -c '(Skipped)$' "$log.unidade") deles pulados"
  echo "-mlong-double-$formato: ponta a ponta $ponta; unitarios $unidade"
done
exit $falhou
