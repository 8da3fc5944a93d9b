#include "busca_local/descida_randomica.h"

#include <cstdio>

#include "busca_local/soma_arestas.h"
#include "nucleo/aleatorio.h"
#include "nucleo/solucao.h"

float descida_randomica(int n, int* s, float** d, int max_sem_melhora) {
    float fo = calcula_fo(n, s, d);
    if (n < 2) {
        printf("\nDescida randomica: sao necessarias ao menos duas cidades.\n");
        return fo;
    }
    int sem_melhora = 0;
    do {
        sem_melhora++;
        int i = sorteia_inteiro(n);
        int j = sorteia_inteiro(n);
        while (j == i) j = sorteia_inteiro(n);

        float custo_antes = static_cast<float>(soma_arestas(n, s, d, i, j));
        int aux = s[i];
        s[i] = s[j];
        s[j] = aux;
        float custo_depois = static_cast<float>(soma_arestas(n, s, d, i, j));
        float fo_viz = valor_vizinho(fo, custo_antes, custo_depois);
        if (fo_viz < fo) {
            fo = fo_viz;
            sem_melhora = 0;
        } else {
            s[j] = s[i];
            s[i] = aux;
        }
    } while (sem_melhora < max_sem_melhora);
    return fo;
}
