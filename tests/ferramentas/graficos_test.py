"""Testes de ferramentas/graficos.py: PNGs do tamanho pedido, comprimento do
percurso recalculado como o programa, rejeicao de percursos invalidos e
separacao dos arquivos de traco em chamadas."""
import os
import re
import struct
import subprocess
import sys
import tempfile
import unittest

RAIZ = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
FERRAMENTAS = os.environ.get("FERRAMENTAS") or os.path.join(RAIZ, "ferramentas")
BANCADA = os.environ.get("BANCADA") or os.path.join(RAIZ, "build", "bancada")
sys.path.insert(0, FERRAMENTAS)
import graficos  # noqa: E402

SCRIPT = os.path.join(FERRAMENTAS, "graficos.py")


def grava_instancia(pasta, cidades):
    """cidades: lista de (x, y); a primeira e a cidade 0."""
    os.makedirs(pasta, exist_ok=True)
    x0, y0 = cidades[0]
    with open(os.path.join(pasta, "c50info.txt"), "w") as f:
        f.write(f"{len(cidades) - 1} 0\n0\n{x0} {y0}\n")
    with open(os.path.join(pasta, "c50.txt"), "w") as f:
        for i, (x, y) in enumerate(cidades[1:], 1):
            f.write(f"{i} {x} {y} 0\n")


def linha_traco(t, k, fo):
    return "%4.2f\t  %4d\t  %7.2f\n" % (t, k, fo)


def tamanho_png(caminho):
    with open(caminho, "rb") as f:
        cabeca = f.read(24)
    if cabeca[:8] != b"\x89PNG\r\n\x1a\n" or cabeca[12:16] != b"IHDR":
        return None
    return struct.unpack(">II", cabeca[16:24])


def roda(*args):
    return subprocess.run([sys.executable, SCRIPT, *args], capture_output=True, text=True)


# Retangulo 3 x 4 com uma cidade no meio de cada lado comprido.
RETANGULO = [(0, 0), (3, 0), (3, 2), (3, 4), (0, 4), (0, 2)]


class Base(unittest.TestCase):
    def setUp(self):
        self._tmp = tempfile.TemporaryDirectory()
        self.tmp = self._tmp.name
        self.inst = os.path.join(self.tmp, "retangulo")
        grava_instancia(self.inst, RETANGULO)

    def tearDown(self):
        self._tmp.cleanup()

    def caminho(self, nome):
        return os.path.join(self.tmp, nome)


