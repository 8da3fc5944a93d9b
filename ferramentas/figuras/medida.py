"""O comprimento de um percurso medido como o programa mede (precisao simples)."""
import math
import struct


def f32(x):
    """Arredonda para precisao simples, como um float do programa."""
    return struct.unpack("f", struct.pack("f", x))[0]


def distancia(a, b):
    return f32(math.sqrt((a[0] - b[0]) ** 2 + (a[1] - b[1]) ** 2))


def comprimento(percurso, pontos):
    """Comprimento do percurso fechado, somado como o programa soma."""
    n = len(percurso)
    soma = 0.0
    for i in range(n - 1):
        soma = f32(distancia(pontos[percurso[i]], pontos[percurso[i + 1]]) + soma)
    return f32(distancia(pontos[percurso[n - 1]], pontos[percurso[0]]) + soma)
