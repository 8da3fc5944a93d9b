#!/usr/bin/env python3
"""Executa a bancada em lote: roteiros de menu sobre instancias.

  lote.py --programa build/bancada (--roteiros ARQUIVO | --roteiro "NOME: 1 5 2")...
          --csv SAIDA.csv [--tabela SAIDA.md] [--trabalho PASTA] [--tempo-limite S]
          [-j N | --dask tcp://MAQUINA:8786] [--conversor EXE] [--escala K]
          INSTANCIA...

Um roteiro e o caminho de menu de uma execucao: escolhas do menu principal,
cada uma seguida da opcao do submenu quando tem um (1 construcao: 1 a 5;
7 GRASP: 1 ou 2; 10 genetico: 1 ou 2). "1 5 5 2" constroi a solucao aleatoria,
aplica o Simulated Annealing e depois a Descida. O lote acrescenta o 0 final e,
depois de cada 6 (Busca Tabu), a linha vazia que a pausa da busca consome.
No arquivo de roteiros cada linha e "nome: escolhas"; '#' inicia comentario.

Uma instancia e uma pasta (c50info.txt, c50.txt e, opcionalmente, OTIMO) ou um
arquivo .tsp da TSPLIB, convertido pelo conversor do projeto
(build/ferramentas/converte_tsplib, ao lado do programa; --escala K repassado
a ele; com --escala auto, cada arquivo tem o seu fator, dito numa linha na
saida de erros); um .tsp recusado pelo conversor da linhas de falha com o motivo.

Cada execucao roda o programa real numa pasta de trabalho propria (com
c50info.txt e c50.txt da instancia). Com -j N, ate N execucoes ao mesmo tempo
(padrao: o numero de nucleos); com --dask, as execucoes vao para os
trabalhadores de um escalonador do Dask distributed, que recebem o executavel
junto com as tarefas e devolvem a saida e os arquivos de traco. O CSV e as
pastas guardadas sao os mesmos de uma execucao serial (tempos a parte), com as
linhas na ordem das instancias e dos roteiros. Uma execucao que o Dask nao
conclui (os trabalhadores morreram em cada tentativa) vira linhas de falha.
Cada passo do roteiro vira uma linha do CSV, com os valores lidos do
relatorio que o programa imprimiu:

  instancia, cidades, roteiro, passo, caminho_menu, metodo, fo, tempo_cpu_s,
  otimo, gap_pct, referencia, estado, detalhe

Com --trabalho, a pasta de cada execucao guarda a entrada (entrada.txt), a
saida do programa (saida.txt), os arquivos de traco e o percurso do ultimo
relatorio lido em percurso.tour, no formato de percurso da TSPLIB (ver
percurso_tsplib.py).

fo e tempo_cpu_s sao copiados do relatorio como impressos ("Funcao objetivo"
ou "Melhor fo encontrada", "Tempo de CPU"; as construcoes nao tem tempo).
gap_pct e 100 * (fo - otimo) / otimo, e referencia diz de onde vem o otimo:
opt.tour quando um NOME.opt.tour esta ao lado de NOME.tsp (o comprimento desse
percurso medido como o programa mede: o gap de um percurso otimo e 0.00);
OTIMO quando a pasta da instancia tem esse arquivo. Os otimos publicados da
TSPLIB usam distancias arredondadas para inteiros, e o programa soma
distancias exatas: com OTIMO, o gap de um percurso otimo fica um pouco acima
de zero (e pode ate ser negativo).

estado: ok; sem_relatorio quando o passo terminou sem o relatorio do seu metodo
(metodo nao disponivel na versao do programa, refinamento sem solucao inicial);
fora_do_roteiro quando o programa nao mostrou o submenu de uma escolha (a opcao
seguinte foi lida como escolha do menu principal), para esse passo e os
seguintes, que ja nao correspondem ao roteiro;
falha quando o programa terminou com status diferente de 0 ou por sinal, o
.tsp foi recusado ou o Dask nao concluiu a execucao, e entao todos os passos
da execucao sao falhas, sem valor; tempo_esgotado quando a execucao passou de
--tempo-limite segundos e foi interrompida. detalhe diz o motivo (status e a
ultima linha impressa, cabecalho ausente...).

Uma linha de progresso vai para a saida de erros a cada execucao terminada:
feitas/total, falhas, tempo decorrido e estimativa do restante. Se alguma
execucao falhou (falha, tempo_esgotado), o lote grava tudo, diz quantas e qual
a primeira na saida de erros e sai com status 3; 1 e 2 ficam para o lote que
nem comecou (roteiro ou opcao invalida).

Estudos de sementes e de parametros:

  lote.py (--sementes A-B | --param NOME=V1,V2,...)... [--experimenta EXE]
          (--roteiros ARQUIVO | --roteiro "NOME: 1 5 2")... --csv SAIDA.csv
          [--resumo RESUMO.csv] [--tabela SAIDA.md] [--trabalho PASTA]
          [--tempo-limite S] [-j N | --dask ENDERECO] [--escala K] INSTANCIA...

Com --sementes ou --param cada roteiro (uma construcao seguida de
refinamentos) roda pelo experimenta (padrao: ferramentas/experimenta ao lado
de --programa), que constroi e refina numa so chamada com a semente e os
parametros dados e le o .tsp sozinho. Uma chamada por instancia, roteiro,
conjunto de parametros e semente: --sementes 1-10 da dez; sem --sementes, uma
com as sementes fixas do programa. --param NOME=V1,V2 varia uma constante de
nucleo/parametros.h; com varios --param, cada combinacao dos valores e um
conjunto (o primeiro --param varia mais devagar). --tempo-limite S passa a ser
o orcamento de tempo de processador de cada metodo (o metodo para e a cadeia
segue; estado tempo_limite, que ainda e resultado), e --escala K vai para o
experimenta, que le o .tsp (--conversor nao e usado); a chamada que passar de
600 s de relogio, mais duas vezes os orcamentos da cadeia, e interrompida.

O CSV tem uma linha por chamada: roteiro, instancia, cidades, inicial,
cadeia, parametros (o conjunto pedido, NOME=VALOR;...), semente,
tempo_limite, fo_inicial, fo, referencia, origem_referencia (opt.tour: o
.opt.tour medido pelo experimenta; OTIMO: o arquivo da pasta, um otimo de
distancias arredondadas), gap, tempo (soma dos metodos),
estado (ok, tempo_limite, falha, interrompida, tempo_esgotado), detalhe,
versao, e fo_M, tempo_M, iteracoes_M, parada_M de cada metodo M da cadeia,
ate a cadeia mais longa. O resumo (--resumo, e em Markdown na saida e em
--tabela) tem uma linha por instancia, roteiro e conjunto: execucoes com
valor, falhas, media, desvio padrao amostral, minimo, mediana e maximo de fo,
gap e tempo, e a semente da melhor fo. Com --trabalho, PASTA/INSTANCIA/ROTEIRO
(e /NOME=VALOR,... com --param) guarda o .tour e o .traco.csv de cada semente
e a copia do melhor percurso em melhor.tour.
"""
import argparse
import csv
import io
import itertools
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
from concurrent.futures import ThreadPoolExecutor, as_completed
from dataclasses import dataclass

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import graficos  # noqa: E402
import percurso_tsplib  # noqa: E402

PROGRAMA = "lote.py"

COLUNAS = ["instancia", "cidades", "roteiro", "passo", "caminho_menu", "metodo", "fo",
           "tempo_cpu_s", "otimo", "gap_pct", "referencia", "estado", "detalhe"]


@dataclass(frozen=True)
class Metodo:
    nome: str
    cabecalho: str    # a linha de titulo do relatorio, sem as quebras de linha
    construcao: bool  # relatorio com "Funcao objetivo" e sem tempo


_DESCIDA = "Solucao construida usando o Metodo da Descida:"
_GENETICO = "Solucao construida usando Algoritmos Geneticos:"

