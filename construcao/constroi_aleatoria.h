#ifndef CONSTRUCAO_CONSTROI_ALEATORIA_H
#define CONSTRUCAO_CONSTROI_ALEATORIA_H

// Random tour from city 0: position j (1 to n-1) takes the p-th smallest
// unplaced city, p = sorteia_inteiro(t) with t = n-j unplaced cities. Draws
// exactly n-1 numbers, with arguments n-1, n-2, ..., 1. d is not read.
void constroi_aleatoria(int n, int* s, float** d);

#endif
