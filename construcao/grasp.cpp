#include "construcao/grasp.h"

#include <cstdio>

#include "busca_local/descida.h"
#include "busca_local/descida_vizinhanca.h"
#include "busca_local/vizinhos_proximos.h"
#include "construcao/constroi_insercao_mais_barata_parcial.h"
#include "construcao/constroi_vizinho_mais_proximo_parcial.h"
#include "construcao/insercao.h"
#include "nucleo/acompanhamento.h"
#include "nucleo/alocacao.h"
#include "nucleo/formato.h"
#include "nucleo/solucao.h"
#include "nucleo/vetores.h"

namespace {
const int METODO_VIZINHO_MAIS_PROXIMO = 1;
const int METODO_INSERCAO_MAIS_BARATA = 2;
}  // namespace

float grasp(int n, int* s, float** d, float alfa, int iter_max, int metodo,
            Acompanhamento* acompanhamento, int vizinhanca, int vizinhos) {
    if (iter_max < 1 ||
        (metodo != METODO_VIZINHO_MAIS_PROXIMO && metodo != METODO_INSERCAO_MAIS_BARATA))
        return calcula_fo(n, s, d);
    if (metodo == METODO_INSERCAO_MAIS_BARATA && !insercao_possivel(n)) return calcula_fo(n, s, d);

    int* s_star = cria_vetor_int(n);
    float fo_star = SENTINELA_2_31;
    Acompanhamento interno;
    Acompanhamento* da_descida = acompanhamento_interno(acompanhamento, &interno);
    VizinhosProximos listas;
    bool com_listas = vizinhanca != 0 && vizinhos > 0 && n >= 2;
    if (com_listas) cria_vizinhos_proximos(n, d, vizinhos, &listas);
    for (int iteracao = 1; iteracao <= iter_max; iteracao++) {
        // The first iteration always runs, so s_star holds a tour.
        if (iteracao > 1 && deve_parar(acompanhamento)) break;
        if (metodo == METODO_VIZINHO_MAIS_PROXIMO)
            constroi_vizinho_mais_proximo_parcial(n, s, d, alfa);
        else constroi_insercao_mais_barata_parcial(n, s, d, alfa);
        float fo = vizinhanca == 0 ? descida(n, s, d, da_descida)
                                   : descida_com_listas(n, s, d, vizinhanca,
                                                        com_listas ? &listas : nullptr, da_descida);
        // The first iteration is always kept, so s_star holds a tour even if
        // no value comes out below the starting 2^31.
        if (fo < fo_star || iteracao == 1) {
            fo_star = fo;
            copia_vetor(s_star, s, n);
            if (no_menu(acompanhamento))
                printf("Iteracao GRASP = %3d \t  fo_star = %s \n", iteracao,
                       texto_real(fo_star, 8, 2).texto);
        }
        if (acompanhamento != nullptr) {
            acompanhamento->iteracoes = iteracao;
            anota(acompanhamento, "iteracao", iteracao, fo, fo_star);
        }
        if (parou_dentro(acompanhamento, da_descida)) break;
    }
    if (acompanhamento != nullptr)
        anota(acompanhamento, "fim", acompanhamento->iteracoes, fo_star, fo_star);
    copia_vetor(s, s_star, n);
    libera_vetor(s_star);
    if (com_listas) libera_vizinhos_proximos(&listas);
    return fo_star;
}
