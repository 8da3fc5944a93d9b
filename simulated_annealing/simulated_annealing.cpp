#include "simulated_annealing/simulated_annealing.h"

#include <cmath>
#include <cstdio>
#include <ctime>

#include "busca_local/vizinhanca_troca.h"
#include "nucleo/acompanhamento.h"
#include "nucleo/aleatorio.h"
#include "nucleo/alocacao.h"
#include "nucleo/arquivo_saida.h"
#include "nucleo/formato.h"
#include "nucleo/plataforma.h"
#include "nucleo/solucao.h"
#include "nucleo/vetores.h"
#include "simulated_annealing/aceitacao.h"

namespace {

void mostra_melhor(float fo_star, float temperatura) {
    printf("Fo_star = %s \t Temperatura = %s \n", texto_real(fo_star, 8, 2).texto,
           texto_real(temperatura, 8, 2).texto);
}

}  // namespace

float simulated_annealing(int n, int* s, float** d, float taxa_resfriamento, float T0, float Tf,
                          int SAmax, Acompanhamento* acompanhamento) {
    bool menu = no_menu(acompanhamento);
    if (n < 2) {
        if (menu) printf("\nSimulated Annealing: sao necessarias ao menos duas cidades.\n");
        return calcula_fo(n, s, d);
    }
    // The cooling ends only if it lowers the temperature towards a positive Tf
    // from a finite start.
    if (!(taxa_resfriamento < 1.0f) || !(Tf > 0.0f) || std::isinf(T0)) {
        if (menu)
            printf(
                "\nSimulated Annealing: taxa de resfriamento deve ser menor que 1, temperatura "
                "final maior que 0 e temperatura inicial finita.\n");
        return calcula_fo(n, s, d);
    }

    int* s_star = cria_vetor_int(n);
    copia_vetor(s_star, s, n);
    float temperatura = T0;
    float fo = calcula_fo(n, s, d);
    float fo_star = fo;
    if (menu) limpa_arquivo("SAsaida.txt");
    clock_t tempo_inicio = relogio_cpu();
    if (menu) {
        grava_arquivo("SAsaida.txt", segundos_desde(tempo_inicio), fo_star, 0);
        mostra_melhor(fo_star, temperatura);
    }
    anota(acompanhamento, "inicio", 0, fo, fo_star, temperatura, SEM_VALOR);

    VizinhancaTroca vizinhanca;
    cria_troca(n, s, d, TROCAS_AVULSAS, &vizinhanca);
    while (temperatura > Tf) {
        if (deve_parar(acompanhamento)) break;
        for (int iter = 0; iter < SAmax; iter++) {
            int i, j;
            sorteia_par(n, &i, &j);
            float delta = variacao_troca(avalia_troca(&vizinhanca, i, j));
            if (delta < 0.0f) {
                aplica_troca(&vizinhanca, i, j);
                fo = fo + delta;
                if (fo < fo_star) {
                    fo_star = fo;
                    copia_vetor(s_star, s, n);
                    if (menu) {
                        grava_arquivo("SAsaida.txt", segundos_desde(tempo_inicio), fo_star, 0);
                        mostra_melhor(fo_star, temperatura);
                    }
                }
            } else {
                float r = static_cast<float>(sorteia_real(0.0f, 1.0f));
                if (aceita_piora(delta, temperatura, r)) {
                    aplica_troca(&vizinhanca, i, j);
                    fo = fo + delta;
                }
            }
        }
        if (!menu) {
            acompanhamento->iteracoes++;
            anota(acompanhamento, "nivel", acompanhamento->iteracoes, fo, fo_star, temperatura,
                  SEM_VALOR);
        }
        temperatura = taxa_resfriamento * temperatura;
    }

    libera_troca(&vizinhanca);
    copia_vetor(s, s_star, n);
    libera_vetor(s_star);
    if (menu) grava_arquivo("SAsaida.txt", segundos_desde(tempo_inicio), fo_star, 0);
    anota(acompanhamento, "fim", menu ? 0 : acompanhamento->iteracoes, fo_star, fo_star);
    return fo_star;
}
