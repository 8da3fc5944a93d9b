#!/usr/bin/env python3
"""Desenha, em PNG e com o gnuplot, o que a bancada produz.

  graficos.py percurso (PASTA_INSTANCIA | ARQUIVO.tsp) (--percurso LINHA | --percurso-de ARQUIVO)
              -o SAIDA.png [--otimo [TOUR]] [--tamanho 800x600] [--rotulos] [--legenda TEXTO]
              [--nome NOME] [--escala K|auto] [--conversor EXE]
      As cidades da instancia (c50info.txt e c50.txt da pasta, ou o .tsp
      convertido numa pasta de rascunho), a cidade 0 destacada e o percurso
      fechado. LINHA e uma linha de percurso como o programa imprime
      ("0 -> 8 -> ... -> 0"); ARQUIVO e um .tour ou um texto (por exemplo a
      saida gravada do programa) do qual se usa a ultima linha de percurso.
      O titulo traz a instancia e o comprimento recalculado com as mesmas
      contas do programa (distancias e soma em precisao simples) e o gap
      quando ha referencia (o NOME.opt.tour ao lado do .tsp, o OTIMO da
      pasta), seguido da legenda. --otimo desenha por baixo um .tour (sem
      arquivo, o NOME.opt.tour ao lado do .tsp) e mede o gap contra ele. Os
      eixos guardam a proporcao do plano.

  graficos.py convergencia ARQUIVO... -o SAIDA.png [--eixo auto|tempo|iteracao|evento]
              [--tamanho 800x600] [--titulo TEXTO]
      A fo contra o tempo decorrido, a iteracao ou o numero do evento (a ordem
      da linha dentro da chamada) de um ou mais arquivos de traco. auto (o
      padrao): o tempo quando os tempos variam; senao a iteracao ou o evento,
      e a linha de resumo diz por que. Arquivos de traco do programa:
      "SAsaida.txt", "BTsaida.txt" com "BTsaidaMelhorfo.txt", ... Os que
      crescem de uma chamada para outra ("Descidasaida.txt") viram uma curva por
      chamada. A legenda diz o que cada arquivo conhecido registra ("valor
      corrente", "melhor valor"); outros arquivos aparecem pelo nome.

  graficos.py traco ARQUIVO.traco.csv -o SAIDA.png [--eixo auto|tempo|iteracao|evento]
              [--instancia PASTA|ARQUIVO.tsp] [--referencia FO] [--tamanho 800x600]
      O traco uniforme do experimenta (--saida): cada passo da cadeia depois
      do anterior num so eixo, o valor corrente e a melhor fo; no VNS a fo de
      cada solucao perturbada e a da sua descida, no GRASP a de cada iteracao,
      no genetico a melhor e a media de cada geracao; com busca tabu, um
      segundo painel a partir do primeiro movimento de piora. O titulo traz a
      instancia, a cadeia, a fo final e o gap (referencia da --instancia ou
      --referencia).

  graficos.py descidas ARQUIVO -o SAIDA.png [--tamanho 800x600] [--titulo TEXTO]
      Para um traco de descida com muitas chamadas (o "Descidasaida.txt" do
      GRASP, uma descida por iteracao, ou do VNS): a fo ao fim de cada
      chamada e a melhor fo ate ela, contra o numero da chamada.

  graficos.py distribuicao LOTE.csv -o SAIDA.png [--valor auto|gap|fo]
              [--tamanho 800x600] [--titulo TEXTO]
      Do CSV por execucao de um estudo do lote (--sementes/--param): uma caixa
      por metodo (o roteiro, com os parametros) e instancia, do 1o ao 3o
      quartil, com a mediana, bigodes do minimo ao maximo e um ponto por
      execucao. Desenha o gap quando toda execucao tem referencia, senao a fo.

  graficos.py sementes TRACO.csv... -o SAIDA.png [--eixo tempo|iteracao]
              [--passo N] [--faixa quartis|minmax] [--tamanho 800x600] [--titulo TEXTO]
      Os .traco.csv do experimenta de varias sementes de uma mesma cadeia: a
      melhor fo ate cada instante de cada semente, a mediana entre elas e a
      faixa (quartis ou minimo a maximo). Na cadeia inteira, o tempo (ou a
      iteracao) de cada metodo continua de onde o anterior terminou; --passo N
      mostra so o N-esimo metodo.

Sai com status 0 e uma linha de resumo; com status 1 e uma mensagem em stderr
quando a entrada e invalida ou o gnuplot falha.
"""
import argparse
import bisect
import csv
import math
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile

