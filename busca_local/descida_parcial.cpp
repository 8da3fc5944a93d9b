#include "busca_local/descida_parcial.h"

#include <ctime>

#include "busca_local/soma_arestas.h"
#include "busca_local/varredura.h"
#include "nucleo/acompanhamento.h"
#include "nucleo/alocacao.h"
#include "nucleo/arquivo_saida.h"
#include "nucleo/plataforma.h"
#include "nucleo/relatorio.h"
#include "nucleo/solucao.h"
#include "nucleo/vetores.h"

namespace {

// Sample size from the percentage: truncated first, then (p * n) / 100 in
// integers. Out-of-range percentages are clamped so the sample fits in s.
int tamanho_amostra(int n, float percentual) {
    if (!(percentual > 0.0f)) return 0;
    if (percentual >= 100.0f) return n;
    return (static_cast<int>(percentual) * n) / 100;
}

}  // namespace

float melhor_vizinho_parcial(int n, int* s, float** d, float fo, int* melhor_i, int* melhor_j,
                             int num_posicoes, bool simetrica, const float* arestas) {
    float fo_melhor = fo;
    int* posicoes = cria_vetor_int(n);
    for (int k = 0; k < n; k++) posicoes[k] = k;
    embaralha_vetor(posicoes, n);

    // Only a pair that could come out below fo_melhor needs the protocol's value.
    varre_trocas_amostra(
        n, s, d, fo, simetrica, posicoes, num_posicoes, arestas, [&] { return fo_melhor; },
        [&](int i, int j, float fo_viz) {
            if (fo_viz < fo_melhor) {
                *melhor_i = i;
                *melhor_j = j;
                fo_melhor = fo_viz;
            }
        });
    libera_vetor(posicoes);
    return fo_melhor;
}

float melhor_vizinho_parcial(int n, int* s, float** d, float fo, int* melhor_i, int* melhor_j,
                             int num_posicoes) {
    return melhor_vizinho_parcial(n, s, d, fo, melhor_i, melhor_j, num_posicoes,
                                  matriz_simetrica(n, d), nullptr);
}

float descida_parcial(int n, int* s, float** d, float percentual, Acompanhamento* acompanhamento) {
    bool menu = no_menu(acompanhamento);
    int num_posicoes = tamanho_amostra(n, percentual);
    float fo = calcula_fo(n, s, d);
    if (menu) limpa_arquivo("Descida.txt");
    clock_t tempo_inicio = relogio_cpu();
    if (menu) grava_arquivo("Descidaparcialsaida.txt", segundos_desde(tempo_inicio), fo, 0);
    anota(acompanhamento, "inicio", 0, fo, fo);

    bool simetrica = matriz_simetrica(n, d);  // d does not change during the descent
    float* arestas = cria_vetor_float(n);     // the tour's edges, kept from scan to scan
    calcula_arestas(n, s, d, arestas);
    bool melhorou;
    do {
        melhorou = false;
        if (deve_parar(acompanhamento)) break;
        if (!menu) acompanhamento->iteracoes++;
        int melhor_i = 0, melhor_j = 0;
        float fo_viz = melhor_vizinho_parcial(n, s, d, fo, &melhor_i, &melhor_j, num_posicoes,
                                              simetrica, arestas);
        if (fo_viz < fo) {
            troca_posicoes(s, melhor_i, melhor_j);
            renova_arestas(n, s, d, arestas, melhor_i, melhor_j);
            fo = fo_viz;
            melhorou = true;
            if (menu) grava_arquivo("Descidaparcialsaida.txt", segundos_desde(tempo_inicio), fo, 0);
            else anota(acompanhamento, "melhora", acompanhamento->iteracoes, fo, fo);
        }
    } while (melhorou);

    if (menu) grava_arquivo("Descidaparcialsaida.txt", segundos_desde(tempo_inicio), fo, 0);
    anota(acompanhamento, "fim", menu ? 0 : acompanhamento->iteracoes, fo, fo);
    libera_vetor(arestas);
    return fo;
}
