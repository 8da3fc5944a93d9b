#include "busca_tabu/busca_tabu.h"

#include <cmath>
#include <cstdio>
#include <ctime>

#include "busca_local/cotas_linhas.h"
#include "busca_local/soma_arestas.h"
#include "busca_local/varredura.h"
#include "nucleo/acompanhamento.h"
#include "nucleo/alocacao.h"
#include "nucleo/arquivo_saida.h"
#include "nucleo/entrada.h"
#include "nucleo/formato.h"
#include "nucleo/plataforma.h"
#include "nucleo/relatorio.h"
#include "nucleo/saida_padrao.h"
#include "nucleo/solucao.h"
#include "nucleo/vetores.h"

namespace {

// The moves of the list in scan order (by first position, then second).
void movimentos_em_ordem(Registro* inicio, int* marca_i, int* marca_j) {
    int k = 0;
    for (Registro* r = inicio; r != nullptr; r = r->prox, k++) {
        int p = k;
        while (p > 0 && (marca_i[p - 1] > r->campo1 ||
                         (marca_i[p - 1] == r->campo1 && marca_j[p - 1] > r->campo2))) {
            marca_i[p] = marca_i[p - 1];
            marca_j[p] = marca_j[p - 1];
            p--;
        }
        marca_i[p] = r->campo1;
        marca_j[p] = r->campo2;
    }
}

}  // namespace

bool movimento_tabu(int i, int j, Registro*& inicio) {
    for (Registro* r = inicio; r != nullptr; r = r->prox)
        if (r->campo1 == i && r->campo2 == j) return true;
    return false;
}

namespace {

// The scan's choice, whichever way the pairs are scanned: varre(marcas, limite,
// escolhe) hands escolhe every tabu pair and every pair that may be below the limit.
template <typename Varre>
float escolhe_vizinho_tabu(int* melhor_i, int* melhor_j, float fo_star, Registro*& inicio,
                           Registro*& fim, bool mostra, Varre varre) {
    float fo_melhor = SENTINELA_2_31;
    // Only a tabu pair can be announced (aspiration), and the list holds few of
    // them: those go through the protocol whatever their value. A free pair
    // matters only below fo_melhor, so the scan skips the others; and the list
    // is walked only for pairs below fo_melhor or fo_star, the only ones whose
    // being tabu changes anything.
    int quantas = tamanho_lista(inicio, fim);
    int* marca_i = cria_vetor_int(quantas);
    int* marca_j = cria_vetor_int(quantas);
    movimentos_em_ordem(inicio, marca_i, marca_j);
    Marcas tabus = {marca_i, marca_j, quantas};
    varre(
        tabus, [&] { return fo_melhor; },
        [&](int i, int j, float fo_viz) {
            if (!(fo_viz < fo_melhor || fo_viz < fo_star)) return;
            bool tabu = movimento_tabu(i, j, inicio);
            bool admissivel = !tabu || fo_viz < fo_star;
            if (tabu && admissivel && mostra) {
                printf("\nAspirando, isto e, realizando o movimento tabu que troca %2d com %2d\n",
                       i, j);
                printf("fo_viz = %s fo_star = %s \n\n", texto_real(fo_viz, 10, 4).texto,
                       texto_real(fo_star, 10, 4).texto);
            }
            if (admissivel && fo_viz < fo_melhor) {
                *melhor_i = i;
                *melhor_j = j;
                fo_melhor = fo_viz;
            }
        });
    libera_vetor(marca_j);
    libera_vetor(marca_i);
    return fo_melhor;
}

}  // namespace

float melhor_vizinho_tabu(int n, int* s, float** d, float fo, int* melhor_i, int* melhor_j,
                          float fo_star, Registro*& inicio, Registro*& fim, bool simetrica,
                          bool mostra) {
    return escolhe_vizinho_tabu(melhor_i, melhor_j, fo_star, inicio, fim, mostra,
                                [&](const Marcas& tabus, auto limite, auto escolhe) {
                                    varre_trocas(n, s, d, fo, simetrica, tabus, limite, escolhe);
                                });
}

float melhor_vizinho_tabu(CotasLinhas* cotas, int* s, float** d, float fo, int* melhor_i,
                          int* melhor_j, float fo_star, Registro*& inicio, Registro*& fim,
                          bool mostra) {
    int n = cotas->n;
    // When the pair of the least bound is admissible, the choice cannot exceed its
    // value v0: the rows whose values all lie above v0 are skipped (but for their
    // tabu pairs).
    int i0, j0;
    float v0 = valor_da_menor_cota(cotas, s, d, fo, &i0, &j0);
    bool admissivel = !movimento_tabu(i0, j0, inicio) || v0 < fo_star;
    float teto = admissivel ? std::nextafter(v0, HUGE_VALF) : HUGE_VALF;
    return escolhe_vizinho_tabu(
        melhor_i, melhor_j, fo_star, inicio, fim, mostra,
        [&](const Marcas& tabus, auto limite, auto escolhe) {
            auto protocolo = [&](int i, int j) { aplica_protocolo(n, s, d, fo, i, j, escolhe); };
            varre_linhas_cotadas(cotas, s, d, fo, teto, tabus, limite, protocolo);
        });
}