class PercursoTest(Base):
    def test_percurso_gera_png_do_tamanho_pedido_com_fo_recalculada(self):
        saida = self.caminho("p.png")
        r = roda("percurso", self.inst, "--percurso", "0 -> 1 -> 2 -> 3 -> 4 -> 5 -> 0 ",
                 "-o", saida, "--tamanho", "320x240")
        self.assertEqual(r.returncode, 0, r.stderr)
        self.assertEqual(tamanho_png(saida), (320, 240))
        self.assertGreater(os.path.getsize(saida), 1000)
        # 3 + 2 + 2 + 3 + 2 + 2 ao redor do retangulo.
        self.assertIn("fo recalculada = 14.000000", r.stdout)

        cruzado = self.caminho("cruzado.png")
        r = roda("percurso", self.inst, "--percurso", "0 -> 3 -> 2 -> 1 -> 4 -> 5 -> 0",
                 "-o", cruzado, "--rotulos")
        self.assertEqual(r.returncode, 0, r.stderr)
        self.assertEqual(tamanho_png(cruzado), (800, 600))
        # 5 + 2 + 2 + 5 + 2 + 2: as duas diagonais do retangulo.
        self.assertIn("fo recalculada = 18.000000", r.stdout)

    def test_percurso_de_arquivo_usa_a_ultima_linha_de_percurso(self):
        texto = ("Solucao construida de forma aleatoria:\n"
                 "0 -> 3 -> 2 -> 1 -> 4 -> 5 -> 0 \nFuncao objetivo = 18.000000\n"
                 "\nSolucao construida usando o Metodo da Descida:\n"
                 "2 -> 3 -> 4 -> 5 -> 0 -> 1 -> 2 \n\nMelhor fo encontrada = 14.000000 \n")
        arquivo = self.caminho("saida.txt")
        with open(arquivo, "w") as f:
            f.write(texto)
        r = roda("percurso", self.inst, "--percurso-de", arquivo, "-o", self.caminho("p.png"))
        self.assertEqual(r.returncode, 0, r.stderr)
        self.assertIn("fo recalculada = 14.000000", r.stdout)

        vazio = self.caminho("vazio.txt")
        with open(vazio, "w") as f:
            f.write("Funcao objetivo = 1.0\n")
        r = roda("percurso", self.inst, "--percurso-de", vazio, "-o", self.caminho("v.png"))
        self.assertEqual(r.returncode, 1)
        self.assertIn("nenhuma linha de percurso", r.stderr)

    def test_percurso_que_nao_e_permutacao_e_rejeitado_sem_gravar_png(self):
        casos = {
            "0 -> 1 -> 2 -> 3 -> 4 -> 4 -> 0": "a cidade 4 aparece mais de uma vez",
            "0 -> 1 -> 2 -> 3 -> 4 -> 0": "5 cidades, a instancia tem 6 (falta a cidade 5)",
            "0 -> 1 -> 2 -> 3 -> 4 -> 5 -> 6 -> 0": "cidade 6 fora de 0..5",
            "0 -> 1 -> 2 -> 3 -> 4 -> 5": "deve terminar na cidade em que comeca",
            "0 -> 1 -> dois -> 3 -> 4 -> 5 -> 0": "'dois' nao e um numero de cidade",
            "0 -> 1 -> 2 -> 3 -> 4 -> -1 -> 0": "cidade -1 fora de 0..5",
        }
        for linha, motivo in casos.items():
            with self.subTest(linha=linha):
                saida = self.caminho("x.png")
                r = roda("percurso", self.inst, "--percurso", linha, "-o", saida)
                self.assertEqual(r.returncode, 1)
                self.assertIn("percurso invalido", r.stderr)
                self.assertIn(motivo, r.stderr)
                self.assertFalse(os.path.exists(saida))

    def test_instancia_incompleta_e_rejeitada(self):
        with open(os.path.join(self.inst, "c50.txt"), "w") as f:
            f.write("1 3 0 0\n2 3 2 0\n4 0 4 0\n5 0 2 0\n")
        r = roda("percurso", self.inst, "--percurso", "0 -> 1 -> 2 -> 3 -> 4 -> 5 -> 0",
                 "-o", self.caminho("x.png"))
        self.assertEqual(r.returncode, 1)
        self.assertIn("falta a cidade 3", r.stderr)

    def test_fo_recalculada_e_a_que_o_programa_relata_para_o_mesmo_percurso(self):
        # Distancias e soma em precisao simples, como o programa: o mesmo
        # valor, digito a digito, para o percurso aleatorio de 51 cidades.
        eil51 = os.path.join(RAIZ, "instancias", "eil51")
        trabalho = self.caminho("trabalho")
        os.makedirs(trabalho)
        for nome in ("c50info.txt", "c50.txt"):
            with open(os.path.join(eil51, nome)) as o, open(os.path.join(trabalho, nome), "w") as d:
                d.write(o.read())
        r = subprocess.run([BANCADA], cwd=trabalho, input="1\n5\n0\n", capture_output=True,
                           text=True)
        self.assertEqual(r.returncode, 0)
        relatado = re.search(r"^Funcao objetivo = (\S+)$", r.stdout, re.M).group(1)
        saida = os.path.join(trabalho, "saida.txt")
        with open(saida, "w") as f:
            f.write(r.stdout)
        g = roda("percurso", eil51, "--percurso-de", saida, "-o", self.caminho("eil51.png"))
        self.assertEqual(g.returncode, 0, g.stderr)
        self.assertIn(f"fo recalculada = {relatado}", g.stdout)


