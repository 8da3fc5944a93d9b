#!/usr/bin/env bash
# Runs the real program on one case and compares what it printed and wrote.
#   executa_caso.sh PROGRAMA PASTA_DO_CASO PASTA_DAS_INSTANCIAS [PASTA_DA_EXECUCAO]
# With PASTA_DA_EXECUCAO the run's working directory is copied there, with the
# standard output in .saida_obtida and the exit status in .status (regenera.sh).
# A case folder holds:
#   entrada.txt         standard input of the run
#   saida.txt           the whole expected standard output
#   instancia           (optional) name of a folder of PASTA_DAS_INSTANCIAS to copy in
#   arquivos_iniciais/  (optional) files laid in the working directory before the run
#   arquivos/           (optional) files expected in the working directory afterwards
#   status              (optional) expected exit status, 0 when absent
# Processor times are the only thing masked, on both sides.
set -u
programa=$1; caso=$2; instancias=$3

trabalho=$(mktemp -d)
trap 'rm -rf "$trabalho"' EXIT

if [ -f "$caso/instancia" ]; then
  cp "$instancias/$(tr -d '[:space:]' < "$caso/instancia")"/c50*.txt "$trabalho"/
fi
if [ -d "$caso/arquivos_iniciais" ]; then
  cp -R "$caso/arquivos_iniciais/." "$trabalho"/
fi

# Report times ("Tempo de CPU = 0.012000 segundos") and the elapsed-seconds
# column of trace lines ("0.25\t  ...") vary from run to run.
mascara() {
  sed -E -e 's/Tempo de CPU = [0-9]+\.[0-9]+ segundos/Tempo de CPU = <tempo> segundos/' \
         -e 's/^ *[0-9]+\.[0-9]{2}\t/<tempo>\t/' "$1"
}

(cd "$trabalho" && timeout 300 "$programa" < "$caso/entrada.txt" > "$trabalho/.saida_obtida")
status=$?
if [ -n "${4:-}" ]; then
  cp -R "$trabalho/." "$4"/
  echo "$status" > "$4/.status"
fi
esperado=0
[ -f "$caso/status" ] && esperado=$(tr -d '[:space:]' < "$caso/status")

falhou=0
if [ "$status" != "$esperado" ]; then
  echo "status de saida $status, esperado $esperado"
  falhou=1
fi
if ! diff -u <(mascara "$caso/saida.txt") <(mascara "$trabalho/.saida_obtida"); then
  echo "saida padrao difere (acima: - esperado, + obtido)"
  falhou=1
fi
if [ -d "$caso/arquivos" ]; then
  for esperado_arq in "$caso/arquivos"/*; do
    nome=$(basename "$esperado_arq")
    if [ ! -f "$trabalho/$nome" ]; then
      echo "arquivo $nome nao foi gravado"
      falhou=1
    elif ! diff -u <(mascara "$esperado_arq") <(mascara "$trabalho/$nome"); then
      echo "arquivo $nome difere (acima: - esperado, + obtido)"
      falhou=1
    fi
  done
fi
exit $falhou
