// Probes that price single operations on each instance size, to tell the growth
// a method's work explains from the growth the memory hierarchy adds: the same
// operation, repeated a fixed number of times, costs more once its data leave a
// cache level.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <vector>

#include "comum.h"
#include "nucleo/lista.h"
#include "nucleo/arquivo_saida.h"
#include "nucleo/solucao.h"

namespace {

// The four distances after a swap at random pairs of positions: the reads of one
// move of the random descent or the annealing, without the draws and arithmetic.
void leitura_aleatoria(benchmark::State& estado) {
    InstanciaBench inst = carrega_instancia(estado.range(0));
    int n = inst.n;
    const int quantos = 1 << 16;
    std::mt19937 gerador(7);
    std::vector<int> pi(quantos), pj(quantos);
    for (int k = 0; k < quantos; k++) {
        pi[k] = static_cast<int>(gerador() % n);
        do pj[k] = static_cast<int>(gerador() % n);
        while (pj[k] == pi[k]);
    }
    const int* s = inst.s;
    float** d = inst.d;
    for (auto _ : estado) {
        double soma = 0;
        for (int k = 0; k < quantos; k++) {
            int i = pi[k], j = pj[k];
            int ai = i == 0 ? n - 1 : i - 1, si = i == n - 1 ? 0 : i + 1;
            int aj = j == 0 ? n - 1 : j - 1, sj = j == n - 1 ? 0 : j + 1;
            soma += (d[s[ai]][s[j]] + d[s[j]][s[si]]) + (d[s[aj]][s[i]] + d[s[i]][s[sj]]);
        }
        benchmark::DoNotOptimize(soma);
    }
    estado.SetItemsProcessed(estado.iterations() * quantos);
    estado.counters["n"] = n;
    libera_instancia(inst);
}

// One step of the greedy nearest neighbour at a fixed list length: the walk of a
// candidate list of n - 1 records reading a row of d, from a different city each
// time.
void percorre_lista(benchmark::State& estado) {
    InstanciaBench inst = carrega_instancia(estado.range(0));
    int n = inst.n;
    Registro* inicio = nullptr;
    Registro* fim = nullptr;
    for (int cidade = 1; cidade < n; cidade++)
        insere_fim_lista(novo_registro(cidade, 0, 0.0f), inicio, fim);
    int u = 0;
    for (auto _ : estado) {
        float minimo = SENTINELA_2_31;
        int escolhido = 0;
        for (Registro* r = inicio; r != nullptr; r = r->prox)
            if (inst.d[u][r->campo1] < minimo) {
                minimo = inst.d[u][r->campo1];
                escolhido = r->campo1;
            }
        benchmark::DoNotOptimize(escolhido);
        u = (u + 1) % n;
    }
    estado.SetItemsProcessed(estado.iterations() * (n - 1));
    estado.counters["n"] = n;
    libera_lista(inicio, fim);
    libera_instancia(inst);
}

// One trace line: open for appending, write, close. The file is emptied now and
// then so it stays small.
void grava_linha(benchmark::State& estado) {
    const char* nome = "sonda_traco.txt";
    limpa_arquivo(nome);
    long linhas = 0;
    for (auto _ : estado) {
        grava_arquivo(nome, 1.5f, 617.25f, 12);
        if (++linhas % 10000 == 0) {
            estado.PauseTiming();
            limpa_arquivo(nome);
            estado.ResumeTiming();
        }
    }
    std::remove(nome);
}

}  // namespace

BENCHMARK(leitura_aleatoria)->Name("sonda/leitura_aleatoria")->ArgsProduct({TAMANHOS});
BENCHMARK(percorre_lista)->Name("sonda/percorre_lista")->ArgsProduct({TAMANHOS});
BENCHMARK(grava_linha)->Name("sonda/grava_arquivo");
