#include "genetico/algoritmo_genetico.h"

#include <cmath>
#include <cstdio>

#include "construcao/constroi_insercao_mais_barata_parcial.h"
#include "genetico/coeficiente_variacao.h"
#include "genetico/crossover_erx.h"
#include "genetico/crossover_ox.h"
#include "genetico/mutacao.h"
#include "genetico/selecao_roleta.h"
#include "nucleo/acompanhamento.h"
#include "nucleo/aleatorio.h"
#include "nucleo/alocacao.h"
#include "nucleo/entrada.h"
#include "nucleo/formato.h"
#include "nucleo/parametros.h"
#include "nucleo/solucao.h"
#include "nucleo/vetores.h"

namespace {

const int OPERADOR_OX = 1;
const int OPERADOR_ERX = 2;
const float VALOR_INICIAL = SENTINELA_2_31;

// Least number of cities each operator can cross.
int minimo_de_cidades(int operador) { return operador == OPERADOR_OX ? 5 : 3; }

// Keeps row k as the best so far when it is strictly better.
bool guarda_se_melhor(const int* linha, float fo, int n, int* s_star, float* fo_star) {
    if (!(fo < *fo_star)) return false;
    *fo_star = fo;
    copia_vetor(s_star, linha, n);
    return true;
}

// Fills the child rows tam_pop..2 tam_pop-1 with tam_pop / 2 crossovers.
void gera_filhos(int** populacao, int n, int tam_pop, double prob_crossover, int operador) {
    // The draw x = sorteia_real(0, 1) reaches prob_crossover exactly when its k
    // reaches this; a NaN is never reached.
    int limiar = std::isnan(prob_crossover) ? 10000 : sorteios_abaixo_de(prob_crossover);
    int j = 0;
    while (j < tam_pop) {
        int a, b;
        do {
            a = sorteia_inteiro(tam_pop);
            b = sorteia_inteiro(tam_pop);
        } while (a == b);
        if (sorteia_dez_milesimos() >= limiar) continue;
        if (operador == OPERADOR_OX)
            crossover_ox(populacao[a], populacao[b], populacao[tam_pop + j],
                         populacao[tam_pop + j + 1], n);
        else
            crossover_erx(populacao[a], populacao[b], populacao[tam_pop + j],
                          populacao[tam_pop + j + 1], n);
        j += 2;
    }
}

// The trace's line for the population's first tam_pop rows: their best and mean.
void anota_populacao(Acompanhamento* acompanhamento, const char* evento, long long geracao,
                     const float* fo_pop, int tam_pop, float fo_star) {
    if (acompanhamento == nullptr || acompanhamento->traco == nullptr) return;
    float melhor = fo_pop[0];
    double soma = 0.0;
    for (int k = 0; k < tam_pop; k++) {
        if (fo_pop[k] < melhor) melhor = fo_pop[k];
        soma += fo_pop[k];
    }
    anota(acompanhamento, evento, geracao, melhor, fo_star, SEM_VALOR, soma / tam_pop);
}

}  // namespace

