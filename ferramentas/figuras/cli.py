"""A linha de comando do graficos.py: um subcomando por grafico."""
import argparse
import os
import re
import sys

from .convergencia import EIXOS, desenha_convergencia, escolhe_eixo, series_de_traco
from .descidas import desenha_descidas
from .distribuicao import COLUNAS_DISTRIBUICAO, desenha_distribuicao
from .erro import ErroEntrada
from .instancia import opcoes_do_tsp, pontos_da_instancia
from .linha_de_percurso import ultima_linha_de_percurso
from .percurso import desenha_percursos, percurso_com_titulo
from .sementes import desenha_sementes
from .tabela_csv import le_csv
from .traco import desenha_traco


PROGRAMA = "graficos.py"


def _tamanho(texto):
    m = re.fullmatch(r"(\d+)x(\d+)", texto)
    if not m or not all(100 <= int(v) <= 5000 for v in m.groups()):
        raise argparse.ArgumentTypeError("use LARGURAxALTURA, de 100 a 5000 pixels (ex.: 800x600)")
    return int(m.group(1)), int(m.group(2))


def _linha_de_arquivo(arquivo, instancia, escala, conversor):
    """A linha de percurso de um .tour, ou a ultima de um texto do programa."""
    try:
        with open(arquivo, encoding="latin-1") as f:
            texto = f.read()
    except OSError as e:
        raise ErroEntrada(f"{arquivo}: {e.strerror}") from None
    if re.search(r"(?m)^\s*TOUR_SECTION\s*$", texto):
        # Um .tour (do experimenta, do percurso_tsplib.py, da TSPLIB).
        import percurso_tsplib
        n = len(pontos_da_instancia(instancia, escala, conversor))
        cidades = percurso_tsplib.le_tour(arquivo, n)
        return " -> ".join(str(c) for c in cidades + [cidades[0]])
    return ultima_linha_de_percurso(texto, arquivo)


