#!/usr/bin/env python3
"""Writes docs/desempenho.md from the files that scripts/bench.sh leaves in a
results folder:

  varredura.json  Google Benchmark output of the swap-scan kernel (repetitions)
  metodos.json    Google Benchmark output of the methods on 51, 200, 1000 cities
  sondas.json     Google Benchmark output of the probes (one operation priced per size)
  memoria.csv     bench/memoria.sh: peak memory of the real program per menu path
  maquina.txt     lscpu, nproc and free -h of the machine

    python3 bench/tabela.py PASTA_DE_RESULTADOS SAIDA.md
"""

import csv
import json
import math
import os
import sys

TAMANHOS = (51, 200, 1000)

# Method, menu path, benchmark name, limit in seconds on 1000 cities, the
# algorithm's own complexity, and how its work is counted (see trabalho()).
METODOS = [
    ("Vizinho mais proximo (guloso)", "1 1", "construcao_vizinho_mais_proximo", 10,
     "Θ(n²): each step reads the t unplaced candidates", "vmp"),
    ("Vizinho mais proximo (parcial)", "1 2", "construcao_vizinho_mais_proximo_parcial", 10,
     "Θ(n² log n): each step offers its t candidates, a heap of the first αt of them "
     "selects the drawn one", "vmp_parcial"),
    ("Insercao mais barata (gulosa)", "1 3", "construcao_insercao_mais_barata", 10,
     "Θ(n³): each step tries every candidate at every place", "imb"),
    ("Insercao mais barata (parcial)", "1 4", "construcao_insercao_mais_barata_parcial", 10,
     "Θ(n³): every candidate at every place, the drawn one selected among the offers",
     "imb_parcial"),
    ("Aleatoria", "1 5", "construcao_aleatoria", 10,
     "Θ(n²): each step walks the list to the drawn position", "aleatoria"),
    ("Descida", "1 5 2", "descida", 10,
     "Θ(V·n²): V full scans of n(n-1)/2 swaps (run as O(n) per swap plus the rows that may "
     "hold the best)", "pares"),
    ("Descida randomica", "1 5 3", "descida_randomica", 10,
     "Θ(D): D random draws, O(1) each", "sorteios"),
    ("Descida parcial", "1 5 4", "descida_parcial", 10,
     "Θ(V·(m² + n)): V scans of a shuffled sample of m = n/5 positions", "pares"),
    ("Simulated Annealing", "1 5 5", "simulated_annealing", 10,
     "Θ(M + B·n): M moves O(1) each; per new best (B) a tour copy and a trace line "
     "(work in move-equivalents, see Probes)", "sa"),
    ("Busca Tabu", "1 5 6", "busca_tabu", 10,
     "Θ(I·n²): I full scans, each pair checked against ≤ 10 tabu moves (run as O(n) per "
     "move plus the rows that may hold the choice)", "pares"),
    ("GRASP (vizinho mais proximo)", "1 5 7 1", "grasp_vizinho", 60,
     "100 × (construction + descent); the descents' scans dominate", "pares"),
    ("GRASP (insercao mais barata)", "1 5 7 2", "grasp_insercao", 60,
     "100 × (Θ(n³) construction + descent)", "grasp_insercao"),
    ("VNS", "1 5 9", "vns", 10,
     "Θ(V·n²): the scans of its descents", "pares"),
    ("Algoritmo genetico (OX)", "1 5 10 1", "ag_ox", 60,
     "200 Θ(n³) constructions + G generations × 100 Θ(n²) crossovers", "ag_ox"),
    ("Algoritmo genetico (ERX)", "1 5 10 2", "ag_erx", 60,
     "200 Θ(n³) constructions + G generations × 100 Θ(n²) crossovers", "ag_erx"),
]


