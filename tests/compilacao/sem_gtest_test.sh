#!/usr/bin/env bash
# Configures a fresh build tree as if GoogleTest and Google Benchmark were not
# installed.
#   sem_gtest_test.sh compila FONTES COMPILADOR
#       the configure names what it left out in one line, and the program
#       builds and runs a construction on the 12-city instance;
#   sem_gtest_test.sh exige FONTES COMPILADOR
#       with TSP_TESTES=ON the same configure fails instead.
set -u
modo=$1; fontes=$2; compilador=$3
trabalho=$(mktemp -d); trap 'rm -rf "$trabalho"' EXIT
falha() { echo "FALHOU: $*"; exit 1; }

opcoes=(-S "$fontes" -B "$trabalho/build" -DCMAKE_CXX_COMPILER="$compilador"
        -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON)
if [ "$modo" = exige ]; then
  if cmake "${opcoes[@]}" -DTSP_TESTES=ON > "$trabalho/configura.txt" 2>&1; then
    falha "configure com TSP_TESTES=ON e sem GoogleTest terminou com sucesso"
  fi
  grep -q "GTest" "$trabalho/configura.txt" || falha "o erro nao nomeia o GoogleTest"
  echo ok; exit 0
fi

cmake "${opcoes[@]}" > "$trabalho/configura.txt" 2>&1 \
  || { cat "$trabalho/configura.txt"; falha "configure sem GoogleTest falhou"; }
deixados=$(grep -c "^Deixados de fora" "$trabalho/configura.txt")
[ "$deixados" -eq 1 ] || falha "esperava uma linha 'Deixados de fora', vieram $deixados"
grep "^Deixados de fora" "$trabalho/configura.txt" | grep -q "GoogleTest.*Google Benchmark" \
  || falha "a linha nao nomeia GoogleTest e Google Benchmark"
cmake --build "$trabalho/build" -j 2 --target bancada > "$trabalho/compila.txt" 2>&1 \
  || { tail -20 "$trabalho/compila.txt"; falha "o programa nao compilou"; }

mkdir "$trabalho/execucao"
cp "$fontes/instancias/doze_cidades/c50info.txt" "$fontes/instancias/doze_cidades/c50.txt" \
   "$trabalho/execucao/"
saida=$(cd "$trabalho/execucao" && printf '1\n1\n0\n' | "$trabalho/build/bancada") \
  || falha "o programa terminou com erro"
grep -q "^Funcao objetivo = " <<< "$saida" || falha "sem o relatorio da construcao"
echo ok
