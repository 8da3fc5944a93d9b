#ifndef NUCLEO_ALEATORIO_H
#define NUCLEO_ALEATORIO_H

// The one pseudo-random stream of the program: a standard mt19937, so a seeded
// run draws the same numbers with every compiler and on every machine. Before
// the first seeding it is in the state of a seeding with 1.
void semeia_gerador(unsigned int semente);

// 0 to m-1 from one draw (g mod m); 0 without drawing when m is 0.
int sorteia_inteiro(int m);

// a without drawing when a equals b; otherwise k = g mod 10000 from one draw and
// (k * 0.0001) * (b - a) + a, all in extended precision. Never reaches b for a < b.
long double sorteia_real(float a, float b);

// Two distinct positions of 0..n-1, as every random swap draws them:
// *i = sorteia_inteiro(n), then *j = sorteia_inteiro(n), *j alone drawn again
// while it equals *i. n must be at least 2, or the redraw never ends.
void sorteia_par(int n, int* i, int* j);

#endif
