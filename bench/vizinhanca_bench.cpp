// Throughput of a full scan of the swap neighbourhood, next to the smallest
// loop that does the same four-plus-four matrix reads and arithmetic.
#include <benchmark/benchmark.h>

#include "busca_local/descida.h"
#include "comum.h"
#include "nucleo/plataforma.h"
#include "nucleo/solucao.h"

namespace {

// The practical limit: exchange, the same eight reads, the same extended
// precision arithmetic and comparison, nothing else. Kept out of line, like
// melhor_vizinho, so a profile can count it per call.
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

// melhor_vizinho as descida calls it: the matrix known to be symmetric.
float melhor_vizinho_simetrica(int n, int* s, float** d, float fo, int* melhor_i, int* melhor_j) {
    return melhor_vizinho(n, s, d, fo, melhor_i, melhor_j, true);
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

}  // namespace

BENCHMARK(varre<melhor_vizinho>)->Name("varredura/melhor_vizinho")->ArgsProduct({TAMANHOS});
BENCHMARK(varre<melhor_vizinho_simetrica>)
    ->Name("varredura/melhor_vizinho_na_descida")
    ->ArgsProduct({TAMANHOS});
BENCHMARK(varre<laco_minimo>)->Name("varredura/laco_minimo")->ArgsProduct({TAMANHOS});