def main(argv=None):
    p = argparse.ArgumentParser(prog=PROGRAMA, description="Graficos PNG da bancada (gnuplot).")
    sub = p.add_subparsers(dest="comando", required=True)

    pp = sub.add_parser("percurso", help="percurso sobre as cidades de uma instancia")
    pp.add_argument("instancia", help="pasta com c50info.txt e c50.txt, ou arquivo .tsp")
    origem = pp.add_mutually_exclusive_group(required=True)
    origem.add_argument("--percurso", help='linha de percurso, "0 -> 8 -> ... -> 0"')
    origem.add_argument("--percurso-de", metavar="ARQUIVO",
                        help="arquivo do qual se usa a ultima linha de percurso")
    pp.add_argument("-o", "--saida", required=True, help="arquivo PNG a gravar")
    pp.add_argument("--tamanho", type=_tamanho, default=(800, 600), help="LARGURAxALTURA")
    pp.add_argument("--rotulos", action="store_true", help="numera todas as cidades")
    pp.add_argument("--legenda", help="texto acrescentado ao titulo")
    pp.add_argument("--otimo", nargs="?", const="", metavar="ARQUIVO.tour",
                    help="desenha este percurso (padrao: o NOME.opt.tour ao lado do .tsp) "
                    "por baixo do encontrado, e mede o gap contra ele")
    pp.add_argument("--nome", help="o nome da instancia no titulo")
    opcoes_do_tsp(pp)

    pl = sub.add_parser("percursos", help="dois ou mais percursos da mesma instancia lado a "
                                          "lado, um painel cada")
    pl.add_argument("instancia", help="pasta com c50info.txt e c50.txt, ou arquivo .tsp")
    pl.add_argument("arquivos", nargs="+", metavar="ARQUIVO",
                    help=".tour, ou texto do qual se usa a ultima linha de percurso")
    pl.add_argument("--legenda", action="append", default=[],
                    help="o titulo de cada painel, depois da instancia (uma por arquivo, "
                    "na ordem; padrao: o nome do arquivo)")
    pl.add_argument("-o", "--saida", required=True, help="arquivo PNG a gravar")
    pl.add_argument("--tamanho", type=_tamanho, default=(1400, 700), help="LARGURAxALTURA")
    pl.add_argument("--nome", help="o nome da instancia nos titulos")
    opcoes_do_tsp(pl)

    pc = sub.add_parser("convergencia", help="fo ao longo de uma execucao (arquivos de traco)")
    pc.add_argument("arquivos", nargs="+", help="arquivos de traco")
    pc.add_argument("-o", "--saida", required=True, help="arquivo PNG a gravar")
    pc.add_argument("--eixo", choices=["auto"] + sorted(EIXOS), default="auto",
                    help="eixo horizontal (auto: o tempo quando os tempos variam)")
    pc.add_argument("--tamanho", type=_tamanho, default=(800, 600), help="LARGURAxALTURA")
    pc.add_argument("--titulo")

    pd = sub.add_parser("descidas", help="fo ao fim de cada descida e a melhor ate ela "
                                        "(GRASP, VNS)")
    pd.add_argument("arquivo", help="arquivo de traco da descida (Descidasaida.txt)")
    pd.add_argument("-o", "--saida", required=True, help="arquivo PNG a gravar")
    pd.add_argument("--tamanho", type=_tamanho, default=(800, 600), help="LARGURAxALTURA")
    pd.add_argument("--titulo")

    pb = sub.add_parser("distribuicao", help="caixas do gap (ou da fo) de cada metodo e "
                                             "instancia, do CSV de um estudo do lote")
    pb.add_argument("csv", help="CSV por execucao do lote (--sementes/--param)")
    pb.add_argument("-o", "--saida", required=True, help="arquivo PNG a gravar")
    pb.add_argument("--valor", choices=("auto", "gap", "fo"), default="auto",
                    help="o que desenhar (auto: gap quando toda execucao tem referencia)")
    pb.add_argument("--tamanho", type=_tamanho, default=(800, 600), help="LARGURAxALTURA")
    pb.add_argument("--titulo")

    ps = sub.add_parser("sementes", help="convergencia de varias sementes de uma cadeia: "
                                         "mediana e faixa (.traco.csv do experimenta)")
    ps.add_argument("arquivos", nargs="+", help="arquivos .traco.csv, um por semente")
    ps.add_argument("-o", "--saida", required=True, help="arquivo PNG a gravar")
    ps.add_argument("--eixo", choices=("tempo", "iteracao"), default="tempo",
                    help="eixo horizontal")
    ps.add_argument("--passo", type=int, metavar="N",
                    help="so o N-esimo metodo da cadeia (padrao: a cadeia inteira)")
    ps.add_argument("--faixa", choices=("quartis", "minmax"), default="quartis",
                    help="a faixa entre as sementes: 1o a 3o quartil, ou minimo a maximo")
    ps.add_argument("--tamanho", type=_tamanho, default=(800, 600), help="LARGURAxALTURA")
    ps.add_argument("--titulo")

    pt = sub.add_parser("traco", help="convergencia de um .traco.csv do experimenta: cada "
                                      "passo da cadeia, um depois do outro")
    pt.add_argument("arquivo", help="arquivo .traco.csv do experimenta (--saida)")
    pt.add_argument("-o", "--saida", required=True, help="arquivo PNG a gravar")
    pt.add_argument("--eixo", choices=("auto", "tempo", "iteracao", "evento"), default="auto",
                    help="eixo horizontal (auto: o tempo quando os tempos variam)")
    pt.add_argument("--instancia", help="pasta ou .tsp da execucao: o nome no titulo e a "
                    "referencia do gap (NOME.opt.tour ao lado do .tsp, ou OTIMO na pasta)")
    pt.add_argument("--referencia", type=float, metavar="FO", help="comprimento de referencia "
                    "para o gap")
    opcoes_do_tsp(pt)
    pt.add_argument("--tamanho", type=_tamanho, default=(800, 600), help="LARGURAxALTURA")
    pt.add_argument("--titulo")

    args = p.parse_args(argv)
    largura, altura = args.tamanho
    try:
        if args.comando == "percurso":
            if args.percurso_de is not None:
                linha = _linha_de_arquivo(args.percurso_de, args.instancia, args.escala,
                                          args.conversor)
            else:
                linha = args.percurso
            fo, titulo = percurso_com_titulo(args.instancia, linha, args.saida, largura, altura,
                                             args.rotulos, args.legenda, args.escala,
                                             args.conversor, args.otimo, args.nome)
            print(f"{args.saida}: fo recalculada = {fo:f}; titulo: {titulo}")
        elif args.comando == "percursos":
            if args.legenda and len(args.legenda) != len(args.arquivos):
                raise ErroEntrada(f"{len(args.legenda)} --legenda para {len(args.arquivos)} "
                                  "arquivo(s): de uma por arquivo, ou nenhuma")
            legendas = args.legenda or [os.path.basename(a) for a in args.arquivos]
            linhas = [_linha_de_arquivo(a, args.instancia, args.escala, args.conversor)
                      for a in args.arquivos]
            for fo, titulo in desenha_percursos(args.instancia, linhas, legendas, args.saida,
                                                largura, altura, args.escala, args.conversor,
                                                args.nome):
                print(f"{args.saida}: fo recalculada = {fo:f}; titulo: "
                      + titulo.replace("\n", " - "))
        elif args.comando == "distribuicao":
            linhas = le_csv(args.csv, COLUNAS_DISTRIBUICAO)
            valor, caixas = desenha_distribuicao(linhas, args.saida, largura, altura,
                                                 args.valor, args.titulo)
            print(f"{args.saida}: {len(caixas)} caixa(s) de {valor}")
        elif args.comando == "sementes":
            desenha_sementes(args.arquivos, args.saida, largura, altura, args.eixo, args.passo,
                             args.faixa, args.titulo)
            print(f"{args.saida}: {len(args.arquivos)} semente(s)")
        elif args.comando == "descidas":
            chamadas = desenha_descidas(args.arquivo, args.saida, largura, altura, args.titulo)
            print(f"{args.saida}: {chamadas} descida(s)")
        elif args.comando == "traco":
            eixo, fo, gap = desenha_traco(args.arquivo, args.saida, largura, altura, args.eixo,
                                          args.instancia, args.escala, args.conversor,
                                          args.referencia, args.titulo)
            print(f"{args.saida}: eixo {eixo}, fo {fo:f}"
                  + ("" if gap is None else f", gap {gap:.2f}%"))
        else:
            eixo, motivo = args.eixo, ""
            if eixo == "auto":
                eixo, motivo = escolhe_eixo(series_de_traco(args.arquivos))
            series = desenha_convergencia(args.arquivos, args.saida, largura, altura,
                                          eixo, args.titulo)
            print(f"{args.saida}: {series} curva(s), eixo {eixo}"
                  + (f" ({motivo})" if motivo else ""))
    except ErroEntrada as e:
        print(f"{PROGRAMA}: {e}", file=sys.stderr)
        return 1
    return 0
