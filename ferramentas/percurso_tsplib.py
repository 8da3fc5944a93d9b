#!/usr/bin/env python3
"""Percursos no formato de percurso da TSPLIB (arquivos .tour), de ida e volta.

  percurso_tsplib.py grava ORIGEM -o SAIDA.tour [--instancia PASTA] [--nome NOME]
      Grava o ultimo percurso de ORIGEM como arquivo .tour. ORIGEM e a saida
      gravada do programa (um texto; vale a ultima linha de percurso) ou a
      pasta de trabalho de uma execucao do lote (usa a saida.txt e a instancia
      de dentro dela). A instancia (pasta com c50info.txt e c50.txt, ou .tsp)
      confere o percurso e mede o comprimento; sem --instancia, e a pasta de
      ORIGEM. A cidade c vira o no c + 1, o percurso comeca no no 1, NAME e o
      nome da instancia e a linha COMMENT traz o comprimento.

  percurso_tsplib.py mede ARQUIVO.tour (PASTA_INSTANCIA | ARQUIVO.tsp) [--percurso]
      Le um .tour (por exemplo um .opt.tour da TSPLIB) e imprime o seu
      comprimento medido como o programa mede (distancias euclidianas exatas e
      soma em precisao simples, na escala da instancia convertida). O no k e a
      cidade k - 1, como na conversao. --percurso imprime tambem a linha de
      percurso no formato do programa, "0 -> ... -> 0".

Um .tsp e convertido pelo conversor do projeto numa pasta de rascunho
(--escala K ou auto para coordenadas reais, --conversor para outro conversor).

Sai com status 0; com status 1 e uma mensagem em stderr quando a entrada e
invalida.
"""
import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import graficos  # noqa: E402
from graficos import ErroEntrada  # noqa: E402
from figuras.instancia import opcoes_do_tsp  # noqa: E402

PROGRAMA = "percurso_tsplib.py"


def texto_tour(nome, cidades, fo, comentario=""):
    """O conteudo de um .tour: nos = cidades + 1 a partir do no 1, como os
    .tour da TSPLIB, comprimento no COMMENT."""
    nota = f"fo = {fo:f}, medida como a bancada mede"
    if comentario:
        nota += f"; {comentario}"
    linhas = [f"NAME : {nome}", f"COMMENT : {nota}", "TYPE : TOUR",
              f"DIMENSION : {len(cidades)}", "TOUR_SECTION"]
    inicio = cidades.index(0) if 0 in cidades else 0
    linhas += [str(c + 1) for c in cidades[inicio:] + cidades[:inicio]]
    linhas += ["-1", "EOF"]
    return "\n".join(linhas) + "\n"


def grava_tour(caminho, pontos, cidades, comentario="", nome=None):
    """Grava o .tour do percurso (lista de cidades) e devolve o comprimento.
    `nome`: a instancia, para o NAME (sem ele, o nome do arquivo)."""
    fo = graficos.comprimento(cidades, pontos)
    nome = nome or os.path.basename(caminho)
    with open(caminho, "w", encoding="ascii") as f:
        f.write(texto_tour(nome, cidades, fo, comentario))
    return fo


