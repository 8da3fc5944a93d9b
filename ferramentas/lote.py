#!/usr/bin/env python3
"""Executa a bancada em lote: roteiros de menu sobre instancias.

  lote.py --programa build/bancada (--roteiros ARQUIVO | --roteiro "NOME: 1 5 2")...
          --csv SAIDA.csv [--tabela SAIDA.md] [--trabalho PASTA] [--tempo-limite S]
          [-j N | --dask tcp://MAQUINA:8786] [--conversor EXE] [--escala K]
          INSTANCIA...

Um roteiro e o caminho de menu de uma execucao: escolhas do menu principal,
cada uma seguida da opcao do submenu quando tem um (1 construcao: 1 a 5;
7 GRASP: 1 ou 2; 10 genetico: 1 ou 2). "1 5 5 2" constroi a solucao aleatoria,
aplica o Simulated Annealing e depois a Descida. O lote acrescenta o 0 final e,
depois de cada 6 (Busca Tabu), a linha vazia que a pausa da busca consome.
No arquivo de roteiros cada linha e "nome: escolhas"; '#' inicia comentario.

Uma instancia e uma pasta (c50info.txt, c50.txt e, opcionalmente, OTIMO) ou um
arquivo .tsp da TSPLIB, convertido pelo conversor do projeto
(build/ferramentas/converte_tsplib, ao lado do programa; --escala K repassado
a ele; com --escala auto, cada arquivo tem o seu fator, dito numa linha na
saida de erros); um .tsp recusado pelo conversor da linhas de falha com o motivo.

Cada execucao roda o programa real numa pasta de trabalho propria (com
c50info.txt e c50.txt da instancia). Com -j N, ate N execucoes ao mesmo tempo
(padrao: o numero de nucleos); com --dask, as execucoes vao para os
trabalhadores de um escalonador do Dask distributed, que recebem o executavel
junto com as tarefas e devolvem a saida e os arquivos de traco. O CSV e as
pastas guardadas sao os mesmos de uma execucao serial (tempos a parte), com as
linhas na ordem das instancias e dos roteiros. Uma execucao que o Dask nao
conclui (os trabalhadores morreram em cada tentativa) vira linhas de falha.
Cada passo do roteiro vira uma linha do CSV, com os valores lidos do
relatorio que o programa imprimiu:

  instancia, cidades, roteiro, passo, caminho_menu, metodo, fo, tempo_cpu_s,
  otimo, gap_pct, referencia, estado, detalhe

Com --trabalho, a pasta de cada execucao guarda a entrada (entrada.txt), a
saida do programa (saida.txt), os arquivos de traco e o percurso do ultimo
relatorio lido em percurso.tour, no formato de percurso da TSPLIB (ver
percurso_tsplib.py).

fo e tempo_cpu_s sao copiados do relatorio como impressos ("Funcao objetivo"
ou "Melhor fo encontrada", "Tempo de CPU"; as construcoes nao tem tempo).
gap_pct e 100 * (fo - otimo) / otimo, e referencia diz de onde vem o otimo:
opt.tour quando um NOME.opt.tour esta ao lado de NOME.tsp (o comprimento desse
percurso medido como o programa mede: o gap de um percurso otimo e 0.00);
OTIMO quando a pasta da instancia tem esse arquivo. Os otimos publicados da
TSPLIB usam distancias arredondadas para inteiros, e o programa soma
distancias exatas: com OTIMO, o gap de um percurso otimo fica um pouco acima
de zero (e pode ate ser negativo).

estado: ok; sem_relatorio quando o passo terminou sem o relatorio do seu metodo
(metodo nao disponivel na versao do programa, refinamento sem solucao inicial);
fora_do_roteiro quando o programa nao mostrou o submenu de uma escolha (a opcao
seguinte foi lida como escolha do menu principal), para esse passo e os
seguintes, que ja nao correspondem ao roteiro;
falha quando o programa terminou com status diferente de 0 ou por sinal, o
.tsp foi recusado ou o Dask nao concluiu a execucao, e entao todos os passos
da execucao sao falhas, sem valor; tempo_esgotado quando a execucao passou de
--tempo-limite segundos e foi interrompida. detalhe diz o motivo (status e a
ultima linha impressa, cabecalho ausente...).

Uma linha de progresso vai para a saida de erros a cada execucao terminada:
feitas/total, falhas, tempo decorrido e estimativa do restante. Se alguma
execucao falhou (falha, tempo_esgotado), o lote grava tudo, diz quantas e qual
a primeira na saida de erros e sai com status 3; 1 e 2 ficam para o lote que
nem comecou (roteiro ou opcao invalida).

Estudos de sementes e de parametros:

  lote.py (--sementes A-B | --param NOME=V1,V2,... | --vizinhanca V1,V2,...)...
          [--experimenta EXE]
          (--roteiros ARQUIVO | --roteiro "NOME: 1 5 2")... --csv SAIDA.csv
          [--resumo RESUMO.csv] [--tabela SAIDA.md] [--trabalho PASTA]
          [--tempo-limite S] [-j N | --dask ENDERECO] [--escala K] INSTANCIA...

Com --sementes, --param ou --vizinhanca cada roteiro (uma construcao seguida de
refinamentos) roda pelo experimenta (padrao: ferramentas/experimenta ao lado
de --programa), que constroi e refina numa so chamada com a semente e os
parametros dados e le o .tsp sozinho. Uma chamada por instancia, roteiro,
vizinhanca, conjunto de parametros e semente: --sementes 1-10 da dez; sem
--sementes, uma com as sementes fixas do programa. --vizinhanca troca,2opt da
uma chamada por vizinhanca (troca, 2opt, oropt, 2opt+oropt), repassada ao
experimenta. --param NOME=V1,V2 varia uma constante de nucleo/parametros.h;
com varios --param, cada combinacao dos valores e um conjunto (o primeiro
--param varia mais devagar). --tempo-limite S passa a ser
o orcamento de tempo de processador de cada metodo (o metodo para e a cadeia
segue; estado tempo_limite, que ainda e resultado), e --escala K vai para o
experimenta, que le o .tsp (--conversor nao e usado); a chamada que passar de
600 s de relogio, mais duas vezes os orcamentos da cadeia, e interrompida.

O CSV tem uma linha por chamada: roteiro, instancia, cidades, inicial,
cadeia, parametros (o conjunto pedido, NOME=VALOR;...), vizinhanca (vazia
sem --vizinhanca), semente,
tempo_limite, fo_inicial, fo, referencia, origem_referencia (opt.tour: o
.opt.tour medido pelo experimenta; OTIMO: o arquivo da pasta, um otimo de
distancias arredondadas), gap, tempo (soma dos metodos),
estado (ok, tempo_limite, falha, interrompida, tempo_esgotado), detalhe,
versao, e fo_M, tempo_M, iteracoes_M, parada_M de cada metodo M da cadeia,
ate a cadeia mais longa. O resumo (--resumo, e em Markdown na saida e em
--tabela) tem uma linha por instancia, roteiro, vizinhanca e conjunto:
execucoes com valor, falhas, media, desvio padrao amostral, minimo, mediana e
maximo de fo, gap e tempo, e a semente da melhor fo. Com --trabalho,
PASTA/INSTANCIA/ROTEIRO (e /VIZINHANCA com --vizinhanca, /NOME=VALOR,... com
--param) guarda o .tour e o .traco.csv de cada semente e a copia do melhor
percurso em melhor.tour.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
# O codigo fica em lotes/, um modulo por tarefa; aqui, a linha de comando e
# os nomes que os testes e as outras ferramentas importam deste modulo.
from lotes import PROGRAMA  # noqa: E402,F401
from lotes.cli import STATUS_COM_FALHAS, main, opcoes_de_execucao  # noqa: E402,F401
from lotes.estudo import (Chamada, executa_estudo, experimenta_padrao,  # noqa: E402,F401
                          guarda_melhores, instancia_do_estudo)
from lotes.execucao import (Execucao, TEMPO_LIMITE_PADRAO, prepara_pasta,  # noqa: E402,F401
                            roda_experimenta, roda_programa)
from lotes.execucao_dask import SEM_DASK  # noqa: E402,F401
from lotes.execucao_local import nucleos  # noqa: E402,F401
from lotes.instancias import (ARQUIVOS_DA_INSTANCIA, Instancia,  # noqa: E402,F401
                              conversor_padrao, e_tsplib, escala_escolhida, le_cidades, le_otimo,
                              nome_da_instancia, prepara_instancia)
from lotes.lote_de_roteiros import Tarefa, executa_lote, grava_percurso_final  # noqa: E402,F401
from lotes.menu import (ESCOLHA_TABU, METODOS, Metodo, SUBMENUS,  # noqa: E402,F401
                        TITULOS_SUBMENU, TITULO_MENU_PRINCIPAL)
from lotes.parametros import (INICIAIS, METODOS_EXPERIMENTA, VIZINHANCAS,  # noqa: E402,F401
                              cadeia_do_roteiro, conjuntos_de_parametros, interpreta_sementes,
                              interpreta_vizinhancas, rotulo_dos_parametros)
from lotes.progresso import Progresso, relata_escalas  # noqa: E402,F401
from lotes.relatorios import Relatorio, analisa_saida  # noqa: E402,F401
from lotes.resultados_estudo import (COLUNAS_DO_PASSO, COLUNAS_ESTUDO,  # noqa: E402,F401
                                     COLUNAS_RESUMO, ESTADOS_COM_VALOR, ESTATISTICAS,
                                     colunas_do_estudo, descreve_chamada, grava_dicts,
                                     linha_do_estudo, resumo_do_estudo, tabela_do_estudo)
from lotes.resultados_roteiros import (COLUNAS, Linha, grava_csv,  # noqa: E402,F401
                                       linhas_da_execucao, tabela_resumo)
from lotes.roteiros import (ErroRoteiro, entrada_do_roteiro, interpreta_caminho,  # noqa: E402,F401
                            interpreta_roteiro, le_roteiros, texto_do_passo)
from lotes.trabalhador import (PASTA_REMOTA, tarefa_experimenta_remota,  # noqa: E402,F401
                               tarefa_remota)


if __name__ == "__main__":
    sys.exit(main())
