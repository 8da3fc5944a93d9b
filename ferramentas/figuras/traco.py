"""O grafico do traco uniforme do experimenta: os passos da cadeia em sequencia."""
import math
import os
import tempfile

from .convergencia import escolhe_eixo
from .gnuplot import _aspas, _cabecalho, _gnuplot
from .instancia import (nome_da_instancia, pontos_da_instancia, referencia_da_instancia,
                        texto_do_gap)
from .traco_experimenta import le_traco_uniforme, partes_do_nome


# As series de cada tipo de linha do traco: (rotulo, estilo).
ESTILOS_TRACO = {
    "corrente": ("valor corrente", "steps lw 1.2"),
    "perturbacao": ("solucao perturbada (shake)", "points pt 2 ps 0.7 lc rgb '#ff7f0e'"),
    "descida": ("apos a descida", "points pt 7 ps 0.6 lc rgb '#2ca02c'"),
    "iteracao_grasp": ("fo da iteracao", "points pt 7 ps 0.6 lc rgb '#1f77b4'"),
    "geracao": ("melhor da geracao", "lines lw 1.2 lc rgb '#1f77b4'"),
    "media": ("media da geracao", "lines lw 1 dt 2 lc rgb '#7f7f7f'"),
    "extremos": ("inicio e fim", "points pt 6 ps 1.2 lc rgb 'black'"),
    "ligacao": ("", "vectors nohead lw 0.5 lc rgb '#c8c8c8'"),
}


def _tipo_da_linha(metodo, evento):
    if evento in ("perturbacao", "descida") and metodo == "vns":
        return evento
    if evento == "iteracao" and metodo.startswith("grasp"):
        return "iteracao_grasp"
    if evento in ("geracao", "populacao"):
        return "geracao"
    return "corrente"


def series_do_traco(passos, eixo):
    """O que o grafico de um traco uniforme desenha, com os passos em
    sequencia num so eixo (cada um comeca onde o anterior terminou):
    ({tipo: [(x, fo)]} por passo, [(x, melhor ate x)], [(x do inicio, metodo)])."""
    por_passo, melhor, inicios = [], [], []
    deslocamento, minimo, evento = 0.0, math.inf, 0
    for metodo, linhas in passos:
        inicios.append((deslocamento if eixo != "evento" else evento, metodo))
        series = {}
        x = deslocamento
        for l in linhas:
            x = evento if eixo == "evento" else deslocamento + l[eixo]
            evento += 1
            tipo = _tipo_da_linha(metodo, l["evento"])
            if tipo == "descida" and series.get("perturbacao"):
                # O traco do shake ate o fim da sua descida.
                x0, y0 = series["perturbacao"][-1]
                series.setdefault("ligacao", []).append((x0, y0, x - x0, l["fo"] - y0))
            if l["evento"] != "fim" or tipo == "corrente":
                series.setdefault(tipo, []).append((x, l["fo"]))
            if l["media"] is not None:
                series.setdefault("media", []).append((x, l["media"]))
            minimo = min(minimo, l["fo_star"])
            melhor.append((x, minimo))
        if len(series) > 1 and "corrente" in series:
            # VNS, GRASP, genetico: so o inicio e o fim sao valor corrente.
            series["extremos"] = series.pop("corrente")
        por_passo.append((metodo, series))
        deslocamento = x
    return por_passo, melhor, inicios


def inicio_do_detalhe(passos):
    """O evento (contado na cadeia) do primeiro movimento de piora da busca
    tabu: antes dele a busca so desce do percurso inicial, e essa descida
    fixaria a faixa do grafico. None sem busca tabu."""
    evento = 0
    for metodo, linhas in passos:
        if metodo == "tabu":
            for k in range(1, len(linhas)):
                if linhas[k]["evento"] == "iteracao" and linhas[k]["fo"] > linhas[k - 1]["fo"]:
                    return evento + k
        evento += len(linhas)
    return None


