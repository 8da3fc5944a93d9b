#include "genetico/mutacao.h"

#include "nucleo/aleatorio.h"
#include "nucleo/vetores.h"

// Swap mutation. Draw order: i, then j (redrawn alone while equal to i).
void mutacao(int* v, int n) {
    if (n < 2) return;  // j could never differ from i
    int i, j;
    sorteia_par(n, &i, &j);
    troca_posicoes(v, i, j);
}
