"""O grafico das descidas de um traco com muitas chamadas (GRASP, VNS)."""
import math
import os
import re
import tempfile

from .gnuplot import _aspas, _cabecalho, _gnuplot
from .instancia import nome_da_instancia
from .traco_programa import le_traco


def pontos_das_descidas(arquivo):
    """(chamada, fo ao fim da chamada, melhor fo ate ela) de cada chamada da
    descida registrada no arquivo; a linha de fechamento repete a fo final."""
    pontos, melhor = [], math.inf
    for i, chamada in enumerate(le_traco(arquivo), 1):
        melhor = min(melhor, chamada[-1][2])
        pontos.append((i, chamada[-1][2], melhor))
    return pontos


def desenha_descidas(arquivo, saida, largura, altura, titulo=None):
    """Grava o PNG da fo ao fim de cada chamada da descida e da melhor ate
    ela; devolve o numero de chamadas."""
    pontos = pontos_das_descidas(arquivo)
    if titulo is None:
        nome = nome_da_instancia(os.path.dirname(os.path.abspath(arquivo)))
        prefixo = "" if re.fullmatch(r"(bancada|tmp)\.?\w*", nome) else f"{nome}, "
        titulo = (f"{prefixo}{len(pontos)} descidas: melhor fo {min(p[2] for p in pontos):.2f}")
    with tempfile.TemporaryDirectory() as tmp:
        dados = os.path.join(tmp, "descidas.dat")
        with open(dados, "w") as f:
            for i, fo, melhor in pontos:
                f.write(f"{i} {fo} {melhor}\n")
        script = _cabecalho(saida, largura, altura, titulo)
        script += ("set xlabel 'iteracao (chamada da descida)'\n"
                   "set ylabel 'fo'\n"
                   f"set xrange [0:{len(pontos) + 1}]\n"
                   "set offsets 0, 0, graph 0.05, graph 0.05\n"
                   "set key top right\n")
        script += (f"plot {_aspas(dados)} using 1:2 with points pt 7 ps 0.6 lc rgb '#1f77b4' "
                   "title 'fo ao fim da descida da iteracao', \\\n"
                   f"     {_aspas(dados)} using 1:3 with steps lw 2 lc rgb '#d62728' "
                   "title 'melhor fo ate a iteracao'\n")
        _gnuplot(script, saida)
    return len(pontos)
