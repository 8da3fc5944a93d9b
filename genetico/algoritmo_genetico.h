#ifndef GENETICO_ALGORITMO_GENETICO_H
#define GENETICO_ALGORITMO_GENETICO_H

#include "nucleo/parametros.h"

// Genetic algorithm: tam_pop tours built by partially greedy cheapest insertion
// evolve by crossover (operador 1 OX, 2 ERX), swap mutation and roulette-wheel
// selection over parents and children until the coefficient of variation of the
// parents' fo is at most cv_min. Leaves the best tour ever evaluated in s and
// returns its fo; prints the construction's best, each new best and the number
// of generations. An odd tam_pop is raised by 1 after a message and a key press.
// Draw order: the tam_pop constructions; then per generation, for every crossover
// attempt a, b = sorteia_inteiro(tam_pop) (redrawn together while equal) and
// x = sorteia_real(0, 1), the crossover's own draws only for an accepted pair
// (x < prob_crossover); then one sorteia_real(0, 1) per row, parents first,
// followed by mutacao's draws for a mutated row (x < prob_mutacao); then one draw
// per selection (one sorteia_real(0, 1) each).
// An unknown operador, too few cities for the operator (OX 5, ERX 3) or a
// population below 2 is reported in one line; s is then left as it was and its fo
// returned, with no draw.
// With an Acompanhamento (nucleo/acompanhamento.h) nothing is printed and no key
// awaited; the trace gets populacao once the first population is built, then
// one geracao per generation (the population's best and mean fo after the
// selection, fo_star) and fim; a spent budget ends the search before its next
// construction or generation; iteracoes counts the generations.
// alfa_populacao is the greediness of every initial individual; the menus keep
// AG_ALFA_POPULACAO, the experiment program may change it.
struct Acompanhamento;
float algoritmo_genetico(int n, int* s, float** d, int tam_pop, float cv_min, double prob_crossover,
                         double prob_mutacao, int operador,
                         Acompanhamento* acompanhamento = nullptr,
                         float alfa_populacao = AG_ALFA_POPULACAO);

#endif