# The probe that prices the operation a method repeats, where its cost depends on
# where the data sit (bench/sondas_bench.cpp).
SONDA_DO_METODO = {
    "construcao_vizinho_mais_proximo": "percorre_lista",
    "construcao_vizinho_mais_proximo_parcial": "percorre_lista",
    "construcao_aleatoria": "percorre_lista",
    "descida_randomica": "leitura_aleatoria",
    "simulated_annealing": "leitura_aleatoria",
}




def soma_insercao(n):
    """Operations of one cheapest-insertion construction as the procedure reads:
    every candidate at every place."""
    return sum((n - k) * k for k in range(3, n))


def selecao(t, alfa=0.05):
    """Heap operations selecting the drawn one of t offers (the menu's alfa): the
    first k + 1 pushed, about k ln(t/k) later ones pushing out the top, log k each."""
    k = max(1, int(t * alfa))
    return (k + 1 + k * math.log(max(t / k, 1.0))) * math.log2(k + 1)


# Price of one trace line over that of one annealing move, set by gera() from the
# probe and the 51-city run (None when not measured).
LINHA_EM_MOVIMENTOS = None


def linha_em_movimentos(metodos, sondas):
    """A trace line (open, append, close: the probe) in annealing moves, the move
    priced on 51 cities (the matrix in L1) net of its new bests' lines."""
    linha = sondas.get(("grava_arquivo", None))
    t51, c51 = metodos.get(("simulated_annealing", 51), (None, {}))
    if not linha or t51 is None or not c51.get("movimentos"):
        return None
    movimento = (t51 - c51.get("novos_melhores", 0) * linha) / c51["movimentos"]
    return linha / movimento if movimento > 0 else None


def trabalho(chave, n, contadores):
    """The algorithm's own work on n cities, in its natural unit: counted when
    it depends on the run (scans, draws, moves, generations), else a formula."""
    c = contadores
    if chave == "sa":
        if c.get("movimentos") is None or LINHA_EM_MOVIMENTOS is None:
            return c.get("movimentos")
        # the tour copy of a new best (n ints) is left out: ~1 ms in all on 1000 cities
        return c["movimentos"] + c.get("novos_melhores", 0) * LINHA_EM_MOVIMENTOS
    if chave == "vmp":
        return n * (n - 1) / 2
    if chave == "vmp_parcial":
        return sum(t + selecao(t) for t in range(1, n))
    if chave == "imb":
        return soma_insercao(n)
    if chave == "imb_parcial":
        return soma_insercao(n) + sum(selecao(t) for t in range(1, n - 2))
    if chave == "aleatoria":
        return n * (n - 1) / 2
    if chave in ("pares", "sorteios", "movimentos"):
        return c.get(chave)
    if chave == "grasp_insercao":
        return c.get("pares", 0) + 100 * soma_insercao(n)
    if chave in ("ag_ox", "ag_erx"):
        g = c.get("geracoes")
        if g is None:
            return None
        # OX: 2 (n - seg) membership tests over a segment of about n/2;
        # ERX: 2 children × n removals × 4n table cells
        cruzamento = n * n / 2 if chave == "ag_ox" else 8 * n * n
        return 200 * soma_insercao(n) + g * (100 * cruzamento + 400 * n)
    return None


def expoente(x1, y1, x2, y2):
    if not y1 or not y2 or y1 <= 0 or y2 <= 0:
        return None
    return math.log(y2 / y1) / math.log(x2 / x1)


def le_json(caminho):
    if not os.path.exists(caminho):
        return None
    with open(caminho) as f:
        return json.load(f)


def melhores(dados, grupo):
    """{run_name: the best repetition} of the benchmarks of a group ("metodo",
    "varredura", "sonda"): the least processor time. On a shared machine other
    processes only ever add time. Files that hold only aggregates (older runs)
    give their median."""
    melhor, mediana = {}, {}
    if not dados:
        return melhor
    for b in dados["benchmarks"]:
        if b["run_name"].split("/")[0] != grupo:
            continue
        if b.get("run_type") == "aggregate":
            if b.get("aggregate_name") == "median":
                mediana[b["run_name"]] = b
            continue
        atual = melhor.get(b["run_name"])
        if atual is None or segundos(b) < segundos(atual):
            melhor[b["run_name"]] = b
    for nome, b in mediana.items():
        melhor.setdefault(nome, b)
    return melhor


