"""Executa a bancada em lote: roteiros de menu sobre instancias.

A linha de comando do lote.py (as opcoes estao descritas la): le os roteiros,
escolhe o modo (roteiros no programa, ou estudo pelo experimenta), grava o CSV
e as tabelas e da o status de saida.
"""
import argparse
import os
import sys

from . import PROGRAMA
from .estudo import executa_estudo, experimenta_padrao
from .execucao import TEMPO_LIMITE_PADRAO
from .execucao_local import nucleos
from .lote_de_roteiros import _FALHAS, executa_lote
from .parametros import conjuntos_de_parametros, interpreta_sementes, interpreta_vizinhancas
from .resultados_estudo import (COLUNAS_RESUMO, ESTADOS_COM_VALOR, colunas_do_estudo,
                                descreve_chamada, grava_dicts, resumo_do_estudo,
                                tabela_do_estudo)
from .resultados_roteiros import grava_csv, tabela_resumo
from .roteiros import ErroRoteiro, interpreta_roteiro, le_roteiros


def _inteiro_positivo(texto):
    valor = int(texto)
    if valor < 1:
        raise argparse.ArgumentTypeError("use um inteiro maior que zero")
    return valor


def opcoes_de_execucao(p, ajuda_tempo=f"segundos por execucao (padrao {TEMPO_LIMITE_PADRAO:g})"):
    """As opcoes de onde e como rodar, comuns ao lote e ao experimento."""
    p.add_argument("-j", "--paralelas", type=_inteiro_positivo, default=nucleos(),
                   metavar="N", help="execucoes ao mesmo tempo nesta maquina (padrao: o "
                   f"numero de nucleos, {nucleos()})")
    p.add_argument("--dask", metavar="ENDERECO",
                   help="envia as execucoes ao escalonador do Dask neste endereco "
                   "(tcp://maquina:8786) em vez de roda-las aqui")
    p.add_argument("--conversor", help="conversor de .tsp (padrao: ferramentas/converte_tsplib "
                   "ao lado do programa)")
    p.add_argument("--escala", metavar="K",
                   help="repassado ao conversor: multiplica as coordenadas dos .tsp por K; "
                   "auto: por arquivo, a menor potencia de 10 que as torna inteiras")
    p.add_argument("--tempo-limite", type=float, metavar="S", help=ajuda_tempo)


# Status de saida quando o lote terminou mas alguma execucao falhou; 1 e 2 ficam
# para o lote que nem comecou (roteiro invalido, opcao errada).
STATUS_COM_FALHAS = 3


def _falhas_dos_roteiros(linhas):
    """(falhas, execucoes, descricao da primeira falha) no modo de roteiros."""
    execucoes, falhas = {}, []
    for linha in linhas:
        v = linha.valores
        chave = (v["instancia"], v["roteiro"])
        if chave not in execucoes:
            execucoes[chave] = False
        if v["estado"] in _FALHAS and not execucoes[chave]:
            execucoes[chave] = True
            falhas.append(f"{v['instancia']} {v['roteiro']}: {v['detalhe']}")
    return len(falhas), len(execucoes), falhas[0] if falhas else ""


