#ifndef BUSCA_LOCAL_VIZINHANCA_2OPT_OROPT_H
#define BUSCA_LOCAL_VIZINHANCA_2OPT_OROPT_H

#include <vector>

// The 2-opt and Or-opt neighbourhoods of a tour, as one module: set up for a
// tour and a symmetric matrix, evaluate a move (leaves the tour as it is), find
// an improving move (the best of the full neighbourhood, or the first the
// candidate lists and don't-look bits lead to), apply a move (the only way the
// tour changes here), release.
//
// Deltas are double sums of the float distances, added minus removed. A move
// is improving only when it gains more than GANHO_RELATIVO_MINIMO of its
// removed edges: a move with no real gain may come out a few units of the last
// place ahead after rounding, and two such moves could undo each other for
// ever; with the guard every applied move shortens the exact sum of the tour's
// floats, so no tour comes back.

struct VizinhosProximos;

const double GANHO_RELATIVO_MINIMO = 1e-7;

inline bool melhora(double delta, double removidas) {
    return -delta > GANHO_RELATIVO_MINIMO * removidas;
}

enum TipoVizinhanca { VIZINHANCA_2OPT = 1, VIZINHANCA_OROPT = 2, VIZINHANCA_2OPT_OROPT = 3 };

// A move, by positions of the tour it is evaluated on (taken mod n).
// 2-opt (tipo VIZINHANCA_2OPT): removes (s[i], s[i+1]) and (s[j], s[j+1]), two
// edges without a common city, and adds (s[i], s[j]) and (s[i+1], s[j+1]):
// the path s[i+1..j] reversed.
// Or-opt (tipo VIZINHANCA_OROPT): the segment of comprimento (1 to 3) cities
// from s[i] leaves its place and goes between s[j] and s[j+1], both outside it
// (j from i + comprimento to i - 2), reversed when inverte.
struct Movimento {
    int tipo;
    int i, j;
    int comprimento;
    bool inverte;
};

struct Vizinhanca2optOropt {
    int n;
    int* s;  // the caller's tour
    float** d;
    int tipo;                          // a TipoVizinhanca: the moves searched
    const VizinhosProximos* vizinhos;  // nullptr: no fast search
    int* posicao;                      // posicao[c]: where city c is in s
    float* arestas;                    // arestas[q]: d of s[q] and the city after it
    // Don't-look bits as a queue: a city is looked at from the queue, and
    // comes back into it when a move changes one of its edges.
    int* na_fila;
    int* fila;
    int frente, quantos;
};

// n >= 4 for 2-opt moves; a segment of l cities needs n >= l + 2. d symmetric.
void cria_2opt_oropt(int n, int* s, float** d, int tipo, const VizinhosProximos* vizinhos,
                     Vizinhanca2optOropt* v);

// The change of the tour's length, added minus removed; *removidas gets the
// removed edges' sum. Constant time.
double avalia_2opt_oropt(const Vizinhanca2optOropt* v, const Movimento& m, double* removidas);

// The full neighbourhood of v->tipo: the improving move of least delta (ties to
// the first: 2-opt with i then j ascending, then Or-opt with i, comprimento,
// j, inverte ascending). False when none improves.
bool melhor_2opt_oropt(const Vizinhanca2optOropt* v, Movimento* m, double* delta);

// The fast search (needs the candidate lists): takes cities from the queue
// until one has an improving move that adds an edge to one of its candidates
// shorter than the tour edge it removes there; that city stays in the queue,
// the others leave it. False when the queue is empty.
bool primeiro_2opt_oropt(Vizinhanca2optOropt* v, Movimento* m, double* delta);

// Applies m: 2-opt reverses the shorter of the two paths, Or-opt shifts the
// shorter stretch between the segment's old and new places. The cities of the
// changed edges join the queue.
void aplica_2opt_oropt(Vizinhanca2optOropt* v, const Movimento& m);

