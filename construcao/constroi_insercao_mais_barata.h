#ifndef CONSTRUCAO_CONSTROI_INSERCAO_MAIS_BARATA_H
#define CONSTRUCAO_CONSTROI_INSERCAO_MAIS_BARATA_H

// Greedy cheapest insertion. Fills s with -1, starts from 0, its nearest city
// and that city's nearest unplaced city, then inserts at every step the
// (city, place) pair of smallest insertion cost over all unplaced cities and
// all places of the closed subtour (ties to the smaller city, then the earlier
// place). Prints the partial tour after each placed city: n-1 lines.
//   n, s (overwritten with a tour starting at 0), d.
// Draws no random number. With fewer than 3 cities it prints one line saying
// so and leaves s as it was.
void constroi_insercao_mais_barata(int n, int* s, float** d);
// The same; imprime false leaves out the partial tours (the experiment
// program's standard output holds its table).
void constroi_insercao_mais_barata(int n, int* s, float** d, bool imprime);

#endif