PROGRAMA = "graficos.py"
MAX_LEGENDAS = 10  # acima disso a legenda cobriria o grafico


class ErroEntrada(Exception):
    """Entrada que o usuario precisa corrigir; a mensagem diz o que esta errado."""


def f32(x):
    """Arredonda para precisao simples, como um float do programa."""
    return struct.unpack("f", struct.pack("f", x))[0]


# ---------------------------------------------------------------- instancia

def _inteiros(caminho, texto):
    try:
        return [int(t) for t in texto.split()]
    except ValueError as e:
        raise ErroEntrada(f"{caminho}: esperava apenas numeros inteiros ({e})") from None


def le_instancia(pasta):
    """Devolve a lista de coordenadas (x, y) das cidades 0 a n-1 da pasta."""
    info = os.path.join(pasta, "c50info.txt")
    coords = os.path.join(pasta, "c50.txt")
    try:
        with open(info, encoding="latin-1") as f:
            campos = f.read().split()
        with open(coords, encoding="latin-1") as f:
            registros = f.read()
    except OSError as e:
        raise ErroEntrada(f"instancia invalida: {e.filename}: {e.strerror}") from None
    # c50info.txt: numero de cidades alem da 0, um real e um inteiro sem uso, x0 y0.
    if len(campos) < 5:
        raise ErroEntrada(f"instancia invalida: {info}: esperava 5 valores")
    try:
        n = int(campos[0]) + 1
        x0, y0 = int(campos[3]), int(campos[4])
    except ValueError:
        raise ErroEntrada(f"instancia invalida: {info}: valores nao inteiros") from None
    if n < 1:
        raise ErroEntrada(f"instancia invalida: {info}: numero de cidades negativo")
    valores = _inteiros(coords, registros)
    if len(valores) % 4 != 0:
        raise ErroEntrada(f"instancia invalida: {coords}: registro incompleto")
    pontos = [None] * n
    pontos[0] = (x0, y0)
    for i in range(0, len(valores), 4):
        cidade, x, y = valores[i:i + 3]
        if not 1 <= cidade < n:
            raise ErroEntrada(f"instancia invalida: {coords}: cidade {cidade} fora de 1..{n - 1}")
        pontos[cidade] = (x, y)
    faltam = [c for c in range(n) if pontos[c] is None]
    if faltam:
        raise ErroEntrada(f"instancia invalida: {coords}: falta a cidade {faltam[0]}")
    return pontos


def distancia(a, b):
    return f32(math.sqrt((a[0] - b[0]) ** 2 + (a[1] - b[1]) ** 2))


def comprimento(percurso, pontos):
    """Comprimento do percurso fechado, somado como o programa soma."""
    n = len(percurso)
    soma = 0.0
    for i in range(n - 1):
        soma = f32(distancia(pontos[percurso[i]], pontos[percurso[i + 1]]) + soma)
    return f32(distancia(pontos[percurso[n - 1]], pontos[percurso[0]]) + soma)


RAIZ = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def nome_da_instancia(caminho):
    """O nome que vai nos titulos: o .tsp sem a extensao; a pasta de uma
    execucao do lote (PASTA/INSTANCIA/ROTEIRO) da o nome da instancia."""
    caminho = os.path.normpath(caminho)
    if caminho.lower().endswith(".tsp"):
        return os.path.basename(caminho)[:-4]
    if all(os.path.isfile(os.path.join(caminho, a)) for a in ("entrada.txt", "saida.txt")):
        return os.path.basename(os.path.dirname(caminho))
    return os.path.basename(caminho)


def conversor_padrao():
    """O converte_tsplib do build/ do projeto, ou o do PATH."""
    compilado = os.path.join(RAIZ, "build", "ferramentas", "converte_tsplib")
    return compilado if os.access(compilado, os.X_OK) else shutil.which("converte_tsplib")