def segundos(b):
    escala = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[b["time_unit"]]
    return b["cpu_time"] * escala


def resultados_metodos(dados):
    """{(nome, n): (cpu seconds, counters)} from a methods run."""
    r = {}
    for nome_completo, b in melhores(dados, "metodo").items():
        partes = nome_completo.split("/")
        contadores = {k: v for k, v in b.items() if isinstance(v, (int, float))}
        r[(partes[1], int(partes[2]))] = (segundos(b), contadores)
    return r


def resultados_varredura(dados):
    """{(nome, n): pairs per second} from the kernel run."""
    r = {}
    for nome_completo, b in melhores(dados, "varredura").items():
        partes = nome_completo.split("/")
        r[(partes[1], int(partes[2]))] = b["items_per_second"]
    return r


def resultados_sondas(dados):
    """{(nome, n or None): seconds per item} from the probes run."""
    r = {}
    for nome_completo, b in melhores(dados, "sonda").items():
        partes = nome_completo.split("/")
        n = int(partes[2]) if len(partes) > 2 else None
        r[(partes[1], n)] = 1.0 / b["items_per_second"] if "items_per_second" in b else segundos(b)
    return r


def le_memoria(caminho):
    r = {}
    if not os.path.exists(caminho):
        return r
    with open(caminho) as f:
        for linha in csv.DictReader(f):
            r[(linha["caminho"], int(linha["n"]))] = linha
    return r


# --- formatting ---------------------------------------------------------------

def fmt_tempo(segundos):
    if segundos is None:
        return "—"
    if segundos >= 100:
        return "%.0f s" % segundos
    if segundos >= 1:
        return "%.2f s" % segundos
    if segundos >= 1e-3:
        return "%.3g ms" % (segundos * 1e3)
    if segundos >= 1e-6:
        return "%.3g µs" % (segundos * 1e6)
    return "%.3g ns" % (segundos * 1e9)


def fmt_exp(e):
    return "—" if e is None else "%.2f" % e


def fmt_num(x):
    if x is None:
        return "—"
    for lim, suf in ((1e9, "G"), (1e6, "M"), (1e3, "k")):
        if abs(x) >= lim:
            return "%.3g%s" % (x / lim, suf)
    return "%.3g" % x


def tempo_menu(memoria, caminho, n):
    linha = memoria.get((caminho, n))
    if not linha or not linha["tempo_cpu_s"] or linha["tempo_cpu_s"] == "excedeu":
        return None
    return float(linha["tempo_cpu_s"])


