#include "busca_local/descida.h"

#include <ctime>

#include "busca_local/vizinhanca_troca.h"
#include "nucleo/acompanhamento.h"
#include "nucleo/arquivo_saida.h"
#include "nucleo/plataforma.h"
#include "nucleo/solucao.h"

float descida(int n, int* s, float** d, Acompanhamento* acompanhamento) {
    bool menu = no_menu(acompanhamento);
    float fo = calcula_fo(n, s, d);
    if (menu) limpa_arquivo("Descida.txt");
    clock_t tempo_inicio = relogio_cpu();
    if (menu) grava_arquivo("Descidasaida.txt", segundos_desde(tempo_inicio), fo, 0);
    anota(acompanhamento, "inicio", 0, fo, fo);

    VizinhancaTroca vizinhanca;
    cria_troca(n, s, d, VARREDURAS, &vizinhanca);
    while (!deve_parar(acompanhamento)) {
        Troca melhor = melhor_troca(&vizinhanca, fo, fo);
        if (melhor.i < 0) break;
        aplica_troca(&vizinhanca, melhor.i, melhor.j);
        fo = melhor.valor;
        if (menu) {
            grava_arquivo("Descidasaida.txt", segundos_desde(tempo_inicio), fo, 0);
        } else {
            acompanhamento->iteracoes++;
            anota(acompanhamento, "melhora", acompanhamento->iteracoes, fo, fo);
        }
    }
    libera_troca(&vizinhanca);

    if (menu) grava_arquivo("Descidasaida.txt", segundos_desde(tempo_inicio), fo, 0);
    anota(acompanhamento, "fim", menu ? 0 : acompanhamento->iteracoes, fo, fo);
    return fo;
}