float melhor_vizinho_tabu(int n, int* s, float** d, float fo, int* melhor_i, int* melhor_j,
                          float fo_star, Registro*& inicio, Registro*& fim) {
    return melhor_vizinho_tabu(n, s, d, fo, melhor_i, melhor_j, fo_star, inicio, fim,
                               matriz_simetrica(n, d));
}

float busca_tabu(int n, int* s, float** d, int tamanho_lista_tabu, int BTmax,
                 Acompanhamento* acompanhamento) {
    bool menu = no_menu(acompanhamento);
    int iter = 0, melhor_iter = 0;
    int* s_star = cria_vetor_int(n);
    copia_vetor(s_star, s, n);
    float fo = calcula_fo(n, s, d);
    float fo_star = fo;
    float comprimento_star = fo;  // s_star's length measured afresh, not carried
    if (menu) printf("\nIniciando a Busca Tabu com fo = %s\n", texto_real(fo, 8, 2).texto);

    Registro* inicio = nullptr;
    Registro* fim = nullptr;
    clock_t tempo_inicio = relogio_cpu();
    float tempo = 0.0f;
    if (menu) {
        limpa_arquivo("BTsaida.txt");
        limpa_arquivo("BTsaidaMelhorfo.txt");
        tempo = segundos_desde(tempo_inicio);
        grava_arquivo("BTsaida.txt", tempo, fo, iter);
        grava_arquivo("BTsaidaMelhorfo.txt", tempo, fo_star, iter);
    }
    anota(acompanhamento, "inicio", 0, fo, fo_star);

    // d does not change during the search: the bounds of the rows carry from one
    // scan to the next, and without them the symmetry is checked once
    CotasLinhas cotas;
    bool com_cotas = cria_cotas(n, s, d, &cotas);
    bool simetrica = com_cotas || matriz_simetrica(n, d);
    while (iter - melhor_iter < BTmax) {
        if (deve_parar(acompanhamento)) break;
        int melhor_i = -1, melhor_j = -1;
        float fo_viz = com_cotas ? melhor_vizinho_tabu(&cotas, s, d, fo, &melhor_i, &melhor_j,
                                                       fo_star, inicio, fim, menu)
                                 : melhor_vizinho_tabu(n, s, d, fo, &melhor_i, &melhor_j, fo_star,
                                                       inicio, fim, simetrica, menu);
        if (melhor_i < 0) break;  // every swap is tabu and none aspirates: nowhere to move
        iter++;

        // Unlike the constructions, a tabu record that cannot be allocated waits for a
        // key before the process ends.
        insere_fim_lista(novo_registro(melhor_i, melhor_j, 0.0f, ESPERA_TECLA), inicio, fim);
        if (tamanho_lista(inicio, fim) > tamanho_lista_tabu)
            remove_registro_lista(inicio, inicio, fim);

        troca_posicoes(s, melhor_i, melhor_j);
        if (com_cotas) atualiza_cotas(&cotas, s, d, melhor_i, melhor_j);
        fo = fo_viz;

        if (menu) {
            tempo = segundos_desde(tempo_inicio);
            grava_arquivo("BTsaida.txt", tempo, fo, iter);
        }
        // The carried fo picks up a rounding at every move, and around a cycle of
        // tours those roundings need not cancel: fo can creep below fo_star with
        // no shorter tour in sight, and such false bests would keep the search
        // from ever stopping. A new best must measure shorter than s_star.
        float comprimento = fo < fo_star ? calcula_fo(n, s, d) : comprimento_star;
        if (comprimento < comprimento_star) {
            comprimento_star = comprimento;
            melhor_iter = iter;
            copia_vetor(s_star, s, n);
            fo_star = fo;
            if (menu) printf("fo_star = %s \n", texto_real(fo_star, 8, 2).texto);
        }
        if (menu) grava_arquivo("BTsaidaMelhorfo.txt", tempo, fo_star, iter);
        else anota(acompanhamento, "iteracao", iter, fo, fo_star);
    }

    if (menu) {
        tempo = segundos_desde(tempo_inicio);
        grava_arquivo("BTsaida.txt", tempo, fo, iter);
        grava_arquivo("BTsaidaMelhorfo.txt", tempo, fo_star, iter);
        printf("********** Melhor Solucao Obtida *************** \n");
        printf("Saindo da Busca Tabu com fo_star = %s\n", texto_real(fo_star, 8, 2).texto);
        printf("Numero de iteracoes realizadas = %d \n", iter);
        printf("******************************************** \n");
        espera_tecla();
    } else {
        acompanhamento->iteracoes = iter;
        anota(acompanhamento, "fim", iter, fo_star, fo_star);
    }

    copia_vetor(s, s_star, n);
    libera_vetor(s_star);
    libera_lista(inicio, fim);
    if (com_cotas) libera_cotas(&cotas);
    return fo_star;
}
