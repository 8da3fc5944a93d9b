#ifndef CONSTRUCAO_INSERCAO_H
#define CONSTRUCAO_INSERCAO_H

// Pieces shared by the two cheapest-insertion constructions. The partial tour
// is s[0..k-1], closed from s[k-1] back to s[0] = 0.

// The initial subtour takes two cities, so fewer than three cannot start it.
const int CIDADES_MINIMAS_INSERCAO = 3;

// True when n cities are enough; otherwise prints the one line that says so.
bool insercao_possivel(int n);

// Cost of putting v between i and j: (d[i][v] + d[v][j]) - d[i][j] formed in
// double precision and rounded once to single precision.
float custo_insercao(float** d, int i, int v, int j);

// Cheapest place for v in the partial tour: the k edges in position order
// (the closing edge last), running minimum from 2^31, strictly below replaces,
// so the earliest of equal places wins. Returns that cost and writes the tour
// city before the place in *antecessor. When no cost is below 2^31 it returns
// 2^31 with the first place (after s[0]).
float insercao_mais_barata_da_cidade(int v, const int* s, int k, float** d, int* antecessor);

// Puts cidade right after antecessor in the partial tour of k cities; after
// the last city it lands at s[k] and nothing moves. s[0] never changes.
void insere_apos(int* s, int k, int cidade, int antecessor);

#endif
