#include "simulated_annealing/simulated_annealing.h"

#include <cmath>
#include <cstdio>
#include <ctime>

#include "busca_local/vizinhanca_2opt_oropt.h"
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

float annealing_2opt_oropt(int n, int* s, float** d, float taxa_resfriamento, float T0, float Tf,
                           int SAmax, int tipo, Acompanhamento* acompanhamento) {
    int primeira = s[0];
    int* s_star = cria_vetor_int(n);
    copia_vetor(s_star, s, n);
    float temperatura = T0;
    double fo = calcula_fo(n, s, d);
    double fo_star = fo;
    anota(acompanhamento, "inicio", 0, static_cast<float>(fo), static_cast<float>(fo_star),
          temperatura, SEM_VALOR);
    Vizinhanca2optOropt vizinhanca;
    cria_2opt_oropt(n, s, d, tipo, nullptr, &vizinhanca);
    while (temperatura > Tf) {
        if (deve_parar(acompanhamento)) break;
        for (int iter = 0; iter < SAmax; iter++) {
            Movimento m = sorteia_2opt_oropt(&vizinhanca);
            double removidas;
            double delta = avalia_2opt_oropt(&vizinhanca, m, &removidas);
            if (delta < 0.0) {
                aplica_2opt_oropt(&vizinhanca, m);
                fo += delta;
                // a new best by more than rounding: the copy costs n
                if (melhora(fo - fo_star, fo_star)) {
                    fo_star = fo;
                    copia_vetor(s_star, s, n);
                }
            } else if (aceita_piora_double(delta, temperatura,
                                           static_cast<float>(sorteia_real(0.0f, 1.0f)))) {
                aplica_2opt_oropt(&vizinhanca, m);
                fo += delta;
            }
        }
        if (acompanhamento != nullptr) {
            acompanhamento->iteracoes++;
            anota(acompanhamento, "nivel", acompanhamento->iteracoes, static_cast<float>(fo),
                  static_cast<float>(fo_star), temperatura, SEM_VALOR);
        }
        temperatura = taxa_resfriamento * temperatura;
    }
    libera_2opt_oropt(&vizinhanca);
    copia_vetor(s, s_star, n);
    libera_vetor(s_star);
    comeca_em(n, s, primeira);
    float medido = calcula_fo(n, s, d);
    anota(acompanhamento, "fim", acompanhamento != nullptr ? acompanhamento->iteracoes : 0, medido,
          medido);
    return medido;
}

}  // namespace

float simulated_annealing(int n, int* s, float** d, float taxa_resfriamento, float T0, float Tf,
                          int SAmax, Acompanhamento* acompanhamento, int tipo_vizinhanca) {
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
    if (tipo_vizinhanca != 0 && n >= 5)
        return annealing_2opt_oropt(n, s, d, taxa_resfriamento, T0, Tf, SAmax, tipo_vizinhanca,
                                    acompanhamento);

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
