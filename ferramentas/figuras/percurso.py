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
        arq_percurso = os.path.join(tmp, "percurso.dat")
        arq_cidades = os.path.join(tmp, "cidades.dat")
        arq_otimo = os.path.join(tmp, "otimo.dat")
        with open(arq_percurso, "w") as f:
            for c in percurso + [percurso[0]]:
                f.write(f"{pontos[c][0]} {pontos[c][1]}\n")
        with open(arq_cidades, "w") as f:
            for c, (x, y) in enumerate(pontos):
                f.write(f"{x} {y} {c}\n")
        script = _cabecalho(saida, largura, altura, titulo)
        script += ("set size ratio -1\n"
                   "set offsets graph 0.04, graph 0.04, graph 0.04, graph 0.04\n"
                   "set key below horizontal\n"
                   "set xtics out nomirror\nset ytics out nomirror\n")
        curvas = []
        if percurso_otimo is not None:
            # Largo e claro por baixo: onde os dois coincidem, o achado cobre o otimo.
            with open(arq_otimo, "w") as f:
                for c in percurso_otimo + [percurso_otimo[0]]:
                    f.write(f"{pontos[c][0]} {pontos[c][1]}\n")
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
        script += "plot " + ", \\\n     ".join(curvas) + "\n"
        _gnuplot(script, saida)
    return fo, titulo
