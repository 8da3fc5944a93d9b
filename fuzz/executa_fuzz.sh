#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in their own folder (build-fuzz) and
# runs each one for a bounded time, starting from its committed seed corpus.
# Fails on any finding (crash, sanitizer report, leak, time-out); the input that
# caused it is kept in build-fuzz/achados/ and should join fuzz/corpus/<alvo>/,
# where the ordinary test builds replay it as a regression test.
#   fuzz/executa_fuzz.sh            (FUZZ_SEGUNDOS=60 by default, per target)
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
segundos=${FUZZ_SEGUNDOS:-60}
compilador=${CXX_FUZZ:-clang++}
pasta="$raiz/build-fuzz"

cd "$raiz"
cmake --preset fuzz -DCMAKE_CXX_COMPILER="$compilador" > /dev/null
cmake --build --preset fuzz -j 2

achados="$pasta/achados"
mkdir -p "$achados"
falhas=0
for alvo in fuzz_info fuzz_coordenadas fuzz_menus fuzz_opcoes fuzz_tsplib; do
  # New inputs go to a scratch corpus; the committed seeds are only read.
  trabalho="$pasta/corpus_$alvo"
  mkdir -p "$trabalho"
  registro="$pasta/$alvo.log"
  if ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
     "$pasta/fuzz/$alvo" -max_total_time="$segundos" -timeout=10 -rss_limit_mb=2048 \
       -print_final_stats=1 -artifact_prefix="$achados/$alvo-" \
       "$trabalho" "$raiz/fuzz/corpus/$alvo" > "$registro" 2>&1; then
    situacao="sem achados"
  else
    situacao="ACHADO (veja $registro e $achados)"
    falhas=$((falhas + 1))
    tail -n 40 "$registro"
  fi
  execucoes=$(sed -n 's/^stat::number_of_executed_units: *//p' "$registro" | tail -n 1)
  printf '%s: %s execucoes em %s s, %s\n' "$alvo" "${execucoes:-?}" "$segundos" "$situacao"
done
exit $((falhas > 0))