# (escolha do menu principal, opcao do submenu ou None) -> metodo
METODOS = {
    (1, 1): Metodo("Gulosa (Vizinho mais proximo)",
                   "Solucao construida de forma gulosa:", True),
    (1, 2): Metodo("Parcialmente gulosa (Vizinho mais proximo)",
                   "Solucao construida de forma parcialmente gulosa pelo Metodo do "
                   "Vizinho Mais Proximo :", True),
    (1, 3): Metodo("Gulosa (Insercao Mais Barata)",
                   "Solucao construida de forma gulosa pelo Metodo da Insercao Mais Barata:",
                   True),
    (1, 4): Metodo("Parcialmente gulosa (Insercao Mais Barata)",
                   "Solucao construida de forma parcialmente gulosa pelo Metodo da "
                   "Insercao Mais Barata:", True),
    (1, 5): Metodo("Aleatoria", "Solucao construida de forma aleatoria:", True),
    (2, None): Metodo("Descida", _DESCIDA, False),
    (3, None): Metodo("Descida randomica",
                      "Solucao construida usando o Metodo da Descida Randomica:", False),
    (4, None): Metodo("Descida parcial", _DESCIDA, False),
    (5, None): Metodo("Simulated Annealing",
                      "Solucao construida usando o Metodo Simulated Annealing:", False),
    (6, None): Metodo("Busca Tabu", "Solucao construida usando o Metodo Busca Tabu:", False),
    (7, 1): Metodo("GRASP (Vizinho Mais Proximo)",
                   "Solucao construida usando o Metodo GRASP baseado no Vizinho mais proximo:",
                   False),
    (7, 2): Metodo("GRASP (Insercao Mais Barata)",
                   "Solucao construida usando o Metodo GRASP baseado em Insercao mais barata:",
                   False),
    (9, None): Metodo("VNS", "Solucao construida usando o Metodo VNS:", False),
    (10, 1): Metodo("Algoritmos Geneticos (OX)", _GENETICO, False),
    (10, 2): Metodo("Algoritmos Geneticos (ERX)", _GENETICO, False),
}
SUBMENUS = {1: range(1, 6), 7: range(1, 3), 10: range(1, 3)}
TITULOS_SUBMENU = {
    1: "************Geracao da Solucao Inicial**************** ",
    7: "*******************Menu GRASP************************* ",
    10: "****************Menu Algoritmos Geneticos********************** ",
}
ESCOLHA_TABU = 6

TITULO_MENU_PRINCIPAL = "*******************Menu Principal************************* "
_PROMPT = re.compile(r"^ {16}[Ee]scolha: ")
_PERCURSO = re.compile(r"^-?\d+( -> -?\d+)+ $")
_FUNCAO_OBJETIVO = re.compile(r"^Funcao objetivo = (\S+)$")
_MELHOR_FO = re.compile(r"^Melhor fo encontrada = (\S+) $")
_TEMPO = re.compile(r"^Tempo de CPU = (\S+) segundos$")


class ErroRoteiro(Exception):
    pass


# ----------------------------------------------------------------- roteiros

def interpreta_caminho(texto):
    """'1 5 7 2' -> [(1, 5), (7, 2)]: os passos do roteiro, conferidos."""
    try:
        numeros = [int(t) for t in texto.split()]
    except ValueError:
        raise ErroRoteiro(f"'{texto}': use apenas numeros de menu separados por espacos") from None
    passos = []
    i = 0
    while i < len(numeros):
        escolha = numeros[i]
        if escolha == 0:
            raise ErroRoteiro(f"'{texto}': nao ponha o 0 (Sair); o lote o acrescenta no fim")
        if escolha == 8:
            raise ErroRoteiro(f"'{texto}': a escolha 8 (VND) nao tem metodo nem relatorio")
        if not 1 <= escolha <= 10:
            raise ErroRoteiro(f"'{texto}': {escolha} nao e escolha do menu principal (1 a 10)")
        opcao = None
        if escolha in SUBMENUS:
            if i + 1 >= len(numeros):
                raise ErroRoteiro(f"'{texto}': falta a opcao do submenu da escolha {escolha}")
            opcao = numeros[i + 1]
            validas = SUBMENUS[escolha]
            if opcao not in validas:
                raise ErroRoteiro(f"'{texto}': {opcao} nao e opcao do submenu da escolha "
                                  f"{escolha} ({validas.start} a {validas.stop - 1})")
            i += 1
        passos.append((escolha, opcao))
        i += 1
    if not passos:
        raise ErroRoteiro("roteiro vazio")
    return passos


def texto_do_passo(passo):
    escolha, opcao = passo
    return str(escolha) if opcao is None else f"{escolha} {opcao}"


def entrada_do_roteiro(passos):
    """O que o programa le da entrada padrao para seguir o roteiro e sair."""
    linhas = []
    for escolha, opcao in passos:
        linhas.append(str(escolha))
        if opcao is not None:
            linhas.append(str(opcao))
        if escolha == ESCOLHA_TABU:
            linhas.append("")  # a busca tabu espera uma tecla antes do relatorio
    linhas.append("0")
    return "\n".join(linhas) + "\n"


_NOME = re.compile(r"^[A-Za-z0-9_.-]+$")


def interpreta_roteiro(linha):
    """'nome: 1 5 2' -> (nome, passos)."""
    nome, sep, caminho = linha.partition(":")
    nome = nome.strip()
    if not sep or not _NOME.match(nome):
        raise ErroRoteiro(f"'{linha}': use 'nome: escolhas', nome com letras, numeros, _ . -")
    return nome, interpreta_caminho(caminho)


def le_roteiros(caminho):
    roteiros = []
    with open(caminho, encoding="utf-8") as f:
        for numero, linha in enumerate(f, 1):
            linha = linha.split("#", 1)[0].strip()
            if not linha:
                continue
            try:
                roteiros.append(interpreta_roteiro(linha))
            except ErroRoteiro as e:
                raise ErroRoteiro(f"{caminho}:{numero}: {e}") from None
    return roteiros


# ---------------------------------------------------------------- instancia

ARQUIVOS_DA_INSTANCIA = ("c50info.txt", "c50.txt")


def le_cidades(pasta):
    """Numero de cidades da instancia (cidade 0 incluida), ou None se ilegivel."""
    try:
        with open(os.path.join(pasta, "c50info.txt"), encoding="latin-1") as f:
            return int(f.read().split()[0]) + 1
    except (OSError, ValueError, IndexError):
        return None


def le_otimo(pasta):
    caminho = os.path.join(pasta, "OTIMO")
    if not os.path.exists(caminho):
        return None
    with open(caminho, encoding="latin-1") as f:
        texto = f.read().strip()
    try:
        return float(texto)
    except ValueError:
        raise ErroRoteiro(f"{caminho}: esperava um numero, encontrei '{texto}'") from None


@dataclass
class Instancia:
    nome: str
    arquivos: dict        # nome -> conteudo, copiados para a pasta de cada execucao
    cidades: int | None = None
    otimo: str = ""       # como vai para o CSV
    referencia: str = ""  # de onde veio o otimo: "opt.tour" ou "OTIMO"
    recusa: str = ""      # por que o .tsp nao virou instancia
    escala: str = ""      # com --escala auto, o fator que o conversor escolheu


def e_tsplib(caminho):
    return caminho.endswith(".tsp") and not os.path.isdir(caminho)


def nome_da_instancia(caminho):
    nome = os.path.basename(os.path.normpath(caminho))
    return nome[:-4] if e_tsplib(caminho) else nome


def _le_arquivos(pasta):
    arquivos = {}
    for nome in ARQUIVOS_DA_INSTANCIA:
        caminho = os.path.join(pasta, nome)
        if os.path.exists(caminho):
            with open(caminho, "rb") as f:
                arquivos[nome] = f.read()
    return arquivos


def _mede_otimo(tour, pasta):
    """O comprimento do .opt.tour medido como o programa mede, na instancia convertida."""
    try:
        pontos = graficos.le_instancia(pasta)
        fo = graficos.comprimento(percurso_tsplib.le_tour(tour, len(pontos)), pontos)
    except graficos.ErroEntrada as e:
        raise ErroRoteiro(str(e)) from None
    return f"{fo:f}"


def escala_escolhida(texto):
    """O que a linha do conversor (ou do experimenta) diz da escala auto."""
    m = re.search(r"escala auto: (coordenadas inteiras, sem escala|fator \d+)", texto)
    return m.group(1) if m else ""


