#include "vns/perturbacao.h"

#include "nucleo/aleatorio.h"
#include "nucleo/vetores.h"

void troca_aleatoria(int n, int* s) {
    int i, j;
    sorteia_par(n, &i, &j);
    troca_posicoes(s, i, j);
}

void perturbacao(int n, int* s, int k) {
    for (int t = 0; t < k; t++) troca_aleatoria(n, s);
}
