#ifndef GENETICO_CROSSOVER_OX_H
#define GENETICO_CROSSOVER_OX_H

// Order crossover: filho1 keeps pai1's positions corte1..corte2 in place and takes
// the other cities in pai2's order; filho2 the same with the parents' roles swapped.
// Both orders are read and written cyclically from position corte2 + 1.
// The four vectors are distinct; the parents are not changed.
// Draws: corte1 = (int)sorteia_real(2, (n-1)/2), then corte2 =
// (int)sorteia_real((n+1)/2, n-3); a call with equal bounds draws nothing.
// The cut rule needs n >= 5: below that the children are copies of the parents
// and nothing is drawn.
void crossover_ox(const int* pai1, const int* pai2, int* filho1, int* filho2, int n);

#endif