def relata_escalas(escalas, fluxo):
    """Uma linha por arquivo convertido com --escala auto: o fator escolhido."""
    for nome, escala in escalas:
        print(f"{PROGRAMA}: {nome}.tsp: escala auto: {escala}", file=fluxo)


def prepara_instancia(caminho, conversor=None, escala=None, temporaria=None):
    """Le uma pasta de instancia, ou converte um .tsp com o conversor do projeto
    numa pasta dentro de `temporaria`."""
    nome = nome_da_instancia(caminho)
    if not e_tsplib(caminho):
        otimo = le_otimo(caminho)
        return Instancia(nome, _le_arquivos(caminho), le_cidades(caminho),
                         "" if otimo is None else f"{otimo:g}",
                         "" if otimo is None else "OTIMO")
    pasta = os.path.join(temporaria, nome)
    comando = [conversor] + (["--escala", escala] if escala else []) + [caminho, pasta]
    r = subprocess.run(comando, capture_output=True)
    if r.returncode != 0:
        erros = r.stderr.decode("latin-1").strip().splitlines()
        motivo = erros[0] if erros else f"status de saida {r.returncode}"
        return Instancia(nome, {}, recusa=f"conversao recusada: {motivo}")
    instancia = Instancia(nome, _le_arquivos(pasta), le_cidades(pasta),
                          escala=escala_escolhida(r.stdout.decode("latin-1")))
    tour = caminho[:-4] + ".opt.tour"
    if os.path.isfile(tour):
        instancia.otimo, instancia.referencia = _mede_otimo(tour, pasta), "opt.tour"
    return instancia


# ----------------------------------------------------------------- execucao

@dataclass
class Execucao:
    status: int | None   # None quando interrompida por tempo
    saida: str


def prepara_pasta(pasta, arquivos):
    for nome, conteudo in arquivos.items():
        caminho = os.path.join(pasta, nome)
        os.makedirs(os.path.dirname(caminho), exist_ok=True)
        with open(caminho, "wb") as f:
            f.write(conteudo)


def roda_programa(programa, pasta, tempo_limite):
    """Roda o programa em `pasta`, que ja tem a instancia e a entrada.txt;
    grava la a saida padrao e, se houver, a saida de erros. Devolve o status
    (None se interrompido por tempo) e a saida padrao."""
    with open(os.path.join(pasta, "entrada.txt"), "rb") as f:
        entrada = f.read()
    try:
        r = subprocess.run([programa], cwd=pasta, input=entrada, capture_output=True,
                           timeout=tempo_limite)
        status, saida, erros = r.returncode, r.stdout, r.stderr
    except subprocess.TimeoutExpired as e:
        status, saida, erros = None, e.stdout or b"", e.stderr or b""
    with open(os.path.join(pasta, "saida.txt"), "wb") as f:
        f.write(saida)
    if erros:
        with open(os.path.join(pasta, "erros.txt"), "wb") as f:
            f.write(erros)
    return status, saida


def _executavel_no_trabalhador(programa, local, prefixo):
    """Grava o executavel recebido no diretorio do trabalhador, uma vez por
    conteudo, e devolve o seu caminho."""
    import hashlib
    executavel = os.path.join(local, prefixo + hashlib.sha256(programa).hexdigest()[:16])
    if not os.path.exists(executavel):
        descritor, provisorio = tempfile.mkstemp(dir=local)
        with os.fdopen(descritor, "wb") as f:
            f.write(programa)
        os.chmod(provisorio, 0o755)
        os.replace(provisorio, executavel)
    return executavel


def _insiste(funcao):
    """Roda funcao(); um processo criado por outra thread enquanto o executavel
    estava aberto para escrita segura o descritor ate o seu exec (ETXTBSY)."""
    import errno
    for tentativa in range(5):
        try:
            return funcao()
        except OSError as e:
            if e.errno != errno.ETXTBSY or tentativa == 4:
                raise
            time.sleep(0.2)


def _arquivos_novos(pasta, conhecidos=()):
    novos = {}
    for nome in sorted(os.listdir(pasta)):
        caminho = os.path.join(pasta, nome)
        if nome not in conhecidos and os.path.isfile(caminho):
            with open(caminho, "rb") as f:
                novos[nome] = f.read()
    return novos


def tarefa_remota(programa, arquivos, tempo_limite, devolve):
    """Executada num trabalhador do Dask: grava o programa recebido (uma vez
    por trabalhador), roda-o numa pasta de rascunho propria e devolve o status,
    a saida e, com `devolve`, os arquivos que a execucao criou."""
    from distributed import get_worker
    local = get_worker().local_directory
    executavel = _executavel_no_trabalhador(programa, local, "bancada-")
    pasta = tempfile.mkdtemp(prefix="lote.", dir=local)
    try:
        prepara_pasta(pasta, arquivos)
        status, saida = _insiste(lambda: roda_programa(executavel, pasta, tempo_limite))
        novos = _arquivos_novos(pasta, arquivos) if devolve else {}
        return status, saida, novos
    finally:
        shutil.rmtree(pasta, ignore_errors=True)


@dataclass
class Relatorio:
    estado: str
    fo: str = ""
    tempo: str = ""
    percurso: str = ""
    detalhe: str = ""


def _linhas(texto):
    return [_PROMPT.sub("", l) for l in texto.split("\n")]


def _le_relatorio(trecho, metodo):
    """Procura, no que o programa imprimiu durante um passo, o relatorio do metodo."""
    linhas = _linhas(trecho)
    if metodo.cabecalho not in linhas:
        # O que o passo imprimiu depois do ultimo prompt explica a falta.
        depois = re.split(r"[Ee]scolha: ", trecho)[-1]
        return Relatorio("sem_relatorio",
                         detalhe=f"sem o relatorio do metodo; ultima linha: {_ultima_linha(depois)}")
    i = len(linhas) - 1 - linhas[::-1].index(metodo.cabecalho)
    resto = linhas[i + 1:] + [""] * 4
    fora = Relatorio("sem_relatorio", detalhe="relatorio fora do formato")
    if not _PERCURSO.match(resto[0]):
        return fora
    if metodo.construcao:
        m = _FUNCAO_OBJETIVO.match(resto[1])
        if not m:
            return fora
        return Relatorio("ok", fo=m.group(1), percurso=resto[0])
    m_fo, m_tempo = _MELHOR_FO.match(resto[2]), _TEMPO.match(resto[3])
    if resto[1] != "" or not m_fo or not m_tempo:
        return fora
    return Relatorio("ok", fo=m_fo.group(1), tempo=m_tempo.group(1), percurso=resto[0])


def _ultima_linha(texto):
    for linha in reversed(_linhas(texto)):
        if linha.strip():
            return linha.strip()
    return "(nada impresso)"


def analisa_saida(execucao, passos):
    """Um relatorio por passo. O menu principal reaparece antes de cada escolha,
    entao o que vem entre duas aparicoes e o que o passo imprimiu."""
    if execucao.status is None:
        return [Relatorio("tempo_esgotado", detalhe="execucao interrompida por tempo")
                for _ in passos]
    if execucao.status != 0:
        motivo = (f"status de saida {execucao.status}" if execucao.status > 0
                  else f"terminado pelo sinal {-execucao.status}")
        detalhe = f"{motivo}: {_ultima_linha(execucao.saida)}"
        return [Relatorio("falha", detalhe=detalhe) for _ in passos]
    trechos = execucao.saida.split("\n" + TITULO_MENU_PRINCIPAL + "\n")[1:]
    relatorios = []
    for i, passo in enumerate(passos):
        trecho = trechos[i] if i < len(trechos) else ""
        escolha = passo[0]
        if relatorios and relatorios[-1].estado == "fora_do_roteiro":
            relatorios.append(Relatorio("fora_do_roteiro",
                                        detalhe="um passo anterior saiu do roteiro"))
        elif escolha in TITULOS_SUBMENU and TITULOS_SUBMENU[escolha] not in _linhas(trecho):
            # Sem o submenu, a opcao seguinte foi lida como escolha do menu principal.
            relatorios.append(Relatorio("fora_do_roteiro",
                                        detalhe="o programa nao mostrou o submenu da escolha "
                                                f"{escolha}"))
        else:
            relatorios.append(_le_relatorio(trecho, METODOS[passo]))
    return relatorios


