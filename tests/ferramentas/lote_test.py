"""Testes de ferramentas/lote.py: roteiros, leitura dos relatorios, linhas do
CSV conferidas contra o que o programa imprime para os mesmos roteiros,
falhas (status 1, sinal, tempo esgotado) registradas como falhas, execucoes
paralelas iguais as seriais, a linha de progresso e instancias .tsp."""
import csv
import io
import math
import os
import re
import stat
import statistics
import subprocess
import sys
import tempfile
import unittest

RAIZ = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
FERRAMENTAS = os.environ.get("FERRAMENTAS") or os.path.join(RAIZ, "ferramentas")
BANCADA = os.environ.get("BANCADA") or os.path.join(RAIZ, "build", "bancada")
EXPERIMENTA = (os.environ.get("EXPERIMENTA")
               or os.path.join(RAIZ, "build", "ferramentas", "experimenta"))
SEM_EXPERIMENTA = (f"{EXPERIMENTA} nao existe: compile o alvo experimenta "
                   "(cmake --build build --target experimenta)")
sys.path.insert(0, FERRAMENTAS)
import lote  # noqa: E402

SCRIPT = os.path.join(FERRAMENTAS, "lote.py")


def grava_instancia(pasta, cidades, otimo=None, ultima=None):
    """cidades: lista de (x, y), a primeira e a cidade 0. `ultima` corta o
    arquivo de coordenadas depois da cidade dada (instancia quebrada)."""
    os.makedirs(pasta)
    x0, y0 = cidades[0]
    with open(os.path.join(pasta, "c50info.txt"), "w") as f:
        f.write(f"{len(cidades) - 1} 0\n0\n{x0} {y0}\n")
    with open(os.path.join(pasta, "c50.txt"), "w") as f:
        for i, (x, y) in enumerate(cidades[1:], 1):
            if ultima is not None and i > ultima:
                break
            f.write(f"{i} {x} {y} 0\n")
    if otimo is not None:
        with open(os.path.join(pasta, "OTIMO"), "w") as f:
            f.write(f"{otimo}\n")


OITO = [(10, 10), (80, 15), (45, 90), (5, 60), (70, 70), (30, 40), (95, 50), (55, 5)]
DEZ = [(0, 0), (12, 7), (3, 19), (25, 25), (8, 30), (40, 2), (33, 14), (18, 11), (27, 36), (1, 9)]


# --------------------------------------------------- saidas compostas a mao
# Os textos de menu e de relatorio do programa, para compor saidas de metodos
# que imprimem linhas de progresso antes do relatorio.
MENU = ("\n*******************Menu Principal************************* \n"
        "ATENCAO: Necessario gerar solucao inicial antes de refinar\n"
        "                1. Gere solucao inicial \n                2. Descida \n"
        "                3. Descida randomica \n                4. Descida parcial \n"
        "                5. Simulated Annealing \n                6. Busca Tabu \n"
        "                7. GRASP \n                8. VND \n                9. VNS \n"
        "               10. Algoritmos Geneticos \n                0. Sair \n"
        "                Escolha: ")
MENU_INICIAL = ("\n************Geracao da Solucao Inicial**************** \n"
                "                1. Gulosa (Vizinho mais proximo) \n"
                "                2. Parcialmente gulosa (Vizinho mais proximo) \n"
                "                3. Gulosa (Insercao Mais Barata) \n"
                "                4. Parcialmente gulosa (Insercao Mais Barata) \n"
                "                5. Aleatoria \n                escolha: ")
MENU_AG = ("\n****************Menu Algoritmos Geneticos********************** \n"
           "                1. Operador OX \n                2. Operador ERX \n"
           "                Escolha: ")


def refinamento(cabecalho, percurso, fo, tempo):
    return (f"\n{cabecalho}\n{percurso}\n\nMelhor fo encontrada = {fo} \n"
            f"Tempo de CPU = {tempo} segundos\n")


class RoteiroTest(unittest.TestCase):
    def test_caminho_vira_passos_com_a_opcao_de_cada_submenu(self):
        self.assertEqual(lote.interpreta_caminho("1 5 7 2 10 1 6 9 2 3 4 5"),
                         [(1, 5), (7, 2), (10, 1), (6, None), (9, None), (2, None),
                          (3, None), (4, None), (5, None)])
        self.assertEqual(lote.interpreta_roteiro("sa_descida: 1 4 5 2"),
                         ("sa_descida", [(1, 4), (5, None), (2, None)]))

    def test_caminho_invalido_e_rejeitado_com_o_motivo(self):
        casos = {
            "1 5 0": "nao ponha o 0",
            "1 5 8": "VND",
            "1 5 11": "11 nao e escolha do menu principal",
            "1 6": "6 nao e opcao do submenu da escolha 1 (1 a 5)",
            "1 5 7 3": "3 nao e opcao do submenu da escolha 7 (1 a 2)",
            "1 5 10": "falta a opcao do submenu da escolha 10",
            "1 cinco": "apenas numeros",
            "": "roteiro vazio",
        }
        for caminho, motivo in casos.items():
            with self.subTest(caminho=caminho):
                with self.assertRaises(lote.ErroRoteiro) as ctx:
                    lote.interpreta_caminho(caminho)
                self.assertIn(motivo, str(ctx.exception))
        for linha in ("sem dois pontos 1 5", "nome com espaco: 1 5", ": 1 5"):
            with self.subTest(linha=linha), self.assertRaises(lote.ErroRoteiro):
                lote.interpreta_roteiro(linha)

    def test_entrada_poe_a_linha_da_pausa_da_tabu_e_o_zero_final(self):
        self.assertEqual(lote.entrada_do_roteiro(lote.interpreta_caminho("1 5 6 2")),
                         "1\n5\n6\n\n2\n0\n")
        self.assertEqual(lote.entrada_do_roteiro(lote.interpreta_caminho("1 3 10 2")),
                         "1\n3\n10\n2\n0\n")


