"""O grafico de varias sementes de uma cadeia: cada uma, a mediana e a faixa."""
import bisect
import math
import os
import re
import tempfile

from .distribuicao import quartis
from .erro import ErroEntrada
from .gnuplot import _aspas, _cabecalho, _gnuplot
from .tabela_csv import _numero, le_csv
from .traco_experimenta import COLUNAS_TRACO_CSV


MAX_PONTOS_FAIXA = 2000


def curva_do_traco(caminho, eixo="tempo", passo=None):
    """(cadeia, [(x, melhor fo ate x)]) de um .traco.csv do experimenta. Na
    cadeia inteira, x soma o fim dos passos anteriores ao tempo (ou a iteracao)
    de cada passo, que recomeca em cada metodo; com `passo`, so esse metodo."""
    linhas = le_csv(caminho, COLUNAS_TRACO_CSV)
    cadeia, curva = [], []
    deslocamento, ultimo_x, melhor = 0.0, 0.0, math.inf
    for numero, l in enumerate(linhas, 2):
        origem = f"{caminho}:{numero}"
        p = int(_numero(l["passo"], origem))
        if not cadeia or cadeia[-1][0] != p:
            cadeia.append((p, l["metodo"]))
            deslocamento += ultimo_x
            ultimo_x = 0.0
        if passo is not None and p != passo:
            continue
        x = _numero(l["iteracao"] if eixo == "iteracao" else l["tempo"], origem)
        ultimo_x = x
        melhor = min(melhor, _numero(l["fo_star"] or l["fo"], origem))
        curva.append(((0.0 if passo is not None else deslocamento) + x, melhor))
    if not curva:
        raise ErroEntrada(f"{caminho}: nenhuma linha de traco"
                          + (f" do passo {passo}" if passo is not None else ""))
    return tuple(cadeia), curva


def _valor_em(curva, xs, x):
    """O valor da curva em escada no ponto x (antes do inicio, o primeiro)."""
    k = bisect.bisect_right(xs, x) - 1
    return curva[max(k, 0)][1]


def faixa_das_sementes(curvas, faixa="quartis"):
    """[(x, mediana, baixo, alto)] das curvas em escada, numa grade com os x de
    todas (no maximo MAX_PONTOS_FAIXA pontos, igualmente espacados acima disso).
    Uma curva que ja terminou fica no seu ultimo valor. baixo e alto: 1o e 3o
    quartis, ou minimo e maximo."""
    grade = sorted({x for c in curvas for x, _ in c})
    if len(grade) > MAX_PONTOS_FAIXA:
        inicio, fim = grade[0], grade[-1]
        grade = [inicio + (fim - inicio) * k / (MAX_PONTOS_FAIXA - 1)
                 for k in range(MAX_PONTOS_FAIXA)]
    eixos = [[x for x, _ in c] for c in curvas]
    pontos = []
    for x in grade:
        mn, q1, med, q3, mx = quartis([_valor_em(c, xs, x) for c, xs in zip(curvas, eixos)])
        pontos.append((x, med, q1, q3) if faixa == "quartis" else (x, med, mn, mx))
    return pontos


def _escada(pontos):
    """Repete cada valor ate o x seguinte, para o gnuplot ligar em degraus."""
    saida = []
    for k, p in enumerate(pontos):
        if k:
            saida.append((p[0],) + tuple(pontos[k - 1][1:]))
        saida.append(p)
    return saida


def _base_da_execucao(caminho):
    nome = os.path.basename(caminho)
    nome = nome[:-len(".traco.csv")] if nome.endswith(".traco.csv") else nome
    return re.sub(r"-s(\d+|programa)$", "", nome)


def desenha_sementes(arquivos, saida, largura, altura, eixo="tempo", passo=None,
                     faixa="quartis", titulo=None):
    """A melhor fo ao longo da execucao de cada semente (linhas finas), a
    mediana e a faixa entre as sementes. Devolve os pontos da faixa."""
    tracos = [curva_do_traco(a, eixo, passo) for a in arquivos]
    cadeias = {c for c, _ in tracos}
    if len(cadeias) > 1:
        raise ErroEntrada("os tracos nao sao da mesma cadeia de metodos: "
                          + " | ".join(sorted("+".join(m for _, m in c) for c in cadeias)))
    curvas = [c for _, c in tracos]
    pontos = faixa_das_sementes(curvas, faixa)
    if titulo is None:
        bases = {_base_da_execucao(a) for a in arquivos}
        nome = bases.pop() if len(bases) == 1 else "+".join(m for _, m in tracos[0][0])
        titulo = f"{nome}: {len(arquivos)} sementes"
        if passo is not None:
            titulo += f", passo {passo} ({dict(tracos[0][0])[passo]})"
    rotulo_faixa = "1o a 3o quartil" if faixa == "quartis" else "minimo a maximo"
    with tempfile.TemporaryDirectory() as tmp:
        arq_faixa = os.path.join(tmp, "faixa.dat")
        with open(arq_faixa, "w") as f:
            for x, med, baixo, alto in _escada(pontos):
                f.write(f"{x!r} {med!r} {baixo!r} {alto!r}\n")
        curvas_gp = []
        for k, c in enumerate(curvas):
            arq = os.path.join(tmp, f"semente{k}.dat")
            with open(arq, "w") as f:
                for x, y in c:
                    f.write(f"{x!r} {y!r}\n")
            titulo_k = "cada semente" if k == 0 else ""
            curvas_gp.append(f"{_aspas(arq)} using 1:2 with steps lw 0.6 lc rgb '#b0b0b0' "
                             + (f"title {_aspas(titulo_k)}" if titulo_k else "notitle"))
        # A faixa por cima das sementes, para que elas nao a escondam.
        curvas_gp.append(f"{_aspas(arq_faixa)} using 1:3:4 with filledcurves "
                         "fs transparent solid 0.45 noborder lc rgb '#1f77b4' "
                         f"title {_aspas(rotulo_faixa)}")
        curvas_gp.append(f"{_aspas(arq_faixa)} using 1:2 with lines lw 2 lc rgb '#d62728' "
                         "title 'mediana'")
        rotulo_x = "tempo de processador (s)" if eixo == "tempo" else "iteracao"
        if passo is None and len(tracos[0][0]) > 1:
            rotulo_x += ", somado ao fim dos metodos anteriores"
        script = _cabecalho(saida, largura, altura, titulo)
        script += (f"set xlabel {_aspas(rotulo_x)}\n"
                   "set ylabel 'melhor fo ate o instante'\n"
                   "set offsets 0, 0, graph 0.05, graph 0.05\n"
                   "set key top right\n")
        script += "plot " + ", \\\n     ".join(curvas_gp) + "\n"
        _gnuplot(script, saida)
    return pontos
