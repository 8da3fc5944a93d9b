#include "genetico/coeficiente_variacao.h"

#include <cmath>

// Coefficient of variation of v[0..m-1]. The sum and the sum of squared deviations
// are running single-precision sums; each squared deviation is formed in double,
// q / (m - 1) is a double division, and the root is rounded to single precision.
// Returns 0 when the mean is 0 (only tours of length 0), where the ratio has no meaning.
// Draws no random number.
float coeficiente_variacao(const float* v, int m) {
    float soma = 0.0f;
    for (int i = 0; i < m; i++) soma = soma + v[i];
    float media = soma / static_cast<float>(m);

    float q = 0.0f;
    for (int i = 0; i < m; i++) {
        double desvio_i = static_cast<double>(v[i]) - static_cast<double>(media);
        q = static_cast<float>(static_cast<double>(q) + desvio_i * desvio_i);
    }
    float desvio = static_cast<float>(std::sqrt(static_cast<double>(q) / (m - 1)));
    if (media == 0.0f) return 0.0f;
    return desvio / media;
}
