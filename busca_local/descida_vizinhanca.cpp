#include "busca_local/descida_vizinhanca.h"

#include "busca_local/vizinhanca_2opt_oropt.h"
#include "busca_local/vizinhos_proximos.h"
#include "nucleo/acompanhamento.h"
#include "nucleo/solucao.h"

void anota_melhora_medida(Acompanhamento* acompanhamento, long long iteracao,
                          const Vizinhanca2optOropt* v) {
    if (acompanhamento == nullptr || acompanhamento->traco == nullptr) return;
    float atual = calcula_fo(v->n, v->s, v->d);
    anota(acompanhamento, "melhora", iteracao, atual, atual);
}

float termina_descida(Vizinhanca2optOropt* v, int primeira, long long iteracoes,
                      Acompanhamento* acompanhamento) {
    int n = v->n;
    int* s = v->s;
    float** d = v->d;
    libera_2opt_oropt(v);
    // The moves rotate the array: the tour starts again at the city it started
    // at (0 after a construction), so it is measured and printed from there.
    comeca_em(n, s, primeira);
    float fo = calcula_fo(n, s, d);
    if (acompanhamento != nullptr) acompanhamento->iteracoes = iteracoes;
    anota(acompanhamento, "fim", iteracoes, fo, fo);
    return fo;
}

float descida_com_listas(int n, int* s, float** d, int tipo, const VizinhosProximos* listas,
                         Acompanhamento* acompanhamento) {
    if (n < 1) return 0.0f;
    float fo = calcula_fo(n, s, d);
    anota(acompanhamento, "inicio", 0, fo, fo);
    int primeira = s[0];
    Vizinhanca2optOropt v;
    cria_2opt_oropt(n, s, d, tipo, listas, &v);
    long long aplicados = 0;
    for (;;) {
        // A fast move costs less than a reading of the clock.
        if ((listas == nullptr || aplicados % 128 == 0) && deve_parar(acompanhamento)) break;
        Movimento m;
        double delta;
        bool achou = listas != nullptr ? primeiro_2opt_oropt(&v, &m, &delta)
                                       : melhor_2opt_oropt(&v, &m, &delta);
        if (!achou) break;
        aplica_2opt_oropt(&v, m);
        aplicados++;
        anota_melhora_medida(acompanhamento, aplicados, &v);
    }
    return termina_descida(&v, primeira, aplicados, acompanhamento);
}

float descida_vizinhanca(int n, int* s, float** d, int tipo, int vizinhos,
                         Acompanhamento* acompanhamento) {
    if (vizinhos <= 0 || n < 2) return descida_com_listas(n, s, d, tipo, nullptr, acompanhamento);
    VizinhosProximos listas;
    cria_vizinhos_proximos(n, d, vizinhos, &listas);
    float fo = descida_com_listas(n, s, d, tipo, &listas, acompanhamento);
    libera_vizinhos_proximos(&listas);
    return fo;
}
