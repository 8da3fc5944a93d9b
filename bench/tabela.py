#!/usr/bin/env python3
"""Writes docs/desempenho.md from what scripts/bench.sh leaves in a results folder:
every *.json there and in dez_mil/ (Google Benchmark output of the groups
varredura, metodo and sonda), memoria.csv (bench/memoria.sh) and maquina.txt.

    python3 bench/tabela.py PASTA_DE_RESULTADOS SAIDA.md
"""

import csv
import glob
import json
import math
import os
import sys

TAMANHOS = (51, 200, 1000, 10000)
CONTADORES = ("varreduras", "pares", "sorteios", "movimentos", "novos_melhores", "descidas",
              "geracoes")

# Method, menu path, benchmark name, limits in seconds on 1000 and on 10000
# cities, the algorithm's own work (docs/desempenho_leitura.md says how each is
# run) and how it is counted (trabalho()).
METODOS = [
    ("Vizinho mais proximo (guloso)", "1 1", "construcao_vizinho_mais_proximo", 10, 10,
     "Θ(n²)", "vmp"),
    ("Vizinho mais proximo (parcial)", "1 2", "construcao_vizinho_mais_proximo_parcial", 10, 10,
     "Θ(n² log n)", "vmp_parcial"),
    ("Insercao mais barata (gulosa)", "1 3", "construcao_insercao_mais_barata", 10, 10, "Θ(n³)",
     "imb"),
    ("Insercao mais barata (parcial)", "1 4", "construcao_insercao_mais_barata_parcial", 10, 10,
     "Θ(n³)", "imb_parcial"),
    ("Aleatoria", "1 5", "construcao_aleatoria", 10, 10, "Θ(n²)", "aleatoria"),
    ("Descida", "1 5 2", "descida", 10, 10, "Θ(V·n²), V scans", "pares"),
    ("Descida randomica", "1 5 3", "descida_randomica", 10, 10, "Θ(D + n), D draws", "sorteios"),
    ("Descida parcial", "1 5 4", "descida_parcial", 10, 10, "Θ(V·(m² + n)), m = n/5", "pares"),
    ("Simulated Annealing", "1 5 5", "simulated_annealing", 10, 10,
     "Θ(M + B·n), M moves, B bests", "sa"),
    ("Busca Tabu", "1 5 6", "busca_tabu", 10, 10, "Θ(I·n²), I scans", "pares"),
    ("GRASP (vizinho mais proximo)", "1 5 7 1", "grasp_vizinho", 60, 600,
     "100 constructions + V scans", "pares"),
    ("GRASP (insercao mais barata)", "1 5 7 2", "grasp_insercao", 60, 600,
     "100 Θ(n³) + V scans", "grasp_insercao"),
    ("VNS", "1 5 9", "vns", 10, 10, "Θ(V·n²), V scans", "pares"),
    ("Algoritmo genetico (OX)", "1 5 10 1", "ag_ox", 60, 600, "200 Θ(n³) + G·100 Θ(n²)",
     "ag_ox"),
    ("Algoritmo genetico (ERX)", "1 5 10 2", "ag_erx", 60, 600, "200 Θ(n³) + G·100 Θ(n²)",
     "ag_erx"),
]

# The probe of the operation a method repeats, where its cost depends on where
# the data sit (bench/sondas_bench.cpp).
SONDA_DO_METODO = {
    "construcao_vizinho_mais_proximo": "percorre_lista",
    "construcao_vizinho_mais_proximo_parcial": "percorre_lista",
    "construcao_aleatoria": "percorre_lista",
    "descida_randomica": "leitura_aleatoria",
    "descida_parcial": "leitura_aleatoria",
    "simulated_annealing": "leitura_aleatoria",
    "vns": "leitura_aleatoria",
}


def soma_insercao(n):
    """One cheapest-insertion construction: every candidate at every place."""
    return sum((n - k) * k for k in range(3, n))


def selecao(t, alfa=0.05):
    """Heap operations selecting the drawn one of t offers: the first k + 1
    pushed, about k ln(t/k) later ones pushing out the top, log k each."""
    k = max(1, int(t * alfa))
    return (k + 1 + k * math.log(max(t / k, 1.0))) * math.log2(k + 1)


