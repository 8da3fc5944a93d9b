#include "construcao/insercao.h"

#include <cstdio>

#include "construcao/insere_no_vetor.h"

namespace {
const float MINIMO_INICIAL = 2147483648.0f;  // 2^31, above every expected cost
}

bool insercao_possivel(int n) {
    if (n >= CIDADES_MINIMAS_INSERCAO) return true;
    printf("\nA insercao mais barata precisa de pelo menos %d cidades.\n", CIDADES_MINIMAS_INSERCAO);
    return false;
}

float custo_insercao(float** d, int i, int v, int j) {
    double custo = (static_cast<double>(d[i][v]) + static_cast<double>(d[v][j])) -
                   static_cast<double>(d[i][j]);
    return static_cast<float>(custo);
}

float insercao_mais_barata_da_cidade(int v, const int* s, int k, float** d, int* antecessor) {
    float minimo = MINIMO_INICIAL;
    *antecessor = s[0];
    for (int q = 0; q < k; q++) {
        int i = s[q];
        int j = (q < k - 1) ? s[q + 1] : s[0];
        float custo = custo_insercao(d, i, v, j);
        if (custo < minimo) {
            minimo = custo;
            *antecessor = i;
        }
    }
    return minimo;
}

void insere_apos(int* s, int k, int cidade, int antecessor) {
    int m = 0;
    while (m < k - 1 && s[m] != antecessor) m++;
    insere_no_vetor(s, cidade, m + 1, k);
}
