"""Testes de ferramentas/percurso_tsplib.py com o programa real: o ultimo
percurso de uma saida gravada vira um .tour (no = cidade + 1, comprimento no
COMMENT) e a leitura desse .tour mede o mesmo comprimento que o programa
relata; um .tour que nao e permutacao das cidades e recusado."""
import os
import re
import subprocess
import sys
import tempfile
import unittest

RAIZ = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
FERRAMENTAS = os.environ.get("FERRAMENTAS") or os.path.join(RAIZ, "ferramentas")
BANCADA = os.environ.get("BANCADA") or os.path.join(RAIZ, "build", "bancada")
SCRIPT = os.path.join(FERRAMENTAS, "percurso_tsplib.py")
CONVERTE = os.path.join(os.environ.get("PROGRAMAS_PRONTOS") or os.path.join(RAIZ, "build"),
                        "ferramentas", "converte_tsplib")
DOZE = os.path.join(RAIZ, "instancias", "doze_cidades")


def roda(*args):
    return subprocess.run([sys.executable, SCRIPT, *args], capture_output=True, text=True)


class PercursoTsplibTest(unittest.TestCase):
    def setUp(self):
        self._tmp = tempfile.TemporaryDirectory()
        self.tmp = self._tmp.name

    def tearDown(self):
        self._tmp.cleanup()

    def test_ida_e_volta_mede_o_que_o_programa_relata(self):
        # Insercao gulosa: imprime percursos parciais antes do relatorio; vale o ultimo.
        for nome in ("c50info.txt", "c50.txt"):
            with open(os.path.join(DOZE, nome)) as o, open(os.path.join(self.tmp, nome), "w") as d:
                d.write(o.read())
        r = subprocess.run([BANCADA], cwd=self.tmp, input="1\n3\n0\n", capture_output=True,
                           text=True)
        self.assertEqual(r.returncode, 0)
        saida = os.path.join(self.tmp, "saida.txt")
        with open(saida, "w") as f:
            f.write(r.stdout)
        relatado = re.search(r"^Funcao objetivo = (\S+)$", r.stdout, re.M).group(1)
        percurso = re.findall(r"^(\d+(?: -> \d+)+) $", r.stdout, re.M)[-1]
        cidades = [int(c) for c in percurso.split(" -> ")[:-1]]

        tour = os.path.join(self.tmp, "doze.tour")
        g = roda("grava", saida, "-o", tour)
        self.assertEqual(g.returncode, 0, g.stderr)
        with open(tour) as f:
            linhas = f.read().splitlines()
        # NAME e a instancia (a pasta da execucao), e o percurso comeca no no 1.
        self.assertEqual(linhas[:5], [f"NAME : {os.path.basename(self.tmp)}",
                                      f"COMMENT : fo = {relatado}, medida como a bancada mede",
                                      "TYPE : TOUR", "DIMENSION : 12", "TOUR_SECTION"])
        k = cidades.index(0)
        self.assertEqual(linhas[5:], [str(c + 1) for c in cidades[k:] + cidades[:k]]
                         + ["-1", "EOF"])

        m = roda("mede", tour, DOZE, "--percurso")
        self.assertEqual(m.returncode, 0, m.stderr)
        volta = " -> ".join(str(c) for c in cidades[k:] + cidades[:k] + [0])
        self.assertEqual(m.stdout, f"{tour}: 12 cidades, fo = {relatado}\n{volta} \n")

    def test_mede_aceita_o_tsp_como_aceita_a_pasta(self):
        # As doze cidades como .tsp, com as coordenadas em decimos (escala auto 10).
        with open(os.path.join(DOZE, "c50info.txt")) as f:
            info = f.read().split()
        with open(os.path.join(DOZE, "c50.txt")) as f:
            registros = [l.split() for l in f.read().splitlines() if l.strip()]
        pontos = [(info[3], info[4])] + [(r[1], r[2]) for r in registros]
        tsp = os.path.join(self.tmp, "doze.tsp")
        with open(tsp, "w") as f:
            f.write("TYPE : TSP\nDIMENSION : 12\nEDGE_WEIGHT_TYPE : EUC_2D\nNODE_COORD_SECTION\n"
                    + "".join(f"{i} {int(x) / 10} {int(y) / 10}\n"
                              for i, (x, y) in enumerate(pontos, 1)))
        tour = os.path.join(self.tmp, "doze.tour")
        with open(tour, "w") as f:
            f.write("TOUR_SECTION\n" + "\n".join(str(k) for k in range(1, 13)) + "\n-1\n")
        na_pasta = roda("mede", tour, DOZE)
        self.assertEqual(na_pasta.returncode, 0, na_pasta.stderr)
        casos = {
            "tsp": ((tsp, "--escala", "auto", "--conversor", CONVERTE), na_pasta.stdout, ""),
            "tsp_sem_escala": ((tsp, "--conversor", CONVERTE), "", "coordenada nao inteira"),
            "outro_arquivo": ((tour,), "", "nao e pasta de instancia (c50info.txt e c50.txt) "
                                           "nem arquivo .tsp"),
        }
        for nome, (args, saida, erro) in casos.items():
            with self.subTest(caso=nome):
                m = roda("mede", tour, *args)
                self.assertEqual(m.stdout, saida)
                self.assertEqual(m.returncode, 1 if erro else 0)
                self.assertIn(erro, m.stderr)
                self.assertLessEqual(len(m.stderr.splitlines()), 1)

    def test_tour_que_nao_e_permutacao_e_recusado(self):
        casos = {
            "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n11\n-1\n": "o no 11 aparece mais de uma vez",
            "1 2 3 4 5 6 7 8 9 10 11\n-1\n": "11 nos, a instancia tem 12 (falta o no 12)",
            "0 1 2 3 4 5 6 7 8 9 10 11\n-1\n": "no 0 fora de 1..12",
        }
        for corpo, motivo in casos.items():
            with self.subTest(motivo=motivo):
                tour = os.path.join(self.tmp, "ruim.tour")
                with open(tour, "w") as f:
                    f.write("TYPE : TOUR\nTOUR_SECTION\n" + corpo + "EOF\n")
                m = roda("mede", tour, DOZE)
                self.assertEqual(m.returncode, 1)
                self.assertEqual(m.stderr, f"percurso_tsplib.py: {tour}: {motivo}\n")


if __name__ == "__main__":
    unittest.main()
