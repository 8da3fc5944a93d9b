#ifndef CONSTRUCAO_INSERCAO_H
#define CONSTRUCAO_INSERCAO_H

#include "nucleo/lista.h"

// Pieces shared by the two cheapest-insertion constructions. The partial tour
// is s[0..k-1], closed from s[k-1] back to s[0] = 0.

// The initial subtour takes two cities, so fewer than three cannot start it.
const int CIDADES_MINIMAS_INSERCAO = 3;

// True when n cities are enough; otherwise prints the one line that says so.
bool insercao_possivel(int n);

// The start of both insertions: the candidate list of cities 1 to n-1 and the
// subtour 0, a, b made by two nearest-neighbour steps (no draw), the tour
// printed after each step when imprime is true.
void inicia_subpercurso(int n, int* s, float** d, Registro*& inicio, Registro*& fim, bool imprime);

// Cost of putting v between i and j: (d[i][v] + d[v][j]) - d[i][j] formed in
// double precision and rounded once to single precision.
float custo_insercao(float** d, int i, int v, int j);

// The same answer for every unplaced city at every step, kept up to date
// instead of found again over all k places: an insertion replaces one place by
// two, so a city's cheapest place changes only against the two new ones, and
// needs a full search only when its own cheapest place was the one replaced.
// Per unplaced city v (vectors of n entries):
//   custo[v]       least insertion cost of v over the places of the partial tour,
//                  not bounded by 2^31 (lugar_mais_barato applies the bound)
//   antecessor[v]  the tour city before the earliest place of that cost
// and posicao[c], the index in s of every placed city c. When d is symmetric
// (checked once), the costs are read along rows, d[v][i] for d[i][v], and the
// partial tour's own edges are kept, aresta[q] = d[s[q]][next city]: a full
// search then reads one row and one vector in order instead of a column of d.
struct LugaresMaisBaratos {
    float* custo;
    int* antecessor;
    int* posicao;
    bool simetrica;
    float* aresta;
    int* de_novo;  // the candidates whose cheapest place an insertion took
    int n;
};

// Allocates the three vectors and fills them for the candidates of the list
// over the partial tour s[0..k-1].
void inicia_lugares(LugaresMaisBaratos& l, int n, const int* s, int k, float** d,
                    Registro* candidatos);
void libera_lugares(LugaresMaisBaratos& l);

// Cheapest place for v in the partial tour, read from the kept values: the
// earliest place of least cost (edges in position order, the closing edge last).
// Returns that cost and writes the tour city before the place in *antecessor;
// when no cost is below 2^31, returns 2^31 with the first place (after s[0]).
float lugar_mais_barato(const LugaresMaisBaratos& l, int v, const int* s, int* antecessor);

// Puts cidade right after antecessor in the partial tour of k cities (after the
// last city it lands at s[k] and nothing moves; s[0] never changes), then brings
// the places of the candidates left in the list up to date for the k + 1 cities.
// cidade must no longer be in the list.
void insere_e_atualiza(LugaresMaisBaratos& l, int* s, int k, float** d, int cidade,
                       int antecessor, Registro* candidatos);

#endif
