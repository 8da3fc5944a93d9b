#include "genetico/mutacao.h"

#include "nucleo/aleatorio.h"

// Swap mutation. Draw order: i, then j (redrawn alone while equal to i).
void mutacao(int* v, int n) {
    if (n < 2) return;  // j could never differ from i
    int i = sorteia_inteiro(n);
    int j = sorteia_inteiro(n);
    while (j == i) j = sorteia_inteiro(n);
    int aux = v[i];
    v[i] = v[j];
    v[j] = aux;
}
