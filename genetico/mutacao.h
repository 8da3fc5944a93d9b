#ifndef GENETICO_MUTACAO_H
#define GENETICO_MUTACAO_H

// Exchanges two distinct random positions of the tour v (n entries) in place.
// Draws: i = sorteia_inteiro(n), then j = sorteia_inteiro(n), j alone redrawn
// while it equals i. With n < 2 there is no pair: nothing is drawn or changed.
void mutacao(int* v, int n);

#endif
