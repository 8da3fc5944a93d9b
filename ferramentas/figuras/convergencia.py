"""O grafico de convergencia dos arquivos de traco do programa."""
import os
import re
import tempfile

from .gnuplot import _aspas, _cabecalho, _gnuplot
from .instancia import nome_da_instancia
from .traco_programa import le_traco


MAX_LEGENDAS = 10  # acima disso a legenda cobriria o grafico

# O que cada arquivo de traco do programa registra, para a legenda.
ROTULOS = {
    "BTsaida.txt": "valor corrente",
    "BTsaidaMelhorfo.txt": "melhor valor",
    "SAsaida.txt": "melhor valor (uma linha por melhora)",
    "Descidasaida.txt": "valor corrente da descida",
    "Descidaparcialsaida.txt": "valor corrente da descida parcial",
}

EIXOS = {
    "tempo": ("tempo decorrido (s)", lambda i, linha: linha[0]),
    "iteracao": ("iteracao", lambda i, linha: linha[1]),
    "evento": ("evento (linha da chamada)", lambda i, linha: i),
}


def series_de_traco(arquivos):
    """As curvas dos arquivos de traco, (legenda, linhas): uma por chamada."""
    series = []
    for caminho in arquivos:
        chamadas = le_traco(caminho)
        nome = ROTULOS.get(os.path.basename(caminho), os.path.basename(caminho))
        for i, chamada in enumerate(chamadas, 1):
            rotulo = nome if len(chamadas) == 1 else f"{nome}, chamada {i}"
            series.append((rotulo, chamada))
    return series


METODOS_DOS_ARQUIVOS = {
    "BTsaida.txt": "Busca Tabu", "BTsaidaMelhorfo.txt": "Busca Tabu",
    "SAsaida.txt": "Simulated Annealing", "Descidasaida.txt": "Descida",
    "Descidaparcialsaida.txt": "Descida parcial",
}


def escolhe_eixo(series):
    """(eixo, motivo) para --eixo auto: o tempo quando os tempos variam; senao
    a iteracao, quando ela varia; senao o evento. Os tracos do programa tem
    tempos de duas casas: uma descida curta fica toda em 0.00."""
    linhas = [l for _, c in series for l in c]
    minimo = max(2, len(linhas) // 2)
    if len({l[0] for l in linhas}) >= minimo:
        return "tempo", ""
    motivo = f"os tempos nao variam ({len({l[0] for l in linhas})} valores em {len(linhas)} linhas)"
    if len({l[1] for l in linhas}) >= minimo:
        return "iteracao", motivo
    return "evento", motivo


def _titulo_dos_tracos(arquivos, series):
    """Instancia (pela pasta, quando ela a nomeia), metodo e fo final."""
    metodos = dict.fromkeys(METODOS_DOS_ARQUIVOS.get(os.path.basename(a), os.path.basename(a))
                            for a in arquivos)
    pasta = os.path.dirname(os.path.abspath(arquivos[0]))
    nome = nome_da_instancia(pasta)
    # As pastas de rascunho (executa.sh, mktemp) nao nomeiam nada.
    prefixo = "" if re.fullmatch(r"(bancada|tmp)\.?\w*", nome) else f"{nome}, "
    fo = min(c[-1][2] for _, c in series)
    titulo = f"{prefixo}{' e '.join(metodos)}: fo final {fo:.2f}"
    if len(series) > MAX_LEGENDAS:
        titulo += f" ({len(series)} chamadas)"
    return titulo


def desenha_convergencia(arquivos, saida, largura, altura, eixo="tempo", titulo=None):
    """Grava o PNG das curvas de convergencia e devolve o numero de curvas.
    `eixo` "auto": ver escolhe_eixo."""
    series = series_de_traco(arquivos)
    if eixo == "auto":
        eixo = escolhe_eixo(series)[0]
    rotulo_x, coordenada_x = EIXOS[eixo]
    if titulo is None:
        titulo = _titulo_dos_tracos(arquivos, series)
    with tempfile.TemporaryDirectory() as tmp:
        curvas = []
        for j, (rotulo, chamada) in enumerate(series):
            dados = os.path.join(tmp, f"serie{j}.dat")
            with open(dados, "w") as f:
                for i, linha in enumerate(chamada):
                    f.write(f"{coordenada_x(i, linha)} {linha[2]}\n")
            estilo = "linespoints pt 7 ps 0.5" if len(chamada) <= 200 else "lines"
            curvas.append(f"{_aspas(dados)} using 1:2 with {estilo} lw 1.2 title {_aspas(rotulo)}")
        script = _cabecalho(saida, largura, altura, titulo)
        script += (f"set xlabel {_aspas(rotulo_x)}\n"
                   "set ylabel 'fo'\n"
                   "set offsets 0, 0, graph 0.05, graph 0.05\n")
        script += "set key top right\n" if len(series) <= MAX_LEGENDAS else "unset key\n"
        script += "plot " + ", \\\n     ".join(curvas) + "\n"
        _gnuplot(script, saida)
    return len(series)