# ---------------------------------------------------------------------- CSV

@dataclass
class Linha:
    valores: dict
    percurso: str = ""            # a linha de percurso do relatorio, para os graficos
    pasta: str = ""               # pasta de trabalho (vazia se foi apagada)


def _gap(fo, otimo):
    try:
        valor, referencia = float(fo), float(otimo)
    except ValueError:
        return ""
    gap = f"{100.0 * (valor - referencia) / referencia:.2f}"
    return "0.00" if gap == "-0.00" else gap


def linhas_da_execucao(instancia, roteiro, passos, relatorios, pasta):
    linhas = []
    for i, (passo, rel) in enumerate(zip(passos, relatorios)):
        caminho = " ".join(texto_do_passo(p) for p in passos[:i + 1])
        valores = {
            "instancia": instancia.nome,
            "cidades": "" if instancia.cidades is None else instancia.cidades,
            "roteiro": roteiro,
            "passo": i + 1,
            "caminho_menu": caminho,
            "metodo": METODOS[passo].nome,
            "fo": rel.fo,
            "tempo_cpu_s": rel.tempo,
            "otimo": instancia.otimo,
            "gap_pct": _gap(rel.fo, instancia.otimo) if rel.fo and instancia.otimo else "",
            "referencia": instancia.referencia,
            "estado": rel.estado,
            "detalhe": rel.detalhe,
        }
        linhas.append(Linha(valores, rel.percurso, pasta))
    return linhas


def grava_csv(caminho, linhas):
    with open(caminho, "w", newline="", encoding="utf-8") as f:
        w = csv.DictWriter(f, fieldnames=COLUNAS, lineterminator="\n")
        w.writeheader()
        for linha in linhas:
            w.writerow(linha.valores)


def tabela_resumo(linhas):
    """Tabela Markdown: um caminho de menu por linha, uma instancia por coluna,
    com 'fo / gap / tempo' (o primeiro resultado de cada caminho)."""
    instancias, caminhos, celulas = [], [], {}
    for linha in linhas:
        v = linha.valores
        if v["instancia"] not in instancias:
            instancias.append(v["instancia"])
        chave = (v["caminho_menu"], v["metodo"])
        if chave not in caminhos:
            caminhos.append(chave)
        if v["estado"] == "ok":
            texto = f"{float(v['fo']):.2f}"
            if v["gap_pct"]:
                texto += f" / {v['gap_pct']}%"
            if v["tempo_cpu_s"]:
                texto += f" / {float(v['tempo_cpu_s']):.3f} s"
        else:
            texto = v["estado"]
        atual = celulas.get((chave, v["instancia"]))
        if atual is None or (atual[0] != "ok" and v["estado"] == "ok"):
            celulas[(chave, v["instancia"])] = (v["estado"], texto)
    cab = ["caminho", "metodo"] + instancias
    saida = ["| " + " | ".join(cab) + " |", "|" + "---|" * len(cab)]
    for chave in caminhos:
        cel = [celulas.get((chave, inst), ("", ""))[1] for inst in instancias]
        saida.append("| " + " | ".join([chave[0], chave[1]] + cel) + " |")
    return "\n".join(saida) + "\n"


# ----------------------------------------------------------------- progresso

def _duracao(segundos):
    s = int(round(segundos))
    h, m, s = s // 3600, s // 60 % 60, s % 60
    return f"{h}:{m:02d}:{s:02d}" if h else f"{m}:{s:02d}"


class Progresso:
    """Uma linha a cada execucao terminada: feitas/total, falhas, tempo
    decorrido e estimativa do restante. Num terminal, a mesma linha reescrita;
    fora dele (arquivo, pipe), uma linha por execucao."""

    def __init__(self, total, fluxo):
        self.total, self.fluxo = total, fluxo
        self.feitas = self.falhas = 0
        self.inicio = time.monotonic()
        self.terminal = fluxo.isatty()

    def avanca(self, descricao, falhou):
        self.feitas += 1
        self.falhas += bool(falhou)
        decorrido = time.monotonic() - self.inicio
        restante = decorrido / self.feitas * (self.total - self.feitas)
        linha = (f"[{self.feitas}/{self.total}] {self.falhas} falha(s), "
                 f"{_duracao(decorrido)} decorrido, ~{_duracao(restante)} restante; "
                 f"{descricao}")
        if self.terminal:
            # Cortada a largura do terminal: uma linha que quebra nao e reescrita.
            largura = shutil.get_terminal_size().columns - 1
            self.fluxo.write("\r" + linha[:largura] + "\x1b[K")
            if self.feitas == self.total:
                self.fluxo.write("\n")
        else:
            self.fluxo.write(linha + "\n")
        self.fluxo.flush()

    def encerra(self):
        if self.terminal and self.feitas < self.total:
            self.fluxo.write("\n")
            self.fluxo.flush()


# ---------------------------------------------------------------------- lote

@dataclass
class Tarefa:
    instancia: Instancia
    roteiro: str
    passos: list
    pasta: str       # pasta de trabalho guardada; vazia sem --trabalho
    arquivos: dict   # o que a execucao recebe: a instancia e a entrada.txt


def _roda_local(programa, tarefa, tempo_limite):
    pasta = tarefa.pasta or tempfile.mkdtemp(prefix="lote.")
    try:
        prepara_pasta(pasta, tarefa.arquivos)
        status, saida = roda_programa(programa, pasta, tempo_limite)
    finally:
        if not tarefa.pasta:
            shutil.rmtree(pasta, ignore_errors=True)
    return Execucao(status, saida.decode("latin-1")), {}


def _execucoes_locais(funcao, indices, paralelas):
    """(indice, funcao(indice)) de cada execucao, na ordem em que terminam. As
    threads so esperam os programas, que rodam em processos proprios."""
    with ThreadPoolExecutor(max_workers=paralelas) as executor:
        futuros = {executor.submit(funcao, i): i for i in indices}
        try:
            for futuro in as_completed(futuros):
                yield futuros[futuro], futuro.result()
        finally:
            for futuro in futuros:
                futuro.cancel()


SEM_DASK = ("--dask precisa do Dask distributed, que este interpretador ({}) nao encontra. "
            "No Debian: apt-get install python3-distributed, que serve ao python3 do "
            "sistema, e rode as ferramentas com /usr/bin/python3; em outros sistemas: "
            "pip install distributed")


def _execucoes_dask(endereco, programa, remota, argumentos, indices):
    """(indice, resultado) de cada execucao enviada ao escalonador do Dask, na
    ordem em que terminam: o que remota(executavel, *argumentos(indice))
    devolveu no trabalhador, ou o motivo, em texto, de uma execucao que o Dask
    nao concluiu."""
    try:
        import cloudpickle
        from distributed import Client
        from distributed import as_completed as conforme_terminam
        from distributed.scheduler import KilledWorker
    except ImportError:
        raise ErroRoteiro(SEM_DASK.format(sys.executable)) from None
    # Os trabalhadores nao tem este modulo: a funcao segue por valor.
    modulo = tarefa_remota.__module__
    if modulo != "__main__":
        cloudpickle.register_pickle_by_value(sys.modules[modulo])
    try:
        cliente = Client(endereco, timeout=30)
    except (OSError, TimeoutError, ValueError) as e:
        raise ErroRoteiro(f"--dask {endereco}: sem conexao com o escalonador ({e})") from None
    try:
        try:
            cliente.wait_for_workers(1, timeout=60)
        except TimeoutError:
            raise ErroRoteiro(f"--dask {endereco}: nenhum trabalhador conectado em 60 s") \
                from None
        with open(programa, "rb") as f:
            executavel = cliente.scatter(f.read(), broadcast=True)
        futuros = {cliente.submit(remota, executavel, *argumentos(i), pure=False): i
                   for i in indices}
        for futuro in conforme_terminam(list(futuros)):
            i = futuros[futuro]
            try:
                resultado = futuro.result()
            except KilledWorker as e:
                yield i, f"os trabalhadores do Dask morreram durante a execucao ({e})"
            except Exception as e:  # noqa: BLE001 - qualquer erro do Dask vira falha da linha
                yield i, f"erro no Dask: {type(e).__name__}: {e}"
            else:
                yield i, resultado
    finally:
        cliente.close()


