#ifndef NUCLEO_SOLUCAO_H
#define NUCLEO_SOLUCAO_H

// Where the running minima start: 2^31, above every distance, insertion cost
// and tour length the methods meet (a float holds it exactly).
const float SENTINELA_2_31 = 2147483648.0f;

// Length of the closed tour: edges in position order with a single-precision
// running sum, the closing edge s[n-1] -> s[0] added last.
float calcula_fo(int n, const int* s, float** d);

// "a -> b -> ... -> a \n"; stops at the first -1 so partial tours print too.
void imprime_solucao(const int* s, int n);

#endif
