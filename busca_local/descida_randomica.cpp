#include "busca_local/descida_randomica.h"

#include <cstdio>

#include "busca_local/soma_arestas.h"
#include "nucleo/aleatorio.h"
#include "nucleo/alocacao.h"
#include "nucleo/solucao.h"
#include "nucleo/vetores.h"

float descida_randomica(int n, int* s, float** d, int max_sem_melhora) {
    float fo = calcula_fo(n, s, d);
    if (n < 2) {
        printf("\nDescida randomica: sao necessarias ao menos duas cidades.\n");
        return fo;
    }
    float* arestas = cria_vetor_float(n);
    calcula_arestas(n, s, d, arestas);
    int sem_melhora = 0;
    do {
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
        } else {
            troca_posicoes(s, i, j);
        }
    } while (sem_melhora < max_sem_melhora);
    libera_vetor(arestas);
    return fo;
}