def desenha_traco(caminho, saida, largura, altura, eixo="auto", instancia=None, escala=None,
                  conversor=None, referencia=None, titulo=None):
    """Grava o PNG de um .traco.csv do experimenta: o valor corrente de cada
    passo da cadeia, um depois do outro, e a melhor fo ate cada ponto; o VNS
    com a fo de cada solucao perturbada e a de cada descida, o GRASP com a de
    cada iteracao, o genetico com a melhor e a media de cada geracao. Com busca
    tabu, um segundo painel a partir do seu primeiro movimento de piora.
    Devolve (eixo, fo final, gap ou None)."""
    passos = le_traco_uniforme(caminho)
    linhas = [l for _, ls in passos for l in ls]
    if eixo == "auto":
        series = [(None, [(l["tempo"], l["iteracao"], l["fo"]) for l in linhas])]
        eixo = escolhe_eixo(series)[0]
    por_passo, melhor, inicios = series_do_traco(passos, eixo)
    unidade = "s"
    if eixo == "tempo" and melhor[-1][0] < 0.1:
        # Execucoes curtas em milissegundos: o eixo fica legivel.
        unidade = "ms"
        mil = lambda p: (p[0] * 1000,) + tuple(p[1:])  # noqa: E731
        ligacao = lambda p: (p[0] * 1000, p[1], p[2] * 1000, p[3])  # noqa: E731
        por_passo = [(m, {t: [ligacao(p) if t == "ligacao" else mil(p) for p in ps]
                          for t, ps in series.items()}) for m, series in por_passo]
        melhor, inicios = [mil(p) for p in melhor], [mil(p) for p in inicios]
    fo = linhas[-1]["fo_star"]
    partes = partes_do_nome(caminho)
    if instancia is not None and referencia is None:
        pontos = pontos_da_instancia(instancia, escala, conversor)
        referencia = referencia_da_instancia(instancia, pontos)
    elif referencia is not None:
        referencia = (referencia, "a referencia")
    gap = 100 * (fo - referencia[0]) / referencia[0] if referencia else None
    if titulo is None:
        nome = nome_da_instancia(instancia) if instancia else (partes[0] if partes else
                                                               os.path.basename(caminho))
        cadeia = "+".join(m for m, _ in passos)
        inicial = f"{partes[1]}, " if partes else ""
        semente = f", semente {partes[3]}" if partes and partes[3] != "programa" else ""
        titulo = f"{nome}: {inicial}{cadeia}{semente}: fo {fo:.2f}" + texto_do_gap(fo, referencia)
    rotulo_x = {"tempo": f"tempo de processador ({unidade})", "iteracao": "iteracao",
                "evento": "evento (linha do traco)"}[eixo]
    if len(passos) > 1:
        rotulo_x += ", os passos um depois do outro"
    detalhe = inicio_do_detalhe(passos)
    cores = ["#1f77b4", "#9467bd", "#8c564b", "#e377c2", "#17becf"]
    with tempfile.TemporaryDirectory() as tmp:
        curvas = []
        for k, (metodo, series) in enumerate(por_passo):
            # As ligacoes primeiro, por baixo dos pontos.
            for tipo in sorted(series, key=lambda t: t != "ligacao"):
                pontos = series[tipo]
                dados = os.path.join(tmp, f"p{k}_{tipo}.dat")
                with open(dados, "w") as f:
                    f.writelines(" ".join(repr(v) for v in p) + "\n" for p in pontos)
                rotulo, estilo = ESTILOS_TRACO[tipo]
                if tipo == "corrente":
                    estilo += f" lc rgb '{cores[k % len(cores)]}'"
                colunas = "1:2:3:4" if tipo == "ligacao" else "1:2"
                legenda = f"title {_aspas(metodo + ': ' + rotulo)}" if rotulo else "notitle"
                curvas.append(f"{_aspas(dados)} using {colunas} with {estilo} {legenda}")
        arq_melhor = os.path.join(tmp, "melhor.dat")
        with open(arq_melhor, "w") as f:
            f.writelines(f"{x!r} {y!r}\n" for x, y in melhor)
        # Por baixo e mais larga: numa descida as duas curvas coincidem.
        curvas.insert(0, f"{_aspas(arq_melhor)} using 1:2 with steps lw 3.5 lc rgb '#f08080' "
                         "title 'melhor fo ate o ponto'")
        marcas = ""
        if len(passos) > 1:
            for x, metodo in inicios[1:]:
                marcas += (f"set arrow from {x!r}, graph 0 to {x!r}, graph 1 nohead "
                           "dt 3 lc rgb '#555555'\n"
                           f"set label {_aspas(metodo)} at {x!r}, graph 0.04 right offset -0.5,0\n")
        corpo = ("set ylabel 'fo'\nset offsets 0, 0, graph 0.05, graph 0.05\n"
                 "set key top right\n" + marcas)
        plot = "plot " + ", \\\n     ".join(curvas) + "\n"
        script = _cabecalho(saida, largura, altura, titulo).replace("set title", "#", 1)
        if detalhe is None:
            script += f"set title {_aspas(titulo)}\nset xlabel {_aspas(rotulo_x)}\n" + corpo + plot
        else:
            x0 = [x for x, _ in melhor]
            x_detalhe = melhor[detalhe][0]
            ys = [p[1] for _, s_ in por_passo for t, ps in s_.items() for p in ps
                  if t != "ligacao" and p[0] >= x_detalhe]
            folga = 0.03 * (max(ys) - min(ys)) or 1.0
            script += (f"set multiplot layout 2,1 title {_aspas(titulo)}\n" + corpo
                       + "set xlabel ''\n" + plot
                       + f"set xrange [{x_detalhe!r}:{max(x0)!r}]\n"
                       + f"set yrange [{min(ys) - folga!r}:{max(ys) + folga!r}]\n"
                       + f"set xlabel {_aspas(rotulo_x)}\nunset key\n"
                       + "set title 'detalhe: a partir do primeiro movimento de piora da "
                       "busca tabu' font ',9'\n" + plot + "unset multiplot\n")
        _gnuplot(script, saida)
    return eixo, fo, gap