def metas(metodos, varredura, memoria, sondas):
    """The targets, each with the figures that decide it."""
    L = ["## Targets", ""]
    L.append("| target | figures | met |")
    L.append("|---|---|---|")
    for n in (51, 1000):
        lm = varredura.get(("laco_minimo", n))
        for nome in ("melhor_vizinho", "melhor_vizinho_na_descida"):
            mv = varredura.get((nome, n))
            if mv and lm:
                L.append("| scan ≥ 80 %% of the minimal loop, n = %d (%s) | %.0f %% | %s |" % (
                    n, nome, 100 * mv / lm, "yes" if mv >= 0.8 * lm else "no"))
    for rotulo, caminho, nome, limite, complexidade, chave in METODOS:
        t = metodos.get((nome, 1000), (None, {}))[0]
        if t is None:
            linha = memoria.get((caminho, 1000))
            texto = "not measured"
            if linha and linha["tempo_cpu_s"] not in ("", "excedeu"):
                t = float(linha["tempo_cpu_s"])
                texto = "%s (program's report)" % fmt_tempo(t)
        else:
            texto = fmt_tempo(t)
        L.append("| %s within %d s on 1000 cities | %s | %s |" % (
            rotulo, limite, texto, "—" if t is None else ("yes" if t <= limite else "no")))
    for rotulo, caminho, nome, limite, complexidade, chave in METODOS:
        partes, ok = [], None
        for a, b in ((0, 1), (1, 2)):
            na, nb = TAMANHOS[a], TAMANHOS[b]
            ta, ca = metodos.get((nome, na), (None, {}))
            tb, cb = metodos.get((nome, nb), (None, {}))
            et = expoente(na, ta, nb, tb)
            ew = expoente(na, trabalho(chave, na, ca) if ta is not None else None,
                          nb, trabalho(chave, nb, cb) if tb is not None else None)
            if et is None or ew is None:
                partes.append("%d→%d: —" % (na, nb))
                continue
            texto = "%d→%d: %+.2f" % (na, nb, et - ew)
            sonda = SONDA_DO_METODO.get(nome)
            if et - ew > 0.2 and sonda:
                es = expoente(na, sondas.get((sonda, na)), nb, sondas.get((sonda, nb)))
                if es is not None:
                    texto += " (probe `%s`: %+.2f)" % (sonda, es)
            partes.append(texto)
            ok = (ok is not False) and et - ew <= 0.2
        L.append("| %s: time exponent ≤ work exponent + 0.2 | %s | %s |" % (
            rotulo, ", ".join(partes), "—" if ok is None else ("yes" if ok else "no")))
    L.append("")
    return L


