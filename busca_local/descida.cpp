#include "busca_local/descida.h"

#include <ctime>

#include "busca_local/cotas_linhas.h"
#include "busca_local/soma_arestas.h"
#include "busca_local/varredura.h"
#include "nucleo/acompanhamento.h"
#include "nucleo/arquivo_saida.h"
#include "nucleo/plataforma.h"
#include "nucleo/relatorio.h"
#include "nucleo/solucao.h"
#include "nucleo/vetores.h"

float melhor_vizinho(int n, int* s, float** d, float fo, int* melhor_i, int* melhor_j,
                     bool simetrica) {
    float fo_melhor = fo;
    // Only a pair that could come out below fo_melhor needs the protocol's value.
    Marcas nenhuma = {nullptr, nullptr, 0};
    varre_trocas(
        n, s, d, fo, simetrica, nenhuma, [&] { return fo_melhor; },
        [&](int i, int j, float fo_viz) {
            if (fo_viz < fo_melhor) {
                *melhor_i = i;
                *melhor_j = j;
                fo_melhor = fo_viz;
            }
        });
    return fo_melhor;
}

float melhor_vizinho(int n, int* s, float** d, float fo, int* melhor_i, int* melhor_j) {
    return melhor_vizinho(n, s, d, fo, melhor_i, melhor_j, matriz_simetrica(n, d));
}

float descida(int n, int* s, float** d, Acompanhamento* acompanhamento) {
    bool menu = no_menu(acompanhamento);
    float fo = calcula_fo(n, s, d);
    if (menu) limpa_arquivo("Descida.txt");
    clock_t tempo_inicio = relogio_cpu();
    if (menu) grava_arquivo("Descidasaida.txt", segundos_desde(tempo_inicio), fo, 0);
    anota(acompanhamento, "inicio", 0, fo, fo);

    // d does not change during the descent: the bounds of the rows carry from one
    // scan to the next, and without them the symmetry is checked once
    CotasLinhas cotas;
    bool com_cotas = cria_cotas(n, s, d, &cotas);
    bool simetrica = com_cotas || matriz_simetrica(n, d);
    bool melhorou;
    do {
        melhorou = false;
        if (deve_parar(acompanhamento)) break;
        int melhor_i = 0, melhor_j = 0;
        float fo_viz = com_cotas ? melhor_vizinho_cotas(&cotas, s, d, fo, &melhor_i, &melhor_j)
                                 : melhor_vizinho(n, s, d, fo, &melhor_i, &melhor_j, simetrica);
        if (fo_viz < fo) {
            troca_posicoes(s, melhor_i, melhor_j);
            if (com_cotas) atualiza_cotas(&cotas, s, d, melhor_i, melhor_j);
            fo = fo_viz;
            melhorou = true;
            if (menu) {
                grava_arquivo("Descidasaida.txt", segundos_desde(tempo_inicio), fo, 0);
            } else {
                acompanhamento->iteracoes++;
                anota(acompanhamento, "melhora", acompanhamento->iteracoes, fo, fo);
            }
        }
    } while (melhorou);

    if (menu) grava_arquivo("Descidasaida.txt", segundos_desde(tempo_inicio), fo, 0);
    anota(acompanhamento, "fim", menu ? 0 : acompanhamento->iteracoes, fo, fo);
    if (com_cotas) libera_cotas(&cotas);
    return fo;
}