float algoritmo_genetico(int n, int* s, float** d, int tam_pop, float cv_min, double prob_crossover,
                         double prob_mutacao, int operador, Acompanhamento* acompanhamento,
                         float alfa_populacao) {
    bool menu = no_menu(acompanhamento);
    if (operador != OPERADOR_OX && operador != OPERADOR_ERX) {
        if (menu) printf("\nOperador de crossover desconhecido: %d\n", operador);
        return calcula_fo(n, s, d);
    }
    if (n < minimo_de_cidades(operador)) {
        if (menu)
            printf("\nO operador escolhido precisa de pelo menos %d cidades.\n",
                   minimo_de_cidades(operador));
        return calcula_fo(n, s, d);
    }

    int* s_star = cria_vetor_int(n);
    float fo_star = VALOR_INICIAL;
    if (tam_pop % 2 != 0) {
        if (menu) {
            printf("Numero de individuos deve ser par!\n");
            printf("Vou aumentar o numero de individuos ...\n");
            espera_tecla();
        }
        tam_pop++;
    }
    if (tam_pop < 2) {
        if (menu) printf("\nA populacao precisa de pelo menos 2 individuos.\n");
        libera_vetor(s_star);
        return calcula_fo(n, s, d);
    }

    int linhas = 2 * tam_pop;
    int** populacao = cria_matriz_int(linhas, n);
    float* fo_pop = cria_vetor_float(linhas);
    int** intermediaria = cria_matriz_int(tam_pop, n);
    float* fo_intermediaria = cria_vetor_float(tam_pop);
    for (int k = 0; k < linhas; k++) zera_vetor_int(populacao[k], n);
    zera_vetor_float(fo_pop, linhas);
    for (int l = 0; l < tam_pop; l++) zera_vetor_int(intermediaria[l], n);
    zera_vetor_float(fo_intermediaria, tam_pop);
    zera_vetor_int(s_star, n);

    int construidos = 0;
    while (construidos < tam_pop) {
        // The first individual is always built, so s_star holds a tour.
        if (construidos > 0 && deve_parar(acompanhamento)) break;
        int i = construidos++;
        constroi_insercao_mais_barata_parcial(n, populacao[i], d, alfa_populacao);
        fo_pop[i] = calcula_fo(n, populacao[i], d);
        guarda_se_melhor(populacao[i], fo_pop[i], n, s_star, &fo_star);
    }
    if (menu) printf("Melhor solucao encontrada na construcao: %s\n", texto_real(fo_star).texto);
    anota_populacao(acompanhamento, "populacao", 0, fo_pop, construidos, fo_star);

    int limiar_mutacao = sorteios_abaixo_de(prob_mutacao);
    int geracoes = 0;
    float cv = VALOR_INICIAL;
    while (cv > cv_min && construidos == tam_pop) {
        if (deve_parar(acompanhamento)) break;
        geracoes++;
        gera_filhos(populacao, n, tam_pop, prob_crossover, operador);

        // x = sorteia_real(0, 1) below prob_mutacao, decided on its k.
        for (int k = 0; k < linhas; k++)
            if (sorteia_dez_milesimos() < limiar_mutacao) mutacao(populacao[k], n);

        for (int k = 0; k < linhas; k++) {
            fo_pop[k] = calcula_fo(n, populacao[k], d);
            if (guarda_se_melhor(populacao[k], fo_pop[k], n, s_star, &fo_star) && menu)
                printf("fo star = %s\n", texto_real(fo_star).texto);
        }

        // Every selection of the generation spins the wheel of the same fo_pop:
        // the wheel is set up once.
        Roleta roleta;
        prepara_roleta(roleta, linhas, fo_pop);
        for (int l = 0; l < tam_pop; l++) {
            int idx = gira_roleta(roleta);
            copia_vetor(intermediaria[l], populacao[idx], n);
            fo_intermediaria[l] = fo_pop[idx];
        }
        libera_roleta(roleta);
        for (int l = 0; l < tam_pop; l++) {
            copia_vetor(populacao[l], intermediaria[l], n);
            fo_pop[l] = fo_intermediaria[l];
        }
        cv = coeficiente_variacao(fo_pop, tam_pop);
        anota_populacao(acompanhamento, "geracao", geracoes, fo_pop, tam_pop, fo_star);
    }

    copia_vetor(s, s_star, n);
    if (menu) {
        printf("\nNumero de geracoes avaliadas: %d", geracoes);
    } else {
        acompanhamento->iteracoes = geracoes;
        anota(acompanhamento, "fim", geracoes, fo_star, fo_star);
    }

    libera_vetor(fo_intermediaria);
    libera_matriz_int(intermediaria, tam_pop);
    libera_vetor(fo_pop);
    libera_matriz_int(populacao, linhas);
    libera_vetor(s_star);
    return fo_star;
}
