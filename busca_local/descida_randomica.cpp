#include "busca_local/descida_randomica.h"

#include <cstdio>

#include "busca_local/soma_arestas.h"
#include "nucleo/acompanhamento.h"
#include "nucleo/aleatorio.h"
#include "nucleo/alocacao.h"
#include "nucleo/solucao.h"
#include "nucleo/vetores.h"

namespace {
// Draws between two looks at the budget: a clock reading costs about as much as
// a few hundred draws.
const long long SORTEIOS_POR_CONSULTA = 1024;
}  // namespace

float descida_randomica(int n, int* s, float** d, int max_sem_melhora,
                        Acompanhamento* acompanhamento) {
    float fo = calcula_fo(n, s, d);
    if (n < 2) {
        if (no_menu(acompanhamento))
            printf("\nDescida randomica: sao necessarias ao menos duas cidades.\n");
        return fo;
    }
    float* arestas = cria_vetor_float(n);
    calcula_arestas(n, s, d, arestas);
    int sem_melhora = 0;
    long long sorteios = 0;
    anota(acompanhamento, "inicio", 0, fo, fo);
    do {
        if (acompanhamento != nullptr && sorteios % SORTEIOS_POR_CONSULTA == 0 &&
            deve_parar(acompanhamento))
            break;
        sorteios++;
        sem_melhora++;
        int i, j;
        sorteia_par(n, &i, &j);
        float custo_antes, custo_depois;
        mede_troca_arestas(n, s, d, arestas, i, j, &custo_antes, &custo_depois);
        float fo_viz = valor_vizinho(fo, custo_antes, custo_depois);
        if (fo_viz < fo) {
            fo = fo_viz;
            sem_melhora = 0;
            renova_arestas(n, s, d, arestas, i, j);
            anota(acompanhamento, "melhora", sorteios, fo, fo);
        } else {
            troca_posicoes(s, i, j);
        }
    } while (sem_melhora < max_sem_melhora);
    if (acompanhamento != nullptr) acompanhamento->iteracoes = sorteios;
    anota(acompanhamento, "fim", sorteios, fo, fo);
    libera_vetor(arestas);
    return fo;
}
