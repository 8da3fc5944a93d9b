"""Testes de ferramentas/lote.py com um agrupamento Dask de verdade: um
escalonador e dois trabalhadores em 127.0.0.1, iniciados e parados aqui. As
execucoes enviadas ao Dask dao o mesmo CSV e as mesmas pastas que a execucao
serial, e um trabalhador morto no meio de uma execucao nao perde linha."""
import os
import signal
import socket
import stat
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from lote_test import (BANCADA, EXPERIMENTA, INSTANCIAS, ROTEIROS_PARALELOS,  # noqa: E402
                       SCRIPT, SEM_EXPERIMENTA, arquivos_guardados, poligono, roda_estudo,
                       roda_lote, sem_tempos)

try:
    import distributed
except ImportError:
    distributed = None

SEM_DASK = (f"Dask nao instalado para {sys.executable} (Debian: apt-get install "
            "python3-distributed, que serve a /usr/bin/python3)")
ESPERA = 60  # segundos, para subir o agrupamento e para cada espera dos testes


def porta_livre():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


@unittest.skipIf(distributed is None, SEM_DASK)
class DaskTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls._tmp = tempfile.TemporaryDirectory()
        cls.tmp = cls._tmp.name
        cls.processos = []
        cls.endereco = f"tcp://127.0.0.1:{porta_livre()}"
        try:
            cls.inicia("escalonador", "distributed.cli.dask_scheduler", "--host", "127.0.0.1",
                       "--port", cls.endereco.rsplit(":", 1)[1], "--no-dashboard")
            for k in (1, 2):
                local = os.path.join(cls.tmp, f"trabalhador{k}")
                os.makedirs(local)
                cls.inicia(f"trabalhador{k}", "distributed.cli.dask_worker", cls.endereco,
                           "--host", "127.0.0.1", "--nthreads", "1", "--no-dashboard",
                           "--local-directory", local, "--death-timeout", str(ESPERA))
            with distributed.Client(cls.endereco, timeout=ESPERA) as cliente:
                cliente.wait_for_workers(2, timeout=ESPERA)
            cls.serial = roda_lote(cls.tmp, "serial", "-j", "1")
            assert cls.serial[0].returncode == 0, cls.serial[0].stderr
        except BaseException:
            cls.encerra()
            raise

    @classmethod
    def inicia(cls, nome, modulo, *args):
        log = open(os.path.join(cls.tmp, f"{nome}.log"), "w")
        # Sessao propria: parar o grupo leva junto o processo que o nanny cria.
        cls.processos.append(subprocess.Popen([sys.executable, "-m", modulo, *args],
                                              stdout=log, stderr=subprocess.STDOUT,
                                              start_new_session=True))
        log.close()

    @classmethod
    def encerra(cls):
        for sinal in (signal.SIGTERM, signal.SIGKILL):
            for p in reversed(cls.processos):
                if p.poll() is None:
                    try:
                        os.killpg(p.pid, sinal)
                    except ProcessLookupError:
                        pass
            try:
                for p in cls.processos:
                    p.wait(timeout=20)
                break
            except subprocess.TimeoutExpired:
                continue
        cls._tmp.cleanup()

    @classmethod
    def tearDownClass(cls):
        cls.encerra()

    def test_dask_da_o_mesmo_csv_e_as_mesmas_pastas_que_a_execucao_serial(self):
        dask = roda_lote(self.tmp, "dask", "--dask", self.endereco)
        self.assertEqual(dask[0].returncode, 0, dask[0].stderr)
        self.assertEqual(sem_tempos(dask[1]), sem_tempos(self.serial[1]))
        self.assertEqual(arquivos_guardados(dask[2]), arquivos_guardados(self.serial[2]))
        self.assertTrue(dask[0].stderr.splitlines()[-1].startswith("[10/10] 0 falha(s)"))

    @unittest.skipUnless(os.access(EXPERIMENTA, os.X_OK), SEM_EXPERIMENTA)
    def test_estudo_pelo_dask_da_o_mesmo_csv_e_os_mesmos_percursos_que_o_local(self):
        # Uma pasta e um .tsp com .opt.tour: os dois jeitos de enviar a instancia.
        instancias = [os.path.join(INSTANCIAS, "doze_cidades"), poligono(self.tmp)]
        local = roda_estudo(self.tmp, "estudo_local", instancias, "--sementes", "1-2", "-j", "1")
        dask = roda_estudo(self.tmp, "estudo_dask", instancias, "--sementes", "1-2",
                           "--dask", self.endereco)
        for r in (local, dask):
            self.assertEqual(r[0].returncode, 0, r[0].stderr)

        def sem_tempo(linhas):
            return [{k: v for k, v in l.items() if not k.startswith("tempo")} for l in linhas]

        def guardados(trabalho):
            # Os percursos por conteudo; os tracos, que tem tempos, pelo nome.
            arquivos = {}
            for raiz, _, nomes in os.walk(trabalho):
                for nome in nomes:
                    caminho = os.path.join(raiz, nome)
                    with open(caminho, "rb") as f:
                        conteudo = f.read() if nome.endswith(".tour") else None
                    arquivos[os.path.relpath(caminho, trabalho)] = conteudo
            return arquivos

        self.assertEqual(len(local[1]), 8)
        self.assertEqual(sem_tempo(dask[1]), sem_tempo(local[1]))
        self.assertEqual(guardados(dask[3]), guardados(local[3]))
        self.assertIn(os.path.join("poligono", "vizinho", "melhor.tour"), guardados(dask[3]))

    def test_trabalhador_morto_no_meio_de_uma_execucao_nao_perde_linha(self):
        # A primeira execucao a comecar anota o seu processo e o do trabalhador
        # que a roda e fica parada; as outras rodam o programa.
        marca = os.path.join(self.tmp, "primeira")
        programa = os.path.join(self.tmp, "programa.sh")
        with open(programa, "w") as f:
            f.write(f"#!/bin/sh\nif mkdir '{marca}' 2>/dev/null; then\n"
                    f"  echo $PPID > '{marca}/trabalhador'; echo $$ > '{marca}/programa'\n"
                    f"  exec sleep {ESPERA}\nfi\nexec '{BANCADA}'\n")
        os.chmod(programa, os.stat(programa).st_mode | stat.S_IXUSR)
        saida_csv = os.path.join(self.tmp, "morto.csv")
        trabalho = os.path.join(self.tmp, "morto")
        argumentos = [sys.executable, SCRIPT, "--programa", programa, "--csv", saida_csv,
                      "--trabalho", trabalho, "--dask", self.endereco]
        for r in ROTEIROS_PARALELOS:
            argumentos += ["--roteiro", r]
        argumentos += [os.path.join(INSTANCIAS, i) for i in ("doze_cidades", "eil51")]
        lote = subprocess.Popen(argumentos,
            stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        try:
            limite = time.monotonic() + ESPERA
            while not os.path.isfile(os.path.join(marca, "programa")):
                self.assertLess(time.monotonic(), limite, "nenhuma execucao comecou")
                time.sleep(0.1)
            time.sleep(0.2)  # o programa ja gravou as duas linhas
            with open(os.path.join(marca, "trabalhador")) as f:
                trabalhador = int(f.read())
            with open(os.path.join(marca, "programa")) as f:
                parado = int(f.read())
            os.kill(trabalhador, signal.SIGKILL)
            os.kill(parado, signal.SIGKILL)
            _, erros = lote.communicate(timeout=4 * ESPERA)
        finally:
            if lote.poll() is None:
                lote.kill()
                lote.communicate()
        esperadas = sem_tempos(self.serial[1])
        obtidas = sem_tempos(saida_csv)
        self.assertEqual(len(obtidas), len(esperadas))
        # Sem falha, status 0; com falha (o Dask desistiu), o status que o diz.
        falhou = any(l["estado"] == "falha" for l in obtidas)
        self.assertEqual(lote.returncode, 3 if falhou else 0, erros)
        for obtida, esperada in zip(obtidas, esperadas):
            # Repetida em outro trabalhador, ou falha que diz por que.
            if obtida["estado"] == "falha":
                self.assertIn("Dask", obtida["detalhe"])
                self.assertEqual(obtida["roteiro"], esperada["roteiro"])
            else:
                self.assertEqual(obtida, esperada)
        # O progresso chega ao fim; com falha, a linha que as conta vem depois.
        self.assertIn("[10/10]", erros)


if __name__ == "__main__":
    unittest.main()
