#ifndef NUCLEO_ALEATORIO_H
#define NUCLEO_ALEATORIO_H

#include "nucleo/real_x87.h"

// The one pseudo-random stream of the program: a standard mt19937, so a seeded
// run draws the same numbers with every compiler and on every machine. Before
// the first seeding it is in the state of a seeding with 1.
void semeia_gerador(unsigned int semente);

// 0 to m-1 from one draw (g mod m); 0 without drawing when m is 0.
int sorteia_inteiro(int m);

// a without drawing when a equals b; otherwise real_sorteado(sorteia_dez_milesimos(),
// a, b). Never reaches b for a < b.
real_x87 sorteia_real(float a, float b);

// k = g mod 10000 from one draw: the draw of sorteia_real, before the arithmetic.
int sorteia_dez_milesimos();

// (k * 0.0001) * (b - a) + a, every operation rounded in the x87 extended format,
// 0.0001 held in that format.
real_x87 real_sorteado(int k, float a, float b);

// The same, always in software: real_sorteado where long double is not x87.
Estendido real_sorteado_estendido(int k, float a, float b);

// How many k of 0..9999 give real_sorteado(k, 0, 1) below p. The value grows
// with k, so a draw of sorteia_real(0, 1) is below p exactly when its k is
// below this count: the decision is taken on the integer. 0 for a NaN p.
int sorteios_abaixo_de(double p);

// Two distinct positions of 0..n-1, as every random swap draws them:
// *i = sorteia_inteiro(n), then *j = sorteia_inteiro(n), *j alone drawn again
// while it equals *i. n must be at least 2, or the redraw never ends.
void sorteia_par(int n, int* i, int* j);

#endif
