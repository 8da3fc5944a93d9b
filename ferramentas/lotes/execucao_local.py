"""As execucoes nesta maquina, ate N ao mesmo tempo."""
import os
from concurrent.futures import ThreadPoolExecutor, as_completed


def nucleos():
    try:
        return len(os.sched_getaffinity(0))
    except AttributeError:
        return os.cpu_count() or 1


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
