#include "busca_local/descida_randomica.h"

#include <cstdio>

#include "busca_local/descida_vizinhanca.h"
#include "busca_local/vizinhanca_2opt_oropt.h"
#include "busca_local/vizinhanca_troca.h"
#include "nucleo/acompanhamento.h"
#include "nucleo/ajustes.h"
#include "nucleo/aleatorio.h"
#include "nucleo/solucao.h"

namespace {

float descida_randomica_2opt_oropt(int n, int* s, float** d, int max_sem_melhora, int tipo,
                                   Acompanhamento* acompanhamento) {
    float fo = calcula_fo(n, s, d);
    anota(acompanhamento, "inicio", 0, fo, fo);
    int primeira = s[0];
    Vizinhanca2optOropt vizinhanca;
    cria_2opt_oropt(n, s, d, tipo, nullptr, &vizinhanca);
    int sem_melhora = 0;
    long long sorteios = 0;
    do {
        if (sorteios % SORTEIOS_POR_CONSULTA == 0 && deve_parar(acompanhamento)) break;
        sorteios++;
        sem_melhora++;
        Movimento m = sorteia_2opt_oropt(&vizinhanca);
        double removidas;
        if (melhora(avalia_2opt_oropt(&vizinhanca, m, &removidas), removidas)) {
            aplica_2opt_oropt(&vizinhanca, m);
            sem_melhora = 0;
            anota_melhora_medida(acompanhamento, sorteios, &vizinhanca);
        }
    } while (sem_melhora < max_sem_melhora);
    return termina_descida(&vizinhanca, primeira, sorteios, acompanhamento);
}

}  // namespace

float descida_randomica(int n, int* s, float** d, int max_sem_melhora,
                        Acompanhamento* acompanhamento, int tipo_vizinhanca) {
    if (tipo_vizinhanca != 0 && n >= 5)
        return descida_randomica_2opt_oropt(n, s, d, max_sem_melhora, tipo_vizinhanca, acompanhamento);
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
