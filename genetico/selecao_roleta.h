#ifndef GENETICO_SELECAO_ROLETA_H
#define GENETICO_SELECAO_ROLETA_H

// Roulette-wheel choice of one of tam individuals from their fo values (lower is
// fitter), with sigma-truncated fitness (2 x deviation + mean) - fo, at least 0.
// Returns an index from 0 to tam - 1; an individual of fitness 0 is never chosen
// while some fitness is positive. Draws exactly one sorteia_real(0, 1).
int selecao_roleta(int tam, const float* fo);

// The same choice split in two, for the tam_pop selections of one generation,
// which all spin the wheel of the same fo values: prepara_roleta computes the
// fitness and the cumulative values once (allocating them), gira_roleta draws
// one sorteia_real(0, 1) and makes the choice above, libera_roleta frees the wheel.
struct Roleta {
    int tam;
    float* aptidao;
    float* acum;
    int ultimo_positivo;  // last index of positive fitness, -1 when none
};
void prepara_roleta(Roleta& roleta, int tam, const float* fo);
int gira_roleta(const Roleta& roleta);
void libera_roleta(Roleta& roleta);

#endif
