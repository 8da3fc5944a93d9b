#ifndef BUSCA_LOCAL_DESCIDA_H
#define BUSCA_LOCAL_DESCIDA_H

// Best-improvement descent in the swap neighbourhood: applies the best strictly
// improving swap until a full scan finds none. Empties "Descida.txt" and appends
// to "Descidasaida.txt" one line at the start, one per applied swap and one at
// the end (elapsed seconds, 0, fo). Returns the carried fo of the tour left in s.
// Draws no random number.
// With an Acompanhamento (nucleo/acompanhamento.h) no file is written; the trace
// gets inicio, one melhora per applied swap and fim; a spent budget ends the
// descent before its next scan; iteracoes counts the applied swaps.
struct Acompanhamento;
float descida(int n, int* s, float** d, Acompanhamento* acompanhamento = nullptr);

#endif
