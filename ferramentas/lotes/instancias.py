"""As instancias: pastas da bancada e .tsp convertidos, com a referencia do gap."""
import os
import re
import subprocess
from dataclasses import dataclass

import graficos
import percurso_tsplib

from .roteiros import ErroRoteiro


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


def conversor_padrao(programa):
    """O conversor compilado junto com o programa (build/ferramentas/converte_tsplib)."""
    return os.path.join(os.path.dirname(programa), "ferramentas", "converte_tsplib")


def _confere_nomes(instancias):
    nomes = [nome_da_instancia(p) for p in instancias]
    repetidos = {n for n in nomes if nomes.count(n) > 1}
    if repetidos:
        raise ErroRoteiro(f"duas instancias com o mesmo nome: {sorted(repetidos)[0]}")
