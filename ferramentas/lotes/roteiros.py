"""Roteiros de menu: 'nome: 1 5 2' lido, conferido e posto na entrada do programa."""
import re

from .menu import ESCOLHA_TABU, SUBMENUS


class ErroRoteiro(Exception):
    pass


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
