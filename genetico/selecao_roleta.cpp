#include "genetico/selecao_roleta.h"

#include "genetico/coeficiente_variacao.h"
#include "nucleo/aleatorio.h"
#include "nucleo/alocacao.h"

// Roulette wheel over tam individuals. Draws one x = sorteia_real(0, 1), rounded to
// single precision, and returns the first index with positive fitness whose
// cumulative probability reaches x.
// When every fitness is 0 (all fo equal) the choice is uniform: (int)(x * tam).
// When rounding leaves the last cumulative value below x, the last index of
// positive fitness is returned. No division by a zero total is made.
int selecao_roleta(int tam, const float* fo) {
    float* aptidao = cria_vetor_float(tam);
    float* prob = cria_vetor_float(tam);
    float* acum = cria_vetor_float(tam);

    float soma = 0.0f;
    for (int j = 0; j < tam; j++) soma = soma + fo[j];
    float media = soma / static_cast<float>(tam);
    float desvio = coeficiente_variacao(fo, tam) * media;

    // One double expression per individual, rounded once to single precision.
    float total = 0.0f;
    int ultimo_positivo = -1;
    for (int j = 0; j < tam; j++) {
        double bruta = (2.0 * static_cast<double>(desvio) + static_cast<double>(media)) -
                       static_cast<double>(fo[j]);
        aptidao[j] = static_cast<float>(bruta);
        if (aptidao[j] < 0.0f) aptidao[j] = 0.0f;
        if (aptidao[j] > 0.0f) ultimo_positivo = j;
        total = total + aptidao[j];
    }

    float x = static_cast<float>(sorteia_real(0.0f, 1.0f));
    int escolhido;
    if (ultimo_positivo < 0) {
        escolhido = static_cast<int>(static_cast<double>(x) * tam);
        if (escolhido > tam - 1) escolhido = tam - 1;
    } else {
        for (int j = 0; j < tam; j++) {
            prob[j] = aptidao[j] / total;
            acum[j] = (j == 0) ? prob[0] : acum[j - 1] + prob[j];
        }
        escolhido = ultimo_positivo;
        // A zero-fitness entry repeats the previous cumulative value; skipping it
        // matters only for x = 0, where it would otherwise win at index 0.
        for (int l = 0; l < tam; l++) {
            if (aptidao[l] > 0.0f && acum[l] >= x) {
                escolhido = l;
                break;
            }
        }
    }

    libera_vetor(acum);
    libera_vetor(prob);
    libera_vetor(aptidao);
    return escolhido;
}