def trabalho(chave, n, c, linha_em_movimentos):
    """The algorithm's own work on n cities, in its natural unit: counted when it
    depends on the run (scans, draws, moves, generations), else a formula."""
    if chave == "sa":
        if c.get("movimentos") is None or linha_em_movimentos is None:
            return c.get("movimentos")
        # the tour copy of a new best (n ints) is left out: ~1 ms in all on 1000 cities
        return c["movimentos"] + c.get("novos_melhores", 0) * linha_em_movimentos
    if chave in ("vmp", "aleatoria"):
        return n * (n - 1) / 2
    if chave == "vmp_parcial":
        return sum(t + selecao(t) for t in range(1, n))
    if chave == "imb":
        return soma_insercao(n)
    if chave == "imb_parcial":
        return soma_insercao(n) + sum(selecao(t) for t in range(1, n - 2))
    if chave == "sorteios":  # and the tour measured once at the start
        return None if c.get("sorteios") is None else c["sorteios"] + n
    if chave == "grasp_insercao":
        return c.get("pares", 0) + 100 * soma_insercao(n)
    if chave in ("ag_ox", "ag_erx"):
        if c.get("geracoes") is None:
            return None
        # OX: 2 (n - seg) membership tests over a segment of about n/2;
        # ERX: 2 children × n removals × 4n table cells
        cruzamento = n * n / 2 if chave == "ag_ox" else 8 * n * n
        return 200 * soma_insercao(n) + c["geracoes"] * (100 * cruzamento + 400 * n)
    return c.get(chave)


def expoente(x1, y1, x2, y2):
    ok = y1 and y2 and y1 > 0 and y2 > 0
    return math.log(y2 / y1) / math.log(x2 / x1) if ok else None