def grava_percurso_final(nome, roteiro, passos, relatorios, pasta):
    """Guarda o percurso do ultimo relatorio lido da execucao em percurso.tour,
    ao lado da saida.txt, medido na copia da instancia que a pasta guarda; uma
    execucao sem relatorio nao deixa arquivo."""
    for i in range(len(relatorios) - 1, -1, -1):
        if relatorios[i].estado == "ok" and relatorios[i].percurso:
            break
    else:
        return
    try:
        pontos = graficos.le_instancia(pasta)
        cidades = graficos.le_percurso(relatorios[i].percurso, len(pontos))
    except graficos.ErroEntrada:
        return  # a instancia ou o percurso ja aparecem como problema no CSV
    percurso_tsplib.grava_tour(os.path.join(pasta, "percurso.tour"), pontos, cidades,
                               f"{nome}, roteiro {roteiro}, passo {i + 1} "
                               f"({METODOS[passos[i]].nome})", nome)


def nucleos():
    try:
        return len(os.sched_getaffinity(0))
    except AttributeError:
        return os.cpu_count() or 1


def conversor_padrao(programa):
    """O conversor compilado junto com o programa (build/ferramentas/converte_tsplib)."""
    return os.path.join(os.path.dirname(programa), "ferramentas", "converte_tsplib")


_FALHAS = ("falha", "tempo_esgotado")
TEMPO_LIMITE_PADRAO = 600.0  # segundos de relogio por execucao


def _confere_nomes(instancias):
    nomes = [nome_da_instancia(p) for p in instancias]
    repetidos = {n for n in nomes if nomes.count(n) > 1}
    if repetidos:
        raise ErroRoteiro(f"duas instancias com o mesmo nome: {sorted(repetidos)[0]}")


def executa_lote(programa, instancias, roteiros, trabalho=None, tempo_limite=None,
                 progresso=None, paralelas=1, dask=None, conversor=None, escala=None):
    """Roda cada roteiro sobre cada instancia (pasta ou .tsp) e devolve as
    linhas do CSV, na ordem das instancias e dos roteiros. Ate `paralelas`
    execucoes ao mesmo tempo nesta maquina, ou, com `dask` (o endereco de um
    escalonador), nos trabalhadores do Dask. `progresso`: fluxo onde vai a
    linha de progresso."""
    if tempo_limite is None:
        tempo_limite = TEMPO_LIMITE_PADRAO
    _confere_nomes(instancias)
    if any(e_tsplib(p) for p in instancias):
        conversor = conversor or conversor_padrao(programa)
        if not os.access(conversor, os.X_OK):
            raise ErroRoteiro(f"{conversor}: conversor de .tsp nao encontrado (compile o alvo "
                              "converte_tsplib ou indique --conversor)")
    with tempfile.TemporaryDirectory(prefix="lote.") as temporaria:
        preparadas = [prepara_instancia(p, conversor, escala, temporaria) for p in instancias]
    if progresso:
        relata_escalas([(i.nome, i.escala) for i in preparadas if i.escala], progresso)

    tarefas = []
    for instancia in preparadas:
        for roteiro, passos in roteiros:
            pasta = ""
            if trabalho is not None:
                pasta = os.path.join(trabalho, instancia.nome, roteiro)
                shutil.rmtree(pasta, ignore_errors=True)
                if not instancia.recusa:
                    os.makedirs(pasta)
            arquivos = dict(instancia.arquivos)
            arquivos["entrada.txt"] = entrada_do_roteiro(passos).encode()
            tarefas.append(Tarefa(instancia, roteiro, passos, pasta, arquivos))

    linhas_por_tarefa = [None] * len(tarefas)
    andamento = Progresso(len(tarefas), progresso) if progresso else None

    def conclui(i, relatorios):
        t = tarefas[i]
        if t.pasta and os.path.isdir(t.pasta):
            grava_percurso_final(t.instancia.nome, t.roteiro, t.passos, relatorios, t.pasta)
        linhas_por_tarefa[i] = linhas_da_execucao(t.instancia, t.roteiro, t.passos, relatorios,
                                                  t.pasta if os.path.isdir(t.pasta) else "")
        if andamento:
            estados = ", ".join(r.estado for r in relatorios)
            andamento.avanca(f"{t.instancia.nome} {t.roteiro}: {estados}",
                             any(r.estado in _FALHAS for r in relatorios))

    try:
        indices = []
        for i, t in enumerate(tarefas):
            if t.instancia.recusa:
                conclui(i, [Relatorio("falha", detalhe=t.instancia.recusa) for _ in t.passos])
            else:
                indices.append(i)
        if dask:
            execucoes = _execucoes_dask(
                dask, programa, tarefa_remota,
                lambda i: (tarefas[i].arquivos, tempo_limite, trabalho is not None), indices)
        else:
            execucoes = _execucoes_locais(
                lambda i: _roda_local(programa, tarefas[i], tempo_limite), indices, paralelas)
        for i, resultado in execucoes:
            t = tarefas[i]
            if isinstance(resultado, str):
                conclui(i, [Relatorio("falha", detalhe=resultado) for _ in t.passos])
                continue
            if dask:
                status, saida, novos = resultado
                execucao = Execucao(status, saida.decode("latin-1"))
            else:
                execucao, novos = resultado
            if t.pasta and dask:
                # A pasta fica como a de uma execucao local.
                prepara_pasta(t.pasta, t.arquivos)
                prepara_pasta(t.pasta, novos)
            conclui(i, analisa_saida(execucao, t.passos))
    finally:
        if andamento:
            andamento.encerra()
    return [linha for linhas in linhas_por_tarefa for linha in linhas]


# -------------------------------------------- estudos de sementes e parametros
# Com --sementes ou --param, cada roteiro roda pelo experimenta (construcao e
# cadeia de metodos numa so chamada, com semente e parametros escolhidos), uma
# chamada por instancia, roteiro, conjunto de parametros e semente.

INICIAIS = {1: "vizinho", 2: "vizinho-parcial", 3: "insercao", 4: "insercao-parcial",
            5: "aleatoria"}
METODOS_EXPERIMENTA = {(2, None): "descida", (3, None): "descida-randomica",
                       (4, None): "descida-parcial", (5, None): "sa", (6, None): "tabu",
                       (7, 1): "grasp-vmp", (7, 2): "grasp-imb", (9, None): "vns",
                       (10, 1): "ag-ox", (10, 2): "ag-erx"}

COLUNAS_ESTUDO = ["roteiro", "instancia", "cidades", "inicial", "cadeia", "parametros",
                  "semente", "tempo_limite", "fo_inicial", "fo", "referencia",
                  "origem_referencia", "gap", "tempo", "estado", "detalhe", "versao"]
COLUNAS_DO_PASSO = ("fo_{}", "tempo_{}", "iteracoes_{}", "parada_{}")
# Colunas copiadas da linha que o experimenta grava.
_DO_EXPERIMENTA = ("cidades", "tempo_limite", "fo_inicial", "fo", "referencia", "gap", "tempo",
                   "estado", "versao")
ESTADOS_COM_VALOR = ("ok", "tempo_limite")  # parada pelo orcamento ainda e resultado
ESTATISTICAS = ("media", "dp", "min", "mediana", "max")
COLUNAS_RESUMO = (["instancia", "roteiro", "inicial", "cadeia", "parametros", "execucoes",
                   "falhas"]
                  + [f"{c}_{e}" for c in ("fo", "gap", "tempo") for e in ESTATISTICAS]
                  + ["melhor_semente"])
PASTA_REMOTA = "saida"  # a pasta --saida do experimenta num trabalhador do Dask


def cadeia_do_roteiro(nome, passos):
    """[(1, 5), (5, None), (2, None)] -> ('aleatoria', ['sa', 'descida'])."""
    if passos[0][0] != 1 or any(p[0] == 1 for p in passos[1:]):
        raise ErroRoteiro(f"roteiro {nome}: com --sementes ou --param o roteiro e uma "
                          "construcao (1 e a opcao) seguida so de refinamentos")
    return INICIAIS[passos[0][1]], [METODOS_EXPERIMENTA[p] for p in passos[1:]]