class ConvergenciaTest(Base):
    def grava(self, nome, linhas):
        caminho = self.caminho(nome)
        with open(caminho, "w") as f:
            f.write("".join(linha_traco(*l) for l in linhas))
        return caminho

    def test_convergencia_gera_png_do_tamanho_pedido_para_cada_eixo(self):
        sa = self.grava("SAsaida.txt", [(0, 0, 900.5), (0.12, 0, 850.25), (0.4, 0, 800),
                                        (1.5, 0, 800)])
        bt = self.grava("BTsaida.txt", [(0, 0, 700), (0, 1, 690), (0.01, 2, 695),
                                        (0.01, 3, 680), (0.02, 3, 680)])
        btm = self.grava("BTsaidaMelhorfo.txt", [(0, 0, 700), (0, 1, 690), (0.01, 2, 690),
                                                 (0.01, 3, 680), (0.02, 3, 680)])
        for eixo, arquivos, curvas in [("tempo", [sa], 1), ("iteracao", [bt, btm], 2),
                                       ("evento", [sa, bt, btm], 3)]:
            with self.subTest(eixo=eixo):
                saida = self.caminho(f"c_{eixo}.png")
                r = roda("convergencia", *arquivos, "-o", saida, "--eixo", eixo,
                         "--tamanho", "400x300")
                self.assertEqual(r.returncode, 0, r.stderr)
                self.assertIn(f"{curvas} curva(s)", r.stdout)
                self.assertEqual(tamanho_png(saida), (400, 300))
                self.assertGreater(os.path.getsize(saida), 1000)

    def test_descidasaida_vira_uma_curva_por_chamada(self):
        # Tres chamadas rapidas (relogio parado em 0.00), a segunda ja num otimo local.
        d = self.grava("Descidasaida.txt", [
            (0, 0, 1702.51), (0, 0, 1594.15), (0, 0, 530.5), (0, 0, 530.5),
            (0, 0, 530.5), (0, 0, 530.5),
            (0, 0, 900), (0.01, 0, 850), (0.02, 0, 850)])
        chamadas = graficos.le_traco(d)
        self.assertEqual([[l[2] for l in c] for c in chamadas],
                         [[1702.51, 1594.15, 530.5, 530.5], [530.5, 530.5], [900, 850, 850]])
        r = roda("convergencia", d, "-o", self.caminho("d.png"), "--eixo", "evento")
        self.assertEqual(r.returncode, 0, r.stderr)
        self.assertIn("3 curva(s)", r.stdout)

    def test_legendas_dizem_o_que_cada_curva_e(self):
        bt = self.grava("BTsaida.txt", [(0, 0, 700), (0, 1, 690), (0, 1, 690)])
        btm = self.grava("BTsaidaMelhorfo.txt", [(0, 0, 700), (0, 1, 690), (0, 1, 690)])
        outro = self.grava("meu.txt", [(0, 0, 5), (0, 1, 4), (0, 1, 4)])
        self.assertEqual([r for r, _ in graficos.series_de_traco([bt, btm, outro])],
                         ["valor corrente", "melhor valor", "meu.txt"])

    def test_descidas_da_um_ponto_por_chamada_e_a_melhor_ate_ela(self):
        # Tres descidas (como as iteracoes do GRASP): fins 530.5, 540 e 520.
        d = self.grava("Descidasaida.txt", [
            (0, 0, 900), (0, 0, 530.5), (0, 0, 530.5),
            (0, 0, 800), (0, 0, 540), (0, 0, 540),
            (0, 0, 700), (0, 0, 520), (0, 0, 520)])
        self.assertEqual(graficos.pontos_das_descidas(d),
                         [(1, 530.5, 530.5), (2, 540, 530.5), (3, 520, 520)])
        saida = self.caminho("g.png")
        r = roda("descidas", d, "-o", saida, "--tamanho", "400x300")
        self.assertEqual(r.returncode, 0, r.stderr)
        self.assertIn("3 descida(s)", r.stdout)
        self.assertEqual(tamanho_png(saida), (400, 300))

    def test_separacao_em_chamadas(self):
        separa = graficos.separa_chamadas
        # O tempo volta atras: nova chamada, mesmo sem repeticao de valor.
        self.assertEqual(len(separa([(0, 0, 9), (0.5, 0, 8), (0.1, 0, 7)])), 2)
        # Busca tabu: iteracao crescente e valores repetidos no mesmo tempo
        # continuam uma so chamada; a iteracao voltando a 0 abre outra.
        bt = [(0, 0, 5), (0, 1, 5), (0, 2, 5), (0, 3, 4), (0, 3, 4)]
        self.assertEqual(len(separa(bt)), 1)
        self.assertEqual(len(separa(bt + bt)), 2)
        # Uma chamada so com a linha inicial e a de fechamento.
        self.assertEqual(len(separa([(0, 0, 3), (0, 0, 3)])), 1)

    def test_traco_fora_do_formato_e_rejeitado_com_arquivo_e_linha(self):
        caminho = self.caminho("ruim.txt")
        with open(caminho, "w") as f:
            f.write(linha_traco(0, 0, 10) + "0.10 0 9.5\n")
        r = roda("convergencia", caminho, "-o", self.caminho("r.png"))
        self.assertEqual(r.returncode, 1)
        self.assertIn("ruim.txt:2: linha fora do formato", r.stderr)
        self.assertFalse(os.path.exists(self.caminho("r.png")))

        vazio = self.caminho("vazio.txt")
        open(vazio, "w").close()
        r = roda("convergencia", vazio, "-o", self.caminho("v.png"))
        self.assertEqual(r.returncode, 1)
        self.assertIn("arquivo de traco vazio", r.stderr)


