#!/usr/bin/env bash
# Runs the real program with one write fault and checks how the run ends.
#   falha_de_gravacao.sh PROGRAMA PASTA_DA_INSTANCIA FALHA [ARQUIVO ESCOLHA...]
# FALHA is one of:
#   cheio ARQUIVO ESCOLHA...   the trace file is a link to /dev/full: no space
#   grande ARQUIVO ESCOLHA...  the trace file already holds the run's file size limit
#   pasta ARQUIVO ESCOLHA...   the trace file is a directory: it cannot be opened
#   saida_cheia                standard output is /dev/full
#   saida_sem_leitor           standard output is a pipe whose reader has gone, SIGPIPE ignored
# The choices run after a random construction. A trace-file fault must end the run
# with status 1 and the file's message as the last thing printed, so no report of
# the method follows; a standard-output fault with status 1 and a message on
# standard error.
set -u
programa=$1; instancia=$2; falha=$3; shift 3

trabalho=$(mktemp -d)
trap 'rm -rf "$trabalho"' EXIT
cp "$instancia"/c50*.txt "$trabalho"/
cd "$trabalho" || exit 1

falhou=0
confere() {  # WHAT OBTAINED EXPECTED
  if [ "$2" != "$3" ]; then
    printf '%s: obtido [%s], esperado [%s]\n' "$1" "$2" "$3"
    falhou=1
  fi
}

case $falha in
  cheio | grande | pasta)
    arquivo=$1; shift
    { printf '1\n5\n'; printf '%s\n' "$@"; printf '\n0\n'; } > .roteiro
    limite=unlimited
    mensagem="O arquivo $arquivo nao pode ser gravado"
    case $falha in
      cheio) ln -s /dev/full "$arquivo" ;;
      grande)
        # Lines of earlier runs filling the 1024-byte limit exactly: the first
        # line of this run cannot be written, and the old ones must stay.
        for i in $(seq 32); do printf '%031d\n' "$i"; done > "$arquivo"
        cp "$arquivo" .antes
        limite=1 ;;
      pasta)
        mkdir "$arquivo"
        mensagem="O arquivo $arquivo nao pode ser aberto" ;;
    esac
    # Standard output goes through a pipe, out of reach of the size limit.
    (trap '' XFSZ; ulimit -f "$limite"; exec timeout 300 "$programa" < .roteiro 2> .erros) |
      cat > .saida
    confere "status de saida" "${PIPESTATUS[0]}" 1
    confere "fim da saida padrao" "$(tail -c "${#mensagem}" .saida)" "$mensagem"
    confere "relatorios do metodo" "$(grep -c 'Tempo de CPU' .saida)" 0
    confere "saida de erro" "$(cat .erros)" ""
    if [ "$falha" = grande ] && ! cmp -s .antes "$arquivo"; then
      echo "as linhas anteriores de $arquivo nao foram mantidas"
      falhou=1
    fi
    ;;
  saida_cheia)
    printf '1\n5\n2\n0\n' | timeout 300 "$programa" > /dev/full 2> .erros
    confere "status de saida" "$?" 1
    confere "saida de erro" "$(cat .erros)" "A saida padrao nao pode ser gravada"
    ;;
  saida_sem_leitor)
    # Endless choices: only the failed writes can end the run.
    (trap '' PIPE
     yes 1 | timeout 300 "$programa" 2> .erros | head -c 1 > /dev/null
     exit "${PIPESTATUS[1]}")
    confere "status de saida" "$?" 1
    confere "saida de erro" "$(cat .erros)" "A saida padrao nao pode ser gravada"
    ;;
  *)
    echo "falha desconhecida: $falha"
    falhou=1
    ;;
esac
exit $falhou