def interpreta_sementes(texto):
    m = re.fullmatch(r"(\d+)-(\d+)", texto.strip())
    if not m or int(m.group(1)) > int(m.group(2)):
        raise ErroRoteiro(f"--sementes {texto}: use A-B, inteiros com A <= B (ex.: 1-10)")
    return list(range(int(m.group(1)), int(m.group(2)) + 1))


_PARAMETRO = re.compile(r"^([A-Za-z_][A-Za-z0-9_]*)=([^;]+)$")


def conjuntos_de_parametros(textos):
    """['A=1,2', 'B=x'] -> [[('A', '1'), ('B', 'x')], [('A', '2'), ('B', 'x')]]:
    cada combinacao dos valores e um conjunto; o primeiro --param varia mais
    devagar. Sem --param, um conjunto vazio (os valores do programa)."""
    eixos, nomes = [], set()
    for texto in textos:
        m = _PARAMETRO.match(texto)
        valores = [v.strip() for v in m.group(2).split(",")] if m else []
        if not m or not all(valores):
            raise ErroRoteiro(f"--param {texto}: use NOME=VALOR ou NOME=V1,V2,...")
        nome = m.group(1)
        if nome in nomes:
            raise ErroRoteiro(f"--param {nome} dado duas vezes: ponha os valores numa lista, "
                              f"{nome}=V1,V2")
        if len(set(valores)) < len(valores):
            raise ErroRoteiro(f"--param {texto}: valor repetido")
        nomes.add(nome)
        eixos.append([(nome, v) for v in valores])
    return [list(c) for c in itertools.product(*eixos)]


def rotulo_dos_parametros(parametros, separador=";"):
    return separador.join(f"{n}={v}" for n, v in parametros)


def experimenta_padrao(programa):
    """O experimenta compilado junto com o programa (build/ferramentas/experimenta)."""
    return os.path.join(os.path.dirname(programa), "ferramentas", "experimenta")


def instancia_do_estudo(caminho):
    """A instancia como o experimenta a recebe: os arquivos que um trabalhador
    do Dask precisa (o .tsp e o .opt.tour ao lado, ou a pasta com o OTIMO) e de
    onde vem a referencia do gap, que o proprio experimenta mede ou le."""
    nome = nome_da_instancia(caminho)
    if e_tsplib(caminho):
        origens = {nome + s: caminho[:-4] + s for s in (".tsp", ".opt.tour")}
        referencia = "opt.tour"
    else:
        origens = {f"{nome}/{a}": os.path.join(caminho, a)
                   for a in (*ARQUIVOS_DA_INSTANCIA, "OTIMO")}
        referencia = "OTIMO"
    arquivos = {}
    for destino, origem in origens.items():
        if os.path.isfile(origem):
            with open(origem, "rb") as f:
                arquivos[destino] = f.read()
    return Instancia(nome, arquivos, le_cidades(caminho), referencia=referencia)


@dataclass
class Chamada:
    caminho: str          # a instancia como dada (pasta ou .tsp)
    instancia: Instancia
    roteiro: str
    inicial: str
    metodos: list
    parametros: list      # [(nome, valor)]
    semente: int | None
    pasta: str            # --saida do experimenta; vazia sem --trabalho

    def base(self):
        """O nome que o experimenta da ao .tour e ao .traco.csv da execucao."""
        semente = "programa" if self.semente is None else self.semente
        return (f"{self.instancia.nome}-{self.inicial}"
                + "".join("+" + m for m in self.metodos) + f"-s{semente}")

    def argumentos(self, instancia, saida, escala, tempo_limite):
        args = ["--instancia", instancia, "--inicial", self.inicial]
        if escala:
            args += ["--escala", escala]
        if self.metodos:
            args += ["--metodos", ",".join(self.metodos)]
        if self.semente is not None:
            args += ["--semente", str(self.semente)]
        for nome, valor in self.parametros:
            args += ["--param", f"{nome}={valor}"]
        if tempo_limite is not None:
            args += ["--tempo-limite", f"{tempo_limite:g}"]
        if saida:
            args += ["--saida", saida]
        return args


def roda_experimenta(executavel, argumentos, guarda, pasta=None):
    """(status, saida, erros); status None quando a chamada passou de `guarda`
    segundos de relogio e foi interrompida."""
    processo = subprocess.Popen([executavel, *argumentos], cwd=pasta, stdout=subprocess.PIPE,
                                stderr=subprocess.PIPE)
    try:
        saida, erros = processo.communicate(timeout=guarda)
        return processo.returncode, saida, erros
    except subprocess.TimeoutExpired:
        # SIGTERM, nao SIGKILL: o experimenta para e deixa so linhas completas.
        processo.terminate()
        try:
            saida, erros = processo.communicate(timeout=30)
        except subprocess.TimeoutExpired:
            processo.kill()
            saida, erros = processo.communicate()
        return None, saida, erros


def tarefa_experimenta_remota(programa, arquivos, argumentos, guarda, devolve):
    """Executada num trabalhador do Dask: roda o experimenta recebido numa pasta
    de rascunho com a instancia e devolve status, saida, erros e, com
    `devolve`, o que ele gravou na pasta --saida."""
    from distributed import get_worker
    local = get_worker().local_directory
    executavel = _executavel_no_trabalhador(programa, local, "experimenta-")
    pasta = tempfile.mkdtemp(prefix="lote.", dir=local)
    try:
        prepara_pasta(pasta, arquivos)
        os.makedirs(os.path.join(pasta, PASTA_REMOTA))
        status, saida, erros = _insiste(
            lambda: roda_experimenta(executavel, argumentos, guarda, pasta))
        novos = _arquivos_novos(os.path.join(pasta, PASTA_REMOTA)) if devolve else {}
        return status, saida, erros, novos
    finally:
        shutil.rmtree(pasta, ignore_errors=True)


def _motivo(status, erros, saida):
    texto = erros.decode("latin-1").strip()
    linha = texto.splitlines()[0] if texto else _ultima_linha(saida.decode("latin-1"))
    if status in (130, 143):
        return "interrompida", f"interrompido por sinal (status {status}): {linha}"
    if status < 0:
        return "falha", f"terminado pelo sinal {-status}: {linha}"
    return "falha", f"status de saida {status}: {linha}"


def linha_do_estudo(c, tempo_limite, guarda, resultado):
    """A linha do CSV de uma chamada: a linha que o experimenta gravou, com o
    roteiro e o conjunto de parametros pedido; ou a falha, com o motivo."""
    v = dict.fromkeys(COLUNAS_ESTUDO, "")
    v.update(roteiro=c.roteiro, instancia=c.instancia.nome, inicial=c.inicial,
             cadeia="+".join(c.metodos), parametros=rotulo_dos_parametros(c.parametros),
             semente="" if c.semente is None else c.semente,
             tempo_limite="" if tempo_limite is None else f"{tempo_limite:g}",
             cidades="" if c.instancia.cidades is None else c.instancia.cidades)
    if isinstance(resultado, str):
        v.update(estado="falha", detalhe=resultado)
        return v
    status, saida, erros = resultado
    if status is None:
        v.update(estado="tempo_esgotado",
                 detalhe=f"chamada interrompida apos {guarda:g} s de relogio")
        return v
    if status != 0:
        estado, detalhe = _motivo(status, erros, saida)
        v.update(estado=estado, detalhe=detalhe)
        return v
    linhas = list(csv.DictReader(io.StringIO(saida.decode("latin-1"))))
    passos = [col.format(m) for m in range(1, len(c.metodos) + 1) for col in COLUNAS_DO_PASSO]
    if len(linhas) != 1 or any(col not in linhas[0] for col in (*_DO_EXPERIMENTA, *passos)):
        v.update(estado="falha", detalhe="saida do experimenta fora do formato: esperava o "
                 f"cabecalho e uma linha, veio {len(linhas)} linha(s)")
        return v
    r = linhas[0]
    v.update({col: r[col] for col in (*_DO_EXPERIMENTA, *passos)})
    if r["referencia"]:
        v["origem_referencia"] = c.instancia.referencia
    if v["estado"] not in ESTADOS_COM_VALOR:
        v["detalhe"] = "o experimenta nao concluiu a execucao"
    return v


