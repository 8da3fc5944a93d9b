#ifndef BUSCA_LOCAL_VIZINHANCA_TROCA_H
#define BUSCA_LOCAL_VIZINHANCA_TROCA_H

#include "busca_local/cotas_linhas.h"
#include "busca_local/soma_arestas.h"
#include "nucleo/vetores.h"

// The swap neighbourhood of one tour: a move exchanges the cities at two
// positions. The module owns what makes its searches fast (the tour's edges,
// whether d is symmetric, the bounds of the rows and their gathered rows) and
// keeps it in step with the tour: between cria_troca and libera_troca the
// tour changes only through aplica_troca.
//
// The value of the swap (i, j) is the protocol's (soma_arestas.h): custo_antes,
// the four edges at i and j summed in extended precision; the exchange;
// custo_depois, the same sum; then fo_viz = fl32((fo - custo_antes) + custo_depois)
// in extended precision, or delta = fl32(custo_depois - custo_antes).
//
// Operations, named as a neighbourhood module names them (verb, then the
// neighbourhood), so another neighbourhood offers the same ones:
//   cria_troca       set up once for a tour and a matrix
//   avalia_troca     the costs of one swap, the tour left as it was
//   melhor_troca     the best admissible swap under a limit (fast scan)
//   aplica_troca     makes a swap: tour, edges, bounds and gathered rows together
//   libera_troca     releases what cria_troca took
// melhor_troca_simples is the definition melhor_troca is held to by the tests:
// every pair through the protocol, in scan order.

// What a method asks of the neighbourhood, which decides what is kept.
enum UsoTroca {
    TROCAS_AVULSAS,  // avalia_troca and aplica_troca: the tour's edges
    AMOSTRAS,        // also the searches: the symmetry of d, checked once
    VARREDURAS,      // also the bounds of the rows, where d allows them (cria_cotas)
};

struct VizinhancaTroca {
    int n;
    int* s;
    float** d;
    float* arestas;     // arestas[q]: edge from position q to the next
    bool simetrica;     // d symmetric bit for bit (known from AMOSTRAS up)
    bool com_cotas;     // the bounds of the rows are kept in cotas
    CotasLinhas cotas;  // (its edges are arestas)
};

// A swap the searches chose: its two positions and the tour's value after it;
// i is -1 when none was chosen, and then valor is the limit they were given.
struct Troca {
    int i;
    int j;
    float valor;
};

// The two costs of the protocol for one swap.
struct CustoTroca {
    float antes;
    float depois;
};

void cria_troca(int n, int* s, float** d, UsoTroca uso, VizinhancaTroca* v);
void libera_troca(VizinhancaTroca* v);

// Inline: the draws of the random descent and the annealing call them in their
// inner loop.
inline CustoTroca avalia_troca(VizinhancaTroca* v, int i, int j) {
    CustoTroca c;
    mede_troca_arestas(v->n, v->s, v->d, v->arestas, i, j, &c.antes, &c.depois);
    return c;
}
inline float valor_troca(float fo, CustoTroca c) { return valor_vizinho(fo, c.antes, c.depois); }
inline float variacao_troca(CustoTroca c) { return c.depois - c.antes; }

inline void aplica_troca(VizinhancaTroca* v, int i, int j) {
    troca_posicoes(v->s, i, j);
    if (v->com_cotas) atualiza_cotas(&v->cotas, v->s, v->d, i, j);
    else renova_arestas(v->n, v->s, v->d, v->arestas, i, j);
}

// The best admissible swap (i < j): the least value strictly below limite,
// the first in scan order (i outer, both ascending) among equals. Every pair is
// admissible but those of marcas, which are only when their value is below
// aspiracao. Returns {-1, -1, limite} when no pair qualifies. The tour is left
// as it was. The fast searches need uso AMOSTRAS or VARREDURAS (the symmetry of
// d); the _simples ones, their definitions, any uso.
Troca melhor_troca(VizinhancaTroca* v, float fo, float limite,
                       const Marcas& marcas = SEM_MARCAS, float aspiracao = 0.0f);
Troca melhor_troca_simples(VizinhancaTroca* v, float fo, float limite,
                               const Marcas& marcas = SEM_MARCAS, float aspiracao = 0.0f);

// The same over the pairs of a sample: (posicoes[a], posicoes[b]) for
// a < b < m, a outer (distinct positions, in either order), without marks.
Troca melhor_troca_amostra(VizinhancaTroca* v, float fo, const int* posicoes, int m);
Troca melhor_troca_amostra_simples(VizinhancaTroca* v, float fo, const int* posicoes, int m);

#endif
