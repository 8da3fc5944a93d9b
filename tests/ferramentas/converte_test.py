"""Testes do conversor de TSPLIB e do comando de execucao com os programas
reais: escala com a variacao relativa relatada, inteiros em notacao de
expoente, tipos recusados, recusa de sobrescrever, ajuda, e scripts/executa.sh
sobre um .tsp e sobre um caminho que nao serve."""
import math
import os
import re
import subprocess
import sys
import tempfile
import unittest

RAIZ = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
FERRAMENTAS = os.environ.get("FERRAMENTAS") or os.path.join(RAIZ, "ferramentas")
COMPILADOS = os.environ.get("PROGRAMAS_PRONTOS") or os.path.join(RAIZ, "build")
CONVERTE = os.path.join(COMPILADOS, "ferramentas", "converte_tsplib")
PERCURSO = os.path.join(FERRAMENTAS, "percurso_tsplib.py")
EXECUTA = os.path.join(RAIZ, "scripts", "executa.sh")


def tsp(pontos, tipo="TSP", peso="EUC_2D", formato="%r"):
    linhas = [f"NAME : t", f"TYPE : {tipo}", f"DIMENSION : {len(pontos)}",
              f"EDGE_WEIGHT_TYPE : {peso}", "NODE_COORD_SECTION"]
    linhas += [f"{i} {formato % x} {formato % y}" for i, (x, y) in enumerate(pontos, 1)]
    return "\n".join(linhas + ["EOF"]) + "\n"


def poligono(n, raio, cx, cy):
    """Vertices de um poligono convexo com coordenadas reais: a ordem em
    volta e o percurso otimo."""
    return [(cx + raio * math.cos(0.3 + 2 * math.pi * k / n),
             cy + raio * math.sin(0.3 + 2 * math.pi * k / n)) for k in range(n)]


class Base(unittest.TestCase):
    def setUp(self):
        self._tmp = tempfile.TemporaryDirectory()
        self.tmp = self._tmp.name

    def tearDown(self):
        self._tmp.cleanup()

    def grava(self, nome, texto):
        caminho = os.path.join(self.tmp, nome)
        with open(caminho, "w") as f:
            f.write(texto)
        return caminho

    def converte(self, *args):
        return subprocess.run([CONVERTE, *args], capture_output=True, text=True)


