"""O que roda num trabalhador do Dask. Segue por valor (ver execucao_dask):
usa so a biblioteca padrao e este pacote."""
import os
import shutil
import tempfile
import time

from .execucao import prepara_pasta, roda_experimenta, roda_programa


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


PASTA_REMOTA = "saida"  # a pasta --saida do experimenta num trabalhador do Dask


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
