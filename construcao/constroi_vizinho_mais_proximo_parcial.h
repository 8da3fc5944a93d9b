#ifndef CONSTRUCAO_CONSTROI_VIZINHO_MAIS_PROXIMO_PARCIAL_H
#define CONSTRUCAO_CONSTROI_VIZINHO_MAIS_PROXIMO_PARCIAL_H

// Partially greedy nearest neighbour: from s[0] = 0, at every position lists
// the t unplaced cities by ascending distance from the last placed one (equal
// distances in ascending city order) and draws one of the first
// tamanho_sorteio(t, alfa). Prints nothing.
//   n (at least 1), s (overwritten with a tour starting at 0), d, alfa (greediness, > 0).
// Random draws: one sorteia_inteiro(size) per position 1 to n-1, in position
// order, also when the size is 1.
void constroi_vizinho_mais_proximo_parcial(int n, int* s, float** d, float alfa);

#endif