def le_tour(caminho, n):
    """Le um .tour e devolve as cidades (no - 1), conferindo que e uma
    permutacao das n cidades."""
    try:
        with open(caminho, encoding="latin-1") as f:
            linhas = f.read().splitlines()
    except OSError as e:
        raise ErroEntrada(f"{caminho}: {e.strerror}") from None
    secao = [k for k, l in enumerate(linhas) if l.strip() == "TOUR_SECTION"]
    if not secao:
        raise ErroEntrada(f"{caminho}: TOUR_SECTION ausente")
    i = secao[0] + 1
    cabecalho = {}
    for numero, linha in enumerate(linhas[:secao[0]], 1):
        texto = linha.strip()
        if not texto:
            continue
        chave, sep, valor = texto.partition(":")
        if not sep:
            raise ErroEntrada(f"{caminho}:{numero}: linha de cabecalho malformada: {texto}")
        cabecalho[chave.strip()] = valor.strip()
    tipo = cabecalho.get("TYPE", "TOUR")
    if tipo != "TOUR":
        raise ErroEntrada(f"{caminho}: TYPE {tipo}: nao e um arquivo de percurso (TOUR)")
    nos = []
    fim = False
    for numero in range(i, len(linhas)):
        for campo in linhas[numero].split():
            if fim or campo == "EOF":
                fim = True
                break
            try:
                no = int(campo)
            except ValueError:
                raise ErroEntrada(f"{caminho}:{numero + 1}: no invalido: {campo}") from None
            if no == -1:
                fim = True
                break
            nos.append(no)
        if fim:
            break
    dimensao = cabecalho.get("DIMENSION")
    if dimensao is not None and dimensao != str(n):
        raise ErroEntrada(f"{caminho}: DIMENSION {dimensao}, a instancia tem {n} cidades")
    vistos = set()
    for no in nos:
        if not 1 <= no <= n:
            raise ErroEntrada(f"{caminho}: no {no} fora de 1..{n}")
        if no in vistos:
            raise ErroEntrada(f"{caminho}: o no {no} aparece mais de uma vez")
        vistos.add(no)
    if len(nos) != n:
        falta = min(set(range(1, n + 1)) - vistos)
        raise ErroEntrada(f"{caminho}: {len(nos)} nos, a instancia tem {n} (falta o no {falta})")
    return [no - 1 for no in nos]


def linha_de_percurso(cidades):
    return " -> ".join(str(c) for c in cidades + [cidades[0]]) + " "


def _le_texto(caminho):
    try:
        with open(caminho, encoding="latin-1") as f:
            return f.read()
    except OSError as e:
        raise ErroEntrada(f"{caminho}: {e.strerror}") from None


def main(argv=None):
    p = argparse.ArgumentParser(prog=PROGRAMA, description=__doc__.split("\n")[0])
    sub = p.add_subparsers(dest="comando", required=True)
    pg = sub.add_parser("grava", help="grava o ultimo percurso de uma saida como .tour")
    pg.add_argument("origem", help="saida gravada do programa, ou pasta de trabalho do lote")
    pg.add_argument("-o", "--saida", required=True, help="arquivo .tour a gravar")
    pg.add_argument("--instancia", help="pasta com c50info.txt e c50.txt, ou arquivo .tsp")
    pg.add_argument("--nome", help="texto acrescentado ao COMMENT")
    opcoes_do_tsp(pg)
    pm = sub.add_parser("mede", help="comprimento de um .tour medido como o programa mede")
    pm.add_argument("tour", help="arquivo .tour")
    pm.add_argument("instancia", help="pasta com c50info.txt e c50.txt, ou arquivo .tsp")
    opcoes_do_tsp(pm)
    pm.add_argument("--percurso", action="store_true",
                    help="imprime tambem a linha de percurso do programa")
    args = p.parse_args(argv)
    try:
        if args.comando == "grava":
            origem = args.origem
            if os.path.isdir(origem):
                pasta, arquivo = origem, os.path.join(origem, "saida.txt")
            else:
                pasta, arquivo = os.path.dirname(os.path.abspath(origem)), origem
            instancia = args.instancia or pasta
            pontos = graficos.pontos_da_instancia(instancia, args.escala, args.conversor)
            linha = graficos.ultima_linha_de_percurso(_le_texto(arquivo), arquivo)
            cidades = graficos.le_percurso(linha, len(pontos))
            fo = grava_tour(args.saida, pontos, cidades, args.nome or "",
                            graficos.nome_da_instancia(instancia))
            print(f"{args.saida}: {len(cidades)} cidades, fo = {fo:f}")
        else:
            pontos = graficos.pontos_da_instancia(args.instancia, args.escala, args.conversor)
            cidades = le_tour(args.tour, len(pontos))
            fo = graficos.comprimento(cidades, pontos)
            print(f"{args.tour}: {len(cidades)} cidades, fo = {fo:f}")
            if args.percurso:
                print(linha_de_percurso(cidades))
    except (ErroEntrada, OSError) as e:
        print(f"{PROGRAMA}: {e}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
