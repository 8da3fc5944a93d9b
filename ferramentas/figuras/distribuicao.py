"""O grafico de caixas do CSV de um estudo do lote, por metodo e instancia."""
import os
import tempfile

from .erro import ErroEntrada
from .gnuplot import _aspas, _cabecalho, _gnuplot
from .tabela_csv import _numero


def quartis(valores):
    """Minimo, 1o quartil, mediana, 3o quartil e maximo, com interpolacao
    linear entre as posicoes ordenadas (o metodo 'inclusive')."""
    xs = sorted(valores)

    def q(p):
        pos = p * (len(xs) - 1)
        i = int(pos)
        return xs[i] + (xs[min(i + 1, len(xs) - 1)] - xs[i]) * (pos - i)

    return xs[0], q(0.25), q(0.5), q(0.75), xs[-1]


COLUNAS_DISTRIBUICAO = ("instancia", "roteiro", "parametros", "fo", "gap", "estado")


def distribuicao(linhas, valor="auto"):
    """(valor usado, [(metodo, instancia, valores)]) das execucoes com valor do
    CSV por execucao do lote; metodo e o roteiro, com a vizinhanca, quando ha,
    e os parametros entre colchetes. valor 'auto': o gap quando toda execucao
    tem referencia, senao fo."""
    validas = [l for l in linhas if l["estado"] in ("ok", "tempo_limite") and l["fo"]]
    if not validas:
        raise ErroEntrada("nenhuma execucao com valor no CSV")
    com_gap = all(l["gap"] for l in validas)
    if valor == "auto":
        valor = "gap" if com_gap else "fo"
    elif valor == "gap" and not com_gap:
        raise ErroEntrada("ha execucoes sem referencia (gap vazio): use --valor fo")
    grupos = {}
    for l in validas:
        # Um estudo com --vizinhanca: cada vizinhanca e outro metodo.
        metodo = (l["roteiro"] + (f" {l['vizinhanca']}" if l.get("vizinhanca") else "")
                  + (f" [{l['parametros']}]" if l["parametros"] else ""))
        grupos.setdefault((metodo, l["instancia"]), []).append(
            _numero(l[valor], f"{l['instancia']} {metodo}"))
    return valor, [(m, i, vs) for (m, i), vs in grupos.items()]


CORES = ["#1f77b4", "#d62728", "#2ca02c", "#ff7f0e", "#9467bd", "#8c564b", "#e377c2",
         "#7f7f7f", "#bcbd22", "#17becf"]


def desenha_distribuicao(linhas, saida, largura, altura, valor="auto", titulo=None):
    """Caixas (quartis, mediana, bigodes do minimo ao maximo) e os pontos de
    cada execucao, um grupo de caixas por metodo e uma cor por instancia.
    Devolve o valor desenhado e as caixas (metodo, instancia, x, quartis, n)."""
    valor, grupos = distribuicao(linhas, valor)
    metodos = list(dict.fromkeys(m for m, _, _ in grupos))
    # Num estudo de um so roteiro os rotulos seriam o roteiro repetido: ficam
    # so os parametros, e o roteiro vai para o eixo.
    roteiros = {m.split(" [")[0] for m in metodos}
    rotulo_x, rotulos = "", metodos
    if len(roteiros) == 1 and len(metodos) > 1:
        roteiro = roteiros.pop()
        rotulos = [m.partition(" [")[2].rstrip("]") or "padrao" for m in metodos]
        nomes = {r.partition("=")[0] for r in rotulos if ";" not in r}
        if len(nomes) == 1 and all("=" in r and ";" not in r for r in rotulos):
            # Um parametro so: o eixo diz qual, os rotulos sao os valores.
            rotulo_x = f"{roteiro}: {nomes.pop()}"
            rotulos = [r.partition("=")[2] for r in rotulos]
        else:
            rotulo_x = f"{roteiro}, por conjunto de parametros"
    instancias = list(dict.fromkeys(i for _, i, _ in grupos))
    passo = 0.8 / len(instancias)
    caixas = []
    for m, i, vs in grupos:
        x = metodos.index(m) + 1 + (instancias.index(i) - (len(instancias) - 1) / 2) * passo
        caixas.append((m, i, x, quartis(vs), vs))
    if titulo is None:
        titulo = (f"{'gap (%)' if valor == 'gap' else 'fo'} por metodo e instancia "
                  f"({sum(len(c[4]) for c in caixas)} execucoes)")
    with tempfile.TemporaryDirectory() as tmp:
        curvas = []
        for k, inst in enumerate(instancias):
            cor = CORES[k % len(CORES)]
            arq_caixas = os.path.join(tmp, f"caixas{k}.dat")
            arq_pontos = os.path.join(tmp, f"pontos{k}.dat")
            with open(arq_caixas, "w") as fc, open(arq_pontos, "w") as fp:
                for _, i, x, q, vs in caixas:
                    if i != inst:
                        continue
                    fc.write(f"{x} " + " ".join(repr(v) for v in q) + "\n")
                    # Pontos espalhados na largura da caixa, na ordem das execucoes.
                    for j, v in enumerate(vs):
                        dx = 0 if len(vs) == 1 else (j / (len(vs) - 1) - 0.5) * passo * 0.5
                        fp.write(f"{x + dx} {v!r}\n")
            curvas += [f"{_aspas(arq_caixas)} using 1:3:2:6:5 with candlesticks whiskerbars "
                       f"lc rgb '{cor}' title {_aspas(inst)}",
                       f"{_aspas(arq_caixas)} using 1:4:4:4:4 with candlesticks lw 2 "
                       f"lc rgb '{cor}' notitle",
                       f"{_aspas(arq_pontos)} using 1:2 with points pt 7 ps 0.5 "
                       f"lc rgb '{cor}' notitle"]
        tics = ", ".join(f"{_aspas(m)} {k}" for k, m in enumerate(rotulos, 1))
        script = _cabecalho(saida, largura, altura, titulo)
        script += (f"set ylabel {_aspas('gap (%)' if valor == 'gap' else 'fo')}\n"
                   f"set xlabel {_aspas(rotulo_x)}\n"
                   f"set xrange [0.4:{len(metodos) + 0.6}]\n"
                   f"set xtics ({tics}) rotate by 20 right nomirror\n"
                   "set offsets 0, 0, graph 0.05, graph 0.05\n"
                   "set style fill solid 0.25 border\n"
                   f"set boxwidth {passo * 0.7} absolute\n"
                   "set key top right\n")
        script += "plot " + ", \\\n     ".join(curvas) + "\n"
        _gnuplot(script, saida)
    return valor, [(m, i, x, q, len(vs)) for m, i, x, q, vs in caixas]
