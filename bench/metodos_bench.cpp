// Processor time of every menu method with the menu's parameters on 51, 200,
// 1000 and 10000 cities. Each refinement starts where percurso_do_menu leaves it;
// only the method call is timed. Counters give the work each call did, read from
// what it printed and wrote, so the growth of the time can be set against the
// growth of the work; pico_kb and base_kb the process's peak memory after the
// run and after loading (meaningful when the benchmark runs alone in a process,
// as scripts/bench.sh runs the 10000-city ones).
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "busca_local/descida.h"
#include "busca_local/descida_parcial.h"
#include "busca_local/descida_randomica.h"
#include "busca_tabu/busca_tabu.h"
#include "comum.h"
#include "construcao/constroi_aleatoria.h"
#include "construcao/constroi_insercao_mais_barata.h"
#include "construcao/constroi_insercao_mais_barata_parcial.h"
#include "construcao/constroi_vizinho_mais_proximo.h"
#include "construcao/constroi_vizinho_mais_proximo_parcial.h"
#include "construcao/grasp.h"
#include "genetico/algoritmo_genetico.h"
#include "nucleo/aleatorio.h"
#include "nucleo/parametros.h"
#include "simulated_annealing/simulated_annealing.h"
#include "simulated_annealing/temperatura_inicial.h"
#include "vns/vns.h"