class ConverteTest(Base):
    def test_escala_mede_o_percurso_otimo_dentro_da_variacao_relatada(self):
        # Nos numerados fora da ordem do poligono, para o .tour nao ser 1..n.
        n = 30
        vertices = poligono(n, 137.4393516691, 512.25, 300.75)
        ordem = [(7 * k) % n for k in range(n)]  # no k+1 e o vertice ordem[k]
        pontos = [vertices[v] for v in ordem]
        arquivo = self.grava("poligono.tsp", tsp(pontos, formato="%.10f"))
        no_do_vertice = {v: k + 1 for k, v in enumerate(ordem)}
        otimo = self.grava("poligono.opt.tour",
                           "NAME : poligono.opt.tour\nTYPE : TOUR\nDIMENSION : 30\n"
                           "TOUR_SECTION\n" +
                           "\n".join(str(no_do_vertice[v]) for v in range(n)) + "\n-1\nEOF\n")
        pasta = os.path.join(self.tmp, "poligono")

        r = self.converte(arquivo, pasta, "--escala", "1000")
        self.assertEqual(r.returncode, 0, r.stderr)
        self.assertEqual(len(r.stdout.splitlines()), 1)
        self.assertIn("30 cidades", r.stdout)
        variacao = float(re.search(r"arredondamento (\S+) \(", r.stdout).group(1))
        self.assertGreater(variacao, 0.0)

        m = subprocess.run([sys.executable, PERCURSO, "mede", otimo, pasta],
                           capture_output=True, text=True)
        self.assertEqual(m.returncode, 0, m.stderr)
        medido = float(re.search(r"fo = (\S+)$", m.stdout.strip()).group(1))
        perimetro = sum(math.dist(vertices[k], vertices[(k + 1) % n]) for k in range(n))
        escalado = 1000 * perimetro
        # A soma em precisao simples acrescenta menos de 1e-6 relativo.
        self.assertLessEqual(abs(medido - escalado), (variacao + 1e-6) * escalado)

    def test_inteiro_em_notacao_de_expoente_e_aceito_como_esta(self):
        arquivo = self.grava("e.tsp", tsp([(0, 0), (0, 0), (0, 0)]).replace(
            "2 0 0", "2 1.0e+03 565.0").replace("3 0 0", "3 -2E2 7"))
        pasta = os.path.join(self.tmp, "e")
        r = self.converte(arquivo, pasta)
        self.assertEqual(r.returncode, 0, r.stderr)
        self.assertEqual(r.stdout, f"{arquivo}: 3 cidades, x de -200 a 1000, y de 0 a 565; "
                                   f"gravados {pasta}/c50info.txt e {pasta}/c50.txt\n")
        with open(os.path.join(pasta, "c50.txt")) as f:
            self.assertEqual(f.read(), "1 1000 565 0\n2 -200 7 0\n")

    def test_cada_tipo_recusado_tem_uma_linha_que_o_nomeia(self):
        casos = {
            "GEO": ("TSP", "GEO", "EDGE_WEIGHT_TYPE GEO: nao e um plano com distancias "
                                  "euclidianas"),
            "ATT": ("TSP", "ATT", "EDGE_WEIGHT_TYPE ATT: nao e um plano"),
            "EUC_3D": ("TSP", "EUC_3D", "EDGE_WEIGHT_TYPE EUC_3D: nao e um plano"),
            "ATSP": ("ATSP", "EUC_2D", "TYPE ATSP: nao e um TSP simetrico sobre pontos no "
                                       "plano com distancias euclidianas"),
            "HCP": ("HCP", "EUC_2D", "TYPE HCP: nao e um TSP simetrico"),
        }
        for nome, (tipo, peso, mensagem) in casos.items():
            with self.subTest(tipo=nome):
                arquivo = self.grava(f"{nome}.tsp", tsp([(1, 2), (3, 4)], tipo, peso))
                r = self.converte(arquivo, os.path.join(self.tmp, nome))
                self.assertEqual(r.returncode, 1)
                self.assertTrue(r.stderr.startswith(f"converte_tsplib: {arquivo}: {mensagem}"),
                                r.stderr)
                self.assertEqual(len(r.stderr.splitlines()), 1)
                self.assertFalse(os.path.exists(os.path.join(self.tmp, nome)))
        explicito = self.grava("explicito.tsp", "NAME : x\nTYPE : TSP\nDIMENSION : 3\n"
                               "EDGE_WEIGHT_TYPE : EXPLICIT\nEDGE_WEIGHT_FORMAT : UPPER_ROW\n"
                               "EDGE_WEIGHT_SECTION\n 5 7\n 9\nEOF\n")
        r = self.converte(explicito, os.path.join(self.tmp, "x"))
        self.assertEqual(r.returncode, 1)
        self.assertEqual(len(r.stderr.splitlines()), 1)
        self.assertIn("EDGE_WEIGHT_TYPE EXPLICIT: nao e um plano com distancias euclidianas",
                      r.stderr)

    def test_coordenada_real_sem_escala_diz_por_que_e_o_que_fazer(self):
        arquivo = self.grava("real.tsp", tsp([(37.4393516691, 1), (2, 3)]))
        r = self.converte(arquivo, os.path.join(self.tmp, "real"))
        self.assertEqual(r.returncode, 1)
        self.assertIn("coordenada nao inteira na linha 6: 37.4393516691 (a bancada so usa "
                      "coordenadas inteiras; --escala K", r.stderr)
        self.assertFalse(os.path.exists(os.path.join(self.tmp, "real")))

    def test_instancia_existente_so_e_substituida_com_substitui(self):
        pasta = os.path.join(self.tmp, "existe")
        um = self.grava("um.tsp", tsp([(1, 1), (2, 2)]))
        dois = self.grava("dois.tsp", tsp([(5, 5), (6, 6)]))
        self.assertEqual(self.converte(um, pasta).returncode, 0)
        r = self.converte(dois, pasta)
        self.assertEqual(r.returncode, 1)
        self.assertIn(f"{pasta}: ja tem uma instancia", r.stderr)
        self.assertIn("--substitui", r.stderr)
        with open(os.path.join(pasta, "c50info.txt")) as f:
            self.assertEqual(f.read(), "1 0\n0\n1 1\n")
        r = self.converte(dois, pasta, "--substitui")
        self.assertEqual(r.returncode, 0, r.stderr)
        with open(os.path.join(pasta, "c50info.txt")) as f:
            self.assertEqual(f.read(), "1 0\n0\n5 5\n")

    def test_arquivo_hostil_da_uma_linha_legivel_que_nomeia_o_problema(self):
        import random
        random.seed(400)
        cab = "TYPE : TSP\nDIMENSION : 2\nEDGE_WEIGHT_TYPE : EUC_2D\n"
        casos = {
            "aleatorio": (bytes(random.randrange(256) for _ in range(400)), None),
            "arestas_fixas": ((cab + "FIXED_EDGES_SECTION\n1 2\n-1\n").encode(),
                              "FIXED_EDGES_SECTION na linha 4: arestas fixas nao sao suportadas"),
            "chave_repetida": (("DIMENSION : 2\n" + cab).encode(), "chave DIMENSION repetida"),
            "auto_sem_potencia": ((cab + "NODE_COORD_SECTION\n1 0.1234567 0\n2 0 0\n").encode(),
                                  "escala auto: nenhuma potencia de 10 ate 10^6"),
        }
        for nome, (conteudo, motivo) in casos.items():
            with self.subTest(arquivo=nome):
                arquivo = os.path.join(self.tmp, nome + ".tsp")
                with open(arquivo, "wb") as f:
                    f.write(conteudo)
                r = subprocess.run([CONVERTE, "--escala", "auto", arquivo,
                                    os.path.join(self.tmp, nome)], capture_output=True)
                self.assertEqual(r.returncode, 1)
                erro = r.stderr.decode("ascii")  # bytes fora do ASCII falhariam aqui
                self.assertEqual(len(erro.splitlines()), 1, erro)
                self.assertLess(len(erro), 300)
                self.assertTrue(all(32 <= ord(c) < 127 for c in erro.rstrip("\n")), erro)
                if motivo:
                    self.assertIn(motivo, erro)

    def test_escala_auto_relata_o_fator_de_cada_arquivo(self):
        varios_comment = tsp([(1, 2), (3, 4)]).replace("NAME : t", "COMMENT : a\nCOMMENT : b")
        casos = {
            "inteiras": (varios_comment, "escala auto: coordenadas inteiras, sem escala",
                         "1 3 4 0\n"),
            "reais": (tsp([(0.25, 2), (3, 4.5)]), "escala auto: fator 100 (", "1 300 450 0\n"),
        }
        for nome, (texto, relato, c50) in casos.items():
            with self.subTest(arquivo=nome):
                pasta = os.path.join(self.tmp, nome)
                r = self.converte(self.grava(nome + ".tsp", texto), pasta, "--escala", "auto")
                self.assertEqual(r.returncode, 0, r.stderr)
                self.assertIn(relato, r.stdout)
                with open(os.path.join(pasta, "c50.txt")) as f:
                    self.assertEqual(f.read(), c50)

    def test_ajuda_sai_com_status_0(self):
        r = self.converte("--help")
        self.assertEqual(r.returncode, 0)
        self.assertTrue(r.stdout.startswith("uso: converte_tsplib [--escala K|auto] [--substitui]"))
        self.assertEqual(r.stderr, "")


