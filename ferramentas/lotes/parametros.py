"""O que um estudo pede ao experimenta: a cadeia do roteiro, as sementes e os
conjuntos de parametros."""
import itertools
import re

from .roteiros import ErroRoteiro


INICIAIS = {1: "vizinho", 2: "vizinho-parcial", 3: "insercao", 4: "insercao-parcial",
            5: "aleatoria"}
METODOS_EXPERIMENTA = {(2, None): "descida", (3, None): "descida-randomica",
                       (4, None): "descida-parcial", (5, None): "sa", (6, None): "tabu",
                       (7, 1): "grasp-vmp", (7, 2): "grasp-imb", (9, None): "vns",
                       (10, 1): "ag-ox", (10, 2): "ag-erx"}


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


# As vizinhancas que o experimenta aceita em --vizinhanca.
VIZINHANCAS = ("troca", "2opt", "oropt", "2opt+oropt")


def interpreta_vizinhancas(texto):
    """'troca,2opt' -> ['troca', '2opt']."""
    nomes = [v.strip() for v in texto.split(",")]
    invalidas = [v for v in nomes if v not in VIZINHANCAS]
    if invalidas or len(set(nomes)) < len(nomes):
        motivo = f"vizinhanca desconhecida: {invalidas[0]!r}" if invalidas else "repetida"
        raise ErroRoteiro(f"--vizinhanca {texto}: {motivo}; use {', '.join(VIZINHANCAS)}, "
                          "separadas por virgulas")
    return nomes


def rotulo_dos_parametros(parametros, separador=";"):
    return separador.join(f"{n}={v}" for n, v in parametros)