# --------------------------------------------------- estudos de sementes

def grava_csv(caminho, cabecalho, linhas):
    with open(caminho, "w") as f:
        f.write(",".join(cabecalho) + "\n" + "".join(",".join(map(str, l)) + "\n" for l in linhas))
    return caminho


COLUNAS_LOTE = ["roteiro", "instancia", "parametros", "semente", "fo", "gap", "estado"]
TRACO = "passo,metodo,evento,iteracao,tempo,fo,fo_star,temperatura,media".split(",")


def traco(passos):
    """passos: [(metodo, [(tempo, fo, fo_star)])] -> linhas do .traco.csv."""
    return [(p, m, "x", k, t, fo, estrela, "", "") for p, (m, linhas) in enumerate(passos, 1)
            for k, (t, fo, estrela) in enumerate(linhas)]


class EstudoTest(Base):
    def test_distribuicao_da_os_quartis_de_cada_metodo_e_instancia(self):
        linhas = ([("sa", "a", "", s, 500 + v, v, "ok") for s, v in enumerate([1, 2, 3, 4, 5])]
                  + [("sa", "b", "", s, 600 + v, v, "tempo_limite")
                     for s, v in enumerate([10, 1, 2, 3])]
                  + [("bt", "a", "BT_MAX=5", 1, 700, 7, "ok"), ("bt", "a", "BT_MAX=5", 2, "", "",
                                                                "falha")])
        for sem_gap, esperado in [
                (False, {("sa", "a"): (1, 2, 3, 4, 5), ("sa", "b"): (1, 1.75, 2.5, 4.75, 10),
                         ("bt [BT_MAX=5]", "a"): (7,) * 5}),
                (True, {("sa", "a"): (501, 502, 503, 504, 505),
                        ("sa", "b"): (601, 601.75, 602.5, 604.75, 610),
                        ("bt [BT_MAX=5]", "a"): (700,) * 5})]:
            with self.subTest(sem_gap=sem_gap):
                dados = [list(l) for l in linhas]
                if sem_gap:
                    dados[-2][5] = ""  # uma execucao sem referencia: desenha a fo
                arquivo = grava_csv(self.caminho("lote.csv"), COLUNAS_LOTE, dados)
                usado, caixas = graficos.desenha_distribuicao(
                    graficos.le_csv(arquivo, graficos.COLUNAS_DISTRIBUICAO),
                    self.caminho("d.png"), 400, 300)
                self.assertEqual(usado, "fo" if sem_gap else "gap")
                self.assertEqual({(m, i): q for m, i, _, q, _ in caixas}, esperado)
                # Um grupo por metodo, as instancias lado a lado dentro dele.
                self.assertEqual([(round(x, 6), n) for _, _, x, _, n in caixas],
                                 [(0.8, 5), (1.2, 4), (1.8, 1)])
                self.assertEqual(tamanho_png(self.caminho("d.png")), (400, 300))

    def test_distribuicao_separa_as_vizinhancas_de_um_roteiro(self):
        linhas = [dict(zip(COLUNAS_LOTE, ("sa", "a", "", s, 500, gap, "ok")), vizinhanca=v)
                  for v, gaps in (("troca", (9, 11)), ("2opt", (1, 3))) for s, gap in
                  enumerate(gaps)]
        _, caixas = graficos.distribuicao(linhas)
        self.assertEqual([(m, vs) for m, _, vs in caixas], [("sa troca", [9, 11]),
                                                            ("sa 2opt", [1, 3])])

    def test_sementes_da_a_mediana_e_a_faixa_da_melhor_fo_na_cadeia(self):
        # Tres sementes de sa+descida; o tempo de cada metodo recomeca em 0.
        sementes = [
            [("sa", [(0, 100, 100), (1, 90, 90), (2, 95, 90)]), ("descida", [(0, 90, 90),
                                                                              (0.5, 80, 80)])],
            [("sa", [(0, 120, 120), (1.5, 85, 85), (3, 85, 85)]), ("descida", [(0, 85, 85),
                                                                                (1, 84, 84)])],
            [("sa", [(0, 110, ""), (3, 110, "")]), ("descida", [(0, 110, ""), (0.5, 70, "")])],
        ]
        arquivos = [grava_csv(self.caminho(f"i-aleatoria+sa+descida-s{k}.traco.csv"), TRACO,
                              traco(p)) for k, p in enumerate(sementes, 1)]
        curvas = [graficos.curva_do_traco(a)[1] for a in arquivos]
        self.assertEqual(curvas[0], [(0, 100), (1, 90), (2, 90), (2, 90), (2.5, 80)])
        self.assertEqual(graficos.curva_do_traco(arquivos[0], passo=2)[1], [(0, 90), (0.5, 80)])
        for faixa, esperado in [("minmax", {0: (110, 100, 120), 2.5: (85, 80, 110),
                                            4: (80, 70, 84)}),
                                ("quartis", {0: (110, 105, 115), 2.5: (85, 82.5, 97.5),
                                             4: (80, 75, 82)})]:
            with self.subTest(faixa=faixa):
                pontos = {x: r for x, *r in graficos.faixa_das_sementes(curvas, faixa)}
                self.assertEqual(sorted(pontos), [0, 1, 1.5, 2, 2.5, 3, 3.5, 4])
                self.assertEqual({x: tuple(pontos[x]) for x in esperado}, esperado)
        saida = self.caminho("s.png")
        r = roda("sementes", *arquivos, "-o", saida, "--tamanho", "400x300")
        self.assertEqual(r.returncode, 0, r.stderr)
        self.assertEqual(tamanho_png(saida), (400, 300))
        # Uma semente de outra cadeia nao entra na mesma faixa.
        outra = grava_csv(self.caminho("outra.traco.csv"), TRACO, traco(sementes[0][:1]))
        r = roda("sementes", arquivos[0], outra, "-o", self.caminho("x.png"))
        self.assertEqual(r.returncode, 1)
        self.assertIn("nao sao da mesma cadeia", r.stderr)


