#include "busca_local/soma_arestas.h"

long double soma_arestas(int n, const int* s, float** d, int i, int j) {
    int ant_i = (i == 0) ? n - 1 : i - 1;
    int suc_i = (i == n - 1) ? 0 : i + 1;
    int ant_j = (j == 0) ? n - 1 : j - 1;
    int suc_j = (j == n - 1) ? 0 : j + 1;
    long double soma = d[s[ant_i]][s[i]];
    soma += d[s[i]][s[suc_i]];
    soma += d[s[ant_j]][s[j]];
    soma += d[s[j]][s[suc_j]];
    return soma;
}

float valor_vizinho(float fo, float custo_antes, float custo_depois) {
    return static_cast<float>((static_cast<long double>(fo) - custo_antes) + custo_depois);
}