def descreve_chamada(v):
    """'eil76 sa TAXA_RESFRIAMENTO=0.99 s3', de uma linha do CSV do estudo."""
    semente = f"s{v['semente']}" if v["semente"] != "" else ""
    return " ".join(filter(None, [v["instancia"], v["roteiro"], v["parametros"], semente]))


def _estatisticas(valores):
    if not valores:
        return dict.fromkeys(ESTATISTICAS)
    return {"media": statistics.fmean(valores),
            "dp": statistics.stdev(valores) if len(valores) > 1 else None,
            "min": min(valores), "mediana": statistics.median(valores), "max": max(valores)}


def resumo_do_estudo(linhas):
    """Uma linha por instancia, roteiro e conjunto de parametros: execucoes com
    valor, falhas, media, desvio padrao (amostral), minimo, mediana e maximo
    de fo, gap e tempo, e a semente da melhor fo (a primeira, no empate)."""
    grupos = {}
    for v in linhas:
        grupos.setdefault((v["instancia"], v["roteiro"], v["parametros"]), []).append(v)
    resumo = []
    for grupo in grupos.values():
        validas = [v for v in grupo if v["estado"] in ESTADOS_COM_VALOR]
        r = {col: grupo[0][col] for col in ("instancia", "roteiro", "inicial", "cadeia",
                                              "parametros")}
        r.update(execucoes=len(validas), falhas=len(grupo) - len(validas))
        for coluna in ("fo", "gap", "tempo"):
            est = _estatisticas([float(v[coluna]) for v in validas if v[coluna] != ""])
            r.update({f"{coluna}_{e}": "" if x is None else f"{x:f}" for e, x in est.items()})
        melhor = min(validas, key=lambda v: float(v["fo"]), default=None)
        r["melhor_semente"] = "" if melhor is None else melhor["semente"]
        resumo.append(r)
    return resumo


def tabela_do_estudo(resumo):
    """Tabela Markdown do resumo; sem parametros ou sem referencia, sem essas colunas."""
    com_parametros = any(r["parametros"] for r in resumo)
    com_gap = any(r["gap_media"] for r in resumo)

    def par(r, c, casas):
        if not r[f"{c}_media"]:
            return ""
        dp = f" ({float(r[f'{c}_dp']):.{casas}f})" if r[f"{c}_dp"] else ""
        return f"{float(r[f'{c}_media']):.{casas}f}{dp}"

    def faixa(r, c, casas):
        if not r[f"{c}_media"]:
            return ""
        return " / ".join(f"{float(r[f'{c}_{e}']):.{casas}f}" for e in ("min", "mediana", "max"))

    cab = ["instancia", "roteiro"] + (["parametros"] if com_parametros else []) + [
        "execucoes", "fo media (dp)", "fo min / mediana / max"]
    if com_gap:
        cab += ["gap % media (dp)", "gap % min / mediana / max"]
    cab += ["tempo s media (dp)", "melhor semente"]
    saida = ["| " + " | ".join(cab) + " |", "|" + "---|" * len(cab)]
    for r in resumo:
        execucoes = str(r["execucoes"]) + (f" ({r['falhas']} falha(s))" if r["falhas"] else "")
        cel = [r["instancia"], r["roteiro"]] + ([r["parametros"]] if com_parametros else []) + [
            execucoes, par(r, "fo", 2), faixa(r, "fo", 2)]
        if com_gap:
            cel += [par(r, "gap", 2), faixa(r, "gap", 2)]
        cel += [par(r, "tempo", 3), str(r["melhor_semente"])]
        saida.append("| " + " | ".join(cel) + " |")
    return "\n".join(saida) + "\n"


def colunas_do_estudo(linhas):
    """As colunas fixas e as de cada passo, ate a cadeia mais longa."""
    passos = max((len(v["cadeia"].split("+")) for v in linhas if v["cadeia"]), default=0)
    return COLUNAS_ESTUDO + [c.format(m) for m in range(1, passos + 1) for c in COLUNAS_DO_PASSO]


def grava_dicts(caminho, colunas, linhas):
    with open(caminho, "w", newline="", encoding="utf-8") as f:
        w = csv.DictWriter(f, fieldnames=colunas, restval="", lineterminator="\n")
        w.writeheader()
        w.writerows(linhas)


def guarda_melhores(chamadas, linhas):
    """Copia o .tour da melhor execucao de cada grupo para melhor.tour na
    pasta do grupo (trabalho/INSTANCIA/ROTEIRO[/PARAMETROS])."""
    melhores = {}
    for c, v in zip(chamadas, linhas):
        if not c.pasta or v["estado"] not in ESTADOS_COM_VALOR:
            continue
        atual = melhores.get(c.pasta)
        if atual is None or float(v["fo"]) < float(atual[1]["fo"]):
            melhores[c.pasta] = (c, v)
    for pasta, (c, _) in melhores.items():
        origem = os.path.join(pasta, c.base() + ".tour")
        if os.path.isfile(origem):
            shutil.copyfile(origem, os.path.join(pasta, "melhor.tour"))


def executa_estudo(experimenta, instancias, roteiros, sementes, conjuntos, trabalho=None,
                   tempo_limite=None, progresso=None, paralelas=1, dask=None, escala=None):
    """Roda cada roteiro sobre cada instancia pelo experimenta, uma chamada por
    conjunto de parametros e semente (`sementes` [None]: as sementes fixas do
    programa). Devolve as linhas do CSV, na ordem de instancias,
    roteiros, conjuntos e sementes. `tempo_limite`: o orcamento de tempo de
    processador de cada metodo, repassado ao experimenta."""
    _confere_nomes(instancias)
    cadeias = {nome: cadeia_do_roteiro(nome, passos) for nome, passos in roteiros}
    chamadas = []
    for caminho in instancias:
        instancia = instancia_do_estudo(caminho)
        for roteiro, _ in roteiros:
            inicial, metodos = cadeias[roteiro]
            for parametros in conjuntos:
                pasta = ""
                if trabalho is not None:
                    pasta = os.path.join(trabalho, instancia.nome, roteiro,
                                         rotulo_dos_parametros(parametros, ","))
                    shutil.rmtree(pasta, ignore_errors=True)
                    os.makedirs(pasta)
                chamadas += [Chamada(caminho, instancia, roteiro, inicial, metodos, parametros,
                                     s, pasta) for s in sementes]

    def guarda(c):
        # Um metodo para sozinho no orcamento; a guarda so pega o que travou.
        orcamento = 2 * len(c.metodos) * tempo_limite if tempo_limite else 0
        return TEMPO_LIMITE_PADRAO + orcamento

    def local(i):
        c = chamadas[i]
        args = c.argumentos(c.caminho, c.pasta, escala, tempo_limite)
        return roda_experimenta(experimenta, args, guarda(c))

    def remotos(i):
        c = chamadas[i]
        instancia = c.instancia.nome + (".tsp" if e_tsplib(c.caminho) else "")
        args = c.argumentos(instancia, PASTA_REMOTA if c.pasta else "", escala, tempo_limite)
        return c.instancia.arquivos, args, guarda(c), bool(c.pasta)

    linhas = [None] * len(chamadas)
    andamento = Progresso(len(chamadas), progresso) if progresso else None
    indices = range(len(chamadas))
    if dask:
        execucoes = _execucoes_dask(dask, experimenta, tarefa_experimenta_remota, remotos, indices)
    else:
        execucoes = _execucoes_locais(local, indices, paralelas)
    escalas = {}
    try:
        for i, resultado in execucoes:
            c = chamadas[i]
            if dask and not isinstance(resultado, str):
                *resultado, novos = resultado
                if c.pasta:
                    prepara_pasta(c.pasta, novos)
            if escala == "auto" and not isinstance(resultado, str) and resultado[0] == 0:
                escalas.setdefault(c.instancia.nome,
                                   escala_escolhida(resultado[2].decode("latin-1")))
            v = linhas[i] = linha_do_estudo(c, tempo_limite, guarda(c), resultado)
            if andamento:
                andamento.avanca(f"{descreve_chamada(v)}: {v['estado']}",
                                 v["estado"] not in ESTADOS_COM_VALOR)
    finally:
        if andamento:
            andamento.encerra()
    if progresso:
        relata_escalas([(n, e) for n, e in escalas.items() if e], progresso)
    guarda_melhores(chamadas, linhas)
    return linhas


