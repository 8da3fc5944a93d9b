#ifndef BUSCA_TABU_BUSCA_TABU_H
#define BUSCA_TABU_BUSCA_TABU_H

#include "nucleo/lista.h"

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
// tipo_vizinhanca 0 (the default) searches the swaps as above; a
// TipoVizinhanca (busca_local/vizinhanca_2opt_oropt.h, n >= 5) moves instead
// to the best admissible move of that neighbourhood (melhor_2opt_oropt_marcado:
// with candidate lists of vizinhos cities built once, or the full
// neighbourhood for vizinhos 0). There the tabu attribute is an edge: the
// edges removed in the last tamanho_lista_tabu iterations may not come back
// into the tour unless the move gives a tour shorter than fo_star
// (aspiration). fo is measured by calcula_fo after every move, and a new best
// is a shorter measured tour; the best tour starts at the city s started at.
struct Acompanhamento;
float busca_tabu(int n, int* s, float** d, int tamanho_lista_tabu, int BTmax,
                 Acompanhamento* acompanhamento = nullptr, int tipo_vizinhanca = 0,
                 int vizinhos = 0);

// The move of one iteration: the best admissible swap of the tour v keeps
// (vizinhanca_troca.h, melhor_troca), a move of the list being admissible only
// when its value is strictly below fo_star. Returns it, or {-1, -1, 2^31} when
// every swap is tabu and none aspirates. With mostra, prints the two
// aspiration lines of every move of the list below fo_star, in scan order.
// Leaves the tour as it found it.
struct VizinhancaTroca;
struct Troca;
Troca melhor_vizinho_tabu(VizinhancaTroca* v, float fo, float fo_star, Registro* inicio,
                              bool mostra = true);

// True when some record of the list holds campo1 == i and campo2 == j: the
// positions i and j were swapped recently. Prints nothing.
bool movimento_tabu(int i, int j, Registro*& inicio);

#endif
