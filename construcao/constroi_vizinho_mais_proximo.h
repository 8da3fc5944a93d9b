#ifndef CONSTRUCAO_CONSTROI_VIZINHO_MAIS_PROXIMO_H
#define CONSTRUCAO_CONSTROI_VIZINHO_MAIS_PROXIMO_H

// Greedy nearest neighbour: prints "\n Construindo nova solucao ...\n", then
// from s[0] = 0 appends at every position the unplaced city nearest to the last
// placed one (ties to the smaller city number).
//   n (at least 1), s (overwritten with a tour starting at 0), d.
// Draws no random number.
void constroi_vizinho_mais_proximo(int n, int* s, float** d);
// The same; anuncia false leaves out the opening line (the experiment program's
// standard output holds its table).
void constroi_vizinho_mais_proximo(int n, int* s, float** d, bool anuncia);

#endif