class LeituraDaSaidaTest(unittest.TestCase):
    def test_linhas_de_progresso_nao_confundem_os_relatorios(self):
        saida = (MENU + MENU_INICIAL
                 + "\nSolucao construida de forma aleatoria:\n0 -> 2 -> 1 -> 0 \n"
                   "Funcao objetivo = 30.000000\n"
                 + MENU + "\nIniciando a Busca Tabu com fo =    30.00\nfo_star =    25.00 \n"
                   "********** Melhor Solucao Obtida *************** \n"
                   "Saindo da Busca Tabu com fo_star =    25.00\n"
                   "Numero de iteracoes realizadas = 301 \n"
                   "******************************************** \n"
                 + refinamento("Solucao construida usando o Metodo Busca Tabu:",
                               "1 -> 0 -> 2 -> 1 ", "25.000000", "0.120000")
                 + MENU + MENU_AG + "Melhor solucao encontrada na construcao: 24.000000\n"
                   "fo star = 23.500000\n\nNumero de geracoes avaliadas: 12"
                 + refinamento("Solucao construida usando Algoritmos Geneticos:",
                               "0 -> 1 -> 2 -> 0 ", "23.500000", "1.250000")
                 + MENU)
        passos = lote.interpreta_caminho("1 5 6 10 2")
        rels = lote.analisa_saida(lote.Execucao(0, saida), passos)
        self.assertEqual([(r.estado, r.fo, r.tempo) for r in rels],
                         [("ok", "30.000000", ""), ("ok", "25.000000", "0.120000"),
                          ("ok", "23.500000", "1.250000")])
        self.assertEqual(rels[1].percurso, "1 -> 0 -> 2 -> 1 ")

    def test_metodo_sem_relatorio_nao_pega_o_relatorio_do_passo_seguinte(self):
        # Simulated Annealing ausente: nada impresso; a descida seguinte relata.
        saida = (MENU + MENU_INICIAL
                 + "\nSolucao construida de forma aleatoria:\n0 -> 2 -> 1 -> 0 \n"
                   "Funcao objetivo = 30.000000\n"
                 + MENU + MENU
                 + refinamento("Solucao construida usando o Metodo da Descida:",
                               "0 -> 1 -> 2 -> 0 ", "28.000000", "0.000100")
                 + MENU)
        rels = lote.analisa_saida(lote.Execucao(0, saida), lote.interpreta_caminho("1 5 5 2"))
        self.assertEqual([r.estado for r in rels], ["ok", "sem_relatorio", "ok"])
        self.assertEqual(rels[2].fo, "28.000000")

    def test_submenu_ausente_tira_o_resto_do_roteiro(self):
        # Sem o menu do genetico, o "2" seguinte virou a escolha Descida.
        saida = (MENU + MENU_INICIAL
                 + "\nSolucao construida de forma aleatoria:\n0 -> 2 -> 1 -> 0 \n"
                   "Funcao objetivo = 30.000000\n"
                 + MENU + MENU
                 + refinamento("Solucao construida usando o Metodo da Descida:",
                               "0 -> 1 -> 2 -> 0 ", "28.000000", "0.000100")
                 + MENU
                 + refinamento("Solucao construida usando o Metodo da Descida:",
                               "0 -> 1 -> 2 -> 0 ", "28.000000", "0.000100")
                 + MENU)
        rels = lote.analisa_saida(lote.Execucao(0, saida),
                                  lote.interpreta_caminho("1 5 10 2 2"))
        self.assertEqual([r.estado for r in rels], ["ok", "fora_do_roteiro", "fora_do_roteiro"])
        self.assertEqual([r.fo for r in rels[1:]], ["", ""])

    def test_relatorio_incompleto_nao_e_resultado(self):
        saida = (MENU + "\nSolucao construida usando o Metodo VNS:\n0 -> 1 -> 2 -> 0 \n"
                 "\nMelhor fo encontrada = 28.000000 \n" + MENU)
        rels = lote.analisa_saida(lote.Execucao(0, saida), lote.interpreta_caminho("9"))
        self.assertEqual((rels[0].estado, rels[0].fo), ("sem_relatorio", ""))
        self.assertIn("fora do formato", rels[0].detalhe)


def valores_impressos(texto):
    """(fo, tempo) de cada relatorio, na ordem, lidos aqui sem o lote."""
    achados = re.findall(r"^Funcao objetivo = (\S+)$|^Melhor fo encontrada = (\S+) \n"
                         r"Tempo de CPU = (\S+) segundos$", texto, re.M)
    return [(a or b, c) for a, b, c in achados]


