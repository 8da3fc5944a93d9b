"""O traco uniforme do experimenta (.traco.csv) e o nome que ele lhe da."""
import os
import re

from .erro import ErroEntrada
from .tabela_csv import _numero, le_csv


COLUNAS_TRACO_CSV = ("passo", "metodo", "evento", "iteracao", "tempo", "fo", "fo_star",
                     "temperatura", "media")

INICIAIS = ("vizinho-parcial", "insercao-parcial", "vizinho", "insercao", "aleatoria")


def partes_do_nome(caminho):
    """(instancia, inicial, cadeia, semente) do nome que o experimenta da ao
    traco (INSTANCIA-INICIAL+M1+M2-sSEMENTE.traco.csv); None fora dele."""
    base = os.path.basename(caminho)
    base = base[:-len(".traco.csv")] if base.endswith(".traco.csv") else base
    m = re.fullmatch(r"(.+)-(" + "|".join(INICIAIS) + r")((?:\+[a-z-]+)*)-s(\d+|programa)", base)
    return m and (m.group(1), m.group(2), m.group(3)[1:], m.group(4))


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
