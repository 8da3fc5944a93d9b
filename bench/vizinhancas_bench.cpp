// The 2-opt and Or-opt descents from the nearest-neighbour tour: the descent
// alone on pr1002 and on 10000 random cities (lists built beforehand), the
// lists alone, and the whole process on 10000 cities (loading, matrix, tour,
// lists, descent), as the targets are stated.
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <vector>

#include "busca_local/descida_vizinhanca.h"
#include "busca_local/vizinhanca_2opt_oropt.h"
#include "busca_local/vizinhos_proximos.h"
#include "construcao/constroi_vizinho_mais_proximo.h"
#include "nucleo/alocacao.h"
#include "nucleo/instancia.h"
#include "nucleo/parametros.h"
#include "nucleo/solucao.h"
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

}  // namespace

// Arguments: tipo (1 2-opt, 2 Or-opt, 3 both), instance (0 pr1002, 1 10000 cities).
BENCHMARK(descida)
    ->Name("vizinhanca/descida")
    ->ArgsProduct({{VIZINHANCA_2OPT, VIZINHANCA_OROPT, VIZINHANCA_2OPT_OROPT}, {0, 1}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(listas)->Name("vizinhanca/listas")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(processo)
    ->Name("vizinhanca/processo")
    ->Arg(VIZINHANCA_2OPT)
    ->Arg(VIZINHANCA_2OPT_OROPT)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