def pontos_da_instancia(caminho, escala=None, conversor=None):
    """As coordenadas de uma pasta de instancia ou de um .tsp, que o conversor
    do projeto converte numa pasta de rascunho, apagada em seguida."""
    if os.path.isdir(caminho):
        return le_instancia(caminho)
    if not (caminho.lower().endswith(".tsp") and os.path.isfile(caminho)):
        raise ErroEntrada(f"{caminho}: nao e pasta de instancia (c50info.txt e c50.txt) nem "
                          "arquivo .tsp")
    conversor = conversor or conversor_padrao()
    if not conversor:
        raise ErroEntrada(f"{caminho}: o conversor converte_tsplib nao foi encontrado; "
                          f"converta primeiro (converte_tsplib {caminho} PASTA) e passe a PASTA")
    with tempfile.TemporaryDirectory(prefix="graficos.") as tmp:
        pasta = os.path.join(tmp, "instancia")
        comando = [conversor] + (["--escala", escala] if escala else []) + [caminho, pasta]
        r = subprocess.run(comando, capture_output=True)
        if r.returncode != 0:
            erros = r.stderr.decode("latin-1").strip().splitlines()
            raise ErroEntrada(erros[0] if erros else f"{conversor}: status {r.returncode}")
        return le_instancia(pasta)


def referencia_da_instancia(caminho, pontos):
    """(comprimento, origem) da referencia do gap, como o experimenta a acha:
    o NOME.opt.tour ao lado do .tsp, medido como o programa mede, ou o arquivo
    OTIMO da pasta; None sem nenhum."""
    if caminho.lower().endswith(".tsp"):
        tour = caminho[:-4] + ".opt.tour"
        if os.path.isfile(tour):
            import percurso_tsplib
            return comprimento(percurso_tsplib.le_tour(tour, len(pontos)), pontos), "opt.tour"
        return None
    otimo = os.path.join(caminho, "OTIMO")
    try:
        with open(otimo) as f:
            return float(f.read().split()[0]), "OTIMO"
    except (OSError, ValueError, IndexError):
        return None


def texto_do_gap(fo, referencia):
    if not referencia:
        return ""
    valor, origem = referencia
    return f", gap {100 * (fo - valor) / valor:.2f}% sobre {origem} ({valor:.2f})"


# ----------------------------------------------------------------- percurso

_LINHA_PERCURSO = re.compile(r"^\s*-?\d+(\s*->\s*-?\d+)+\s*$")


def ultima_linha_de_percurso(texto, origem):
    linhas = [l for l in texto.splitlines() if _LINHA_PERCURSO.match(l)]
    if not linhas:
        raise ErroEntrada(f"percurso invalido: nenhuma linha de percurso em {origem}")
    return linhas[-1]


def le_percurso(linha, n):
    """Converte "0 -> 8 -> ... -> 0" numa lista de cidades, conferindo que e
    uma permutacao de 0..n-1 fechada na cidade do inicio."""
    partes = [p.strip() for p in linha.strip().split("->")]
    cidades = []
    for p in partes:
        if not re.fullmatch(r"-?\d+", p):
            raise ErroEntrada(f"percurso invalido: '{p}' nao e um numero de cidade")
        cidades.append(int(p))
    if len(cidades) < 2 or cidades[-1] != cidades[0]:
        raise ErroEntrada("percurso invalido: a linha deve terminar na cidade em que comeca "
                          "(\"0 -> ... -> 0\")")
    cidades.pop()
    for c in cidades:
        if not 0 <= c < n:
            raise ErroEntrada(f"percurso invalido: cidade {c} fora de 0..{n - 1}")
    vistas = set()
    for c in cidades:
        if c in vistas:
            raise ErroEntrada(f"percurso invalido: a cidade {c} aparece mais de uma vez")
        vistas.add(c)
    if len(cidades) != n:
        falta = min(set(range(n)) - vistas)
        raise ErroEntrada(f"percurso invalido: {len(cidades)} cidades, a instancia tem {n} "
                          f"(falta a cidade {falta})")
    return cidades


# ------------------------------------------------------------------- tracos

