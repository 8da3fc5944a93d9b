"""Roda o programa ou o experimenta numa pasta, aqui ou num trabalhador do Dask."""
import os
import subprocess
from dataclasses import dataclass


TEMPO_LIMITE_PADRAO = 600.0  # segundos de relogio por execucao


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
