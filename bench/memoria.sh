#!/usr/bin/env bash
# Peak resident memory of the real program (GNU time's %M, KiB), one run per menu
# path and instance in a scratch folder. Each path also runs on city 0 alone and
# on instancias/doze_cidades: the process's baselines for the path (runtime,
# buffers, code pages), so that peak - baseline is what instance and method added.
#   bench/memoria.sh PROGRAMA SAIDA.csv [INSTANCIA...]   (folders of instancias/)
# A run past LIMITE_S seconds (default 7200) is stopped and recorded "excedeu".
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
programa=$(realpath "$1"); saida=$2; shift 2
instancias=("$@")
[ ${#instancias[@]} -eq 0 ] && instancias=(eil51 aleatoria200 aleatoria1000)

caminhos=("1 1" "1 2" "1 3" "1 4" "1 5" "1 5 2" "1 5 3" "1 5 4" "1 5 5" "1 5 6"
          "1 5 7 1" "1 5 7 2" "1 5 9" "1 5 10 1" "1 5 10 2")

trabalho=$(mktemp -d "${TMPDIR:-/tmp}/bancada_memoria.XXXXXX")
trap 'rm -rf "$trabalho"' EXIT
# city 0 alone: the information file and its own record
mkdir "$trabalho/uma_cidade"
printf '0 0\n0\n37 52\n' > "$trabalho/uma_cidade/c50info.txt"
printf '0 37 52 0\n' > "$trabalho/uma_cidade/c50.txt"

# without address-space randomisation the same run gives the same peak
sem_aslr=()
if setarch "$(uname -m)" -R true 2> /dev/null; then sem_aslr=(setarch "$(uname -m)" -R); fi

# roda PASTA_INSTANCIA "caminho" -> pico_kb
roda() {
  local pasta=$1 caminho=$2 dir="$trabalho/execucao"
  rm -rf "$dir"; mkdir -p "$dir"
  cp "$pasta"/c50info.txt "$pasta"/c50.txt "$dir"/
  # menu numbers, then 0; the tabu search's pause takes the line end after 6
  printf '%s\n' $caminho 0 > "$dir/entrada.txt"
  if (cd "$dir" && "${sem_aslr[@]}" /usr/bin/time -f %M -o tempo.txt \
        timeout "${LIMITE_S:-7200}" "$programa" < entrada.txt > /dev/null 2>&1); then
    tail -1 "$dir/tempo.txt"
  else
    echo excedeu
  fi
}

echo "instancia,n,caminho,pico_kb,base1_kb,base12_kb" > "$saida"
declare -A base1 base12
for caminho in "${caminhos[@]}"; do
  base1[$caminho]=$(roda "$trabalho/uma_cidade" "$caminho")
  base12[$caminho]=$(roda "$raiz/instancias/doze_cidades" "$caminho")
done
for nome in "${instancias[@]}"; do
  pasta="$raiz/instancias/$nome"
  n=$(( $(head -1 "$pasta/c50info.txt" | awk '{print $1}') + 1 ))
  for caminho in "${caminhos[@]}"; do
    pico=$(roda "$pasta" "$caminho")
    echo "$nome,$n,$caminho,$pico,${base1[$caminho]},${base12[$caminho]}" | tee -a "$saida" >&2
  done
done
