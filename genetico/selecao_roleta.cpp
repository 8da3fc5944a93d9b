#include "genetico/selecao_roleta.h"

#include "genetico/coeficiente_variacao.h"
#include "nucleo/aleatorio.h"
#include "nucleo/alocacao.h"

// Fitness (2 desvio + media) - fo[j], one double expression rounded once to
// single precision, negative values set to 0; cumulative probabilities
// acum[j] = acum[j-1] + aptidao[j] / total, each rounded to single precision.
// Draws nothing. No division by a zero total is made.
void prepara_roleta(Roleta& roleta, int tam, const float* fo) {
    roleta.tam = tam;
    roleta.aptidao = cria_vetor_float(tam);
    roleta.acum = cria_vetor_float(tam);

    float soma = 0.0f;
    for (int j = 0; j < tam; j++) soma = soma + fo[j];
    float media = soma / static_cast<float>(tam);
    float desvio = coeficiente_variacao(fo, tam) * media;

    float total = 0.0f;
    roleta.ultimo_positivo = -1;
    for (int j = 0; j < tam; j++) {
        double bruta = (2.0 * static_cast<double>(desvio) + static_cast<double>(media)) -
                       static_cast<double>(fo[j]);
        float aptidao = static_cast<float>(bruta);
        if (aptidao < 0.0f) aptidao = 0.0f;
        if (aptidao > 0.0f) roleta.ultimo_positivo = j;
        roleta.aptidao[j] = aptidao;
        total = total + aptidao;
    }
    if (roleta.ultimo_positivo < 0) return;
    for (int j = 0; j < tam; j++) {
        float prob = roleta.aptidao[j] / total;
        roleta.acum[j] = (j == 0) ? prob : roleta.acum[j - 1] + prob;
    }
}

// Draws one x = sorteia_real(0, 1), rounded to single precision, and returns the
// first index with positive fitness whose cumulative probability reaches x.
// When every fitness is 0 (all fo equal) the choice is uniform: (int)(x * tam).
// When rounding leaves the last cumulative value below x, the last index of
// positive fitness is returned.
int gira_roleta(const Roleta& roleta) {
    float x = static_cast<float>(sorteia_real(0.0f, 1.0f));
    if (roleta.ultimo_positivo < 0) {
        int escolhido = static_cast<int>(static_cast<double>(x) * roleta.tam);
        return escolhido > roleta.tam - 1 ? roleta.tam - 1 : escolhido;
    }
    // A zero-fitness entry repeats the previous cumulative value; skipping it
    // matters only for x = 0, where it would otherwise win at index 0.
    for (int l = 0; l < roleta.tam; l++)
        if (roleta.aptidao[l] > 0.0f && roleta.acum[l] >= x) return l;
    return roleta.ultimo_positivo;
}

void libera_roleta(Roleta& roleta) {
    libera_vetor(roleta.acum);
    libera_vetor(roleta.aptidao);
}

int selecao_roleta(int tam, const float* fo) {
    Roleta roleta;
    prepara_roleta(roleta, tam, fo);
    int escolhido = gira_roleta(roleta);
    libera_roleta(roleta);
    return escolhido;
}
