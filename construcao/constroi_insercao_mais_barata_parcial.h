#ifndef CONSTRUCAO_CONSTROI_INSERCAO_MAIS_BARATA_PARCIAL_H
#define CONSTRUCAO_CONSTROI_INSERCAO_MAIS_BARATA_PARCIAL_H

// Partially greedy cheapest insertion. Starts from 0, its nearest city and
// that city's nearest unplaced city; then, while cities remain, scores every
// unplaced city by its own cheapest insertion, lists them dearest first (equal
// costs in ascending city order), draws one of the first tamanho_sorteio(t, alfa)
// of the t listed and inserts it at its cheapest place. Prints nothing.
//   n, s (overwritten with a tour starting at 0), d, alfa (greediness, > 0).
// Random draws: one sorteia_inteiro(size) per insertion step, n-3 in all, in
// step order; the two cities of the initial subtour are not drawn.
// With fewer than 3 cities it prints one line saying so, leaves s as it was
// and draws nothing.
void constroi_insercao_mais_barata_parcial(int n, int* s, float** d, float alfa);

#endif
