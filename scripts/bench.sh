#!/usr/bin/env bash
# Builds the Release programs and measures the workbench: the swap-scan kernel
# against the minimal loop, every menu method on 51, 200, 1000 and 10000 cities
# (Google Benchmark, processor time), probes that price single operations on
# each size, and the peak memory of the real program per menu path. Writes the
# raw results to docs/desempenho/ and the table to docs/desempenho.md. The whole
# run takes about fifty minutes, forty of them the single runs on 10000 cities;
# run it on a quiet machine.
#   scripts/bench.sh [PASTA_DE_RESULTADOS]   (table then in that folder)
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
resultados=${1:-$raiz/docs/desempenho}
tabela=$raiz/docs/desempenho.md
[ $# -ge 1 ] && tabela=$resultados/desempenho.md
mkdir -p "$resultados"

cd "$raiz"
cmake --preset release > /dev/null
cmake --build --preset release -j "$(nproc 2>/dev/null || echo 2)" \
      --target bancada bancada_bench gera_instancia experimenta > /dev/null
# 10000 cities (150 KB of coordinates) are generated, not stored
dez_mil=$raiz/build/bench/aleatoria10000
[ -f "$dez_mil/c50.txt" ] || build/ferramentas/gera_instancia 10000 10000 "$dez_mil" > /dev/null

{
  lscpu | grep -E '^(Model name|CPU\(s\)|Thread|Core|Socket|L1d|L2|L3|Hypervisor)' || true
  echo "nproc: $(nproc)"
  free -h | head -2
  echo "compiler: $(c++ --version | head -1)"
} > "$resultados/maquina.txt"

bench="$raiz/build/bench/bancada_bench"
# Every benchmark runs several times, the repetitions of all of them interleaved
# in random order, and the table keeps the best: on a shared machine the others'
# use of the caches and of memory only ever adds time, and the interleaving keeps
# a noisy minute from spoiling every repetition of one benchmark.
"$bench" --benchmark_filter='^varredura/' --benchmark_repetitions=5 \
         --benchmark_min_time=0.5 --benchmark_enable_random_interleaving=true \
         --benchmark_out="$resultados/varredura.json" --benchmark_out_format=json
"$bench" --benchmark_filter='^metodo/.*/(51|200|1000)/' --benchmark_repetitions=3 \
         --benchmark_enable_random_interleaving=true \
         --benchmark_out="$resultados/metodos.json" --benchmark_out_format=json
"$bench" --benchmark_filter='^sonda/' --benchmark_repetitions=3 \
         --benchmark_enable_random_interleaving=true \
         --benchmark_out="$resultados/sondas.json" --benchmark_out_format=json
# 10000 cities: one run of each method, each in its own process, so that the
# peak memory it reports is its own.
mkdir -p "$resultados/dez_mil"
for nome in $("$bench" --benchmark_list_tests --benchmark_filter='^metodo/.*/10000/'); do
  "$bench" --benchmark_filter="^$nome\$" --benchmark_out_format=json \
           --benchmark_out="$resultados/dez_mil/$(echo "$nome" | cut -d/ -f2).json"
done
"$raiz/bench/memoria.sh" "$raiz/build/bancada" "$resultados/memoria.csv"
# The experiment program against the bench's figures, and thirty seeds through lote.py.
python3 "$raiz/bench/experimenta.py" "$raiz/build" "$raiz/instancias" "$raiz/instancias/eil76" \
        "$resultados/experimenta.csv"

python3 "$raiz/bench/tabela.py" "$resultados" "$tabela"
echo "Tabela: $tabela"