def _inteiro_positivo(texto):
    valor = int(texto)
    if valor < 1:
        raise argparse.ArgumentTypeError("use um inteiro maior que zero")
    return valor


def opcoes_de_execucao(p, ajuda_tempo=f"segundos por execucao (padrao {TEMPO_LIMITE_PADRAO:g})"):
    """As opcoes de onde e como rodar, comuns ao lote e ao experimento."""
    p.add_argument("-j", "--paralelas", type=_inteiro_positivo, default=nucleos(),
                   metavar="N", help="execucoes ao mesmo tempo nesta maquina (padrao: o "
                   f"numero de nucleos, {nucleos()})")
    p.add_argument("--dask", metavar="ENDERECO",
                   help="envia as execucoes ao escalonador do Dask neste endereco "
                   "(tcp://maquina:8786) em vez de roda-las aqui")
    p.add_argument("--conversor", help="conversor de .tsp (padrao: ferramentas/converte_tsplib "
                   "ao lado do programa)")
    p.add_argument("--escala", metavar="K",
                   help="repassado ao conversor: multiplica as coordenadas dos .tsp por K; "
                   "auto: por arquivo, a menor potencia de 10 que as torna inteiras")
    p.add_argument("--tempo-limite", type=float, metavar="S", help=ajuda_tempo)


# Status de saida quando o lote terminou mas alguma execucao falhou; 1 e 2 ficam
# para o lote que nem comecou (roteiro invalido, opcao errada).
STATUS_COM_FALHAS = 3


def _falhas_dos_roteiros(linhas):
    """(falhas, execucoes, descricao da primeira falha) no modo de roteiros."""
    execucoes, falhas = {}, []
    for linha in linhas:
        v = linha.valores
        chave = (v["instancia"], v["roteiro"])
        if chave not in execucoes:
            execucoes[chave] = False
        if v["estado"] in _FALHAS and not execucoes[chave]:
            execucoes[chave] = True
            falhas.append(f"{v['instancia']} {v['roteiro']}: {v['detalhe']}")
    return len(falhas), len(execucoes), falhas[0] if falhas else ""


def main(argv=None):
    p = argparse.ArgumentParser(prog=PROGRAMA, description=__doc__.split("\n")[0])
    p.add_argument("instancias", nargs="+", metavar="INSTANCIA",
                   help="pasta com c50info.txt, c50.txt e, opcionalmente, OTIMO; ou "
                   "arquivo .tsp da TSPLIB (com NOME.opt.tour ao lado, se houver)")
    p.add_argument("--programa", help="o executavel da bancada")
    p.add_argument("--roteiros", action="append", default=[], metavar="ARQUIVO",
                   help="arquivo com linhas 'nome: escolhas'")
    p.add_argument("--roteiro", action="append", default=[], metavar="'NOME: ESCOLHAS'",
                   help="um roteiro na linha de comando, ex.: 'descida: 1 5 2'")
    p.add_argument("--csv", required=True, help="arquivo CSV a gravar")
    p.add_argument("--tabela", help="grava tambem a tabela resumo em Markdown")
    p.add_argument("--trabalho", help="guarda aqui as pastas de trabalho "
                   "(PASTA/instancia/roteiro, com saida.txt e percurso.tour); sem isto, "
                   "pastas temporarias apagadas")
    p.add_argument("--sementes", metavar="A-B",
                   help="estudo pelo experimenta: uma execucao por semente de A a B")
    p.add_argument("--param", action="append", default=[], metavar="NOME=V1,V2",
                   help="estudo pelo experimenta: uma constante de nucleo/parametros.h; "
                   "varios valores e varios --param dao uma execucao por combinacao")
    p.add_argument("--experimenta", metavar="EXE", help="o experimenta (padrao: "
                   "ferramentas/experimenta ao lado do programa)")
    p.add_argument("--resumo", metavar="ARQUIVO.csv", help="estudo: grava o resumo por "
                   "instancia, roteiro e parametros (media, dp, min, mediana, max)")
    opcoes_de_execucao(p, f"segundos de relogio por execucao (padrao {TEMPO_LIMITE_PADRAO:g}); "
                       "num estudo, segundos de processador por metodo, repassados ao "
                       "experimenta")
    args = p.parse_args(argv)
    estudo = args.sementes is not None or bool(args.param)

    try:
        roteiros = []
        for arquivo in args.roteiros:
            roteiros.extend(le_roteiros(arquivo))
        roteiros.extend(interpreta_roteiro(r) for r in args.roteiro)
        if not roteiros:
            raise ErroRoteiro("nenhum roteiro (use --roteiros ou --roteiro)")
        vistos = set()
        for nome, _ in roteiros:
            if nome in vistos:
                raise ErroRoteiro(f"dois roteiros com o nome {nome}")
            vistos.add(nome)
        if args.resumo and not estudo:
            raise ErroRoteiro("--resumo so vale com --sementes ou --param")
        programa = os.path.abspath(args.programa) if args.programa else None
        instancias = [os.path.abspath(i) for i in args.instancias]
        trabalho = os.path.abspath(args.trabalho) if args.trabalho else None
        if estudo:
            sementes = interpreta_sementes(args.sementes) if args.sementes else [None]
            conjuntos = conjuntos_de_parametros(args.param)
            if args.experimenta:
                experimenta = os.path.abspath(args.experimenta)
            elif programa:
                experimenta = experimenta_padrao(programa)
            else:
                raise ErroRoteiro("indique --experimenta ou --programa (o experimenta fica em "
                                  "ferramentas/ ao lado dele)")
            if not os.access(experimenta, os.X_OK):
                raise ErroRoteiro(f"{experimenta}: experimenta nao encontrado ou nao executavel "
                                  "(compile o alvo experimenta ou indique --experimenta)")
            linhas = executa_estudo(experimenta, instancias, roteiros, sementes, conjuntos,
                                    trabalho, args.tempo_limite, progresso=sys.stderr,
                                    paralelas=args.paralelas, dask=args.dask,
                                    escala=args.escala)
        else:
            if not programa:
                raise ErroRoteiro("indique --programa, o executavel da bancada")
            if not os.access(programa, os.X_OK):
                raise ErroRoteiro(f"{args.programa}: programa nao encontrado ou nao executavel")
            conversor = os.path.abspath(args.conversor) if args.conversor else None
            linhas = executa_lote(programa, instancias, roteiros, trabalho, args.tempo_limite,
                                  progresso=sys.stderr, paralelas=args.paralelas,
                                  dask=args.dask, conversor=conversor, escala=args.escala)
    except (ErroRoteiro, OSError) as e:
        print(f"{PROGRAMA}: {e}", file=sys.stderr)
        return 1
    if estudo:
        grava_dicts(args.csv, colunas_do_estudo(linhas), linhas)
        resumo = resumo_do_estudo(linhas)
        if args.resumo:
            grava_dicts(args.resumo, COLUNAS_RESUMO, resumo)
        tabela = tabela_do_estudo(resumo)
        falhas = [v for v in linhas if v["estado"] not in ESTADOS_COM_VALOR]
        primeira = f"{descreve_chamada(falhas[0])}: {falhas[0]['detalhe']}" if falhas else ""
        n_falhas, total = len(falhas), len(linhas)
    else:
        grava_csv(args.csv, linhas)
        tabela = tabela_resumo(linhas)
        n_falhas, total, primeira = _falhas_dos_roteiros(linhas)
    if args.tabela:
        with open(args.tabela, "w", encoding="utf-8") as f:
            f.write(tabela)
    print(tabela, end="")
    if n_falhas:
        print(f"{PROGRAMA}: {n_falhas} de {total} execucao(oes) falharam; a primeira: {primeira}",
              file=sys.stderr)
        return STATUS_COM_FALHAS
    return 0


if __name__ == "__main__":
    sys.exit(main())
