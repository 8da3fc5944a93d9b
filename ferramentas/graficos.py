#!/usr/bin/env python3
"""Desenha, em PNG e com o gnuplot, o que a bancada produz.

  graficos.py percurso (PASTA_INSTANCIA | ARQUIVO.tsp) (--percurso LINHA | --percurso-de ARQUIVO)
              -o SAIDA.png [--otimo [TOUR]] [--tamanho 800x600] [--rotulos] [--legenda TEXTO]
              [--nome NOME] [--escala K|auto] [--conversor EXE]
      As cidades da instancia (c50info.txt e c50.txt da pasta, ou o .tsp
      convertido numa pasta de rascunho), a cidade 0 destacada e o percurso
      fechado. LINHA e uma linha de percurso como o programa imprime
      ("0 -> 8 -> ... -> 0"); ARQUIVO e um .tour ou um texto (por exemplo a
      saida gravada do programa) do qual se usa a ultima linha de percurso.
      O titulo traz a instancia e o comprimento recalculado com as mesmas
      contas do programa (distancias e soma em precisao simples) e o gap
      quando ha referencia (o NOME.opt.tour ao lado do .tsp, o OTIMO da
      pasta), seguido da legenda. --otimo desenha por baixo um .tour (sem
      arquivo, o NOME.opt.tour ao lado do .tsp) e mede o gap contra ele. Os
      eixos guardam a proporcao do plano.

  graficos.py percursos (PASTA_INSTANCIA | ARQUIVO.tsp) ARQUIVO... -o SAIDA.png
              [--legenda TEXTO]... [--tamanho 1400x700] [--nome NOME] [--escala K|auto]
      Dois ou mais percursos da mesma instancia lado a lado, um painel cada
      (cada ARQUIVO como em --percurso-de), sobre as mesmas cidades. O titulo
      de cada painel traz a instancia e a sua --legenda (uma por arquivo, na
      ordem; sem elas, o nome do arquivo) e, numa segunda linha, o
      comprimento recalculado e o gap.

  graficos.py convergencia ARQUIVO... -o SAIDA.png [--eixo auto|tempo|iteracao|evento]
              [--tamanho 800x600] [--titulo TEXTO]
      A fo contra o tempo decorrido, a iteracao ou o numero do evento (a ordem
      da linha dentro da chamada) de um ou mais arquivos de traco. auto (o
      padrao): o tempo quando os tempos variam; senao a iteracao ou o evento,
      e a linha de resumo diz por que. Arquivos de traco do programa:
      "SAsaida.txt", "BTsaida.txt" com "BTsaidaMelhorfo.txt", ... Os que
      crescem de uma chamada para outra ("Descidasaida.txt") viram uma curva por
      chamada. A legenda diz o que cada arquivo conhecido registra ("valor
      corrente", "melhor valor"); outros arquivos aparecem pelo nome.

  graficos.py traco ARQUIVO.traco.csv -o SAIDA.png [--eixo auto|tempo|iteracao|evento]
              [--instancia PASTA|ARQUIVO.tsp] [--referencia FO] [--tamanho 800x600]
      O traco uniforme do experimenta (--saida): cada passo da cadeia depois
      do anterior num so eixo, o valor corrente e a melhor fo; no VNS a fo de
      cada solucao perturbada e a da sua descida, no GRASP a de cada iteracao,
      no genetico a melhor e a media de cada geracao; com busca tabu, um
      segundo painel a partir do primeiro movimento de piora. O titulo traz a
      instancia, a cadeia, a fo final e o gap (referencia da --instancia ou
      --referencia).

  graficos.py descidas ARQUIVO -o SAIDA.png [--tamanho 800x600] [--titulo TEXTO]
      Para um traco de descida com muitas chamadas (o "Descidasaida.txt" do
      GRASP, uma descida por iteracao, ou do VNS): a fo ao fim de cada
      chamada e a melhor fo ate ela, contra o numero da chamada.

  graficos.py distribuicao LOTE.csv -o SAIDA.png [--valor auto|gap|fo]
              [--tamanho 800x600] [--titulo TEXTO]
      Do CSV por execucao de um estudo do lote (--sementes/--param): uma caixa
      por metodo (o roteiro, com a vizinhanca e os parametros) e instancia,
      do 1o ao 3o quartil, com a mediana, bigodes do minimo ao maximo e um
      ponto por execucao. Desenha o gap quando toda execucao tem referencia, senao a fo.

  graficos.py sementes TRACO.csv... -o SAIDA.png [--eixo tempo|iteracao]
              [--passo N] [--faixa quartis|minmax] [--tamanho 800x600] [--titulo TEXTO]
      Os .traco.csv do experimenta de varias sementes de uma mesma cadeia: a
      melhor fo ate cada instante de cada semente, a mediana entre elas e a
      faixa (quartis ou minimo a maximo). Na cadeia inteira, o tempo (ou a
      iteracao) de cada metodo continua de onde o anterior terminou; --passo N
      mostra so o N-esimo metodo.

Sai com status 0 e uma linha de resumo; com status 1 e uma mensagem em stderr
quando a entrada e invalida ou o gnuplot falha.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
# O codigo fica em figuras/, um modulo por tarefa; aqui, a linha de comando e
# os nomes que os testes e as outras ferramentas importam deste modulo.
from figuras.cli import PROGRAMA, main  # noqa: E402,F401
from figuras.convergencia import (EIXOS, MAX_LEGENDAS, METODOS_DOS_ARQUIVOS,  # noqa: E402,F401
                                  ROTULOS, desenha_convergencia, escolhe_eixo, series_de_traco)
from figuras.descidas import desenha_descidas, pontos_das_descidas  # noqa: E402,F401
from figuras.distribuicao import (COLUNAS_DISTRIBUICAO, CORES,  # noqa: E402,F401
                                  desenha_distribuicao, distribuicao, quartis)
from figuras.erro import ErroEntrada  # noqa: E402,F401
from figuras.instancia import (RAIZ, conversor_padrao, le_instancia,  # noqa: E402,F401
                               nome_da_instancia, pontos_da_instancia, referencia_da_instancia,
                               texto_do_gap)
from figuras.linha_de_percurso import le_percurso, ultima_linha_de_percurso  # noqa: E402,F401
from figuras.medida import comprimento, distancia, f32  # noqa: E402,F401
from figuras.percurso import desenha_percurso, percurso_com_titulo  # noqa: E402,F401
from figuras.sementes import (MAX_PONTOS_FAIXA, curva_do_traco,  # noqa: E402,F401
                              desenha_sementes, faixa_das_sementes)
from figuras.tabela_csv import le_csv  # noqa: E402,F401
from figuras.traco import (ESTILOS_TRACO, desenha_traco, inicio_do_detalhe,  # noqa: E402,F401
                           series_do_traco)
from figuras.traco_experimenta import (COLUNAS_TRACO_CSV, INICIAIS,  # noqa: E402,F401
                                       le_traco_uniforme, partes_do_nome)
from figuras.traco_programa import le_traco, separa_chamadas  # noqa: E402,F401


if __name__ == "__main__":
    sys.exit(main())
