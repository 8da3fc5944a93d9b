"""As linhas de percurso que o programa imprime ("0 -> 8 -> ... -> 0")."""
import re

from .erro import ErroEntrada


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
