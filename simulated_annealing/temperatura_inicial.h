#ifndef SIMULATED_ANNEALING_TEMPERATURA_INICIAL_H
#define SIMULATED_ANNEALING_TEMPERATURA_INICIAL_H

// Starting temperature for the annealing: from 10, raises the temperature by
// taxa_aquecimento until at least SAmax * taxa_aceitacao of SAmax random swaps of
// the given tour would be accepted by the annealing rule. Trials are never kept:
// s is the same on return. Prints nothing, writes nothing.
//   n, s, d           instance and tour
//   taxa_aquecimento  heating factor per failed level (must exceed 1)
//   taxa_aceitacao    share of accepted trials that ends the search (at most 1)
//   SAmax             trials per level; 0 or less returns 10 at once
// Returns the temperature found (single precision).
// Random draws, per trial: sorteia_inteiro(n) for i, sorteia_inteiro(n) for j
// (j alone drawn again while it equals i), then sorteia_real(0, 1) only when the
// swap does not shorten the tour (delta >= 0).
// Fewer than two cities, or factors that would never end the search, are refused
// with a one-line message and 10 is returned without a trial.
// tipo_vizinhanca 0 (the default) tries swaps as above; a TipoVizinhanca
// (busca_local/vizinhanca_2opt_oropt.h, n >= 5) tries moves drawn by
// sorteia_2opt_oropt instead, with their double delta.
float temperatura_inicial(int n, int* s, float** d, float taxa_aquecimento, float taxa_aceitacao,
                          int SAmax, int tipo_vizinhanca = 0);

#endif