class ExecutaTest(Base):
    def executa(self, *args, entrada="0\n"):
        ambiente = dict(os.environ, PROGRAMAS_PRONTOS=COMPILADOS, TMPDIR=self.tmp)
        return subprocess.run(["bash", EXECUTA, *args], input=entrada, capture_output=True,
                              text=True, env=ambiente)

    def test_arquivo_tsp_e_convertido_e_a_pasta_de_rascunho_nao_fica(self):
        arquivo = self.grava("real.tsp", tsp(poligono(12, 50.5, 80.25, 60.125), formato="%.8f"))
        guardada = os.path.join(self.tmp, "guardada")
        for guarda in ((), ("--guarda", guardada)):
            with self.subTest(guarda=guarda):
                r = self.executa(*guarda, arquivo, "--escala", "100", entrada="1\n1\n2\n0\n")
                self.assertEqual(r.returncode, 0, r.stderr)
                linhas = r.stdout.splitlines()
                self.assertRegex(linhas[0], r"^.*real\.tsp: 12 cidades, .*escala 100: .*gravados ")
                self.assertIn("Menu Principal", r.stdout.split(linhas[0], 1)[1])
                self.assertRegex(r.stdout, r"(?m)^Funcao objetivo = ")
                pasta = re.search(r"Pasta de trabalho: (\S+?);? ", r.stderr).group(1)
                self.assertTrue(pasta.startswith(self.tmp))
                self.assertFalse(os.path.exists(pasta))
                if guarda:
                    self.assertIn(f"Arquivos de saida guardados em {guardada}", r.stderr)
                    self.assertEqual(sorted(os.listdir(guardada)),
                                     ["Descida.txt", "Descidasaida.txt", "c50.txt", "c50info.txt"])
                else:
                    self.assertIn("apagada ao fim; --guarda PASTA", r.stderr)

    def test_caminho_que_nao_e_pasta_nem_tsp_da_uma_linha_e_status_2(self):
        texto = self.grava("notas.txt", "nada\n")
        for caminho in (os.path.join(self.tmp, "nao_existe.tsp"), texto, self.tmp):
            with self.subTest(caminho=caminho):
                r = self.executa(caminho)
                self.assertEqual(r.returncode, 2)
                self.assertEqual(r.stdout, "")
                self.assertEqual(len(r.stderr.splitlines()), 1, r.stderr)
                self.assertTrue(r.stderr.startswith(f"executa.sh: {caminho}: "), r.stderr)


if __name__ == "__main__":
    unittest.main()
