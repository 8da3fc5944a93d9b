#include "simulated_annealing/temperatura_inicial.h"

#include <cstdio>

#include "busca_local/vizinhanca_2opt_oropt.h"
#include "busca_local/vizinhanca_troca.h"
#include "nucleo/aleatorio.h"
#include "nucleo/vetores.h"
#include "simulated_annealing/aceitacao.h"

float temperatura_inicial(int n, int* s, float** d, float taxa_aquecimento, float taxa_aceitacao,
                          int SAmax, int tipo_vizinhanca) {
    float temperatura = 10.0f;
    if (SAmax <= 0) return temperatura;  // no trial: a threshold of 0 or less is met at once
    if (n < 2) {
        printf("\nTemperatura inicial: sao necessarias ao menos duas cidades.\n");
        return temperatura;
    }
    // Above 1 the share can never be reached; a factor of 1 or less never heats.
    if (!(taxa_aquecimento > 1.0f) || !(taxa_aceitacao <= 1.0f)) {
        printf("\nTemperatura inicial: taxa de aquecimento deve ser maior que 1 e taxa de "
               "aceitacao no maximo 1.\n");
        return temperatura;
    }

    // Exact in the x87 format (31 by 24 bits), so the count is compared with
    // the product itself.
    real_x87 minimo_aceitos = x87_multiplica(x87_de_int(SAmax), x87_de_float(taxa_aceitacao));
    if (tipo_vizinhanca != 0 && n >= 5) {
        Vizinhanca2optOropt outra;
        cria_2opt_oropt(n, s, d, tipo_vizinhanca, nullptr, &outra);
        for (;;) {
            int aceitos = 0;
            for (int t = 0; t < SAmax; t++) {
                double removidas;
                double delta = avalia_2opt_oropt(&outra, sorteia_2opt_oropt(&outra), &removidas);
                if (delta < 0.0 || aceita_piora_double(delta, temperatura,
                                                       static_cast<float>(sorteia_real(0.0f, 1.0f))))
                    aceitos++;
            }
            if (x87_compara(minimo_aceitos, aceitos) <= 0) break;
            temperatura = taxa_aquecimento * temperatura;
        }
        libera_2opt_oropt(&outra);
        return temperatura;
    }
    VizinhancaTroca vizinhanca;
    cria_troca(n, s, d, TROCAS_AVULSAS, &vizinhanca);
    for (;;) {
        int aceitos = 0;
        for (int t = 0; t < SAmax; t++) {
            int i, j;
            sorteia_par(n, &i, &j);
            float delta = variacao_troca(avalia_troca(&vizinhanca, i, j));
            if (delta < 0.0f) {
                aceitos++;
            } else {
                float r = static_cast<float>(sorteia_real(0.0f, 1.0f));
                if (aceita_piora(delta, temperatura, r)) aceitos++;
            }
        }
        if (x87_compara(minimo_aceitos, aceitos) <= 0) break;
        temperatura = taxa_aquecimento * temperatura;
    }
    libera_troca(&vizinhanca);
    return temperatura;
}
