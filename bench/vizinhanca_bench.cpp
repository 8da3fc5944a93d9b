// Throughput of a full scan of the swap neighbourhood, next to the smallest
// loop that does the same four-plus-four matrix reads and arithmetic.
#include <benchmark/benchmark.h>

#include "busca_local/vizinhanca_troca.h"
#include "comum.h"
#include "nucleo/plataforma.h"
#include "nucleo/solucao.h"

namespace {

// The practical limit: exchange, the same eight reads, the same extended
// precision arithmetic and comparison, nothing else. Kept out of line, like
// melhor_troca, so a profile can count it per call.
NAO_EXPANDIR float laco_minimo(int n, int* s, float** d, float fo, int* melhor_i, int* melhor_j) {
    float fo_melhor = fo;
    for (int i = 0; i < n - 1; i++) {
        int ai = (i == 0) ? n - 1 : i - 1, si = (i == n - 1) ? 0 : i + 1;
        for (int j = i + 1; j < n; j++) {
            int aj = j - 1, sj = (j == n - 1) ? 0 : j + 1;
            long double antes = d[s[ai]][s[i]];
            antes += d[s[i]][s[si]];
            antes += d[s[aj]][s[j]];
            antes += d[s[j]][s[sj]];
            int aux = s[i];
            s[i] = s[j];
            s[j] = aux;
            long double depois = d[s[ai]][s[i]];
            depois += d[s[i]][s[si]];
            depois += d[s[aj]][s[j]];
            depois += d[s[j]][s[sj]];
            float fo_viz =
                static_cast<float>((static_cast<long double>(fo) - static_cast<float>(antes)) +
                                   static_cast<float>(depois));
            if (fo_viz < fo_melhor) {
                fo_melhor = fo_viz;
                *melhor_i = i;
                *melhor_j = j;
            }
            s[j] = s[i];
            s[i] = aux;
        }
    }
    return fo_melhor;
}

// The full fast scan (no bounds of the rows) on a neighbourhood set up at every
// call, symmetry check and edges included.
float melhor_vizinho(int n, int* s, float** d, float fo, int* melhor_i, int* melhor_j) {
    VizinhancaTroca v;
    cria_troca(n, s, d, AMOSTRAS, &v);
    Troca m = melhor_troca(&v, fo, fo);
    libera_troca(&v);
    *melhor_i = m.i;
    *melhor_j = m.j;
    return m.valor;
}

template <float (*Varredura)(int, int*, float**, float, int*, int*)>
void varre(benchmark::State& estado) {
    InstanciaBench inst = carrega_instancia(estado.range(0));
    float fo = calcula_fo(inst.n, inst.s, inst.d);
    int mi = 0, mj = 0;
    for (auto _ : estado) benchmark::DoNotOptimize(Varredura(inst.n, inst.s, inst.d, fo, &mi, &mj));
    long pares = static_cast<long>(inst.n) * (inst.n - 1) / 2;
    estado.SetItemsProcessed(estado.iterations() * pares);
    estado.counters["n"] = inst.n;
    libera_instancia(inst);
}

// The same scan as the descents without bounds run it: the neighbourhood set up
// once, its symmetry and edges kept.
void varre_na_descida(benchmark::State& estado) {
    InstanciaBench inst = carrega_instancia(estado.range(0));
    float fo = calcula_fo(inst.n, inst.s, inst.d);
    VizinhancaTroca v;
    cria_troca(inst.n, inst.s, inst.d, AMOSTRAS, &v);
    for (auto _ : estado) {
        Troca m = melhor_troca(&v, fo, fo);
        benchmark::DoNotOptimize(m);
    }
    libera_troca(&v);
    long pares = static_cast<long>(inst.n) * (inst.n - 1) / 2;
    estado.SetItemsProcessed(estado.iterations() * pares);
    estado.counters["n"] = inst.n;
    libera_instancia(inst);
}

}  // namespace

BENCHMARK(varre<melhor_vizinho>)->Name("varredura/melhor_vizinho")->ArgsProduct({TAMANHOS});
BENCHMARK(varre_na_descida)
    ->Name("varredura/melhor_vizinho_na_descida")
    ->ArgsProduct({TAMANHOS});
BENCHMARK(varre<laco_minimo>)->Name("varredura/laco_minimo")->ArgsProduct({TAMANHOS});