def segundos(b):
    return b["cpu_time"] * {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[b["time_unit"]]


def resultados(pasta):
    """{(grupo, nome, n or None): the best repetition} over every JSON of the
    folder: the least processor time, since on a shared machine other processes
    only ever add time."""
    melhor = {}
    for caminho in sorted(glob.glob(os.path.join(pasta, "*.json")) +
                         glob.glob(os.path.join(pasta, "dez_mil", "*.json"))):
        with open(caminho) as f:
            for b in json.load(f)["benchmarks"]:
                partes = b["run_name"].split("/")
                chave = (partes[0], partes[1], int(partes[2]) if len(partes) > 2 and
                         partes[2].isdigit() else None)
                if b.get("run_type") != "aggregate" and (
                        chave not in melhor or segundos(b) < segundos(melhor[chave])):
                    melhor[chave] = b
    return melhor


def le_memoria(caminho):
    if not os.path.exists(caminho):
        return {}
    with open(caminho) as f:
        return {(l["caminho"], int(l["n"])): l for l in csv.DictReader(f)}


def fmt_tempo(s):
    if s is None:
        return "—"
    for limite, formato, escala in ((100, "%.0f s", 1), (1, "%.2f s", 1), (1e-3, "%.3g ms", 1e3),
                                    (1e-6, "%.3g µs", 1e6), (0, "%.3g ns", 1e9)):
        if s >= limite:
            return formato % (s * escala)


def fmt_exp(e):
    return "—" if e is None else "%.2f" % e


def fmt_num(x):
    if x is None:
        return "—"
    for lim, suf in ((1e9, "G"), (1e6, "M"), (1e3, "k"), (1, "")):
        if abs(x) >= lim or lim == 1:
            return "%.3g%s" % (x / lim, suf)


def sim_nao(ok):
    return "—" if ok is None else ("yes" if ok else "no")


def experimenta(caminho):
    """The experiment program's own cost (bench/experimenta.py), when measured."""
    if not os.path.exists(caminho):
        return []
    with open(caminho, newline="") as f:
        linhas = list(csv.DictReader(f))
    L = ["", "## Experiment program", "",
         "Each refinement on aleatoria1000 from the menu's random tour: the processor time "
         "the experiment program reports for the call against the benchmark's for the same "
         "call (best of several interleaved runs of each); and the wall time of thirty seeds "
         "of the annealing on eil76 through `lote.py -j 2`. Measured by `bench/experimenta.py`. "
         "The menu's refinements write their trace files (each line opened, appended and closed) "
         "inside the timed call; the experiment program writes none, and that is most of the "
         "difference where it is faster.",
         "", "| call | bench | experimenta | difference |", "|---|---|---|---|"]
    for l in linhas:
        bench = fmt_tempo(float(l["bench_s"])) if l["bench_s"] else ""
        L.append("| %s | %s | %s | %s |" % (l["medida"], bench,
                                            fmt_tempo(float(l["experimenta_s"])),
                                            l["diferenca_pct"] and l["diferenca_pct"] + " %"))
    contagem = os.path.splitext(caminho)[0] + "_instrucoes.csv"
    if os.path.exists(contagem):
        with open(contagem, newline="") as f:
            linhas = list(csv.DictReader(f))
        L += ["", "Processor times on this shared machine spread by a fifth between identical "
              "runs (the genetic algorithm took 1.75 to 2.45 s in one minute), more than the "
              "2 % the program may add. Instructions of each method's call under callgrind "
              "repeat exactly: on aleatoria200 from the menu's random tour, menu program "
              "against experiment program.",
              "", "| method | bancada | experimenta | difference |", "|---|---|---|---|"]
        for l in linhas:
            L.append("| %s | %s | %s | %s %% |" % (l["metodo"], fmt_num(float(l["bancada"])),
                                                 fmt_num(float(l["experimenta"])),
                                                 l["diferenca_pct"]))
    return L


def gera(pasta, saida):
    r = resultados(pasta)
    memoria = le_memoria(os.path.join(pasta, "memoria.csv"))
    tempo = {(nome, n): segundos(b) for (g, nome, n), b in r.items() if g == "metodo"}
    cont = {(nome, n): {k: b[k] for k in CONTADORES if k in b}
            for (g, nome, n), b in r.items() if g == "metodo"}
    varredura = {(nome, n): b["items_per_second"] for (g, nome, n), b in r.items()
                 if g == "varredura"}
    sondas = {(nome, n): 1.0 / b["items_per_second"] if "items_per_second" in b else segundos(b)
              for (g, nome, n), b in r.items() if g == "sonda"}

    # A trace line (open, append, close: the probe) in annealing moves, the move
    # priced on 51 cities (the matrix in L1) net of its new bests' lines.
    linha_mov, linha = None, sondas.get(("grava_arquivo", None))
    t51, c51 = tempo.get(("simulated_annealing", 51)), cont.get(("simulated_annealing", 51), {})
    if linha and t51 and c51.get("movimentos"):
        movimento = (t51 - c51.get("novos_melhores", 0) * linha) / c51["movimentos"]
        linha_mov = linha / movimento if movimento > 0 else None

    def obra(nome, chave, n):
        return trabalho(chave, n, cont[(nome, n)], linha_mov) if (nome, n) in cont else None

    pares = list(zip(TAMANHOS, TAMANHOS[1:]))
    maquina = os.path.join(pasta, "maquina.txt")
    L = ["# Desempenho", "",
         "Generated by `python3 bench/tabela.py` from the files in `docs/desempenho/`, which",
         "`scripts/bench.sh` measures and rewrites. How each table is measured and read:",
         "`docs/desempenho_leitura.md`; what the performance work changed: `docs/otimizacoes.md`.",
         "", "## Machine", "", "```",
         open(maquina).read().strip() if os.path.exists(maquina) else "(not recorded)", "```", "",
         "## Targets", "", "Where a target on 10000 cities is not met, "
         "`docs/dez_mil_cidades.md` gives the figures of what the algorithm must do at best.",
         "", "| target | figures | met |", "|---|---|---|"]
    for n in (51, 1000, 10000):
        for nome in ("melhor_vizinho", "melhor_vizinho_na_descida"):
            mv, lm = varredura.get((nome, n)), varredura.get(("laco_minimo", n))
            if mv and lm:
                L.append("| scan ≥ 80 %% of the minimal loop, n = %d (%s) | %.0f %% | %s |" % (
                    n, nome, 100 * mv / lm, sim_nao(mv >= 0.8 * lm)))
    for n, indice in ((1000, 3), (10000, 4)):
        for m in METODOS:
            t = tempo.get((m[2], n))
            L.append("| %s within %d s on %d cities | %s | %s |" % (
                m[0], m[indice], n, fmt_tempo(t), sim_nao(None if t is None else t <= m[indice])))
    # growth exponents of time and work between consecutive sizes
    exps = {(nome, a): (expoente(a, tempo.get((nome, a)), b, tempo.get((nome, b))),
                        expoente(a, obra(nome, chave, a), b, obra(nome, chave, b)))
            for _, _, nome, _, _, _, chave in METODOS for a, b in pares}
    for rotulo, _, nome, _, _, _, _ in METODOS:
        partes, ok = [], None
        for a, b in pares:
            et, ew = exps[(nome, a)]
            if et is None or ew is None:
                continue
            texto = "%d→%d: %+.2f" % (a, b, et - ew)
            sonda = SONDA_DO_METODO.get(nome)
            es = expoente(a, sondas.get((sonda, a)), b, sondas.get((sonda, b)))
            if et - ew > 0.2 and es is not None:
                texto += " (probe `%s`: %+.2f)" % (sonda, es)
            partes.append(texto)
            # an excess the probe's own growth covers comes from the memory hierarchy
            estado = "yes" if et - ew <= 0.2 else \
                "by the probe" if es is not None and et - ew - 0.2 <= es else "no"
            ok = estado if ok in (None, "yes") or estado == "no" else ok
        L.append("| %s: time exponent ≤ work exponent + 0.2 | %s | %s |" % (
            rotulo, ", ".join(partes) or "—", ok or "—"))
    for rotulo, _, nome, _, _, _, _ in METODOS:
        b = r.get(("metodo", nome, 10000))
        if b and "pico_kb" in b:
            acima, matriz = b["pico_kb"] - b["base_kb"], 10000 ** 2 * 4 / 1024
            L.append("| %s on 10000 cities: peak ≤ 110 %% of the loaded instance (matrix) plus "
                     "working storage | %.0f KiB added to %.0f, %.1f %% of the matrix | %s |" % (
                         rotulo, acima, b["base_kb"], 100 * acima / matriz,
                         sim_nao(acima <= 0.1 * matriz)))
    L += ["", "## Swap-scan kernel", "",
          "| n | melhor_vizinho (pairs/s) | ratio | as in descida (pairs/s) | ratio "
          "| laco_minimo (pairs/s) |", "|---|---|---|---|---|---|"]
    for n in TAMANHOS:
        lm, celulas = varredura.get(("laco_minimo", n)), []
        for nome in ("melhor_vizinho", "melhor_vizinho_na_descida"):
            mv = varredura.get((nome, n))
            celulas += [fmt_num(mv), "%.0f %%" % (100 * mv / lm) if mv and lm else "—"]
        L.append("| %d | %s | %s |" % (n, " | ".join(celulas), fmt_num(lm)))

    colunas = " | ".join(str(n) for n in TAMANHOS)
    L += ["", "## Methods", "", "| method | menu | %s | %s | own complexity |" % (
        colunas, " | ".join("exp. %d→%d (work)" % p for p in pares)),
        "|---|---|%s---|" % ("---|" * (len(TAMANHOS) + len(pares)))]
    for rotulo, caminho, nome, _, _, complexidade, _ in METODOS:
        L.append("| %s | `%s` | %s | %s | %s |" % (
            rotulo, caminho, " | ".join(fmt_tempo(tempo.get((nome, n))) for n in TAMANHOS),
            " | ".join("%s (%s)" % tuple(map(fmt_exp, exps[(nome, a)])) for a, _ in pares),
            complexidade))
    L += ["", "Work counted in each run (per call):", "",
          "| method | counter | %s |" % colunas, "|---|---|%s" % ("---|" * len(TAMANHOS))]
    for rotulo, _, nome, _, _, _, _ in METODOS:
        for contador in CONTADORES:
            valores = [cont.get((nome, n), {}).get(contador) for n in TAMANHOS]
            if any(v is not None for v in valores):
                L.append("| %s | %s | %s |" % (rotulo, contador,
                                                " | ".join(fmt_num(v) for v in valores)))

    L += ["", "## Probes", "", "| probe | %s | %s |" % (
        colunas, " | ".join("exp. %d→%d" % p for p in pares)),
        "|---|%s" % ("---|" * (len(TAMANHOS) + len(pares)))]
    for sonda in ("leitura_aleatoria", "percorre_lista"):
        L.append("| `%s` | %s | %s |" % (
            sonda, " | ".join(fmt_tempo(sondas.get((sonda, n))) for n in TAMANHOS),
            " | ".join(fmt_exp(expoente(a, sondas.get((sonda, a)), b, sondas.get((sonda, b))))
                       for a, b in pares)))
    L.append("| `grava_arquivo` | %s |%s" % (fmt_tempo(linha),
                                            " |" * (len(TAMANHOS) + len(pares) - 1)))
    if linha_mov is not None:
        L += ["", "A trace line of the annealing counts as %.0f moves in its work." % linha_mov]

    L += ["", "## Peak memory", "",
          "Peak (KiB) of the program and, in brackets, the peak above its 12-city baseline; on "
          "10000 cities of the benchmark's process, above its peak once the instance was loaded.",
          "", "| menu | baseline 1 / 12 | %s |" % colunas, "|---|---|%s" % ("---|" * len(TAMANHOS))]
    for _, caminho, nome, _, _, _, _ in METODOS:
        celulas = []
        for n in TAMANHOS:
            l, b = memoria.get((caminho, n)), r.get(("metodo", nome, n))
            if l and l["pico_kb"].isdigit():
                celulas.append("%s (%d)" % (l["pico_kb"], int(l["pico_kb"]) - int(l["base12_kb"])))
            elif n == 10000 and b and "pico_kb" in b:
                celulas.append("%.0f (%.0f)" % (b["pico_kb"], b["pico_kb"] - b["base_kb"]))
            else:
                celulas.append("—" if not l else l["pico_kb"])
        base = next((memoria[(caminho, n)] for n in TAMANHOS if (caminho, n) in memoria), None)
        L.append("| `%s` | %s | %s |" % (caminho, "%s / %s" % (base["base1_kb"], base["base12_kb"])
                                         if base else "—", " | ".join(celulas)))
    L.append("| distance matrix | | %s |" % " | ".join("%.0f" % (n * n / 256) for n in TAMANHOS))
    L += experimenta(os.path.join(pasta, "experimenta.csv"))
    L.append("")
    with open(saida, "w") as f:
        f.write("\n".join(L))


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    gera(sys.argv[1], sys.argv[2])