void libera_2opt_oropt(Vizinhanca2optOropt* v);

// A random move of v->tipo from the one stream (nucleo/aleatorio.h), for the
// methods that draw their moves. With both kinds, sorteia_inteiro(2) first
// (0: 2-opt). 2-opt: sorteia_par(n), the pair drawn again while its two
// positions are neighbours on the cycle; the move joins the smaller to the
// larger. Or-opt: the segment's start sorteia_inteiro(n), its length
// 1 + sorteia_inteiro(min(3, n - 2)), the place j = i + comprimento +
// sorteia_inteiro(n - comprimento - 1), and for 2 or 3 cities inverte from
// sorteia_inteiro(2). Every move of the neighbourhood can come out. n >= 4
// (2-opt), n >= 3 (Or-opt).
Movimento sorteia_2opt_oropt(const Vizinhanca2optOropt* v);

// The best improving move whose positions come from the first m of posicoes:
// 2-opt between two of them; Or-opt of a segment starting at one of them put
// after another. Ties to the first (2-opt by a then b, then Or-opt by a,
// comprimento, b, inverte). False when none improves.
bool melhor_2opt_oropt_amostra(const Vizinhanca2optOropt* v, const int* posicoes, int m,
                               Movimento* mv, double* delta);

// An edge by its two cities, in either order.
struct Aresta {
    int a, b;
};
inline bool mesma_aresta(Aresta x, Aresta y) {
    return (x.a == y.a && x.b == y.b) || (x.a == y.b && x.b == y.a);
}

// The edges m removes from the tour and those it adds (2 for 2-opt, 3 for
// Or-opt; returns how many).
int arestas_do_movimento(const Vizinhanca2optOropt* v, const Movimento& m, Aresta* removidas,
                         Aresta* adicionadas);

// The admissible move of least delta, improving or not (ties to the first):
// a move that adds one of the quantas marked edges is admissible only when its
// delta is below aspiracao. Without lists, the full neighbourhood in
// melhor_2opt_oropt's order; with them, every move that adds an edge from a
// city to one of its candidates, cities in ascending order. False when no
// move is admissible.
bool melhor_2opt_oropt_marcado(const Vizinhanca2optOropt* v, const Aresta* marcadas,
                               int quantas, double aspiracao, Movimento* m, double* delta);

// melhor_2opt_oropt_marcado with lists, for a search that asks for it again
// and again on one tour (the tabu search): each city's least delta over its
// moves and over those that add no marked edge are kept from call to call, and
// only the cities whose moves may have changed are looked at again (those of
// changed edges and near them, those of a reversed path, those with one of
// them as a candidate, those near a mark that came or went). The same move as
// melhor_2opt_oropt_marcado, for any changes of the tour and the marks between
// calls; the tour must keep its n cities.
struct MelhoresPorCidade {
    int n;
    double* todos;        // per city: least delta of its moves
    int* todos_marcado;   // whether that move adds a marked edge
    double* livres;       // least delta of its moves that add none
    int* sujo;            // to be looked at again
    int* antes;           // each city's neighbours when last looked at
    int* depois;
    int* inicio_reversa;  // reversa[inicio_reversa[c] ..]: the cities with c as a candidate
    int* reversa;
    std::vector<Aresta> marcas;  // the marks of the last call
};
void cria_melhores_por_cidade(const Vizinhanca2optOropt* v, MelhoresPorCidade* g);
bool melhor_2opt_oropt_guardado(const Vizinhanca2optOropt* v, MelhoresPorCidade* g,
                                const Aresta* marcadas, int quantas, double aspiracao,
                                Movimento* m, double* delta);
void libera_melhores_por_cidade(MelhoresPorCidade* g);

// Rotates s so it starts at cidade: the moves turn the array, and a tour is
// printed and measured from the city it started at.
void comeca_em(int n, int* s, int cidade);

#endif
