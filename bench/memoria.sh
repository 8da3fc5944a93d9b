#!/usr/bin/env bash
# Peak resident memory of the real program, one run per menu path and instance,
# each in a scratch working directory, measured by GNU time (%M, in KiB).
# Every path also runs on two tiny instances, giving the process's baseline for
# the path (C++ runtime, stdio buffers, code pages touched): city 0 alone, where
# most methods refuse or do nothing, and the 12 cities of instancias/doze_cidades,
# where every method runs its code (the annealing's exp pulls in libm pages, the
# genetic algorithm its own code) on data of a few KiB. peak - baseline is what
# the instance and the method added.
#   bench/memoria.sh PROGRAMA SAIDA.csv [INSTANCIA...]
# INSTANCIA: folders of instancias/ (default eil51 aleatoria200 aleatoria1000).
# A run that passes LIMITE_S seconds (default 7200) is stopped; its row then has
# pico_kb and tempo_cpu_s "excedeu".
# CSV columns: instancia,n,caminho,pico_kb,base1_kb,base12_kb,tempo_cpu_s
# (tempo_cpu_s: the "Tempo de CPU" the program printed, empty for constructions).
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

# Address-space randomisation moves the peak by up to ~100 KiB from run to run;
# without it the same run gives the same peak.
sem_aslr=()
if setarch "$(uname -m)" -R true 2> /dev/null; then sem_aslr=(setarch "$(uname -m)" -R); fi

# roda PASTA_INSTANCIA "caminho" -> "pico_kb tempo_cpu_s"
roda() {
  local pasta=$1 caminho=$2 dir="$trabalho/execucao"
  rm -rf "$dir"; mkdir -p "$dir"
  cp "$pasta"/c50info.txt "$pasta"/c50.txt "$dir"/
  # menu numbers, then 0; the tabu search's pause takes the line end after 6
  printf '%s\n' $caminho 0 > "$dir/entrada.txt"
  if ! (cd "$dir" && "${sem_aslr[@]}" /usr/bin/time -f %M -o tempo.txt \
          timeout "${LIMITE_S:-7200}" "$programa" < entrada.txt > saida.txt 2> /dev/null); then
    echo "excedeu excedeu"
    return
  fi
  local tempo
  tempo=$(grep -a -o 'Tempo de CPU = [0-9.]*' "$dir/saida.txt" | tail -1 | awk '{print $5}' || true)
  echo "$(tail -1 "$dir/tempo.txt") ${tempo:-}"
}

echo "instancia,n,caminho,pico_kb,base1_kb,base12_kb,tempo_cpu_s" > "$saida"
declare -A base1 base12
for caminho in "${caminhos[@]}"; do
  read -r pico _ < <(roda "$trabalho/uma_cidade" "$caminho")
  base1[$caminho]=$pico
  read -r pico _ < <(roda "$raiz/instancias/doze_cidades" "$caminho")
  base12[$caminho]=$pico
done
for nome in "${instancias[@]}"; do
  pasta="$raiz/instancias/$nome"
  n=$(( $(head -1 "$pasta/c50info.txt" | awk '{print $1}') + 1 ))
  for caminho in "${caminhos[@]}"; do
    read -r pico tempo < <(roda "$pasta" "$caminho")
    echo "$nome,$n,$caminho,$pico,${base1[$caminho]},${base12[$caminho]},${tempo:-}" >> "$saida"
    echo "$nome $caminho: pico $pico KiB (bases ${base1[$caminho]}, ${base12[$caminho]}), CPU ${tempo:--} s" >&2
  done
done