namespace {

// Where the menu leaves a run before a refinement: choice 1, option 5 (the
// generator seeded with 1000, then n - 1 numbers taken by constroi_aleatoria),
// and on 10000 cities option 1 (no number taken since the seeding with 1): from
// a random tour the descents there are bound by their swaps, not their scans.
void percurso_do_menu(InstanciaBench& inst) {
    if (inst.n > 1000) {
        inst.semente = 1;
        inst.sorteados = 0;
        semeia_gerador(1);
        constroi_vizinho_mais_proximo(inst.n, inst.s, inst.d);
        return;
    }
    inst.semente = SEMENTE_CONSTRUCAO;
    inst.sorteados = inst.n - 1;
    semeia_gerador(SEMENTE_CONSTRUCAO);
    constroi_aleatoria(inst.n, inst.s, inst.d);
}

// Peak resident memory of the process so far, KiB.
double pico_kb() {
    rusage uso;
    getrusage(RUSAGE_SELF, &uso);
    return static_cast<double>(uso.ru_maxrss);
}

// Files are read by blocks: a run's trace may be larger than the memory measured.
// The last 64 KiB of a file ("" when absent).
std::string le_final(const char* nome) {
    std::string texto;
    FILE* f = fopen(nome, "rb");
    if (f == nullptr) return texto;
    if (fseek(f, -65536L, SEEK_END) != 0) rewind(f);
    char bloco[65536];
    texto.assign(bloco, fread(bloco, 1, sizeof bloco, f));
    fclose(f);
    return texto;
}

// Times the text occurs in a file; 0 when absent.
long conta_ocorrencias(const char* nome, const char* trecho) {
    FILE* f = fopen(nome, "rb");
    if (f == nullptr) return 0;
    long vezes = 0;
    size_t tamanho = strlen(trecho), lidos;
    std::string janela;
    char bloco[65536];
    while ((lidos = fread(bloco, 1, sizeof bloco, f)) > 0) {
        janela.append(bloco, lidos);
        for (size_t p = janela.find(trecho); p != std::string::npos; p = janela.find(trecho, p + 1))
            vezes++;
        // what is kept is too short to hold the text again
        janela.erase(0, janela.size() - std::min(janela.size(), tamanho - 1));
    }
    fclose(f);
    return vezes;
}

long conta_linhas(const char* nome) { return conta_ocorrencias(nome, "\n"); }

// Empties the trace files, so that each timed call's lines can be counted.
void apaga_tracos() {
    const char* tracos[] = {"Descida.txt", "Descidasaida.txt", "Descidaparcialsaida.txt",
                            "SAsaida.txt", "BTsaida.txt",      "BTsaidaMelhorfo.txt"};
    for (const char* nome : tracos) remove(nome);
}

// Numbers the program's stream gave since it was seeded with `semente`, found by
// replaying the standard mt19937 up to the stream's next two numbers (which this
// takes from it); -1 if not within `limite`.
long numeros_sorteados_desde(unsigned semente, long limite) {
    const int m = 1 << 30;
    int a = sorteia_inteiro(m), b = sorteia_inteiro(m);
    std::mt19937 replay(semente);
    uint32_t anterior = replay();
    for (long k = 0; k < limite; k++) {
        uint32_t atual = replay();
        if (static_cast<int>(anterior % m) == a && static_cast<int>(atual % m) == b) return k;
        anterior = atual;
    }
    return -1;
}


const char* const SAIDA = "saida_metodo.txt";  // what the timed call printed

double pares(long n) { return static_cast<double>(n) * (n - 1) / 2.0; }

// Adds a per-call counter (averaged over the iterations).
void conta(benchmark::State& estado, const char* nome, double valor) {
    auto& contador = estado.counters[nome];
    contador = benchmark::Counter(contador.value + valor, benchmark::Counter::kAvgIterations);
}

// One timed call per iteration. `prepara` puts s and the generator where the
// menu leaves them (untimed), `metodo` is the timed call, `mede` reads what the
// call printed and wrote into counters (untimed). Methods print progress and the
// tabu search waits for a key: the call's standard output goes to SAIDA (and
// standard input is already empty).
template <typename Prepara, typename Metodo, typename Mede>
void executa(benchmark::State& estado, Prepara prepara, Metodo metodo, Mede mede) {
    InstanciaBench inst = carrega_instancia(estado.range(0));
    double base = pico_kb();
    for (auto _ : estado) {
        estado.PauseTiming();
        apaga_tracos();
        prepara(inst);
        fflush(stdout);
        int original = dup(STDOUT_FILENO);
        int destino = open(SAIDA, O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(destino, STDOUT_FILENO);
        close(destino);
        estado.ResumeTiming();
        metodo(inst);
        estado.PauseTiming();
        fflush(stdout);
        dup2(original, STDOUT_FILENO);
        close(original);
        mede(estado, inst);
        estado.ResumeTiming();
    }
    estado.counters["n"] = inst.n;
    estado.counters["base_kb"] = base;
    estado.counters["pico_kb"] = pico_kb();
    libera_instancia(inst);
}

void sem_contagem(benchmark::State&, InstanciaBench&) {}

// Constructions (choice 1). The partially greedy ones go on from the generator's
// state at the start of a run (a seeding with 1).
template <void (*constroi)(int, int*, float**), unsigned semente>
void construcao(benchmark::State& e) {
    executa(e, [](InstanciaBench&) { semeia_gerador(semente); },
            [](InstanciaBench& i) { constroi(i.n, i.s, i.d); }, sem_contagem);
}
template <void (*constroi)(int, int*, float**, float)>
void construcao_parcial(benchmark::State& e) {
    executa(e, [](InstanciaBench&) { semeia_gerador(1); },
            [](InstanciaBench& i) { constroi(i.n, i.s, i.d, ALFA_CONSTRUCAO); }, sem_contagem);
}

// Refinements, each from percurso_do_menu's tour. The scans of a descent, a tabu
// search or a run of descents are counted from its trace file, which holds one
// line per scan plus `outras` lines; each scan measures every pair of m positions.
void conta_varreduras(benchmark::State& estado, const char* traco, double outras, long m) {
    double varreduras = conta_linhas(traco) - outras;
    conta(estado, "varreduras", varreduras);
    conta(estado, "pares", varreduras * pares(m));
}
void descida_bench(benchmark::State& e) {
    executa(e, percurso_do_menu, [](InstanciaBench& i) { descida(i.n, i.s, i.d); },
            [](benchmark::State& estado, InstanciaBench& i) {
                conta_varreduras(estado, "Descidasaida.txt", 1, i.n);
            });
}
void descida_randomica_bench(benchmark::State& e) {
    executa(e, percurso_do_menu,
            [](InstanciaBench& i) { descida_randomica(i.n, i.s, i.d, MAX_SEM_MELHORA); },
            [](benchmark::State& estado, InstanciaBench& i) {
                long desde_semente = numeros_sorteados_desde(i.semente, 100000000L);
                conta(estado, "sorteios", static_cast<double>(desde_semente - i.sorteados));
            });
}
void descida_parcial_bench(benchmark::State& e) {
    executa(e, percurso_do_menu,
            [](InstanciaBench& i) { descida_parcial(i.n, i.s, i.d, PERCENTUAL_AMOSTRA); },
            [](benchmark::State& estado, InstanciaBench& i) {
                long amostra = (static_cast<long>(PERCENTUAL_AMOSTRA) * i.n) / 100;
                conta_varreduras(estado, "Descidaparcialsaida.txt", 1, amostra);
            });
}

// The search for T0 runs before the clock, as in the menu.
float T0_do_menu = 0.0f;
void simulated_annealing_bench(benchmark::State& e) {
    executa(e,
            [](InstanciaBench& i) {
                percurso_do_menu(i);
                T0_do_menu = temperatura_inicial(i.n, i.s, i.d, TAXA_AQUECIMENTO, TAXA_ACEITACAO,
                                                 SA_MAX_TEMPERATURA_INICIAL);
            },
            [](InstanciaBench& i) {
                simulated_annealing(i.n, i.s, i.d, TAXA_RESFRIAMENTO, T0_do_menu,
                                    TEMPERATURA_FINAL, SA_MAX);
            },
            [](benchmark::State& estado, InstanciaBench&) {
                long niveis = 0;
                for (float t = T0_do_menu; t > TEMPERATURA_FINAL; t = TAXA_RESFRIAMENTO * t)
                    niveis++;
                conta(estado, "movimentos", static_cast<double>(niveis) * SA_MAX);
                conta(estado, "novos_melhores", conta_linhas("SAsaida.txt") - 2);
            });
}
void busca_tabu_bench(benchmark::State& e) {
    executa(e, percurso_do_menu,
            [](InstanciaBench& i) { busca_tabu(i.n, i.s, i.d, TAMANHO_LISTA_TABU, BT_MAX); },
            [](benchmark::State& estado, InstanciaBench& i) {
                conta_varreduras(estado, "BTsaida.txt", 2, i.n);
            });
}

// Every descent writes its swaps + 2 lines and scans swaps + 1 times.
void conta_descidas(benchmark::State& estado, InstanciaBench& i, double descidas) {
    conta(estado, "descidas", descidas);
    conta_varreduras(estado, "Descidasaida.txt", descidas, i.n);
}
template <int metodo>
void grasp_bench(benchmark::State& e) {
    executa(e, [](InstanciaBench& i) {
                percurso_do_menu(i);
                semeia_gerador(SEMENTE_GRASP);
            },
            [](InstanciaBench& i) { grasp(i.n, i.s, i.d, ALFA_GRASP, ITERACOES_GRASP, metodo); },
            [](benchmark::State& estado, InstanciaBench& i) {
                conta_descidas(estado, i, ITERACOES_GRASP);
            });
}
void vns_bench(benchmark::State& e) {
    executa(e, percurso_do_menu,
            [](InstanciaBench& i) { vns(i.n, i.s, i.d, VNS_MAX, VNS_VIZINHANCAS); },
            [](benchmark::State& estado, InstanciaBench& i) {
                // every iteration ends after r failures; each success adds one descent
                double sucessos = conta_ocorrencias(SAIDA, "Iteracao VNS") - 1;
                conta_descidas(estado, i, VNS_MAX * VNS_VIZINHANCAS + sucessos);
            });
}

template <int operador>
void algoritmo_genetico_bench(benchmark::State& e) {
    executa(e, [](InstanciaBench& i) {
                percurso_do_menu(i);
                semeia_gerador(SEMENTE_AG);
            },
            [](InstanciaBench& i) {
                algoritmo_genetico(i.n, i.s, i.d, AG_TAMANHO_POPULACAO, AG_CV_MINIMO,
                                   AG_PROB_CROSSOVER, AG_PROB_MUTACAO, operador);
            },
            [](benchmark::State& estado, InstanciaBench&) {
                std::string texto = le_final(SAIDA);
                size_t p = texto.rfind("Numero de geracoes avaliadas: ");
                conta(estado, "geracoes", p == std::string::npos ? 0.0 : atof(&texto[p + 30]));
            });
}
void registra(const char* nome, void (*funcao)(benchmark::State&)) {
    benchmark::RegisterBenchmark(nome, funcao)
        ->ArgsProduct({TAMANHOS})
        ->MeasureProcessCPUTime()
        ->Unit(benchmark::kMillisecond);
}

const bool registrados = [] {
    registra("metodo/construcao_vizinho_mais_proximo",
             construcao<constroi_vizinho_mais_proximo, 1>);
    registra("metodo/construcao_vizinho_mais_proximo_parcial",
             construcao_parcial<constroi_vizinho_mais_proximo_parcial>);
    registra("metodo/construcao_insercao_mais_barata",
             construcao<constroi_insercao_mais_barata, 1>);
    registra("metodo/construcao_insercao_mais_barata_parcial",
             construcao_parcial<constroi_insercao_mais_barata_parcial>);
    registra("metodo/construcao_aleatoria", construcao<constroi_aleatoria, SEMENTE_CONSTRUCAO>);
    registra("metodo/descida", descida_bench);
    registra("metodo/descida_randomica", descida_randomica_bench);
    registra("metodo/descida_parcial", descida_parcial_bench);
    registra("metodo/simulated_annealing", simulated_annealing_bench);
    registra("metodo/busca_tabu", busca_tabu_bench);
    registra("metodo/grasp_vizinho", grasp_bench<1>);
    registra("metodo/grasp_insercao", grasp_bench<2>);
    registra("metodo/vns", vns_bench);
    registra("metodo/ag_ox", algoritmo_genetico_bench<1>);
    registra("metodo/ag_erx", algoritmo_genetico_bench<2>);
    return true;
}();

}  // namespace
