#ifndef BUSCA_LOCAL_SOMA_ARESTAS_H
#define BUSCA_LOCAL_SOMA_ARESTAS_H

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
long double soma_arestas(int n, const int* s, float** d, int i, int j);

// fo_viz of the protocol above, from the two stored costs.
float valor_vizinho(float fo, float custo_antes, float custo_depois);

#endif