def main(argv=None):
    p = argparse.ArgumentParser(prog=PROGRAMA, description=__doc__.split("\n")[0])
    p.add_argument("instancias", nargs="+", metavar="INSTANCIA",
                   help="pasta com c50info.txt, c50.txt e, opcionalmente, OTIMO; ou "
                   "arquivo .tsp da TSPLIB (com NOME.opt.tour ao lado, se houver)")
    p.add_argument("--programa", help="o executavel da bancada")
    p.add_argument("--roteiros", action="append", default=[], metavar="ARQUIVO",
                   help="arquivo com linhas 'nome: escolhas'")
    p.add_argument("--roteiro", action="append", default=[], metavar="'NOME: ESCOLHAS'",
                   help="um roteiro na linha de comando, ex.: 'descida: 1 5 2'")
    p.add_argument("--csv", required=True, help="arquivo CSV a gravar")
    p.add_argument("--tabela", help="grava tambem a tabela resumo em Markdown")
    p.add_argument("--trabalho", help="guarda aqui as pastas de trabalho "
                   "(PASTA/instancia/roteiro, com saida.txt e percurso.tour); sem isto, "
                   "pastas temporarias apagadas")
    p.add_argument("--sementes", metavar="A-B",
                   help="estudo pelo experimenta: uma execucao por semente de A a B")
    p.add_argument("--param", action="append", default=[], metavar="NOME=V1,V2",
                   help="estudo pelo experimenta: uma constante de nucleo/parametros.h; "
                   "varios valores e varios --param dao uma execucao por combinacao")
    p.add_argument("--vizinhanca", metavar="V1,V2",
                   help="estudo pelo experimenta: uma execucao por vizinhanca dos metodos "
                   "(troca, 2opt, oropt, 2opt+oropt), repassada ao experimenta")
    p.add_argument("--experimenta", metavar="EXE", help="o experimenta (padrao: "
                   "ferramentas/experimenta ao lado do programa)")
    p.add_argument("--resumo", metavar="ARQUIVO.csv", help="estudo: grava o resumo por "
                   "instancia, roteiro e parametros (media, dp, min, mediana, max)")
    opcoes_de_execucao(p, f"segundos de relogio por execucao (padrao {TEMPO_LIMITE_PADRAO:g}); "
                       "num estudo, segundos de processador por metodo, repassados ao "
                       "experimenta")
    args = p.parse_args(argv)
    estudo = args.sementes is not None or bool(args.param) or args.vizinhanca is not None

    try:
        roteiros = []
        for arquivo in args.roteiros:
            roteiros.extend(le_roteiros(arquivo))
        roteiros.extend(interpreta_roteiro(r) for r in args.roteiro)
        if not roteiros:
            raise ErroRoteiro("nenhum roteiro (use --roteiros ou --roteiro)")
        vistos = set()
        for nome, _ in roteiros:
            if nome in vistos:
                raise ErroRoteiro(f"dois roteiros com o nome {nome}")
            vistos.add(nome)
        if args.resumo and not estudo:
            raise ErroRoteiro("--resumo so vale com --sementes, --param ou --vizinhanca")
        programa = os.path.abspath(args.programa) if args.programa else None
        instancias = [os.path.abspath(i) for i in args.instancias]
        trabalho = os.path.abspath(args.trabalho) if args.trabalho else None
        if estudo:
            sementes = interpreta_sementes(args.sementes) if args.sementes else [None]
            conjuntos = conjuntos_de_parametros(args.param)
            vizinhancas = (interpreta_vizinhancas(args.vizinhanca)
                           if args.vizinhanca is not None else [None])
            if args.experimenta:
                experimenta = os.path.abspath(args.experimenta)
            elif programa:
                experimenta = experimenta_padrao(programa)
            else:
                raise ErroRoteiro("indique --experimenta ou --programa (o experimenta fica em "
                                  "ferramentas/ ao lado dele)")
            if not os.access(experimenta, os.X_OK):
                raise ErroRoteiro(f"{experimenta}: experimenta nao encontrado ou nao executavel "
                                  "(compile o alvo experimenta ou indique --experimenta)")
            linhas = executa_estudo(experimenta, instancias, roteiros, sementes, conjuntos,
                                    trabalho, args.tempo_limite, progresso=sys.stderr,
                                    paralelas=args.paralelas, dask=args.dask,
                                    escala=args.escala, vizinhancas=vizinhancas)
        else:
            if not programa:
                raise ErroRoteiro("indique --programa, o executavel da bancada")
            if not os.access(programa, os.X_OK):
                raise ErroRoteiro(f"{args.programa}: programa nao encontrado ou nao executavel")
            conversor = os.path.abspath(args.conversor) if args.conversor else None
            linhas = executa_lote(programa, instancias, roteiros, trabalho, args.tempo_limite,
                                  progresso=sys.stderr, paralelas=args.paralelas,
                                  dask=args.dask, conversor=conversor, escala=args.escala)
    except (ErroRoteiro, OSError) as e:
        print(f"{PROGRAMA}: {e}", file=sys.stderr)
        return 1
    if estudo:
        grava_dicts(args.csv, colunas_do_estudo(linhas), linhas)
        resumo = resumo_do_estudo(linhas)
        if args.resumo:
            grava_dicts(args.resumo, COLUNAS_RESUMO, resumo)
        tabela = tabela_do_estudo(resumo)
        falhas = [v for v in linhas if v["estado"] not in ESTADOS_COM_VALOR]
        primeira = f"{descreve_chamada(falhas[0])}: {falhas[0]['detalhe']}" if falhas else ""
        n_falhas, total = len(falhas), len(linhas)
    else:
        grava_csv(args.csv, linhas)
        tabela = tabela_resumo(linhas)
        n_falhas, total, primeira = _falhas_dos_roteiros(linhas)
    if args.tabela:
        with open(args.tabela, "w", encoding="utf-8") as f:
            f.write(tabela)
    print(tabela, end="")
    if n_falhas:
        print(f"{PROGRAMA}: {n_falhas} de {total} execucao(oes) falharam; a primeira: {primeira}",
              file=sys.stderr)
        return STATUS_COM_FALHAS
    return 0
