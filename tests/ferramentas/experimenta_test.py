"""Testes do programa experimenta: cada cadeia da a mesma fo e o mesmo percurso
que o mesmo caminho de menus da bancada, opcoes invalidas recusadas numa linha,
sementes e parametros, limite de tempo, interrupcao e instancias .tsp."""
import csv
import io
import itertools
import os
import re
import signal
import struct
import subprocess
import tempfile
import time
import unittest

RAIZ = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
BANCADA = os.environ.get("BANCADA") or os.path.join(RAIZ, "build", "bancada")
EXPERIMENTA = (os.environ.get("EXPERIMENTA")
               or os.path.join(RAIZ, "build", "ferramentas", "experimenta"))
INSTANCIAS = os.path.join(RAIZ, "instancias")
TSPLIB = os.path.join(RAIZ, "..", "shared", "tsplib")

# O caminho de menus de cada nome da linha de comando.
INICIAIS = {"vizinho": "1 1", "vizinho-parcial": "1 2", "insercao": "1 3",
            "insercao-parcial": "1 4", "aleatoria": "1 5"}
METODOS = {"descida": "2", "descida-randomica": "3", "descida-parcial": "4", "sa": "5",
           "tabu": "6", "grasp-vmp": "7 1", "grasp-imb": "7 2", "vns": "9",
           "ag-ox": "10 1", "ag-erx": "10 2"}
PERCURSO = re.compile(r"^\d+(?: -> \d+)+ $")
FO = re.compile(r"^(?:Funcao objetivo|Melhor fo encontrada) = (\S+)")


def roda_bancada(instancia, inicial, metodos):
    """As fo que a bancada imprime, como texto, e o seu ultimo percurso."""
    linhas = INICIAIS[inicial].split()
    for m in metodos:
        linhas += METODOS[m].split() + ([""] if m == "tabu" else [])  # a tecla da tabu
    with tempfile.TemporaryDirectory() as pasta:
        for nome in ("c50info.txt", "c50.txt"):
            with open(os.path.join(instancia, nome), "rb") as f, \
                    open(os.path.join(pasta, nome), "wb") as g:
                g.write(f.read())
        r = subprocess.run([BANCADA], input="\n".join(linhas + ["0", ""]), cwd=pasta,
                           capture_output=True, text=True, timeout=120)
    assert r.returncode == 0, r.stderr
    fos, percurso = [], None
    for linha in r.stdout.split("\n"):
        if PERCURSO.match(linha):
            percurso = [int(c) for c in linha.split(" -> ")][:-1]
            percurso = percurso[percurso.index(0):] + percurso[:percurso.index(0)]
        elif FO.match(linha):
            fos.append(FO.match(linha).group(1))
    return fos, percurso


def experimenta(*argumentos, cwd=None, timeout=120):
    return subprocess.run([EXPERIMENTA, *argumentos], cwd=cwd, capture_output=True,
                          text=True, timeout=timeout)


def linhas_csv(texto):
    return list(csv.DictReader(io.StringIO(texto)))


def le_tour(caminho):
    with open(caminho) as f:
        texto = f.read().split("\n")
    inicio = texto.index("TOUR_SECTION") + 1
    return [int(no) - 1 for no in texto[inicio:texto.index("-1")]]


def roda_com_saida(teste, *argumentos):
    """Roda com --saida numa pasta temporaria: a linha do CSV e o percurso do .tour."""
    with tempfile.TemporaryDirectory() as pasta:
        r = experimenta(*argumentos, "--saida", pasta)
        teste.assertEqual(r.returncode, 0, r.stderr)
        tours = [a for a in os.listdir(pasta) if a.endswith(".tour")]
        teste.assertEqual(len(tours), 1, tours)
        percurso = le_tour(os.path.join(pasta, tours[0]))
    linhas = linhas_csv(r.stdout)
    teste.assertEqual(len(linhas), 1, "a saida padrao deve ter so o CSV, cabecalho e uma "
                      "linha; veio:\n" + r.stdout[:600])
    return linhas[0], percurso


