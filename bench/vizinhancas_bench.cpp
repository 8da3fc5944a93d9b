// The 2-opt and Or-opt descents from the nearest-neighbour tour: the descent
// alone on pr1002 and on 10000 random cities (lists built beforehand), the
// lists alone, and the whole process on 10000 cities (loading, matrix, tour,
// lists, descent), and a bare 2-opt kernel the module's 2-opt is held to.
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <vector>

#include "busca_local/descida_vizinhanca.h"
#include "busca_local/vizinhanca_2opt_oropt.h"
#include "busca_local/vizinhos_proximos.h"
#include "busca_tabu/busca_tabu.h"
#include "construcao/constroi_vizinho_mais_proximo.h"
#include "nucleo/acompanhamento.h"
#include "nucleo/alocacao.h"
#include "nucleo/aleatorio.h"
#include "nucleo/instancia.h"
#include "nucleo/parametros.h"
#include "nucleo/plataforma.h"
#include "nucleo/solucao.h"
#include "simulated_annealing/simulated_annealing.h"
#include "simulated_annealing/temperatura_inicial.h"
#include "tsplib.h"

namespace {

struct Carregada {
    int n = 0;
    float** d = nullptr;
};

// pr1002 through the converter's code, as experimenta reads a .tsp.
Carregada carrega_pr1002() {
    Carregada c;
    std::ifstream entrada(BANCADA_TSPLIB "/pr1002.tsp", std::ios::binary);
    Conversao conversao;
    std::string erro;
    if (!entrada || !converte_tsplib(entrada, "pr1002.tsp", "", conversao, erro)) return c;
    c.n = static_cast<int>(conversao.cidades);
    c.d = cria_matriz_float(c.n, c.n);
    calcula_distancias(c.n, conversao.x.data(), conversao.y.data(), c.d);
    return c;
}

// The 10000 cities scripts/bench.sh generates in the build.
Carregada carrega_dez_mil() {
    Carregada c;
    std::string pasta = BANCADA_GERADAS "/aleatoria10000";
    int cidades = 0, inteiro = 0, x0 = 0, y0 = 0;
    if (!std::ifstream(pasta + "/c50info.txt")) return c;
    le_arquivo_info((pasta + "/c50info.txt").c_str(), &cidades, &inteiro, &x0, &y0);
    c.n = cidades + 1;
    c.d = cria_matriz_float(c.n, c.n);
    std::vector<int> quarto_valor(c.n);
    le_arquivo_coordenadas((pasta + "/c50.txt").c_str(), c.n, x0, y0, c.d, quarto_valor.data());
    return c;
}

Carregada carrega(int qual) { return qual == 0 ? carrega_pr1002() : carrega_dez_mil(); }

// The bare kernel the module is held to: 2-opt only, everything in one loop
// over plain arrays (lists, positions, a queue of cities), first improvement,
// the shorter side reversed, the same guard.
NAO_EXPANDIR void nucleo_2opt(int n, int* s, float** d, const VizinhosProximos& listas) {
    std::vector<int> pos(n), fila(n), marca(n, 1);
    for (int q = 0; q < n; q++) {
        pos[s[q]] = q;
        fila[q] = s[q];
    }
    int frente = 0, quantos = n;
    auto poe = [&](int c) {
        if (marca[c]) return;
        marca[c] = 1;
        fila[(frente + quantos) % n] = c;
        quantos++;
    };
    while (quantos > 0) {
        int a = fila[frente];
        bool aplicou = false;
        for (int lado = 0; lado < 2 && !aplicou; lado++) {
            int pa = pos[a];
            int b = s[lado == 0 ? (pa + 1) % n : (pa + n - 1) % n];
            float dab = d[a][b];
            const int* lista = vizinhos_de(&listas, a);
            for (int r = 0; r < listas.k; r++) {
                int c = lista[r];
                if (!(d[a][c] < dab)) break;
                int pc = pos[c];
                int e = s[lado == 0 ? (pc + 1) % n : (pc + n - 1) % n];
                if (e == a || c == b) continue;
                double removidas = static_cast<double>(dab) + static_cast<double>(d[c][e]);
                double ganho =
                    removidas - (static_cast<double>(d[a][c]) + static_cast<double>(d[b][e]));
                if (!(ganho > 1e-7 * removidas)) continue;
                // the path from b to c (lado 0) or from a to e (lado 1), or its complement
                int i = lado == 0 ? pos[b] : pa, j = lado == 0 ? pc : pos[e];
                int comprimento = (j - i + n) % n + 1;
                if (2 * comprimento > n) {
                    i = (j + 1) % n;
                    comprimento = n - comprimento;
                    j = (i + comprimento - 1) % n;
                }
                for (int t = 0; t < comprimento / 2; t++) {
                    int ci = s[i], cj = s[j];
                    s[i] = cj;
                    s[j] = ci;
                    pos[cj] = i;
                    pos[ci] = j;
                    i = i + 1 == n ? 0 : i + 1;
                    j = j == 0 ? n - 1 : j - 1;
                }
                poe(b);
                poe(c);
                poe(e);
                aplicou = true;
                break;
            }
        }
        if (!aplicou) {
            marca[a] = 0;
            frente = (frente + 1) % n;
            quantos--;
        }
    }
}

void nucleo(benchmark::State& estado) {
    Carregada c = carrega(static_cast<int>(estado.range(0)));
    if (c.d == nullptr) {
        estado.SkipWithError("instancia ausente");
        return;
    }
    std::vector<int> inicial(c.n), s(c.n);
    constroi_vizinho_mais_proximo(c.n, inicial.data(), c.d, false);
    VizinhosProximos listas;
    cria_vizinhos_proximos(c.n, c.d, VIZINHOS, &listas);
    for (auto _ : estado) {
        estado.PauseTiming();
        s = inicial;
        estado.ResumeTiming();
        nucleo_2opt(c.n, s.data(), c.d, listas);
    }
    estado.counters["n"] = c.n;
    estado.counters["fo"] = calcula_fo(c.n, s.data(), c.d);
    libera_vizinhos_proximos(&listas);
    libera_matriz_float(c.d, c.n);
}

void descida(benchmark::State& estado) {
    int tipo = static_cast<int>(estado.range(0));
    Carregada c = carrega(static_cast<int>(estado.range(1)));
    if (c.d == nullptr) {
        estado.SkipWithError("instancia ausente (scripts/bench.sh gera a de 10000 cidades)");
        return;
    }
    std::vector<int> inicial(c.n), s(c.n);
    constroi_vizinho_mais_proximo(c.n, inicial.data(), c.d, false);
    VizinhosProximos listas;
    cria_vizinhos_proximos(c.n, c.d, VIZINHOS, &listas);
    float fo = 0;
    for (auto _ : estado) {
        estado.PauseTiming();
        s = inicial;
        estado.ResumeTiming();
        fo = descida_com_listas(c.n, s.data(), c.d, tipo, &listas);
    }
    estado.counters["n"] = c.n;
    estado.counters["fo_inicial"] = calcula_fo(c.n, inicial.data(), c.d);
    estado.counters["fo"] = fo;
    libera_vizinhos_proximos(&listas);
    libera_matriz_float(c.d, c.n);
}

void listas(benchmark::State& estado) {
    Carregada c = carrega(static_cast<int>(estado.range(0)));
    if (c.d == nullptr) {
        estado.SkipWithError("instancia ausente");
        return;
    }
    for (auto _ : estado) {
        VizinhosProximos v;
        cria_vizinhos_proximos(c.n, c.d, VIZINHOS, &v);
        benchmark::DoNotOptimize(v.lista);
        libera_vizinhos_proximos(&v);
    }
    estado.counters["n"] = c.n;
    libera_matriz_float(c.d, c.n);
}

// Everything from the files to the descended tour.
void processo(benchmark::State& estado) {
    int tipo = static_cast<int>(estado.range(0));
    float fo = 0;
    int n = 0;
    for (auto _ : estado) {
        Carregada c = carrega_dez_mil();
        if (c.d == nullptr) {
            estado.SkipWithError("instancia ausente");
            return;
        }
        n = c.n;
        std::vector<int> s(c.n);
        constroi_vizinho_mais_proximo(c.n, s.data(), c.d, false);
        fo = descida_vizinhanca(c.n, s.data(), c.d, tipo, VIZINHOS);
        libera_matriz_float(c.d, c.n);
    }
    estado.counters["n"] = n;
    estado.counters["fo"] = fo;
}

// The annealing (with its search for the starting temperature) or the tabu
// search, default parameters, from the nearest-neighbour tour of the 10000
// cities, silent as the experiment program runs them, in the swap
// neighbourhood (tipo 0) or another.
void metodo_dez_mil(benchmark::State& estado) {
    bool tabu = estado.range(0) == 1;
    int tipo = static_cast<int>(estado.range(1));
    Carregada c = carrega_dez_mil();
    if (c.d == nullptr) {
        estado.SkipWithError("instancia ausente (scripts/bench.sh gera a de 10000 cidades)");
        return;
    }
    std::vector<int> inicial(c.n);
    constroi_vizinho_mais_proximo(c.n, inicial.data(), c.d, false);
    float fo = 0;
    long long iteracoes = 0;
    for (auto _ : estado) {
        std::vector<int> s = inicial;
        semeia_gerador(1);
        Acompanhamento a = inicia_acompanhamento(nullptr, 1, tabu ? "tabu" : "sa", SEM_LIMITE,
                                                 nullptr);
        if (tabu) {
            fo = busca_tabu(c.n, s.data(), c.d, TAMANHO_LISTA_TABU, BT_MAX, &a, tipo, VIZINHOS);
        } else {
            float t0 = temperatura_inicial(c.n, s.data(), c.d, TAXA_AQUECIMENTO, TAXA_ACEITACAO,
                                           SA_MAX_TEMPERATURA_INICIAL, tipo);
            fo = simulated_annealing(c.n, s.data(), c.d, TAXA_RESFRIAMENTO, t0, TEMPERATURA_FINAL,
                                     SA_MAX, &a, tipo);
        }
        iteracoes = a.iteracoes;
    }
    estado.counters["fo"] = fo;
    estado.counters["fo_inicial"] = calcula_fo(c.n, inicial.data(), c.d);
    estado.counters["iteracoes"] = static_cast<double>(iteracoes);
    libera_matriz_float(c.d, c.n);
}

}  // namespace

// Arguments: tipo (1 2-opt, 2 Or-opt, 3 both), instance (0 pr1002, 1 10000 cities).
BENCHMARK(descida)
    ->Name("vizinhanca/descida")
    ->ArgsProduct({{VIZINHANCA_2OPT, VIZINHANCA_OROPT, VIZINHANCA_2OPT_OROPT}, {0, 1}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(nucleo)->Name("vizinhanca/nucleo_2opt")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(listas)->Name("vizinhanca/listas")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(processo)
    ->Name("vizinhanca/processo")
    ->Arg(VIZINHANCA_2OPT)
    ->Arg(VIZINHANCA_2OPT_OROPT)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
// Arguments: method (0 annealing, 1 tabu), tipo (0 swap, 1 2-opt, 3 both). One
// run each: the annealing runs its whole default budget, a few seconds.
BENCHMARK(metodo_dez_mil)
    ->Name("vizinhanca/metodo_dez_mil")
    ->ArgsProduct({{0, 1}, {0, VIZINHANCA_2OPT, VIZINHANCA_2OPT_OROPT}})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
