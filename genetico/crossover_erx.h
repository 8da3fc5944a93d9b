#ifndef GENETICO_CROSSOVER_ERX_H
#define GENETICO_CROSSOVER_ERX_H

// Edge recombination crossover. filho1 starts at pai1[0], filho2 at pai2[0]; each
// next city is the open neighbour (in either parent) of the last placed city with
// the fewest open neighbours of its own, the smaller city number on ties. The four
// vectors are distinct; the parents are not changed.
// Draws only at dead ends (no open neighbour left): sorteia_inteiro(n) repeated
// until the city is not yet in the child; filho1 is finished before filho2 begins.
// The edge table needs n >= 3: below that the children are copies of the parents.
void crossover_erx(const int* pai1, const int* pai2, int* filho1, int* filho2, int n);

// The plain procedures below are the reference the tests hold the operator's
// own faster forms to; the operator does not call them.

// First position i of v (n entries) with v[i] == valor; -1 when absent.
int posicao_no_vetor(const int* v, int valor, int n);

// True when valor occurs among v[0] to v[m-1].
bool esta_no_vetor(const int* v, int valor, int m);

// In every row 0..linhas-1 and column 1..largura-1, an entry equal to cidade
// becomes -1 and the count in column 0 of that row drops by 1.
void remove_cidade_tabela(int** tabela, int linhas, int largura, int cidade);

#endif
