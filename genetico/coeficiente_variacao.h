#ifndef GENETICO_COEFICIENTE_VARIACAO_H
#define GENETICO_COEFICIENTE_VARIACAO_H

// Sample standard deviation (divisor m - 1) of the m single-precision values of v
// divided by their mean. Needs m >= 2. Draws no random number.
float coeficiente_variacao(const float* v, int m);

#endif
