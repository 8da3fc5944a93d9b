#ifndef GENETICO_SELECAO_ROLETA_H
#define GENETICO_SELECAO_ROLETA_H

// Roulette-wheel choice of one of tam individuals from their fo values (lower is
// fitter), with sigma-truncated fitness (2 x deviation + mean) - fo, at least 0.
// Returns an index from 0 to tam - 1; an individual of fitness 0 is never chosen
// while some fitness is positive. Draws exactly one sorteia_real(0, 1).
int selecao_roleta(int tam, const float* fo);

#endif