class LoteComOProgramaTest(unittest.TestCase):
    ROTEIROS = {"descidas": "1 5 2 2", "construcao": "1 5", "sem_solucao": "2 1 5 2"}
    ENTRADAS = {"descidas": "1\n5\n2\n2\n0\n", "construcao": "1\n5\n0\n",
                "sem_solucao": "2\n1\n5\n2\n0\n"}

    @classmethod
    def setUpClass(cls):
        cls._tmp = tempfile.TemporaryDirectory()
        tmp = cls.tmp = cls._tmp.name
        grava_instancia(os.path.join(tmp, "oito"), OITO, otimo=250)
        grava_instancia(os.path.join(tmp, "dez"), DEZ)
        grava_instancia(os.path.join(tmp, "quebrada"), DEZ, ultima=8)
        roteiros = os.path.join(tmp, "roteiros.txt")
        with open(roteiros, "w") as f:
            f.write("# comentario\n\n")
            for nome, caminho in cls.ROTEIROS.items():
                f.write(f"{nome}: {caminho}  # ao fim da linha\n")
        cls.csv = os.path.join(tmp, "r.csv")
        cls.tabela = os.path.join(tmp, "r.md")
        cls.trabalho = os.path.join(tmp, "trabalho")
        cls.execucao = subprocess.run(
            [sys.executable, SCRIPT, "--programa", BANCADA, "--roteiros", roteiros,
             "--csv", cls.csv, "--tabela", cls.tabela, "--trabalho", cls.trabalho,
             os.path.join(tmp, "oito"), os.path.join(tmp, "dez"),
             os.path.join(tmp, "quebrada")],
            capture_output=True, text=True)
        with open(cls.csv, newline="") as f:
            cls.linhas = list(csv.DictReader(f))

    @classmethod
    def tearDownClass(cls):
        cls._tmp.cleanup()

    def roda_direto(self, instancia, entrada):
        with tempfile.TemporaryDirectory() as trabalho:
            for nome in ("c50info.txt", "c50.txt"):
                with open(os.path.join(self.tmp, instancia, nome)) as o, \
                        open(os.path.join(trabalho, nome), "w") as d:
                    d.write(o.read())
            return subprocess.run([BANCADA], cwd=trabalho, input=entrada, capture_output=True,
                                  text=True)

    def linhas_de(self, instancia, roteiro):
        return [l for l in self.linhas if l["instancia"] == instancia and l["roteiro"] == roteiro]

    def test_lote_termina_e_grava_uma_linha_por_passo(self):
        # As tres execucoes da instancia quebrada falham: o lote termina e diz quantas.
        self.assertEqual(self.execucao.returncode, lote.STATUS_COM_FALHAS, self.execucao.stderr)
        self.assertEqual(self.execucao.stderr.splitlines()[-1],
                         "lote.py: 3 de 9 execucao(oes) falharam; a primeira: quebrada "
                         "descidas: status de saida 1: O Arquivo c50.txt possui 8 registros "
                         "enquanto o problema tem 10 cidades.")
        with open(self.csv) as f:
            self.assertEqual(f.readline().rstrip("\n"), ",".join(lote.COLUNAS))
        passos = 3 + 1 + 3  # descidas, construcao, sem_solucao
        self.assertEqual(len(self.linhas), 3 * passos)
        with open(self.tabela) as f:
            self.assertEqual(f.readline().strip(), "| caminho | metodo | oito | dez | quebrada |")

    def test_valores_sao_os_que_o_programa_imprime_para_o_mesmo_roteiro(self):
        for instancia, cidades in (("oito", "8"), ("dez", "10")):
            for roteiro, entrada in self.ENTRADAS.items():
                with self.subTest(instancia=instancia, roteiro=roteiro):
                    direto = self.roda_direto(instancia, entrada)
                    self.assertEqual(direto.returncode, 0)
                    linhas = self.linhas_de(instancia, roteiro)
                    ok = [l for l in linhas if l["estado"] == "ok"]
                    self.assertEqual([l["fo"] for l in ok],
                                     [fo for fo, _ in valores_impressos(direto.stdout)])
                    # Os tempos variam de uma execucao para outra: confere com a
                    # saida gravada da propria execucao do lote.
                    with open(os.path.join(self.trabalho, instancia, roteiro, "saida.txt")) as f:
                        gravada = valores_impressos(f.read())
                    self.assertEqual([(l["fo"], l["tempo_cpu_s"]) for l in ok], gravada)
                    self.assertTrue(all(l["cidades"] == cidades for l in linhas))

    def test_caminho_metodo_e_estado_de_cada_passo(self):
        linhas = self.linhas_de("oito", "descidas")
        self.assertEqual([(l["passo"], l["caminho_menu"], l["metodo"]) for l in linhas],
                         [("1", "1 5", "Aleatoria"), ("2", "1 5 2", "Descida"),
                          ("3", "1 5 2 2", "Descida")])
        self.assertEqual(linhas[0]["tempo_cpu_s"], "")
        self.assertRegex(linhas[1]["tempo_cpu_s"], r"^\d+\.\d{6}$")
        # Refinar antes de construir: o programa avisa e nao relata.
        sem = self.linhas_de("oito", "sem_solucao")
        self.assertEqual([l["estado"] for l in sem], ["sem_relatorio", "ok", "ok"])
        self.assertEqual(sem[0]["fo"], "")
        self.assertIn("antes de refinar", sem[0]["detalhe"])

    def test_gap_usa_o_otimo_da_pasta_quando_existe(self):
        for l in self.linhas_de("oito", "descidas"):
            self.assertEqual(l["otimo"], "250")
            self.assertEqual(l["gap_pct"], f"{100 * (float(l['fo']) - 250) / 250:.2f}")
        for l in self.linhas_de("dez", "descidas"):
            self.assertEqual((l["otimo"], l["gap_pct"]), ("", ""))
            self.assertNotEqual(l["fo"], "")

    def test_programa_que_sai_com_status_1_da_linhas_de_falha_sem_valor(self):
        direto = self.roda_direto("quebrada", "1\n5\n0\n")
        self.assertEqual(direto.returncode, 1)
        linhas = [l for l in self.linhas if l["instancia"] == "quebrada"]
        self.assertEqual(len(linhas), len(self.linhas) // 3)
        for l in linhas:
            self.assertEqual(l["estado"], "falha")
            self.assertEqual((l["fo"], l["tempo_cpu_s"], l["gap_pct"]), ("", "", ""))
            self.assertEqual(l["detalhe"], "status de saida 1: O Arquivo c50.txt possui 8 "
                                           "registros enquanto o problema tem 10 cidades.")

    def test_pasta_de_trabalho_guarda_entrada_saida_e_tracos(self):
        pasta = os.path.join(self.trabalho, "dez", "descidas")
        with open(os.path.join(pasta, "entrada.txt")) as f:
            self.assertEqual(f.read(), self.ENTRADAS["descidas"])
        with open(os.path.join(pasta, "Descidasaida.txt")) as f:
            self.assertGreaterEqual(len(f.readlines()), 4)  # duas chamadas, duas linhas ou mais
        # O percurso do ultimo relatorio, em percurso.tour; uma execucao que falhou nao tem.
        with open(os.path.join(pasta, "saida.txt")) as f:
            ultimo = re.findall(r"^(\d+(?: -> \d+)+) $", f.read(), re.M)[-1]
        with open(os.path.join(pasta, "percurso.tour")) as f:
            cabecalho, corpo = f.read().split("TOUR_SECTION\n")
        # Do no 1 em diante, como os .tour da TSPLIB, e com o nome da instancia.
        cidades = [int(c) for c in ultimo.split(" -> ")[:-1]]
        k = cidades.index(0)
        self.assertEqual(corpo.split(), [str(c + 1) for c in cidades[k:] + cidades[:k]]
                         + ["-1", "EOF"])
        self.assertTrue(cabecalho.startswith("NAME : dez\n"), cabecalho)
        self.assertFalse(os.path.exists(os.path.join(self.trabalho, "quebrada", "descidas",
                                                     "percurso.tour")))


class ProgramaQueNaoTerminaBemTest(unittest.TestCase):
    def setUp(self):
        self._tmp = tempfile.TemporaryDirectory()
        self.tmp = self._tmp.name
        self.inst = os.path.join(self.tmp, "dez")
        grava_instancia(self.inst, DEZ)

    def tearDown(self):
        self._tmp.cleanup()

    def programa(self, corpo):
        caminho = os.path.join(self.tmp, "falso.sh")
        with open(caminho, "w") as f:
            f.write("#!/bin/sh\n" + corpo + "\n")
        os.chmod(caminho, os.stat(caminho).st_mode | stat.S_IXUSR)
        return caminho

    def test_sinal_e_tempo_esgotado_viram_linhas_de_falha(self):
        roteiros = [("r", lote.interpreta_caminho("1 5 2"))]
        morto = lote.executa_lote(self.programa("kill -SEGV $$"), [self.inst], roteiros)
        self.assertEqual([l.valores["estado"] for l in morto], ["falha", "falha"])
        self.assertIn("sinal 11", morto[0].valores["detalhe"])

        lento = lote.executa_lote(self.programa("exec sleep 30"), [self.inst], roteiros,
                                  tempo_limite=0.5)
        self.assertEqual([(l.valores["estado"], l.valores["fo"]) for l in lento],
                         [("tempo_esgotado", ""), ("tempo_esgotado", "")])


# ------------------------------------------------- paralelo, progresso, .tsp

_TEMPO = re.compile(r"(Tempo de CPU = )\S+")


def sem_tempos(caminho_csv):
    """As linhas do CSV sem a coluna de tempo, que muda de uma execucao para outra."""
    with open(caminho_csv, newline="") as f:
        return [{k: v for k, v in l.items() if k != "tempo_cpu_s"} for l in csv.DictReader(f)]


def arquivos_guardados(trabalho):
    """Nome -> conteudo das pastas guardadas; tempos mascarados na saida do
    programa, e os tracos (que tem colunas de tempo) so pelo nome."""
    guardados = {}
    for raiz, _, nomes in os.walk(trabalho):
        for nome in nomes:
            caminho = os.path.join(raiz, nome)
            chave = os.path.relpath(caminho, trabalho)
            if nome in ("entrada.txt", "c50info.txt", "c50.txt", "percurso.tour", "saida.txt"):
                with open(caminho, encoding="latin-1") as f:
                    guardados[chave] = _TEMPO.sub(r"\1X", f.read())
            else:
                guardados[chave] = None
    return guardados


INSTANCIAS = os.path.join(RAIZ, "instancias")
ROTEIROS_PARALELOS = ["vizinho: 1 1", "tabu: 1 5 6", "grasp: 1 5 7 2", "sa_descida: 1 5 5 2",
                      "genetico: 1 3 10 1"]


def roda_lote(tmp, nome, *opcoes, instancias=("doze_cidades", "eil51"),
              roteiros=ROTEIROS_PARALELOS, interpretador=sys.executable, ambiente=None):
    """Roda lote.py com --trabalho e devolve (processo, csv, pasta de trabalho)."""
    saida_csv = os.path.join(tmp, f"{nome}.csv")
    trabalho = os.path.join(tmp, nome)
    argumentos = [interpretador, SCRIPT, "--programa", BANCADA, "--csv", saida_csv,
                  "--trabalho", trabalho, *opcoes]
    for r in roteiros:
        argumentos += ["--roteiro", r]
    argumentos += [i if os.path.isabs(i) else os.path.join(INSTANCIAS, i) for i in instancias]
    r = subprocess.run(argumentos, capture_output=True, text=True, timeout=600, env=ambiente)
    return r, saida_csv, trabalho


class ParalelasTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls._tmp = tempfile.TemporaryDirectory()
        cls.serial = roda_lote(cls._tmp.name, "serial", "-j", "1")
        cls.paralela = roda_lote(cls._tmp.name, "paralela", "-j", "2")

    @classmethod
    def tearDownClass(cls):
        cls._tmp.cleanup()

    def test_duas_de_cada_vez_dao_o_mesmo_csv_e_as_mesmas_pastas_que_uma(self):
        for r, _, _ in (self.serial, self.paralela):
            self.assertEqual(r.returncode, 0, r.stderr)
        serial, paralela = sem_tempos(self.serial[1]), sem_tempos(self.paralela[1])
        self.assertEqual(len(serial), 2 * (1 + 2 + 2 + 3 + 2))
        self.assertTrue(all(l["estado"] == "ok" for l in serial))
        self.assertEqual(paralela, serial)
        self.assertEqual(arquivos_guardados(self.paralela[2]), arquivos_guardados(self.serial[2]))

    def test_progresso_fora_do_terminal_tem_uma_linha_por_execucao(self):
        linhas = self.paralela[0].stderr.splitlines()
        self.assertEqual(len(linhas), 10)
        self.assertEqual([l.split("]")[0] for l in linhas], [f"[{k}/10" for k in range(1, 11)])
        self.assertRegex(linhas[-1], r"^\[10/10\] 0 falha\(s\), \d+:\d\d decorrido, "
                                     r"~0:00 restante; (doze_cidades|eil51) \w+: ok")

    def test_progresso_no_terminal_reescreve_a_mesma_linha(self):
        class Terminal(io.StringIO):
            def isatty(self):
                return True
        terminal = Terminal()
        progresso = lote.Progresso(2, terminal)
        progresso.avanca("a r: falha", True)
        self.assertTrue(terminal.getvalue().startswith("\r[1/2] 1 falha(s), "))
        self.assertNotIn("\n", terminal.getvalue())
        progresso.avanca("b r: ok", False)
        self.assertIn("\r[2/2] 1 falha(s), ", terminal.getvalue())
        self.assertTrue(terminal.getvalue().endswith("b r: ok\x1b[K\n"))

    def test_dask_sem_o_dask_instalado_diz_como_instalar(self):
        # Um pacote distributed que nao importa faz as vezes da falta do Dask.
        falso = os.path.join(self._tmp.name, "sem_dask", "distributed")
        os.makedirs(falso)
        with open(os.path.join(falso, "__init__.py"), "w") as f:
            f.write("raise ImportError('distributed ausente')\n")
        ambiente = dict(os.environ, PYTHONPATH=os.path.dirname(falso))
        r, _, _ = roda_lote(self._tmp.name, "dask", "--dask", "tcp://127.0.0.1:9",
                            ambiente=ambiente)
        self.assertEqual(r.returncode, 1)
        self.assertIn("lote.py: --dask precisa do Dask distributed", r.stderr)
        self.assertIn("apt-get install python3-distributed", r.stderr)
        self.assertIn("/usr/bin/python3", r.stderr)


def tsp(nome, pontos, peso="EUC_2D"):
    linhas = [f"NAME : {nome}", "TYPE : TSP", f"DIMENSION : {len(pontos)}",
              f"EDGE_WEIGHT_TYPE : {peso}", "NODE_COORD_SECTION"]
    linhas += [f"{i} {x} {y}" for i, (x, y) in enumerate(pontos, 1)]
    return "\n".join(linhas + ["EOF"]) + "\n"


class TsplibTest(unittest.TestCase):
    """Um poligono convexo pequeno: o vizinho mais proximo da a volta, que e o
    percurso otimo, e com lados de ~5 unidades as distancias arredondadas da
    TSPLIB somariam alguns por cento a menos que as exatas."""
    ROTEIROS = ["vizinho: 1 1", "vizinho_descida: 1 1 2"]

    @classmethod
    def setUpClass(cls):
        cls._tmp = tempfile.TemporaryDirectory()
        tmp = cls._tmp.name
        pontos = [(round(50 + 10 * math.cos(2 * math.pi * k / 12)),
                   round(50 + 10 * math.sin(2 * math.pi * k / 12))) for k in range(12)]
        with open(os.path.join(tmp, "poligono.tsp"), "w") as f:
            f.write(tsp("poligono", pontos))
        with open(os.path.join(tmp, "poligono.opt.tour"), "w") as f:
            f.write("TYPE : TOUR\nDIMENSION : 12\nTOUR_SECTION\n"
                    + "\n".join(str(k) for k in range(1, 13)) + "\n-1\nEOF\n")
        with open(os.path.join(tmp, "esfera.tsp"), "w") as f:
            f.write(tsp("esfera", [(1, 2), (3, 4), (5, 1)], peso="GEO"))
        cls.r, csv_, cls.trabalho = roda_lote(
            tmp, "tsp", instancias=[os.path.join(tmp, "esfera.tsp"),
                                    os.path.join(tmp, "poligono.tsp")],
            roteiros=cls.ROTEIROS)
        with open(csv_, newline="") as f:
            cls.linhas = list(csv.DictReader(f))

    @classmethod
    def tearDownClass(cls):
        cls._tmp.cleanup()

    def test_percurso_otimo_ao_lado_do_tsp_da_gap_zero(self):
        self.assertEqual(self.r.returncode, lote.STATUS_COM_FALHAS, self.r.stderr)  # o esfera.tsp
        linhas = [l for l in self.linhas if l["instancia"] == "poligono"]
        self.assertEqual(len(linhas), 3)
        for l in linhas:
            self.assertEqual((l["estado"], l["cidades"], l["referencia"]),
                             ("ok", "12", "opt.tour"))
            self.assertEqual(l["gap_pct"], "0.00")
            self.assertAlmostEqual(float(l["otimo"]), float(l["fo"]), places=3)
        self.assertTrue(os.path.isfile(os.path.join(self.trabalho, "poligono", "vizinho",
                                                    "percurso.tour")))

    def test_tsp_recusado_pelo_conversor_da_linhas_de_falha(self):
        linhas = [l for l in self.linhas if l["instancia"] == "esfera"]
        self.assertEqual([(l["roteiro"], l["passo"], l["estado"]) for l in linhas],
                         [("vizinho", "1", "falha"), ("vizinho_descida", "1", "falha"),
                          ("vizinho_descida", "2", "falha")])
        for l in linhas:
            self.assertEqual((l["fo"], l["gap_pct"], l["referencia"]), ("", "", ""))
            self.assertRegex(l["detalhe"], r"^conversao recusada: converte_tsplib: .*esfera\.tsp: "
                                           r"EDGE_WEIGHT_TYPE GEO: nao e um plano")
        self.assertIn("[3/4] 2 falha(s)", self.r.stderr)


class EscalaAutoTest(unittest.TestCase):
    def test_escala_auto_escolhe_o_fator_de_cada_arquivo_no_lote_e_no_estudo(self):
        # O mesmo poligono em inteiros e em centesimos: com o fator 100 do
        # segundo, as duas conversoes sao a mesma instancia e dao a mesma fo.
        with tempfile.TemporaryDirectory() as tmp:
            pontos = [(round(50 + 10 * math.cos(2 * math.pi * k / 9)),
                       round(50 + 10 * math.sin(2 * math.pi * k / 9))) for k in range(9)]
            arquivos = []
            for nome, formato in (("inteiro", "{}"), ("centesimos", "{:.2f}")):
                arquivos.append(os.path.join(tmp, nome + ".tsp"))
                with open(arquivos[-1], "w") as f:
                    f.write(tsp(nome, [(formato.format(x / 100 if nome != "inteiro" else x),
                                        formato.format(y / 100 if nome != "inteiro" else y))
                                       for x, y in pontos]))
            for modo, opcoes in (("lote", ()), ("estudo", ("--sementes", "1-1"))):
                with self.subTest(modo=modo):
                    r, saida_csv, _ = roda_lote(tmp, modo, "--escala", "auto",
                                                "--experimenta", EXPERIMENTA, *opcoes,
                                                instancias=arquivos, roteiros=["vizinho: 1 1"])
                    self.assertEqual(r.returncode, 0, r.stderr)
                    self.assertIn("lote.py: inteiro.tsp: escala auto: coordenadas inteiras, "
                                  "sem escala\n", r.stderr)
                    self.assertIn("lote.py: centesimos.tsp: escala auto: fator 100\n", r.stderr)
                    with open(saida_csv, newline="") as f:
                        fos = {l["instancia"]: l["fo"] for l in csv.DictReader(f)}
                    self.assertEqual(fos["inteiro"], fos["centesimos"])


# ------------------------------------------------ estudos pelo experimenta

class OpcoesDoEstudoTest(unittest.TestCase):
    def test_sementes_parametros_e_roteiros_viram_as_chamadas(self):
        self.assertEqual(lote.interpreta_sementes("3-5"), [3, 4, 5])
        self.assertEqual(lote.conjuntos_de_parametros([]), [[]])
        self.assertEqual(lote.conjuntos_de_parametros(["BT_MAX=10,300", "VNS_MAX=2"]),
                         [[("BT_MAX", "10"), ("VNS_MAX", "2")],
                          [("BT_MAX", "300"), ("VNS_MAX", "2")]])
        self.assertEqual(lote.cadeia_do_roteiro("r", lote.interpreta_caminho("1 4 5 7 2 10 1")),
                         ("insercao-parcial", ["sa", "grasp-imb", "ag-ox"]))
        self.assertEqual(lote.cadeia_do_roteiro("r", lote.interpreta_caminho("1 2")),
                         ("vizinho-parcial", []))

    def test_opcao_invalida_e_rejeitada_com_o_motivo(self):
        casos = [
            (lote.interpreta_sementes, "5-3", "use A-B"),
            (lote.interpreta_sementes, "7", "use A-B"),
            (lote.conjuntos_de_parametros, ["BT_MAX"], "use NOME=VALOR"),
            (lote.conjuntos_de_parametros, ["BT_MAX=1,"], "use NOME=VALOR"),
            (lote.conjuntos_de_parametros, ["BT_MAX=1", "BT_MAX=2"], "dado duas vezes"),
            (lote.conjuntos_de_parametros, ["BT_MAX=1,1"], "valor repetido"),
            (lote.interpreta_vizinhancas, "troca,3opt", "vizinhanca desconhecida: '3opt'"),
            (lote.interpreta_vizinhancas, "2opt,2opt", "repetida"),
            (lambda p: lote.cadeia_do_roteiro("r", lote.interpreta_caminho(p)), "2",
             "roteiro r: com --sementes"),
            (lambda p: lote.cadeia_do_roteiro("r", lote.interpreta_caminho(p)), "1 5 2 1 1",
             "roteiro r: com --sementes"),
        ]
        for funcao, entrada, motivo in casos:
            with self.subTest(entrada=entrada):
                with self.assertRaises(lote.ErroRoteiro) as ctx:
                    funcao(entrada)
                self.assertIn(motivo, str(ctx.exception))


def poligono(pasta, nome="poligono", lados=12):
    """Um .tsp de poligono convexo e o seu .opt.tour (a volta em ordem)."""
    pontos = [(round(50 + 10 * math.cos(2 * math.pi * k / lados)),
               round(50 + 10 * math.sin(2 * math.pi * k / lados))) for k in range(lados)]
    with open(os.path.join(pasta, f"{nome}.tsp"), "w") as f:
        f.write(tsp(nome, pontos))
    with open(os.path.join(pasta, f"{nome}.opt.tour"), "w") as f:
        f.write(f"TYPE : TOUR\nDIMENSION : {lados}\nTOUR_SECTION\n"
                + "\n".join(str(k) for k in range(1, lados + 1)) + "\n-1\nEOF\n")
    return os.path.join(pasta, f"{nome}.tsp")


ROTEIROS_DO_ESTUDO = ["randomica: 1 5 3", "vizinho: 1 1"]
PARAMETROS_DO_ESTUDO = "MAX_SEM_MELHORA=5,2500"


def roda_estudo(tmp, nome, instancias, *opcoes, interpretador=sys.executable):
    """Roda lote.py no modo de estudo; devolve (processo, linhas, resumo, trabalho)."""
    saida_csv, resumo = os.path.join(tmp, f"{nome}.csv"), os.path.join(tmp, f"{nome}.resumo.csv")
    trabalho = os.path.join(tmp, nome)
    argumentos = [interpretador, SCRIPT, "--experimenta", EXPERIMENTA, "--csv", saida_csv,
                  "--resumo", resumo, "--trabalho", trabalho, *opcoes]
    for r in ROTEIROS_DO_ESTUDO:
        argumentos += ["--roteiro", r]
    r = subprocess.run(argumentos + list(instancias), capture_output=True, text=True,
                       timeout=600)
    linhas = resumos = []
    if os.path.exists(saida_csv):
        with open(saida_csv, newline="") as f:
            linhas = list(csv.DictReader(f))
        with open(resumo, newline="") as f:
            resumos = list(csv.DictReader(f))
    return r, linhas, resumos, trabalho


@unittest.skipUnless(os.access(EXPERIMENTA, os.X_OK), SEM_EXPERIMENTA)
class EstudoTest(unittest.TestCase):
    """Tres sementes e dois valores de um parametro sobre uma pasta com OTIMO e
    um .tsp com .opt.tour, com o experimenta de verdade."""

    @classmethod
    def setUpClass(cls):
        cls._tmp = tempfile.TemporaryDirectory()
        tmp = cls.tmp = cls._tmp.name
        grava_instancia(os.path.join(tmp, "oito"), OITO, otimo=250)
        cls.instancias = [os.path.join(tmp, "oito"), poligono(tmp)]
        cls.r, cls.linhas, cls.resumo, cls.trabalho = roda_estudo(
            tmp, "estudo", cls.instancias, "--sementes", "1-3", "--param", PARAMETROS_DO_ESTUDO)

    @classmethod
    def tearDownClass(cls):
        cls._tmp.cleanup()

    def test_uma_linha_por_chamada_igual_a_do_experimenta(self):
        self.assertEqual(self.r.returncode, 0, self.r.stderr)
        chaves = [(l["instancia"], l["roteiro"], l["parametros"], l["semente"])
                  for l in self.linhas]
        self.assertEqual(chaves, [(i, r, f"MAX_SEM_MELHORA={v}", str(s))
                                  for i in ("oito", "poligono") for r in ("randomica", "vizinho")
                                  for v in (5, 2500) for s in (1, 2, 3)])
        self.assertTrue(all(l["estado"] == "ok" for l in self.linhas))
        # Sementes diferentes, construcoes aleatorias diferentes.
        self.assertGreater(len({l["fo_inicial"] for l in self.linhas
                                if l["roteiro"] == "randomica"}), 1)
        # A mesma chamada feita a mao da os mesmos valores.
        l = self.linhas[4]  # oito, randomica, MAX_SEM_MELHORA=2500, semente 2
        direto = subprocess.run([EXPERIMENTA, "--instancia", self.instancias[0], "--inicial",
                                 "aleatoria", "--metodos", "descida-randomica", "--semente", "2",
                                 "--param", "MAX_SEM_MELHORA=2500"],
                                capture_output=True, text=True)
        d = list(csv.DictReader(io.StringIO(direto.stdout)))[0]
        self.assertEqual((l["fo_inicial"], l["fo"], l["cadeia"], l["iteracoes_1"]),
                         (d["fo_inicial"], d["fo"], "descida-randomica", d["iteracoes_1"]))

    def test_referencia_vem_do_opt_tour_ou_do_otimo(self):
        for l in self.linhas:
            with self.subTest(instancia=l["instancia"], semente=l["semente"]):
                if l["instancia"] == "oito":
                    self.assertEqual((float(l["referencia"]), l["origem_referencia"]),
                                     (250, "OTIMO"))
                    self.assertAlmostEqual(float(l["gap"]), 100 * (float(l["fo"]) - 250) / 250,
                                           places=4)
                else:
                    self.assertEqual(l["origem_referencia"], "opt.tour")
                    self.assertAlmostEqual(float(l["gap"]), 100 * (float(l["fo"]) /
                                           float(l["referencia"]) - 1), places=4)

    def test_resumo_confere_com_as_linhas_e_guarda_o_melhor_percurso(self):
        self.assertEqual(len(self.resumo), 8)
        for r in self.resumo:
            with self.subTest(instancia=r["instancia"], roteiro=r["roteiro"],
                              parametros=r["parametros"]):
                grupo = [l for l in self.linhas if (l["instancia"], l["roteiro"], l["parametros"])
                         == (r["instancia"], r["roteiro"], r["parametros"])]
                self.assertEqual((r["execucoes"], r["falhas"]), ("3", "0"))
                for coluna in ("fo", "gap", "tempo"):
                    xs = [float(l[coluna]) for l in grupo]
                    for nome, esperado in (("media", statistics.fmean(xs)),
                                           ("dp", statistics.stdev(xs)), ("min", min(xs)),
                                           ("mediana", statistics.median(xs)), ("max", max(xs))):
                        self.assertAlmostEqual(float(r[f"{coluna}_{nome}"]), esperado, places=5)
                melhor = min(grupo, key=lambda l: float(l["fo"]))
                self.assertEqual(r["melhor_semente"], melhor["semente"])
                pasta = os.path.join(self.trabalho, r["instancia"], r["roteiro"], r["parametros"])
                inicial = "aleatoria" if r["roteiro"] == "randomica" else "vizinho"
                cadeia = "+descida-randomica" if r["roteiro"] == "randomica" else ""
                base = f"{r['instancia']}-{inicial}{cadeia}-s{melhor['semente']}"
                with open(os.path.join(pasta, base + ".tour"), "rb") as a, \
                        open(os.path.join(pasta, "melhor.tour"), "rb") as b:
                    self.assertEqual(a.read(), b.read())
                self.assertTrue(os.path.isfile(os.path.join(pasta, base + ".traco.csv")))

    def test_cada_vizinhanca_e_uma_chamada_com_a_sua_coluna_e_o_seu_grupo(self):
        r, linhas, resumo, trabalho = roda_estudo(self.tmp, "vizinhancas", self.instancias[1:],
                                                  "--vizinhanca", "troca,2opt+oropt")
        self.assertEqual(r.returncode, 0, r.stderr)
        chaves = [(l["roteiro"], l["vizinhanca"], l["semente"]) for l in linhas]
        self.assertEqual(chaves, [(ro, v, "") for ro in ("randomica", "vizinho")
                                  for v in ("troca", "2opt+oropt")])
        self.assertEqual([(x["roteiro"], x["vizinhanca"]) for x in resumo],
                         [c[:2] for c in chaves])
        self.assertIn("| poligono | randomica | 2opt+oropt | 1 |", r.stdout)
        for l in linhas[:2]:
            with self.subTest(vizinhanca=l["vizinhanca"]):
                direto = subprocess.run([EXPERIMENTA, "--instancia", self.instancias[1],
                                         "--inicial", "aleatoria", "--metodos",
                                         "descida-randomica", "--vizinhanca", l["vizinhanca"]],
                                        capture_output=True, text=True)
                d = list(csv.DictReader(io.StringIO(direto.stdout)))[0]
                self.assertEqual((l["fo"], l["iteracoes_1"]), (d["fo"], d["iteracoes_1"]))
                # O experimenta so poe no nome do .tour a vizinhanca que recebeu.
                sufixo = "" if l["vizinhanca"] == "troca" else "-" + l["vizinhanca"]
                pasta = os.path.join(trabalho, "poligono", "randomica", l["vizinhanca"])
                self.assertEqual(sorted(os.listdir(pasta)), sorted([
                    f"poligono-aleatoria+descida-randomica{sufixo}-sprograma.{e}"
                    for e in ("tour", "traco.csv")] + ["melhor.tour"]))

    def test_parametro_invalido_falha_e_o_lote_sai_com_status_de_falha(self):
        r, linhas, resumo, _ = roda_estudo(self.tmp, "invalido", self.instancias[:1],
                                           "--param", "NAO_EXISTE=1")
        self.assertEqual(r.returncode, lote.STATUS_COM_FALHAS)
        self.assertIn("lote.py: 2 de 2 execucao(oes) falharam", r.stderr)
        self.assertEqual([(l["semente"], l["estado"], l["fo"]) for l in linhas],
                         [("", "falha", "")] * 2)
        self.assertTrue(all(l["detalhe"].startswith("status de saida 2: ") for l in linhas))
        self.assertEqual([(x["execucoes"], x["falhas"], x["fo_media"]) for x in resumo],
                         [("0", "1", "")] * 2)


if __name__ == "__main__":
    unittest.main()
