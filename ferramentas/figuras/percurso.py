"""O grafico de um percurso sobre as cidades da instancia."""
import os
import tempfile

from .erro import ErroEntrada
from .gnuplot import _aspas, _cabecalho, _gnuplot
from .instancia import (nome_da_instancia, pontos_da_instancia, referencia_da_instancia,
                        texto_do_gap)
from .linha_de_percurso import le_percurso
from .medida import comprimento


def desenha_percurso(pasta, linha, saida, largura, altura, rotulos=False, legenda=None,
                     escala=None, conversor=None, otimo=None, nome=None):
    """Grava o PNG do percurso e devolve o comprimento recalculado (ver
    percurso_com_titulo)."""
    return percurso_com_titulo(pasta, linha, saida, largura, altura, rotulos, legenda, escala,
                               conversor, otimo, nome)[0]


def percurso_com_titulo(pasta, linha, saida, largura, altura, rotulos=False, legenda=None,
                        escala=None, conversor=None, otimo=None, nome=None):
    """Grava o PNG do percurso e devolve (comprimento recalculado, titulo). O titulo
    traz a instancia, o comprimento e o gap quando ha referencia, seguido da
    `legenda`. `otimo`: um .tour desenhado por baixo do percurso ("" para o
    NOME.opt.tour ao lado do .tsp). `pasta` pode ser um .tsp."""
    pontos = pontos_da_instancia(pasta, escala, conversor)
    percurso = le_percurso(linha, len(pontos))
    fo = comprimento(percurso, pontos)
    referencia = referencia_da_instancia(pasta, pontos)
    percurso_otimo = None
    if otimo is not None:
        import percurso_tsplib
        if otimo == "":
            if not pasta.lower().endswith(".tsp"):
                raise ErroEntrada("--otimo sem arquivo so vale com um .tsp (usa o NOME.opt.tour "
                                  "ao lado dele)")
            otimo = pasta[:-4] + ".opt.tour"
        percurso_otimo = percurso_tsplib.le_tour(otimo, len(pontos))
        referencia = (comprimento(percurso_otimo, pontos), os.path.basename(otimo))
    titulo = (f"{nome or nome_da_instancia(pasta)}: {len(pontos)} cidades, fo = {fo:.2f}"
              + texto_do_gap(fo, referencia))
    if legenda:
        titulo += f" - {legenda}"
    with tempfile.TemporaryDirectory() as tmp:
        script = _cabecalho(saida, largura, altura, titulo) + _EIXOS
        script += _plot(tmp, "", pontos, percurso, rotulos, percurso_otimo, otimo)
        _gnuplot(script, saida)
    return fo, titulo


# Os eixos guardam a proporcao do plano.
_EIXOS = ("set size ratio -1\n"
          "set offsets graph 0.04, graph 0.04, graph 0.04, graph 0.04\n"
          "set key below horizontal\n"
          "set xtics out nomirror\nset ytics out nomirror\n")


def _grava_pontos(caminho, pontos, cidades):
    with open(caminho, "w") as f:
        for c in cidades + [cidades[0]]:
            f.write(f"{pontos[c][0]} {pontos[c][1]}\n")


def _plot(tmp, prefixo, pontos, percurso, rotulos=False, percurso_otimo=None, otimo=None):
    """O comando plot de um percurso, com os dados gravados em `tmp`."""
    arq_percurso = os.path.join(tmp, prefixo + "percurso.dat")
    arq_cidades = os.path.join(tmp, "cidades.dat")
    arq_otimo = os.path.join(tmp, "otimo.dat")
    _grava_pontos(arq_percurso, pontos, percurso)
    with open(arq_cidades, "w") as f:
        for c, (x, y) in enumerate(pontos):
            f.write(f"{x} {y} {c}\n")
    curvas = []
    if percurso_otimo is not None:
        # Largo e claro por baixo: onde os dois coincidem, o achado cobre o otimo.
        _grava_pontos(arq_otimo, pontos, percurso_otimo)
        curvas.append(f"{_aspas(arq_otimo)} using 1:2 with lines lw 6 lc rgb '#f4b183' "
                      f"title {_aspas('otimo (' + os.path.basename(otimo) + ')')}")
    curvas += [
        f"{_aspas(arq_percurso)} using 1:2 with lines lw 1.5 lc rgb '#1f77b4' title 'percurso'",
        f"{_aspas(arq_cidades)} using 1:2 with points pt 7 ps 0.6 lc rgb 'black' title 'cidades'",
        f"{_aspas(arq_cidades)} every ::0::0 using 1:2 with points pt 5 ps 1.6 "
        "lc rgb '#d62728' title 'cidade 0'",
    ]
    if rotulos:
        curvas.append(f"{_aspas(arq_cidades)} using 1:2:3 with labels offset 0.8,0.8 "
                      "font ',8' notitle")
    else:
        curvas.append(f"{_aspas(arq_cidades)} every ::0::0 using 1:2:3 with labels "
                      "offset 1.2,1.2 tc rgb '#d62728' notitle")
    return "plot " + ", \\\n     ".join(curvas) + "\n"


def _aspas_duplas(texto):
    """Entre aspas duplas o gnuplot quebra a linha em \\n."""
    return '"' + texto.replace("\\", "\\\\").replace('"', '\\"').replace("\n", "\\n") + '"'


def titulos_dos_percursos(pasta, linhas, legendas, escala=None, conversor=None, nome=None):
    """(cidades, [(comprimento, titulo)] de cada percurso sobre a mesma
    instancia): o titulo em duas linhas, a instancia e a legenda, o
    comprimento e o gap."""
    pontos = pontos_da_instancia(pasta, escala, conversor)
    referencia = referencia_da_instancia(pasta, pontos)
    nome = nome or nome_da_instancia(pasta)
    r = []
    for linha, legenda in zip(linhas, legendas):
        fo = comprimento(le_percurso(linha, len(pontos)), pontos)
        r.append((fo, f"{nome}, {legenda}\nfo = {fo:.2f}" + texto_do_gap(fo, referencia)))
    return pontos, r


def desenha_percursos(pasta, linhas, legendas, saida, largura, altura, escala=None,
                      conversor=None, nome=None):
    """Os percursos lado a lado, um painel cada, sobre as mesmas cidades; devolve
    [(comprimento, titulo)] (ver titulos_dos_percursos)."""
    pontos, titulos = titulos_dos_percursos(pasta, linhas, legendas, escala, conversor, nome)
    with tempfile.TemporaryDirectory() as tmp:
        script = (f"set terminal pngcairo size {largura},{altura} noenhanced font ',10'\n"
                  f"set output {_aspas(saida)}\nset grid lc rgb '#dddddd'\n" + _EIXOS
                  + f"set multiplot layout 1,{len(linhas)}\n")
        for k, (linha, (_, titulo)) in enumerate(zip(linhas, titulos)):
            script += f"set title {_aspas_duplas(titulo)}\n"
            script += _plot(tmp, f"{k}.", pontos, le_percurso(linha, len(pontos)))
        script += "unset multiplot\n"
        _gnuplot(script, saida)
    return titulos
