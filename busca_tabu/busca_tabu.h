#ifndef BUSCA_TABU_BUSCA_TABU_H
#define BUSCA_TABU_BUSCA_TABU_H

#include "construcao/lista.h"

// Tabu search over the swap neighbourhood. Every iteration moves to the best
// admissible swap, even a worse one; the swaps of the last tamanho_lista_tabu
// iterations (by positions) are tabu unless they beat fo_star (aspiration).
// Stops after BTmax consecutive iterations without a new best, or when no swap
// is admissible. Prints the opening line, each new best, the aspiration lines
// and the closing block, then reads one character from standard input.
// Empties "BTsaida.txt" (current fo) and "BTsaidaMelhorfo.txt" (fo_star) and
// writes to each one line at the start, one per iteration and one at the end
// (elapsed seconds, iteration, value).
//   n, s, d             instance and tour (the search starts from s)
//   tamanho_lista_tabu  most moves kept in the tabu list
//   BTmax               iterations without improvement that end the search
// Leaves the best tour found in s and returns its value fo_star.
// Draws no random number.
// With an Acompanhamento (nucleo/acompanhamento.h) nothing is printed, no file
// written and no key awaited; the trace gets inicio, one iteracao per move (fo,
// fo_star) and fim; a spent budget ends the search before its next move;
// iteracoes counts the moves.
struct Acompanhamento;
float busca_tabu(int n, int* s, float** d, int tamanho_lista_tabu, int BTmax,
                 Acompanhamento* acompanhamento = nullptr);

// One full scan of the pairs i < j (i outer, both ascending) measured against
// fo. A tabu pair is admissible only when its value is strictly below fo_star,
// and then the two aspiration lines are printed at once. Returns the least
// admissible value (first pair in scan order on ties) and writes its positions
// to melhor_i / melhor_j; with no admissible pair returns 2^31 and writes nothing.
// Leaves s as it found it.
float melhor_vizinho_tabu(int n, int* s, float** d, float fo, int* melhor_i, int* melhor_j,
                          float fo_star, Registro*& inicio, Registro*& fim);
// The same scan for a caller that knows whether d is symmetric
// (simetrica == matriz_simetrica(n, d)), as busca_tabu does once per call.
// (mostra: print the aspiration lines, as the menus' program does.)
float melhor_vizinho_tabu(int n, int* s, float** d, float fo, int* melhor_i, int* melhor_j,
                          float fo_star, Registro*& inicio, Registro*& fim, bool simetrica,
                          bool mostra = true);

// The same scan from the bounds of the rows that busca_tabu keeps across its
// iterations (cotas measured on s): the rows that cannot hold the choice are
// skipped, but for their tabu pairs.
struct CotasLinhas;
float melhor_vizinho_tabu(CotasLinhas* cotas, int* s, float** d, float fo, int* melhor_i,
                          int* melhor_j, float fo_star, Registro*& inicio, Registro*& fim,
                          bool mostra = true);

// True when some record of the list holds campo1 == i and campo2 == j: the
// positions i and j were swapped recently. Prints nothing.
bool movimento_tabu(int i, int j, Registro*& inicio);

#endif