def comprimento(instancia, percurso):
    """O comprimento como o programa o mede: distancias e soma em float."""
    f32 = lambda x: struct.unpack("f", struct.pack("f", x))[0]  # noqa: E731
    with open(os.path.join(instancia, "c50info.txt")) as f:
        info = f.read().split()
    xy = {0: (int(info[3]), int(info[4]))}
    with open(os.path.join(instancia, "c50.txt")) as f:
        for c, x, y, _ in (map(int, l.split()) for l in f if l.strip()):
            xy[c] = (x, y)
    soma = 0.0
    for a, b in zip(percurso, percurso[1:] + percurso[:1]):
        dx, dy = xy[a][0] - xy[b][0], xy[a][1] - xy[b][1]
        soma = f32(f32((dx * dx + dy * dy) ** 0.5) + soma)
    return soma


def sem_tempos(linha):
    return {k: v for k, v in linha.items() if not re.fullmatch(r"tempo(_\d+)?", k)}


@unittest.skipUnless(os.path.exists(EXPERIMENTA) and os.path.exists(BANCADA),
                     f"{EXPERIMENTA} ou {BANCADA} nao existe: compile o projeto")
class ExperimentaTest(unittest.TestCase):
    def test_cadeias_iguais_aos_caminhos_de_menu_da_bancada(self):
        casos = [(inicial, []) for inicial in INICIAIS]
        casos += [("aleatoria", [m]) for m in METODOS]
        # Cadeias que levam o gerador de um metodo ao seguinte.
        casos += [("vizinho-parcial", ["descida-randomica", "descida-parcial", "sa", "vns"]),
                  ("aleatoria", ["sa", "tabu", "descida-randomica", "vns", "ag-ox"])]
        for nome in ("doze_cidades", "eil51", "aleatoria200"):
            instancia = os.path.join(INSTANCIAS, nome)
            for inicial, metodos in casos:
                with self.subTest(instancia=nome, inicial=inicial, metodos=metodos):
                    fos, percurso = roda_bancada(instancia, inicial, metodos)
                    args = ["--instancia", instancia, "--inicial", inicial]
                    if metodos:
                        args += ["--metodos", ",".join(metodos)]
                    linha, tour = roda_com_saida(self, *args)
                    obtidas = [linha["fo_inicial"]] + [linha[f"fo_{k}"]
                                                       for k in range(1, len(metodos) + 1)]
                    self.assertEqual(obtidas, fos)
                    self.assertEqual(linha["fo"], fos[-1])
                    self.assertEqual(linha["estado"], "ok")
                    self.assertEqual(tour, percurso)

    def test_sem_saida_a_pasta_de_trabalho_fica_vazia(self):
        # Os metodos dos menus gravam tracos na pasta de trabalho; aqui nao.
        with tempfile.TemporaryDirectory() as pasta:
            r = experimenta("--instancia", os.path.join(INSTANCIAS, "doze_cidades"),
                            "--inicial", "aleatoria", "--metodos", ",".join(METODOS),
                            cwd=pasta)
            self.assertEqual(r.returncode, 0, r.stderr)
            self.assertEqual(os.listdir(pasta), [])
        self.assertEqual(len(linhas_csv(r.stdout)), 1)

    def test_opcao_invalida_da_status_2_e_uma_linha_que_a_nomeia(self):
        eil51 = ["--instancia", os.path.join(INSTANCIAS, "eil51")]
        casos = [
            (eil51 + ["--param", "NAO_EXISTE=1"], ["NAO_EXISTE"]),
            (eil51 + ["--param", "BT_MAX=-1"], ["BT_MAX", "1 a 2147483647"]),
            (eil51 + ["--param", "TAXA_RESFRIAMENTO=1"], ["TAXA_RESFRIAMENTO", "(0, 1)"]),
            (eil51 + ["--param", "AG_TAMANHO_POPULACAO=201"],
             ["AG_TAMANHO_POPULACAO", "par de 2 a"]),
            (eil51 + ["--param", "AG_PROB_CROSSOVER=0"], ["AG_PROB_CROSSOVER", "(0, 1]"]),
            (eil51 + ["--metodos", "descida,vnd"], ["vnd"]),
            (eil51 + ["--sementez", "3"], ["--sementez"]),
            (["--metodos", "sa"], ["--instancia"]),
            (eil51 + ["--sementes", "5-3"], ["--sementes", "5-3"]),
            (eil51 + ["--vizinhanca", "3opt"], ["--vizinhanca", "3opt"]),
            (eil51 + ["--param", "VIZINHOS=-1"], ["VIZINHOS", "0 a 1000"]),
        ]
        for args, trechos in casos:
            with self.subTest(args=args):
                r = experimenta(*args)
                self.assertEqual(r.returncode, 2)
                self.assertEqual(r.stdout, "")
                self.assertEqual(len(r.stderr.splitlines()), 1, r.stderr)
                for trecho in trechos:
                    self.assertIn(trecho, r.stderr)

    def test_sementes_e_parametros(self):
        eil51 = ["--instancia", os.path.join(INSTANCIAS, "eil51"), "--inicial", "aleatoria"]
        linhas = linhas_csv(experimenta(*eil51, "--metodos", "sa", "--sementes", "1-3").stdout)
        self.assertEqual([l["semente"] for l in linhas], ["1", "2", "3"])
        self.assertEqual(len({l["fo"] for l in linhas}), 3, linhas)

        cadeia = eil51 + ["--semente", "7", "--metodos",
                          "descida-randomica,sa,tabu,grasp-imb,vns,ag-ox"]
        base, tour = roda_com_saida(self, *cadeia)
        outra, outro_tour = roda_com_saida(self, *cadeia)
        self.assertEqual(sem_tempos(outra), sem_tempos(base))
        self.assertEqual(outro_tour, tour)

        sa = eil51 + ["--semente", "7", "--metodos", "sa"]
        padrao, igual, mudado = (linhas_csv(experimenta(*sa, *extra).stdout)[0] for extra in
                                 ([], ["--param", "TAXA_RESFRIAMENTO=0.995"],
                                  ["--param", "TAXA_RESFRIAMENTO=0.9"]))
        self.assertEqual(sem_tempos(igual), sem_tempos(padrao))
        self.assertEqual(mudado["parametros"], "TAXA_RESFRIAMENTO=0.9")
        self.assertNotEqual(mudado["fo"], padrao["fo"])

    def test_semente_fixada_por_param_aparece_na_linha(self):
        # Com --semente S a semente do metodo passa a ser S; fixa-la no valor
        # do programa muda o resultado, e a linha precisa dizer isso.
        casos = [("SEMENTE_CONSTRUCAO=1000", "aleatoria", "descida"),
                 ("SEMENTE_GRASP=1000", "vizinho", "grasp-imb"),
                 ("SEMENTE_AG=1500", "vizinho", "ag-ox")]
        for param, inicial, metodo in casos:
            with self.subTest(param=param):
                args = ["--instancia", os.path.join(INSTANCIAS, "eil51"), "--semente", "5",
                        "--inicial", inicial, "--metodos", metodo]
                livre = linhas_csv(experimenta(*args).stdout)[0]
                fixa = linhas_csv(experimenta(*args, "--param", param).stdout)[0]
                self.assertNotEqual(fixa["fo"], livre["fo"])
                self.assertNotEqual(fixa["parametros"], livre["parametros"],
                                    f"--param {param} muda a fo, mas a linha do CSV e a "
                                    "mesma de uma execucao sem ele: nao reproduzivel")

    def test_limite_de_tempo_para_o_metodo_com_o_melhor_percurso(self):
        instancia = os.path.join(INSTANCIAS, "aleatoria1000")
        inicio = time.monotonic()
        linha, tour = roda_com_saida(self, "--instancia", instancia, "--inicial", "aleatoria",
                                     "--metodos", "grasp-vmp", "--tempo-limite", "0.001")
        self.assertLess(time.monotonic() - inicio, 1.0)  # sem limite leva segundos
        self.assertEqual((linha["parada_1"], linha["estado"]), ("tempo_limite", "tempo_limite"))
        self.assertEqual(sorted(tour), list(range(1000)))
        self.assertLess(float(linha["fo"]), float(linha["fo_inicial"]))
        self.assertAlmostEqual(float(linha["fo"]), comprimento(instancia, tour),
                               delta=1e-5 * float(linha["fo"]))

    def test_interrupcao_deixa_so_linhas_completas(self):
        casos = [("eil51", "descida", "1-100000"),
                 # Interrompido no meio do GRASP: o VNS nao roda.
                 ("aleatoria1000", "grasp-vmp,vns", "1-3")]
        for nome, metodos, sementes in casos:
            with self.subTest(instancia=nome, metodos=metodos):
                p = subprocess.Popen([EXPERIMENTA, "--instancia", os.path.join(INSTANCIAS, nome),
                                      "--inicial", "aleatoria", "--metodos", metodos,
                                      "--sementes", sementes],
                                     stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
                time.sleep(0.5)
                p.send_signal(signal.SIGTERM)
                inicio = time.monotonic()
                saida, erro = p.communicate(timeout=60)
                self.assertLess(time.monotonic() - inicio, 1.0)
                self.assertEqual(p.returncode, 143, erro)
                self.assertTrue(saida.endswith("\n"), saida[-200:])
                tabela = list(csv.reader(io.StringIO(saida)))
                self.assertGreater(len(tabela), 1)
                for campos in tabela[1:]:
                    self.assertEqual(len(campos), len(tabela[0]), campos)
                if nome == "aleatoria1000":
                    ultima = dict(zip(tabela[0], tabela[-1]))
                    self.assertEqual((ultima["parada_1"], ultima["fo_2"], ultima["estado"]),
                                     ("interrompida", "", "interrompida"))

    def test_vizinhanca_troca_da_a_linha_de_sempre_e_as_outras_medem_o_percurso(self):
        eil51 = os.path.join(INSTANCIAS, "eil51")
        args = ["--instancia", eil51, "--metodos", "descida"]
        sem = linhas_csv(experimenta(*args).stdout)[0]
        troca = linhas_csv(experimenta(*args, "--vizinhanca", "troca").stdout)[0]
        self.assertNotIn("vizinhanca", sem)
        self.assertEqual(troca.pop("vizinhanca"), "troca")
        self.assertEqual(sem_tempos(troca), sem_tempos(sem))
        # Todo metodo que busca numa vizinhanca: percurso valido, medido como o
        # programa mede, nunca pior que o de partida (o GRASP nao parte dele).
        metodos = ["descida", "descida-randomica", "descida-parcial", "sa", "tabu", "vns",
                   "grasp-vmp"]
        for metodo, vizinhanca, vizinhos in itertools.product(
                metodos, ("2opt", "oropt", "2opt+oropt"), ("0", "5")):
            with self.subTest(metodo=metodo, vizinhanca=vizinhanca, vizinhos=vizinhos):
                linha, tour = roda_com_saida(self, "--instancia", eil51, "--metodos", metodo,
                                             "--vizinhanca", vizinhanca, "--param",
                                             f"VIZINHOS={vizinhos}", "--param",
                                             "ITERACOES_GRASP=3")
                self.assertEqual(linha["vizinhanca"], vizinhanca)
                self.assertEqual(linha["estado"], "ok")
                self.assertEqual(sorted(tour), list(range(51)))
                self.assertEqual(linha["fo"], f"{comprimento(eil51, tour):.6f}")
                if metodo != "grasp-vmp":
                    self.assertLessEqual(float(linha["fo"]), float(troca["fo_inicial"]))

    def test_referencia_e_gap(self):
        eil51_tsp = os.path.join(TSPLIB, "eil51.tsp")
        if not os.path.exists(eil51_tsp):
            self.skipTest(f"{eil51_tsp} nao existe")
        casos = [(eil51_tsp, "429.983337"),
                 (os.path.join(INSTANCIAS, "eil51"), "426.000000"),  # o arquivo OTIMO
                 (os.path.join(INSTANCIAS, "doze_cidades"), "")]
        fos = {}
        for instancia, referencia in casos:
            with self.subTest(instancia=instancia):
                r = experimenta("--instancia", instancia, "--metodos", "descida")
                self.assertEqual(r.returncode, 0, r.stderr)
                linha = linhas_csv(r.stdout)[0]
                fos[instancia] = linha["fo"]
                self.assertEqual(linha["referencia"], referencia)
                if referencia:
                    gap = 100 * (float(linha["fo"]) - float(referencia)) / float(referencia)
                    self.assertAlmostEqual(float(linha["gap"]), gap, places=5)
                else:
                    self.assertEqual(linha["gap"], "")
        # O .tsp e a pasta convertida dele sao a mesma instancia.
        self.assertEqual(fos[eil51_tsp], fos[os.path.join(INSTANCIAS, "eil51")])


if __name__ == "__main__":
    unittest.main()
