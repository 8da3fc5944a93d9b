#include "nucleo/solucao.h"

#include <cstdio>

float calcula_fo(int n, const int* s, float** d) {
    float soma = 0;
    for (int i = 0; i < n - 1; i++) soma = d[s[i]][s[i + 1]] + soma;
    soma = d[s[n - 1]][s[0]] + soma;
    return soma;
}

void imprime_solucao(const int* s, int n) {
    for (int i = 0; i < n && s[i] != -1; i++) printf("%d -> ", s[i]);
    printf("%d \n", s[0]);
}
