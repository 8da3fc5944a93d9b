// Processor time of every menu method with the menu's parameters on 51, 200 and
// 1000 cities. Each refinement starts where the menu path "1, 5, choice" leaves
// it (the seeded random tour, the generator after it, the method's own seed);
// only the method call is timed. Counters give the work each call did, read from
// what it printed and wrote, so the growth of the time can be set against the
// growth of the work.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
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
#include "nucleo/alocacao.h"
#include "nucleo/parametros.h"
#include "nucleo/solucao.h"
#include "simulated_annealing/simulated_annealing.h"
#include "simulated_annealing/temperatura_inicial.h"
#include "vns/vns.h"

namespace {

const char* const SAIDA = "saida_metodo.txt";  // what the timed call printed

double pares(long n) { return static_cast<double>(n) * (n - 1) / 2.0; }

// Adds a per-call counter (averaged over the iterations).
void conta(benchmark::State& estado, const char* nome, double valor) {
    auto& contador = estado.counters[nome];
    contador = benchmark::Counter(contador.value + valor, benchmark::Counter::kAvgIterations);
}

// One timed call per iteration. `prepara` puts s and the generator where the
// menu leaves them (untimed), `metodo` is the timed call, `mede` reads what the
// call printed and wrote into counters (untimed).
template <typename Prepara, typename Metodo, typename Mede>
void executa(benchmark::State& estado, Prepara prepara, Metodo metodo, Mede mede) {
    InstanciaBench inst = carrega_instancia(instancia_de_tamanho(estado.range(0)));
    for (auto _ : estado) {
        estado.PauseTiming();
        apaga_tracos();
        prepara(inst);
        {
            Silencio silencio(SAIDA);
            estado.ResumeTiming();
            metodo(inst);
            estado.PauseTiming();
        }
        mede(estado, inst);
        estado.ResumeTiming();
    }
    estado.counters["n"] = inst.n;
    libera_instancia(inst);
}

void nada(InstanciaBench&) {}
void sem_contagem(benchmark::State&, InstanciaBench&) {}

// Constructions (choice 1). The partially greedy ones go on from the generator's
// state at the start of a run (a seeding with 1).
void vizinho_mais_proximo(benchmark::State& e) {
    executa(e, nada, [](InstanciaBench& i) { constroi_vizinho_mais_proximo(i.n, i.s, i.d); },
            sem_contagem);
}
void vizinho_mais_proximo_parcial(benchmark::State& e) {
    executa(e, [](InstanciaBench&) { semeia_gerador(1); },
            [](InstanciaBench& i) {
                constroi_vizinho_mais_proximo_parcial(i.n, i.s, i.d, ALFA_CONSTRUCAO);
            },
            sem_contagem);
}
void insercao_mais_barata(benchmark::State& e) {
    executa(e, nada, [](InstanciaBench& i) { constroi_insercao_mais_barata(i.n, i.s, i.d); },
            sem_contagem);
}
void insercao_mais_barata_parcial(benchmark::State& e) {
    executa(e, [](InstanciaBench&) { semeia_gerador(1); },
            [](InstanciaBench& i) {
                constroi_insercao_mais_barata_parcial(i.n, i.s, i.d, ALFA_CONSTRUCAO);
            },
            sem_contagem);
}
void aleatoria(benchmark::State& e) {
    executa(e, [](InstanciaBench&) { semeia_gerador(SEMENTE_CONSTRUCAO); },
            [](InstanciaBench& i) { constroi_aleatoria(i.n, i.s, i.d); }, sem_contagem);
}

// Refinements, each from the tour of choice 1, option 5.
void descida_bench(benchmark::State& e) {
    executa(e, percurso_do_menu, [](InstanciaBench& i) { descida(i.n, i.s, i.d); },
            [](benchmark::State& estado, InstanciaBench& i) {
                // one line at the start, one per swap, one at the end; swaps + 1 scans
                double varreduras = conta_linhas("Descidasaida.txt") - 1;
                conta(estado, "varreduras", varreduras);
                conta(estado, "pares", varreduras * pares(i.n));
            });
}
void descida_randomica_bench(benchmark::State& e) {
    executa(e, percurso_do_menu,
            [](InstanciaBench& i) { descida_randomica(i.n, i.s, i.d, MAX_SEM_MELHORA); },
            [](benchmark::State& estado, InstanciaBench& i) {
                long desde_semente = numeros_sorteados_desde(SEMENTE_CONSTRUCAO, 100000000L);
                conta(estado, "sorteios", static_cast<double>(desde_semente - (i.n - 1)));
            });
}
void descida_parcial_bench(benchmark::State& e) {
    executa(e, percurso_do_menu,
            [](InstanciaBench& i) { descida_parcial(i.n, i.s, i.d, PERCENTUAL_AMOSTRA); },
            [](benchmark::State& estado, InstanciaBench& i) {
                double varreduras = conta_linhas("Descidaparcialsaida.txt") - 1;
                long amostra = (static_cast<long>(PERCENTUAL_AMOSTRA) * i.n) / 100;
                conta(estado, "varreduras", varreduras);
                conta(estado, "pares", varreduras * pares(amostra));
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
                double iteracoes = conta_linhas("BTsaida.txt") - 2;
                conta(estado, "varreduras", iteracoes);
                conta(estado, "pares", iteracoes * pares(i.n));
            });
}

// Scans of a run of descents: every call writes swaps + 2 lines and scans swaps + 1 times.
void conta_descidas(benchmark::State& estado, InstanciaBench& i, double descidas) {
    double varreduras = conta_linhas("Descidasaida.txt") - descidas;
    conta(estado, "descidas", descidas);
    conta(estado, "varreduras", varreduras);
    conta(estado, "pares", varreduras * pares(i.n));
}
template <int metodo>
void grasp_bench(benchmark::State& e) {
    executa(e,
            [](InstanciaBench& i) {
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
    executa(e,
            [](InstanciaBench& i) {
                percurso_do_menu(i);
                semeia_gerador(SEMENTE_AG);
            },
            [](InstanciaBench& i) {
                algoritmo_genetico(i.n, i.s, i.d, AG_TAMANHO_POPULACAO, AG_CV_MINIMO,
                                   AG_PROB_CROSSOVER, AG_PROB_MUTACAO, operador);
            },
            [](benchmark::State& estado, InstanciaBench&) {
                std::string texto = le_texto(SAIDA);
                const char* rotulo = "Numero de geracoes avaliadas: ";
                size_t p = texto.rfind(rotulo);
                double geracoes = p == std::string::npos
                                      ? 0.0
                                      : atof(texto.c_str() + p + std::strlen(rotulo));
                conta(estado, "geracoes", geracoes);
            });
}
// The genetic algorithm's first step alone: after the seed it draws nothing
// before its tam_pop constructions, so these are the very same individuals.
// Set against the whole run, it gives the time per generation.
void ag_populacao_inicial(benchmark::State& e) {
    executa(e, [](InstanciaBench&) { semeia_gerador(SEMENTE_AG); },
            [](InstanciaBench& i) {
                int** populacao = cria_matriz_int(AG_TAMANHO_POPULACAO, i.n);
                float melhor = SENTINELA_2_31;
                for (int k = 0; k < AG_TAMANHO_POPULACAO; k++) {
                    constroi_insercao_mais_barata_parcial(i.n, populacao[k], i.d,
                                                          ALFA_CONSTRUCAO);
                    float fo = calcula_fo(i.n, populacao[k], i.d);
                    if (fo < melhor) melhor = fo;
                }
                benchmark::DoNotOptimize(melhor);
                libera_matriz_int(populacao, AG_TAMANHO_POPULACAO);
            },
            sem_contagem);
}

void registra(const char* nome, void (*funcao)(benchmark::State&)) {
    benchmark::RegisterBenchmark(nome, funcao)
        ->Arg(51)
        ->Arg(200)
        ->Arg(1000)
        ->MeasureProcessCPUTime()
        ->Unit(benchmark::kMillisecond);
}

const bool registrados = [] {
    registra("metodo/construcao_vizinho_mais_proximo", vizinho_mais_proximo);
    registra("metodo/construcao_vizinho_mais_proximo_parcial", vizinho_mais_proximo_parcial);
    registra("metodo/construcao_insercao_mais_barata", insercao_mais_barata);
    registra("metodo/construcao_insercao_mais_barata_parcial", insercao_mais_barata_parcial);
    registra("metodo/construcao_aleatoria", aleatoria);
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
    registra("metodo/ag_populacao_inicial", ag_populacao_inicial);
    return true;
}();

}  // namespace
