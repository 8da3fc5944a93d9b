#ifndef SIMULATED_ANNEALING_SIMULATED_ANNEALING_H
#define SIMULATED_ANNEALING_SIMULATED_ANNEALING_H

// Simulated annealing over the swap neighbourhood with geometric cooling: SAmax
// random swaps per temperature level, an improving swap always kept, any other
// kept with probability exp(-delta / temperatura); the temperature is multiplied
// by taxa_resfriamento after each level while it stays above Tf.
//   n, s, d            instance and tour (the walk starts from s)
//   taxa_resfriamento  cooling factor (below 1)
//   T0, Tf             starting and final temperature (Tf above 0)
//   SAmax              moves per level
// Prints "Fo_star = ... Temperatura = ..." at the start and on every new best;
// empties "SAsaida.txt" and writes there one line at the start, one per new best
// and one at the end (elapsed seconds, 0, fo_star).
// Leaves the best tour seen in s and returns its value fo_star.
// Random draws, per move: sorteia_inteiro(n) for i, sorteia_inteiro(n) for j
// (j alone drawn again while it equals i), then sorteia_real(0, 1) only when
// delta >= 0.
// Fewer than two cities, or parameters that would never end the cooling, are
// refused with a one-line message: s unchanged, calcula_fo returned, no file written.
// With an Acompanhamento (nucleo/acompanhamento.h) nothing is printed and no
// file written; the trace gets inicio, one nivel per temperature level (the
// current fo, fo_star and the level's temperature) and fim; a spent budget ends
// the annealing before its next level; iteracoes counts the levels.
// tipo_vizinhanca 0 (the default) walks by swaps as above; a TipoVizinhanca
// (busca_local/vizinhanca_2opt_oropt.h, n >= 5) draws each move with
// sorteia_2opt_oropt instead (then sorteia_real(0, 1) only when its double
// delta is not negative), carries fo as a double sum of deltas, and returns
// calcula_fo of the best tour, which starts at the city s started at.
struct Acompanhamento;
float simulated_annealing(int n, int* s, float** d, float taxa_resfriamento, float T0, float Tf,
                          int SAmax, Acompanhamento* acompanhamento = nullptr,
                          int tipo_vizinhanca = 0);

#endif
