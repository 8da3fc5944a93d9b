"""As execucoes enviadas aos trabalhadores de um escalonador do Dask."""
import sys

from .roteiros import ErroRoteiro


SEM_DASK = ("--dask precisa do Dask distributed, que este interpretador ({}) nao encontra. "
            "No Debian: apt-get install python3-distributed, que serve ao python3 do "
            "sistema, e rode as ferramentas com /usr/bin/python3; em outros sistemas: "
            "pip install distributed")


REENVIOS = 2  # vezes que uma execucao cancelada pelo escalonador volta a ser enviada


def _execucoes_dask(endereco, programa, remota, argumentos, indices):
    """(indice, resultado) de cada execucao enviada ao escalonador do Dask, na
    ordem em que terminam: o que remota(executavel, *argumentos(indice))
    devolveu no trabalhador, ou o motivo, em texto, de uma execucao que o Dask
    nao concluiu."""
    try:
        import cloudpickle
        from distributed import Client
        from distributed import as_completed as conforme_terminam
        from distributed.scheduler import KilledWorker
        from distributed.utils import CancelledError
    except ImportError:
        raise ErroRoteiro(SEM_DASK.format(sys.executable)) from None
    # Os trabalhadores nao tem este pacote: a funcao segue por valor (o Dask so
    # usa o cloudpickle quando o modulo dela esta registrado), e com ela as do
    # pacote que ela chama.
    for modulo in (remota.__module__, __package__):
        cloudpickle.register_pickle_by_value(sys.modules[modulo])
    try:
        cliente = Client(endereco, timeout=30)
    except (OSError, TimeoutError, ValueError) as e:
        raise ErroRoteiro(f"--dask {endereco}: sem conexao com o escalonador ({e})") from None
    try:
        try:
            cliente.wait_for_workers(1, timeout=60)
        except TimeoutError:
            raise ErroRoteiro(f"--dask {endereco}: nenhum trabalhador conectado em 60 s") \
                from None
        with open(programa, "rb") as f:
            conteudo = f.read()
        executavel = cliente.scatter(conteudo, broadcast=True)
        futuros = {cliente.submit(remota, executavel, *argumentos(i), pure=False): i
                   for i in indices}
        reenvios = dict.fromkeys(indices, 0)
        pendentes = conforme_terminam(list(futuros))
        for futuro in pendentes:
            i = futuros.pop(futuro)
            try:
                resultado = futuro.result()
            except CancelledError as e:
                # Um trabalhador que morre pode levar a copia do programa de que
                # a execucao dependia; o escalonador cancela a tarefa em vez de
                # repeti-la. Ela volta com uma copia nova.
                if reenvios[i] < REENVIOS:
                    reenvios[i] += 1
                    executavel = cliente.scatter(conteudo, broadcast=True, hash=False)
                    novo = cliente.submit(remota, executavel, *argumentos(i), pure=False)
                    futuros[novo] = i
                    pendentes.add(novo)
                else:
                    yield i, f"erro no Dask: tarefa cancelada {REENVIOS + 1} vezes ({e})"
            except KilledWorker as e:
                yield i, f"os trabalhadores do Dask morreram durante a execucao ({e})"
            except Exception as e:  # noqa: BLE001 - qualquer erro do Dask vira falha da linha
                yield i, f"erro no Dask: {type(e).__name__}: {e}"
            else:
                yield i, resultado
    finally:
        cliente.close()
