#include "busca_local/descida_randomica.h"

#include <cstdio>

#include "busca_local/vizinhanca_troca.h"
#include "nucleo/acompanhamento.h"
#include "nucleo/ajustes.h"
#include "nucleo/aleatorio.h"
#include "nucleo/solucao.h"

float descida_randomica(int n, int* s, float** d, int max_sem_melhora,
                        Acompanhamento* acompanhamento) {
    float fo = calcula_fo(n, s, d);
    if (n < 2) {
        if (no_menu(acompanhamento))
            printf("\nDescida randomica: sao necessarias ao menos duas cidades.\n");
        return fo;
    }
    VizinhancaTroca vizinhanca;
    cria_troca(n, s, d, TROCAS_AVULSAS, &vizinhanca);
    int sem_melhora = 0;
    long long sorteios = 0;
    anota(acompanhamento, "inicio", 0, fo, fo);
    do {
        if (acompanhamento != nullptr && sorteios % SORTEIOS_POR_CONSULTA == 0 &&
            deve_parar(acompanhamento))
            break;
        sorteios++;
        sem_melhora++;
        int i, j;
        sorteia_par(n, &i, &j);
        float fo_viz = valor_troca(fo, avalia_troca(&vizinhanca, i, j));
        if (fo_viz < fo) {
            aplica_troca(&vizinhanca, i, j);
            fo = fo_viz;
            sem_melhora = 0;
            anota(acompanhamento, "melhora", sorteios, fo, fo);
        }
    } while (sem_melhora < max_sem_melhora);
    if (acompanhamento != nullptr) acompanhamento->iteracoes = sorteios;
    anota(acompanhamento, "fim", sorteios, fo, fo);
    libera_troca(&vizinhanca);
    return fo;
}
