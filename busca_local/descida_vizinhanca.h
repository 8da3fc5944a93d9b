#ifndef BUSCA_LOCAL_DESCIDA_VIZINHANCA_H
#define BUSCA_LOCAL_DESCIDA_VIZINHANCA_H

// Descent in the 2-opt, Or-opt or both neighbourhoods
// (busca_local/vizinhanca_2opt_oropt.h): applies improving moves until none
// is left. With candidate lists, first improvement led by the lists and the
// don't-look bits; without (vizinhos 0), the best move of the full
// neighbourhood each time, ending at a local optimum of it.
//   n, s, d   instance and tour (s is improved in place; d symmetric)
//   tipo      VIZINHANCA_2OPT, VIZINHANCA_OROPT or VIZINHANCA_2OPT_OROPT
//   vizinhos  candidates per city (0: the full neighbourhood)
// Returns calcula_fo of the tour left in s, which starts at the city s[0]
// started with. Draws no random number, prints
// nothing, writes no file.
// With an Acompanhamento (nucleo/acompanhamento.h) the trace gets inicio, one
// melhora per applied move (calcula_fo of the tour) and fim; the budget is
// looked at before every full scan, every 128 moves of the fast search;
// iteracoes counts the applied moves.
struct Acompanhamento;
struct VizinhosProximos;
float descida_vizinhanca(int n, int* s, float** d, int tipo, int vizinhos,
                         Acompanhamento* acompanhamento = nullptr);

// The same with lists built by the caller (nullptr: the full neighbourhood),
// for a method that descends many times on one matrix.
float descida_com_listas(int n, int* s, float** d, int tipo, const VizinhosProximos* listas,
                         Acompanhamento* acompanhamento = nullptr);

struct Vizinhanca2optOropt;

// What the descents in 2-opt and Or-opt (this one, the random and the partial)
// share. A melhora line with the tour measured, only where a trace is written:
void anota_melhora_medida(Acompanhamento* acompanhamento, long long iteracao,
                          const Vizinhanca2optOropt* v);
// and their end: releases v, turns the tour back to start at primeira (the
// moves rotate the array), counts iteracoes and notes fim. Returns calcula_fo
// of the tour.
float termina_descida(Vizinhanca2optOropt* v, int primeira, long long iteracoes,
                      Acompanhamento* acompanhamento);

#endif
