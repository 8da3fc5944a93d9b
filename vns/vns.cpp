#include "vns/vns.h"

#include <cstdio>

#include "busca_local/descida.h"
#include "busca_local/descida_vizinhanca.h"
#include "busca_local/vizinhanca_2opt_oropt.h"
#include "busca_local/vizinhos_proximos.h"
#include "nucleo/acompanhamento.h"
#include "nucleo/alocacao.h"
#include "nucleo/formato.h"
#include "nucleo/solucao.h"
#include "nucleo/vetores.h"
#include "vns/perturbacao.h"

namespace {

void mostra_iteracao(int iter, float fo_star) {
    printf("Iteracao VNS = %3d \t  fo_star = %s \n", iter, texto_real(fo_star, 10, 4).texto);
}

// k random moves of the neighbourhood tipo, the tour then turned back to
// start at primeira.
void sacode(int n, int* s, float** d, int tipo, int k, int primeira) {
    Vizinhanca2optOropt vizinhanca;
    cria_2opt_oropt(n, s, d, tipo, nullptr, &vizinhanca);
    for (int t = 0; t < k; t++) aplica_2opt_oropt(&vizinhanca, sorteia_2opt_oropt(&vizinhanca));
    libera_2opt_oropt(&vizinhanca);
    comeca_em(n, s, primeira);
}

}  // namespace

float vns(int n, int* s, float** d, int vns_max, int r, Acompanhamento* acompanhamento,
          int tipo_vizinhanca, int vizinhos) {
    bool menu = no_menu(acompanhamento);
    if (n < 2) {
        if (menu) printf("\nVNS: sao necessarias ao menos duas cidades.\n");
        return calcula_fo(n, s, d);
    }
    // The swap unless another neighbourhood is asked for (the menus never do).
    bool troca = tipo_vizinhanca == 0 || n < 5;
    bool mostra = menu && troca;
    int primeira = s[0];
    bool com_listas = !troca && vizinhos > 0;
    VizinhosProximos listas;
    if (com_listas) cria_vizinhos_proximos(n, d, vizinhos, &listas);
    int* s_linha = cria_vetor_int(n);
    float fo_star = calcula_fo(n, s, d);
    if (mostra) mostra_iteracao(0, fo_star);
    anota(acompanhamento, "inicio", 0, fo_star, fo_star);
    Acompanhamento interno;
    Acompanhamento* da_descida = acompanhamento_interno(acompanhamento, &interno);

    int iter = 0;
    bool parou = false;
    while (iter < vns_max && !parou) {
        iter++;
        int k = 1;
        while (k <= r) {
            if (deve_parar(acompanhamento)) {
                parou = true;
                break;
            }
            copia_vetor(s_linha, s, n);
            if (troca) perturbacao(n, s_linha, k);
            else sacode(n, s_linha, d, tipo_vizinhanca, k, primeira);
            if (!menu && acompanhamento->traco != nullptr)
                anota(acompanhamento, "perturbacao", acompanhamento->iteracoes + 1,
                      calcula_fo(n, s_linha, d), fo_star);
            float fo_linha =
                troca ? descida(n, s_linha, d, da_descida)
                      : descida_com_listas(n, s_linha, d, tipo_vizinhanca,
                                           com_listas ? &listas : nullptr, da_descida);
            if (fo_linha < fo_star) {
                fo_star = fo_linha;
                copia_vetor(s, s_linha, n);
                if (mostra) mostra_iteracao(iter, fo_star);
                k = 1;
            } else {
                k++;
            }
            if (!menu) {
                acompanhamento->iteracoes++;
                anota(acompanhamento, "descida", acompanhamento->iteracoes, fo_linha, fo_star);
            }
            if (parou_dentro(acompanhamento, da_descida)) {
                parou = true;
                break;
            }
        }
    }
    if (!menu) anota(acompanhamento, "fim", acompanhamento->iteracoes, fo_star, fo_star);
    libera_vetor(s_linha);
    if (com_listas) libera_vizinhos_proximos(&listas);
    return fo_star;
}
