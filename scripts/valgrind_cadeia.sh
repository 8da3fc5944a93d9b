#!/usr/bin/env bash
# Runs the real program under valgrind memcheck on a small instance (12 cities)
# with one input script that goes through every menu choice: the five
# constructions, every refinement, GRASP with both constructions, VND, VNS and
# the genetic algorithm with both operators, then 0. Fails unless valgrind finds
# no error and no byte definitely or indirectly lost.
#   scripts/valgrind_cadeia.sh
# Valgrind computes long double in double precision, so the tours it prints may
# differ from a native run; only the memory check matters here.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
pasta="$raiz/build-valgrind"

(cd "$raiz" && cmake --preset valgrind > /dev/null &&
   cmake --build --preset valgrind -j 2 --target bancada > /dev/null)

trabalho=$(mktemp -d "${TMPDIR:-/tmp}/valgrind_cadeia.XXXXXX")
trap 'rm -rf "$trabalho"' EXIT
cp "$raiz/instancias/doze_cidades/c50info.txt" "$raiz/instancias/doze_cidades/c50.txt" "$trabalho/"

# One choice per line. The tabu search's pause (choice 6) takes the newline
# left after the "6", so no extra line follows it.
entrada=(
  1 1   1 2   1 3   1 4   1 5   # the five constructions, the random one last
  2 3 4 5 6                     # descent, random descent, partial descent, annealing, tabu
  7 1   7 2                     # GRASP on nearest neighbour, then on cheapest insertion
  8 9                           # VND (a message), VNS
  10 1  10 2                    # genetic algorithm with OX, then with ERX
  0
)
printf '%s\n' "${entrada[@]}" > "$trabalho/entrada.txt"

status=0
(cd "$trabalho" && valgrind --error-exitcode=1 --leak-check=full \
   --errors-for-leak-kinds=definite,indirect --track-origins=yes --log-file=valgrind.log \
   "$pasta/bancada" < entrada.txt > saida.txt) || status=$?

log="$trabalho/valgrind.log"
grep -E 'in use at exit|total heap usage|definitely lost|indirectly lost|possibly lost|still reachable|All heap blocks were freed|ERROR SUMMARY' "$log" \
  | sed -E 's/^==[0-9]+== *//'
printf 'relatorios: %s construcoes, %s refinamentos\n' \
  "$(grep -c '^Funcao objetivo = ' "$trabalho/saida.txt" || true)" \
  "$(grep -c '^Melhor fo encontrada = ' "$trabalho/saida.txt" || true)"

limpo=1
grep -q 'ERROR SUMMARY: 0 errors' "$log" || limpo=0
if ! grep -q 'All heap blocks were freed' "$log"; then
  grep -q 'definitely lost: 0 bytes' "$log" || limpo=0
  grep -q 'indirectly lost: 0 bytes' "$log" || limpo=0
fi
if [ "$status" -ne 0 ] || [ "$limpo" -ne 1 ]; then
  echo "valgrind: FALHOU (status de saida $status)"
  cat "$log"
  exit 1
fi
echo "valgrind: sem erros e sem vazamentos"
