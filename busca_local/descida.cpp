#include "busca_local/descida.h"

#include <ctime>

#include "busca_local/soma_arestas.h"
#include "nucleo/arquivo_saida.h"
#include "nucleo/relatorio.h"
#include "nucleo/solucao.h"
#include "nucleo/vetores.h"

float melhor_vizinho(int n, int* s, float** d, float fo, int* melhor_i, int* melhor_j) {
    float fo_melhor = fo;
    for (int i = 0; i < n - 1; i++) {
        for (int j = i + 1; j < n; j++) {
            float custo_antes, custo_depois;
            mede_troca(n, s, d, i, j, &custo_antes, &custo_depois);
            float fo_viz = valor_vizinho(fo, custo_antes, custo_depois);
            if (fo_viz < fo_melhor) {
                *melhor_i = i;
                *melhor_j = j;
                fo_melhor = fo_viz;
            }
            troca_posicoes(s, i, j);
        }
    }
    return fo_melhor;
}

float descida(int n, int* s, float** d) {
    float fo = calcula_fo(n, s, d);
    limpa_arquivo("Descida.txt");
    clock_t tempo_inicio = clock();
    grava_arquivo("Descidasaida.txt", segundos_desde(tempo_inicio), fo, 0);

    bool melhorou;
    do {
        melhorou = false;
        int melhor_i = 0, melhor_j = 0;
        float fo_viz = melhor_vizinho(n, s, d, fo, &melhor_i, &melhor_j);
        if (fo_viz < fo) {
            troca_posicoes(s, melhor_i, melhor_j);
            fo = fo_viz;
            melhorou = true;
            grava_arquivo("Descidasaida.txt", segundos_desde(tempo_inicio), fo, 0);
        }
    } while (melhorou);

    grava_arquivo("Descidasaida.txt", segundos_desde(tempo_inicio), fo, 0);
    return fo;
}
