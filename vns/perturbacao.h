#ifndef VNS_PERTURBACAO_H
#define VNS_PERTURBACAO_H

// Shaking of the VNS: k random swaps of the tour s in place, none when k <= 0.
// A later swap may undo an earlier one. Needs n >= 2.
// Random draws: those of k calls of troca_aleatoria, in order.
void perturbacao(int n, int* s, int k);

// Exchanges two distinct random positions of s. Needs n >= 2.
// Random draws: sorteia_inteiro(n) for i, then sorteia_inteiro(n) for j, j alone
// drawn again while it equals i.
void troca_aleatoria(int n, int* s);

#endif
