#ifndef BUSCA_LOCAL_SOMA_ARESTAS_H
#define BUSCA_LOCAL_SOMA_ARESTAS_H

#include <initializer_list>

#include "nucleo/vetores.h"

// Defined here rather than in a .cpp of their own: the scans call them for every
// pair, and inlined into the scan loop the terms that depend only on i are read
// once per i instead of once per pair. The arithmetic is the same.

// Sum, in extended precision, of the four tour edges touching positions i and j
// (pred(i)-i, i-succ(i), pred(j)-j, j-succ(j), added in this order; the tour is
// closed). No special case for adjacent or equal positions: a shared edge is
// counted twice before and after the exchange and cancels in the difference.
//
// Swap evaluation: custo_antes = (float)soma_arestas; exchange s[i], s[j];
// custo_depois = (float)soma_arestas; then either
//   fo_viz = (float)(((long double)fo - custo_antes) + custo_depois)   or
//   delta  = (float)(custo_depois - custo_antes);
// and exchange back unless the move is kept.
inline long double soma_arestas(int n, const int* s, float** d, int i, int j) {
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

// fo_viz of the protocol above, from the two stored costs.
inline float valor_vizinho(float fo, float custo_antes, float custo_depois) {
    return static_cast<float>((static_cast<long double>(fo) - custo_antes) + custo_depois);
}

// Steps 1 to 3 of the swap evaluation: custo_antes, the exchange of s[i] and
// s[j], custo_depois. The exchange stays made; a caller that does not keep the
// move undoes it with troca_posicoes(s, i, j).
inline void mede_troca(int n, int* s, float** d, int i, int j, float* custo_antes,
                       float* custo_depois) {
    *custo_antes = static_cast<float>(soma_arestas(n, s, d, i, j));
    troca_posicoes(s, i, j);
    *custo_depois = static_cast<float>(soma_arestas(n, s, d, i, j));
}

// A caller that evaluates many swaps of one tour may keep its edges,
// arestas[q] = d[s[q]][s[q + 1]] (q = n - 1: the closing edge). The sum before
// the swap read from them is the very sum soma_arestas forms, in the same order,
// without its four reads at random places of d.
inline void calcula_arestas(int n, const int* s, float** d, float* arestas) {
    for (int q = 0; q < n; q++) arestas[q] = d[s[q]][s[q == n - 1 ? 0 : q + 1]];
}

// mede_troca with the sum before the swap taken from the kept edges.
inline void mede_troca_arestas(int n, int* s, float** d, const float* arestas, int i, int j,
                               float* custo_antes, float* custo_depois) {
    int ant_i = (i == 0) ? n - 1 : i - 1;
    int ant_j = (j == 0) ? n - 1 : j - 1;
    long double soma = arestas[ant_i];
    soma += arestas[i];
    soma += arestas[ant_j];
    soma += arestas[j];
    *custo_antes = static_cast<float>(soma);
    troca_posicoes(s, i, j);
    *custo_depois = static_cast<float>(soma_arestas(n, s, d, i, j));
}

// After a swap of i and j is kept: the four edges it changed.
inline void renova_arestas(int n, const int* s, float** d, float* arestas, int i, int j) {
    for (int q : {i == 0 ? n - 1 : i - 1, i, j == 0 ? n - 1 : j - 1, j})
        arestas[q] = d[s[q]][s[q == n - 1 ? 0 : q + 1]];
}

#endif