def gera(pasta, saida):
    def arquivo(nome):
        return os.path.join(pasta, nome)
    maquina = open(arquivo("maquina.txt")).read().strip() \
        if os.path.exists(arquivo("maquina.txt")) else "(not recorded)"
    metodos = resultados_metodos(le_json(arquivo("metodos.json")))
    varredura = resultados_varredura(le_json(arquivo("varredura.json")))
    memoria = le_memoria(arquivo("memoria.csv"))
    sondas = resultados_sondas(le_json(arquivo("sondas.json")))
    global LINHA_EM_MOVIMENTOS
    LINHA_EM_MOVIMENTOS = linha_em_movimentos(metodos, sondas)

    L = ["# Desempenho", "",
         "Generated by `python3 bench/tabela.py` from the files in `docs/desempenho/`, which",
         "`scripts/bench.sh` measures and rewrites. How each table is measured and read:",
         "`docs/desempenho_leitura.md`; what the performance work changed: `docs/otimizacoes.md`.",
         "", "## Machine", "", "```", maquina, "```", ""]
    L.extend(metas(metodos, varredura, memoria, sondas))

    L += ["## Swap-scan kernel", "",
          "| n | melhor_vizinho (pairs/s) | ratio | as in descida (pairs/s) | ratio "
          "| laco_minimo (pairs/s) |", "|---|---|---|---|---|---|"]
    for n in TAMANHOS:
        lm = varredura.get(("laco_minimo", n))
        celulas = []
        for nome in ("melhor_vizinho", "melhor_vizinho_na_descida"):
            mv = varredura.get((nome, n))
            celulas += [fmt_num(mv), "%.0f %%" % (100 * mv / lm) if mv and lm else "—"]
        L.append("| %d | %s | %s |" % (n, " | ".join(celulas), fmt_num(lm)))

    L += ["", "## Methods", "",
          "| method | menu | 51 | 200 | 1000 | exp. 51→200 (work) | exp. 200→1000 (work) "
          "| own complexity |", "|---|---|---|---|---|---|---|---|"]
    for rotulo, caminho, nome, limite, complexidade, chave in METODOS:
        tempos = [metodos.get((nome, n), (None, {}))[0] for n in TAMANHOS]
        trabalhos = [trabalho(chave, n, metodos[(nome, n)][1]) if (nome, n) in metodos else None
                     for n in TAMANHOS]
        exps = ["%s (%s)" % (fmt_exp(expoente(TAMANHOS[a], tempos[a], TAMANHOS[b], tempos[b])),
                             fmt_exp(expoente(TAMANHOS[a], trabalhos[a], TAMANHOS[b], trabalhos[b])))
                for a, b in ((0, 1), (1, 2))]
        L.append("| %s | `%s` | %s | %s | %s |" % (
            rotulo, caminho, " | ".join(fmt_tempo(t) for t in tempos), " | ".join(exps),
            complexidade))

    L += ["", "Work counted in each run (per call):", "",
          "| method | counter | 51 | 200 | 1000 |", "|---|---|---|---|---|"]
    for rotulo, caminho, nome, limite, complexidade, chave in METODOS:
        for contador in ("varreduras", "pares", "sorteios", "movimentos", "novos_melhores",
                         "descidas", "geracoes"):
            valores = [metodos.get((nome, n), (None, {}))[1].get(contador) for n in TAMANHOS]
            if any(v is not None for v in valores):
                L.append("| %s | %s | %s |" % (rotulo, contador,
                                                " | ".join(fmt_num(v) for v in valores)))

    L += ["", "## Probes", "", "| probe | 51 | 200 | 1000 | exp. 51→200 | exp. 200→1000 |",
          "|---|---|---|---|---|---|"]
    for sonda in ("leitura_aleatoria", "percorre_lista"):
        v = [sondas.get((sonda, n)) for n in TAMANHOS]
        L.append("| `%s` | %s | %s | %s |" % (
            sonda, " | ".join(fmt_tempo(x) for x in v),
            fmt_exp(expoente(TAMANHOS[0], v[0], TAMANHOS[1], v[1])),
            fmt_exp(expoente(TAMANHOS[1], v[1], TAMANHOS[2], v[2]))))
    L.append("| `grava_arquivo` | %s | | | | |" % fmt_tempo(sondas.get(("grava_arquivo", None))))
    if LINHA_EM_MOVIMENTOS is not None:
        L += ["", "A trace line of the annealing counts as %.0f moves in its work." %
              LINHA_EM_MOVIMENTOS]

    L += ["", "## Genetic algorithm per generation", "",
          "| operator | n | whole run | initial population | generations | per generation |",
          "|---|---|---|---|---|---|"]
    for nome, rotulo in (("ag_ox", "OX"), ("ag_erx", "ERX")):
        for n in TAMANHOS:
            t, c = metodos.get((nome, n), (None, {}))
            p = metodos.get(("ag_populacao_inicial", n), (None, {}))[0]
            g = c.get("geracoes")
            # a difference of two timed runs: noise can make it meaningless
            por = (t - p) / g if t is not None and p is not None and g and t > p else None
            L.append("| %s | %d | %s | %s | %s | %s |" % (
                rotulo, n, fmt_tempo(t), fmt_tempo(p), fmt_num(g), fmt_tempo(por)))

    L += ["", "## Peak memory", "",
          "| menu | n | peak (KiB) | baseline 1 / 12 (KiB) | added (KiB) | matrix (KiB) |",
          "|---|---|---|---|---|---|"]
    for n in TAMANHOS:
        for rotulo, caminho, nome, limite, complexidade, chave in METODOS:
            linha = memoria.get((caminho, n))
            if not linha:
                continue
            acrescimo = "—" if linha["pico_kb"] == "excedeu" else \
                str(int(linha["pico_kb"]) - int(linha["base12_kb"]))
            L.append("| `%s` | %d | %s | %s / %s | %s | %.0f |" % (
                caminho, n, linha["pico_kb"], linha["base1_kb"], linha["base12_kb"], acrescimo,
                n * n * 4 / 1024))
    L.append("")

    with open(saida, "w") as f:
        f.write("\n".join(L))


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    gera(sys.argv[1], sys.argv[2])