_LINHA_TRACO = re.compile(r"^\s*(-?\d+\.\d+)\t\s*(-?\d+)\t\s*(-?\d+\.\d+|-?inf|-?nan)\s*$")


def separa_chamadas(linhas):
    """Separa as linhas (t, k, fo) de um arquivo de traco em chamadas.

    Cada chamada comeca no tempo 0.00 e termina com uma linha de fechamento que
    repete a fo da linha anterior. Uma nova chamada comeca onde o tempo ou a
    iteracao voltam atras, ou numa linha de tempo 0.00 e iteracao 0 logo apos um
    fechamento (chamadas rapidas nao avancam o relogio)."""
    chamadas = []
    atual = []
    for linha in linhas:
        t, k, fo = linha
        nova = False
        if atual:
            t_ant, k_ant, fo_ant = atual[-1]
            if t < t_ant or k < k_ant:
                nova = True
            elif (t == 0.0 and k == 0 and k_ant == 0 and len(atual) >= 2
                  and fo_ant == atual[-2][2]):
                nova = True
        if nova:
            chamadas.append(atual)
            atual = []
        atual.append(linha)
    if atual:
        chamadas.append(atual)
    return chamadas


def le_traco(caminho):
    """Devolve as chamadas registradas no arquivo, cada uma uma lista de (t, k, fo)."""
    try:
        with open(caminho, encoding="latin-1") as f:
            texto = f.read()
    except OSError as e:
        raise ErroEntrada(f"{caminho}: {e.strerror}") from None
    linhas = []
    for numero, linha in enumerate(texto.splitlines(), 1):
        if not linha.strip():
            continue
        m = _LINHA_TRACO.match(linha)
        if not m:
            raise ErroEntrada(f"{caminho}:{numero}: linha fora do formato de traco: {linha!r}")
        linhas.append((float(m.group(1)), int(m.group(2)), float(m.group(3))))
    if not linhas:
        raise ErroEntrada(f"{caminho}: arquivo de traco vazio")
    return separa_chamadas(linhas)


# ------------------------------------------------------------------ gnuplot

def _aspas(texto):
    return "'" + str(texto).replace("'", "''") + "'"


def _gnuplot(script, saida):
    executavel = shutil.which("gnuplot")
    if executavel is None:
        raise ErroEntrada("gnuplot nao encontrado (Debian: apt-get install gnuplot-nox)")
    if os.path.exists(saida):
        os.remove(saida)  # para nao confundir um PNG antigo com o novo
    r = subprocess.run([executavel], input=script, text=True, capture_output=True)
    if r.returncode != 0 or not os.path.isfile(saida) or os.path.getsize(saida) == 0:
        raise ErroEntrada(f"o gnuplot falhou ao gravar {saida}: {r.stderr.strip()}")


def _cabecalho(saida, largura, altura, titulo):
    return (f"set terminal pngcairo size {largura},{altura} noenhanced font ',10'\n"
            f"set output {_aspas(saida)}\n"
            f"set title {_aspas(titulo)}\n"
            "set grid lc rgb '#dddddd'\n")


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


# ------------------------------------------------- estudos de sementes (lote)

def le_csv(caminho, colunas):
    """As linhas (dicts) de um CSV que precisa das `colunas`."""
    try:
        with open(caminho, newline="", encoding="utf-8") as f:
            leitor = csv.DictReader(f)
            linhas = list(leitor)
            cabecalho = leitor.fieldnames or []
    except OSError as e:
        raise ErroEntrada(f"{caminho}: {e.strerror}") from None
    faltam = [c for c in colunas if c not in cabecalho]
    if faltam:
        raise ErroEntrada(f"{caminho}: falta a coluna {faltam[0]}")
    return linhas


