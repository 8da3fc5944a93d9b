#include "busca_local/descida_parcial.h"

#include <ctime>

#include "busca_local/descida_vizinhanca.h"
#include "busca_local/vizinhanca_2opt_oropt.h"
#include "busca_local/vizinhanca_troca.h"
#include "nucleo/acompanhamento.h"
#include "nucleo/alocacao.h"
#include "nucleo/arquivo_saida.h"
#include "nucleo/plataforma.h"
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

float descida_parcial_2opt_oropt(int n, int* s, float** d, int num_posicoes, int tipo,
                                 Acompanhamento* acompanhamento) {
    float fo = calcula_fo(n, s, d);
    anota(acompanhamento, "inicio", 0, fo, fo);
    int primeira = s[0];
    Vizinhanca2optOropt vizinhanca;
    cria_2opt_oropt(n, s, d, tipo, nullptr, &vizinhanca);
    int* posicoes = cria_vetor_int(n);
    long long amostras = 0;
    while (!deve_parar(acompanhamento)) {
        amostras++;
        sorteia_amostra(n, posicoes);
        Movimento m;
        double delta;
        if (!melhor_2opt_oropt_amostra(&vizinhanca, posicoes, num_posicoes, &m, &delta)) break;
        aplica_2opt_oropt(&vizinhanca, m);
        anota_melhora_medida(acompanhamento, amostras, &vizinhanca);
    }
    libera_vetor(posicoes);
    return termina_descida(&vizinhanca, primeira, amostras, acompanhamento);
}

}  // namespace

void sorteia_amostra(int n, int* posicoes) {
    for (int k = 0; k < n; k++) posicoes[k] = k;
    embaralha_vetor(posicoes, n);
}

float descida_parcial(int n, int* s, float** d, float percentual, Acompanhamento* acompanhamento,
                      int tipo_vizinhanca) {
    bool menu = no_menu(acompanhamento);
    int num_posicoes = tamanho_amostra(n, percentual);
    if (tipo_vizinhanca != 0 && n >= 5)
        return descida_parcial_2opt_oropt(n, s, d, num_posicoes, tipo_vizinhanca, acompanhamento);
    float fo = calcula_fo(n, s, d);
    if (menu) limpa_arquivo("Descida.txt");
    clock_t tempo_inicio = relogio_cpu();
    if (menu) grava_arquivo("Descidaparcialsaida.txt", segundos_desde(tempo_inicio), fo, 0);
    anota(acompanhamento, "inicio", 0, fo, fo);

    VizinhancaTroca vizinhanca;
    cria_troca(n, s, d, AMOSTRAS, &vizinhanca);
    int* posicoes = cria_vetor_int(n);
    while (!deve_parar(acompanhamento)) {
        if (!menu) acompanhamento->iteracoes++;
        sorteia_amostra(n, posicoes);
        Troca melhor = melhor_troca_amostra(&vizinhanca, fo, posicoes, num_posicoes);
        if (melhor.i < 0) break;
        aplica_troca(&vizinhanca, melhor.i, melhor.j);
        fo = melhor.valor;
        if (menu) grava_arquivo("Descidaparcialsaida.txt", segundos_desde(tempo_inicio), fo, 0);
        else anota(acompanhamento, "melhora", acompanhamento->iteracoes, fo, fo);
    }
    libera_vetor(posicoes);
    libera_troca(&vizinhanca);

    if (menu) grava_arquivo("Descidaparcialsaida.txt", segundos_desde(tempo_inicio), fo, 0);
    anota(acompanhamento, "fim", menu ? 0 : acompanhamento->iteracoes, fo, fo);
    return fo;
}
