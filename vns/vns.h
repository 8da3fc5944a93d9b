#ifndef VNS_VNS_H
#define VNS_VNS_H

// Basic variable neighbourhood search: neighbourhood k is k random swaps of the
// incumbent; every shaken copy is improved by descida, and a strictly better one
// becomes the incumbent and sends the search back to k = 1. An iteration ends
// after r consecutive failures; the search runs vns_max iterations in all.
//   n, s, d  instance and tour (the incumbent, changed only on an improvement)
//   vns_max  number of iterations
//   r        number of neighbourhoods
// Prints "Iteracao VNS = ... fo_star = ..." at the start and on every improvement.
// Every descent appends to "Descidasaida.txt" and empties "Descida.txt".
// Returns fo_star: calcula_fo of the tour handed in, or the value descida returned
// for the last accepted candidate.
// Random draws: only the shakings, perturbacao(n, s_linha, k) before each descent.
// With fewer than two cities no swap exists: says so, leaves s unchanged and
// returns calcula_fo.
// With an Acompanhamento (nucleo/acompanhamento.h) nothing is printed and the
// descents write no file; the trace gets inicio, then per neighbourhood tried a
// perturbacao (the shaken tour's fo) and a descida (the descent's fo), each with
// fo_star, and fim; a spent budget ends the search inside the current descent,
// whose tour still competes; iteracoes counts the descents.
// tipo_vizinhanca 0 (the default) is the swap VNS above; a TipoVizinhanca
// (busca_local/vizinhanca_2opt_oropt.h, n >= 5) shakes with k random moves of
// that neighbourhood (sorteia_2opt_oropt) and descends with
// descida_com_listas in it, on candidate lists of vizinhos cities built once
// (0: the full neighbourhood); the tours start at the city s started at.
struct Acompanhamento;
float vns(int n, int* s, float** d, int vns_max, int r, Acompanhamento* acompanhamento = nullptr,
          int tipo_vizinhanca = 0, int vizinhos = 0);

#endif
