#include "nucleo/vetores.h"

#include "nucleo/aleatorio.h"

void copia_vetor(int* destino, const int* origem, int n) {
    for (int i = 0; i < n; i++) destino[i] = origem[i];
}

void zera_vetor_int(int* v, int n) {
    for (int i = 0; i < n; i++) v[i] = 0;
}

void zera_vetor_float(float* v, int n) {
    for (int i = 0; i < n; i++) v[i] = 0.0f;
}

void embaralha_vetor(int* v, int n) {
    if (n < 2) return;  // q could never differ from p
    for (int r = 0; r < n; r++) {
        int p, q;
        sorteia_par(n, &p, &q);
        troca_posicoes(v, p, q);
    }
}
