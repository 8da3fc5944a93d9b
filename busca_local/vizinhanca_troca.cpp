#include "busca_local/vizinhanca_troca.h"

#include <cmath>

#include "busca_local/varredura.h"
#include "nucleo/alocacao.h"

void cria_troca(int n, int* s, float** d, UsoTroca uso, VizinhancaTroca* v) {
    v->n = n;
    v->s = s;
    v->d = d;
    v->com_cotas = uso == VARREDURAS && cria_cotas(n, s, d, &v->cotas);
    v->simetrica = v->com_cotas || (uso != TROCAS_AVULSAS && matriz_simetrica(n, d));
    if (v->com_cotas) {
        v->arestas = v->cotas.arestas;
    } else {
        v->arestas = cria_vetor_float(n);
        calcula_arestas(n, s, d, v->arestas);
    }
}

void libera_troca(VizinhancaTroca* v) {
    if (v->com_cotas) libera_cotas(&v->cotas);
    else libera_vetor(v->arestas);
}

namespace {

// The choice of the searches, from every pair the scan hands it.
struct Escolha {
    Troca melhor;
    const Marcas& marcas;
    float aspiracao;
    void operator()(int i, int j, float fo_viz) {
        if (!(fo_viz < melhor.valor)) return;
        if (marcas.quantas > 0 && marcado(marcas, i, j) && !(fo_viz < aspiracao)) return;
        melhor = {i, j, fo_viz};
    }
};

// The protocol on the tour as it is, without the kept edges.
float valor_pelo_protocolo(VizinhancaTroca* v, float fo, int i, int j) {
    float antes, depois;
    mede_troca(v->n, v->s, v->d, i, j, &antes, &depois);
    return valor_vizinho(fo, antes, depois);
}

}  // namespace

Troca melhor_troca(VizinhancaTroca* v, float fo, float limite, const Marcas& marcas,
                       float aspiracao) {
    Escolha escolha{{-1, -1, limite}, marcas, aspiracao};
    auto ate_aqui = [&] { return escolha.melhor.valor; };
    if (!v->com_cotas) {
        varre_trocas(v->n, v->s, v->d, fo, v->simetrica, v->arestas, marcas, ate_aqui,
                     [&](int i, int j, float fo_viz) { escolha(i, j, fo_viz); });
        return escolha.melhor;
    }
    // When the pair of the least bound is admissible, the choice cannot exceed
    // its value v0: the rows whose values all lie above v0 are skipped, but for
    // their marked pairs. The bound holds before the protocol's last rounding to
    // a float, so a row whose bound reaches the float after v0 has every value
    // above v0.
    int i0, j0;
    float v0 = valor_da_menor_cota(&v->cotas, v->s, v->d, fo, &i0, &j0);
    bool admissivel = !marcado(marcas, i0, j0) || v0 < aspiracao;
    float teto = admissivel ? std::nextafter(v0, HUGE_VALF) : HUGE_VALF;
    auto protocolo = [&](int i, int j) { avalia_protocolo(v->n, v->s, v->d, fo, i, j, escolha); };
    varre_linhas_cotadas(&v->cotas, v->s, v->d, fo, teto, marcas, ate_aqui, protocolo);
    return escolha.melhor;
}

Troca melhor_troca_simples(VizinhancaTroca* v, float fo, float limite, const Marcas& marcas,
                               float aspiracao) {
    Escolha escolha{{-1, -1, limite}, marcas, aspiracao};
    for (int i = 0; i < v->n - 1; i++)
        for (int j = i + 1; j < v->n; j++) escolha(i, j, valor_pelo_protocolo(v, fo, i, j));
    return escolha.melhor;
}

Troca melhor_troca_amostra(VizinhancaTroca* v, float fo, const int* posicoes, int m) {
    Escolha escolha{{-1, -1, fo}, SEM_MARCAS, 0.0f};
    varre_trocas_amostra(v->n, v->s, v->d, fo, v->simetrica, posicoes, m, v->arestas,
                         [&] { return escolha.melhor.valor; },
                         [&](int i, int j, float fo_viz) { escolha(i, j, fo_viz); });
    return escolha.melhor;
}

Troca melhor_troca_amostra_simples(VizinhancaTroca* v, float fo, const int* posicoes, int m) {
    Escolha escolha{{-1, -1, fo}, SEM_MARCAS, 0.0f};
    for (int a = 0; a < m - 1; a++)
        for (int b = a + 1; b < m; b++)
            escolha(posicoes[a], posicoes[b], valor_pelo_protocolo(v, fo, posicoes[a], posicoes[b]));
    return escolha.melhor;
}
