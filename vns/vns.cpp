#include "vns/vns.h"

#include <cstdio>

#include "busca_local/descida.h"
#include "nucleo/alocacao.h"
#include "nucleo/formato.h"
#include "nucleo/solucao.h"
#include "nucleo/vetores.h"
#include "vns/perturbacao.h"

namespace {

void mostra_iteracao(int iter, float fo_star) {
    printf("Iteracao VNS = %3d \t  fo_star = %s \n", iter, texto_real(fo_star, 10, 4).texto);
}

}  // namespace

float vns(int n, int* s, float** d, int vns_max, int r) {
    if (n < 2) {
        printf("\nVNS: sao necessarias ao menos duas cidades.\n");
        return calcula_fo(n, s, d);
    }
    int* s_linha = cria_vetor_int(n);
    float fo_star = calcula_fo(n, s, d);
    mostra_iteracao(0, fo_star);

    int iter = 0;
    while (iter < vns_max) {
        iter++;
        int k = 1;
        while (k <= r) {
            copia_vetor(s_linha, s, n);
            perturbacao(n, s_linha, k);
            float fo_linha = descida(n, s_linha, d);
            if (fo_linha < fo_star) {
                fo_star = fo_linha;
                copia_vetor(s, s_linha, n);
                mostra_iteracao(iter, fo_star);
                k = 1;
            } else {
                k++;
            }
        }
    }
    libera_vetor(s_linha);
    return fo_star;
}
