"""Os arquivos de traco do programa (SAsaida.txt, BTsaida.txt...), em chamadas."""
import re

from .erro import ErroEntrada


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