def _numero(texto, origem):
    try:
        return float(texto)
    except ValueError:
        raise ErroEntrada(f"{origem}: '{texto}' nao e um numero") from None


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
    CSV por execucao do lote; metodo e o roteiro, com os parametros entre
    colchetes. valor 'auto': o gap quando toda execucao tem referencia, senao fo."""
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
        metodo = l["roteiro"] + (f" [{l['parametros']}]" if l["parametros"] else "")
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


COLUNAS_TRACO_CSV = ("passo", "metodo", "evento", "iteracao", "tempo", "fo", "fo_star",
                     "temperatura", "media")
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


# ------------------------------------------ traco uniforme do experimenta

INICIAIS = ("vizinho-parcial", "insercao-parcial", "vizinho", "insercao", "aleatoria")


def partes_do_nome(caminho):
    """(instancia, inicial, cadeia, semente) do nome que o experimenta da ao
    traco (INSTANCIA-INICIAL+M1+M2-sSEMENTE.traco.csv); None fora dele."""
    base = os.path.basename(caminho)
    base = base[:-len(".traco.csv")] if base.endswith(".traco.csv") else base
    m = re.fullmatch(r"(.+)-(" + "|".join(INICIAIS) + r")((?:\+[a-z-]+)*)-s(\d+|programa)", base)
    return m and (m.group(1), m.group(2), m.group(3)[1:], m.group(4))


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


def le_traco_uniforme(caminho):
    """Os passos do traco, [(metodo, [linha])], com os numeros ja lidos."""
    passos = []
    for numero, l in enumerate(le_csv(caminho, COLUNAS_TRACO_CSV), 2):
        origem = f"{caminho}:{numero}"
        linha = {"evento": l["evento"], "metodo": l["metodo"]}
        for col in ("iteracao", "tempo", "fo"):
            linha[col] = _numero(l[col], origem)
        linha["fo_star"] = _numero(l["fo_star"] or l["fo"], origem)
        linha["media"] = _numero(l["media"], origem) if l["media"] else None
        if not passos or passos[-1][0] != l["passo"]:
            passos.append((l["passo"], l["metodo"], []))
        passos[-1][2].append(linha)
    if not passos:
        raise ErroEntrada(f"{caminho}: nenhuma linha de traco")
    return [(m, ls) for _, m, ls in passos]


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


# ---------------------------------------------------------------------- CLI

def _tamanho(texto):
    m = re.fullmatch(r"(\d+)x(\d+)", texto)
    if not m or not all(100 <= int(v) <= 5000 for v in m.groups()):
        raise argparse.ArgumentTypeError("use LARGURAxALTURA, de 100 a 5000 pixels (ex.: 800x600)")
    return int(m.group(1)), int(m.group(2))


def _opcoes_do_tsp(p):
    p.add_argument("--escala", metavar="K", help="com um .tsp: repassado ao conversor "
                   "(K ou auto), para coordenadas reais")
    p.add_argument("--conversor", metavar="EXE", help="com um .tsp: o converte_tsplib "
                   "(padrao: o de build/ferramentas, ou o do PATH)")


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
    _opcoes_do_tsp(pp)

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
    _opcoes_do_tsp(pt)
    pt.add_argument("--tamanho", type=_tamanho, default=(800, 600), help="LARGURAxALTURA")
    pt.add_argument("--titulo")

    args = p.parse_args(argv)
    largura, altura = args.tamanho
    try:
        if args.comando == "percurso":
            if args.percurso_de is not None:
                try:
                    with open(args.percurso_de, encoding="latin-1") as f:
                        texto = f.read()
                except OSError as e:
                    raise ErroEntrada(f"{args.percurso_de}: {e.strerror}") from None
                if re.search(r"(?m)^\s*TOUR_SECTION\s*$", texto):
                    # Um .tour (do experimenta, do percurso_tsplib.py, da TSPLIB).
                    import percurso_tsplib
                    n = len(pontos_da_instancia(args.instancia, args.escala, args.conversor))
                    cidades = percurso_tsplib.le_tour(args.percurso_de, n)
                    linha = " -> ".join(str(c) for c in cidades + [cidades[0]])
                else:
                    linha = ultima_linha_de_percurso(texto, args.percurso_de)
            else:
                linha = args.percurso
            fo, titulo = percurso_com_titulo(args.instancia, linha, args.saida, largura, altura,
                                             args.rotulos, args.legenda, args.escala,
                                             args.conversor, args.otimo, args.nome)
            print(f"{args.saida}: fo recalculada = {fo:f}; titulo: {titulo}")
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


if __name__ == "__main__":
    sys.exit(main())
