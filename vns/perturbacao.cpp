#include "vns/perturbacao.h"

#include "nucleo/aleatorio.h"

void troca_aleatoria(int n, int* s) {
    int i = sorteia_inteiro(n);
    int j = sorteia_inteiro(n);
    while (j == i) j = sorteia_inteiro(n);
    int aux = s[i];
    s[i] = s[j];
    s[j] = aux;
}

void perturbacao(int n, int* s, int k) {
    for (int t = 0; t < k; t++) troca_aleatoria(n, s);
}