if __name__ == "__main__":
    unittest.main()


# ------------------------------------------- tracos uniformes do experimenta

class TracoUniformeTest(Base):
    # sa seguido de descida, e um VNS: (passo, metodo, evento, iteracao, tempo, fo, fo_star)
    CADEIA = [(1, "sa", "inicio", 0, 0.001, 900, 900), (1, "sa", "nivel", 1, 0.002, 950, 850),
              (1, "sa", "fim", 1, 0.004, 850, 850), (2, "descida", "inicio", 0, 0.0001, 850, 850),
              (2, "descida", "melhora", 1, 0.0002, 840, 840),
              (2, "descida", "fim", 1, 0.0003, 840, 840)]
    VNS = [(1, "vns", "inicio", 0, 0.1, 900, 900), (1, "vns", "perturbacao", 1, 0.2, 990, 900),
           (1, "vns", "descida", 1, 0.3, 880, 880), (1, "vns", "perturbacao", 2, 0.4, 950, 880),
           (1, "vns", "descida", 2, 0.5, 885, 880), (1, "vns", "fim", 2, 0.6, 880, 880)]

    def grava(self, nome, linhas):
        return grava_csv(self.caminho(nome), TRACO, [l + ("", "") for l in linhas])

    def test_passos_encadeados_seguem_um_depois_do_outro_em_cada_eixo(self):
        passos = graficos.le_traco_uniforme(self.grava("c.traco.csv", self.CADEIA))
        esperado = {"tempo": ([0.001, 0.002, 0.004], [0.0041, 0.0042, 0.0043]),
                    "iteracao": ([0, 1, 1], [1, 2, 2]), "evento": ([0, 1, 2], [3, 4, 5])}
        for eixo, (sa, descida) in esperado.items():
            with self.subTest(eixo=eixo):
                por_passo, melhor, inicios = graficos.series_do_traco(passos, eixo)
                xs = [[round(x, 9) for x, _ in s["corrente"]] for _, s in por_passo]
                self.assertEqual(xs, [sa, descida])
                self.assertEqual([y for _, y in melhor], [900, 850, 850, 850, 840, 840])
                self.assertEqual([m for _, m in inicios], ["sa", "descida"])

    def test_vns_mostra_cada_perturbacao_e_cada_descida(self):
        passos = graficos.le_traco_uniforme(self.grava("v.traco.csv", self.VNS))
        (_, series), = graficos.series_do_traco(passos, "tempo")[0]
        self.assertEqual(series["perturbacao"], [(0.2, 990), (0.4, 950)])
        self.assertEqual(series["descida"], [(0.3, 880), (0.5, 885)])
        self.assertEqual(series["extremos"], [(0.1, 900), (0.6, 880)])

    def test_tabu_tem_detalhe_a_partir_do_primeiro_movimento_de_piora(self):
        linhas = [(1, "tabu", "inicio", 0, 0, 900, 900)] + [
            (1, "tabu", "iteracao", k, k / 10, fo, min(fo, 700))
            for k, fo in enumerate([800, 700, 720, 690], 1)]
        passos = graficos.le_traco_uniforme(self.grava("t.traco.csv", linhas))
        self.assertEqual(graficos.inicio_do_detalhe(passos), 3)
        self.assertIsNone(graficos.inicio_do_detalhe(
            graficos.le_traco_uniforme(self.grava("c.traco.csv", self.CADEIA))))

    def test_titulo_e_gap_vem_da_instancia_e_o_eixo_auto_evita_tempos_parados(self):
        # Um traco do programa com o relogio parado: o eixo auto nao e o tempo.
        parado = [(0.0, 0, 900.0), (0.0, 0, 850.0), (0.0, 0, 840.0), (0.0, 0, 840.0)]
        self.assertEqual(graficos.escolhe_eixo([("d", parado)])[0], "evento")
        self.assertEqual(graficos.escolhe_eixo([("d", [(k / 10, 0, 9) for k in range(4)])]),
                         ("tempo", ""))
        with open(os.path.join(self.inst, "OTIMO"), "w") as f:
            f.write("800\n")
        traco = self.grava("retangulo-aleatoria+sa+descida-s7.traco.csv", self.CADEIA)
        saida = self.caminho("t.png")
        r = roda("traco", traco, "-o", saida, "--instancia", self.inst, "--tamanho", "400x300")
        self.assertEqual(r.returncode, 0, r.stderr)
        self.assertEqual(r.stdout, f"{saida}: eixo tempo, fo 840.000000, gap 5.00%\n")
        self.assertEqual(tamanho_png(saida), (400, 300))
        self.assertEqual(graficos.partes_do_nome(traco), ("retangulo", "aleatoria", "sa+descida", "7"))
        for pasta, nome in ((self.caminho("x/eil51/sa"), "eil51"), ("/a/ch150.tsp", "ch150"),
                            (self.inst, "retangulo")):
            if pasta.endswith("sa"):
                os.makedirs(pasta)
                for a in ("entrada.txt", "saida.txt"):
                    open(os.path.join(pasta, a), "w").close()
            self.assertEqual(graficos.nome_da_instancia(pasta), nome)

    def test_percursos_lado_a_lado_tem_cada_um_o_seu_titulo_com_fo_e_gap(self):
        with open(os.path.join(self.inst, "OTIMO"), "w") as f:
            f.write("14\n")
        volta, cruzado = self.caminho("volta.txt"), self.caminho("cruzado.txt")
        with open(volta, "w") as f:
            f.write("0 -> 1 -> 2 -> 3 -> 4 -> 5 -> 0\n")
        with open(cruzado, "w") as f:
            f.write("0 -> 3 -> 2 -> 1 -> 4 -> 5 -> 0\n")
        saida = self.caminho("dois.png")
        r = roda("percursos", self.inst, cruzado, volta, "--legenda", "troca",
                 "--legenda", "2-opt", "-o", saida)
        self.assertEqual(r.returncode, 0, r.stderr)
        self.assertEqual(tamanho_png(saida), (1400, 700))
        self.assertEqual(r.stdout.splitlines(), [
            f"{saida}: fo recalculada = 18.000000; titulo: retangulo, troca - fo = 18.00, "
            "gap 28.57% sobre OTIMO (14.00)",
            f"{saida}: fo recalculada = 14.000000; titulo: retangulo, 2-opt - fo = 14.00, "
            "gap 0.00% sobre OTIMO (14.00)"])
        r = roda("percursos", self.inst, cruzado, volta, "--legenda", "troca", "-o", saida)
        self.assertEqual(r.returncode, 1)
        self.assertIn("1 --legenda para 2 arquivo(s)", r.stderr)

    def test_percurso_com_o_otimo_por_baixo_mede_o_gap_contra_ele(self):
        otimo = self.caminho("retangulo.opt.tour")
        with open(otimo, "w") as f:
            f.write("TOUR_SECTION\n1\n2\n3\n4\n5\n6\n-1\n")
        saida = self.caminho("p.png")
        r = roda("percurso", self.inst, "--percurso", "0 -> 3 -> 2 -> 1 -> 4 -> 5 -> 0",
                 "--otimo", otimo, "-o", saida)
        self.assertEqual(r.returncode, 0, r.stderr)
        self.assertIn("fo recalculada = 18.000000; titulo: retangulo: 6 cidades, fo = 18.00, "
                      "gap 28.57% sobre retangulo.opt.tour (14.00)", r.stdout)
        r = roda("percurso", self.inst, "--percurso-de", otimo, "-o", saida)
        self.assertIn("fo recalculada = 14.000000", r.stdout)
