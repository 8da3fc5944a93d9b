#include "busca_tabu/busca_tabu.h"

#include <cmath>
#include <cstdio>
#include <ctime>
#include <vector>

#include "busca_local/vizinhanca_2opt_oropt.h"
#include "busca_local/vizinhanca_troca.h"
#include "busca_local/vizinhos_proximos.h"
#include "nucleo/acompanhamento.h"
#include "nucleo/alocacao.h"
#include "nucleo/arquivo_saida.h"
#include "nucleo/entrada.h"
#include "nucleo/formato.h"
#include "nucleo/plataforma.h"
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

// The aspiration lines: every move of the list, once, whose value is below
// fo_star, in scan order.
void anuncia_aspiracoes(VizinhancaTroca* v, float fo, float fo_star, const Marcas& tabus) {
    for (int k = 0; k < tabus.quantas; k++) {
        int i = tabus.marca_i[k], j = tabus.marca_j[k];
        if (k > 0 && i == tabus.marca_i[k - 1] && j == tabus.marca_j[k - 1]) continue;
        float fo_viz = valor_troca(fo, avalia_troca(v, i, j));
        if (!(fo_viz < fo_star)) continue;
        printf("\nAspirando, isto e, realizando o movimento tabu que troca %2d com %2d\n", i, j);
        printf("fo_viz = %s fo_star = %s \n\n", texto_real(fo_viz, 10, 4).texto,
               texto_real(fo_star, 10, 4).texto);
    }
}

float tabu_2opt_oropt(int n, int* s, float** d, int tamanho_lista_tabu, int BTmax, int tipo,
                      int vizinhos, Acompanhamento* acompanhamento) {
    int primeira = s[0];
    int* s_star = cria_vetor_int(n);
    copia_vetor(s_star, s, n);
    float fo = calcula_fo(n, s, d);
    float fo_star = fo;
    anota(acompanhamento, "inicio", 0, fo, fo_star);
    VizinhosProximos listas;
    if (vizinhos > 0) cria_vizinhos_proximos(n, d, vizinhos, &listas);
    Vizinhanca2optOropt vizinhanca;
    cria_2opt_oropt(n, s, d, tipo, vizinhos > 0 ? &listas : nullptr, &vizinhanca);
    // With lists each city's best moves are kept from one iteration to the
    // next: only those a move or a mark may have changed are looked at again.
    MelhoresPorCidade guardados;
    if (vizinhos > 0) cria_melhores_por_cidade(&vizinhanca, &guardados);
    // The removed edges of the last iterations, oldest first: 2 or 3 per move.
    int maximo = 3 * (tamanho_lista_tabu > 0 ? tamanho_lista_tabu : 0);
    std::vector<Aresta> tabus(maximo + 3);
    int* por_movimento = cria_vetor_int(tamanho_lista_tabu + 1);
    int quantas = 0, movimentos = 0;
    int iter = 0, melhor_iter = 0;
    while (iter - melhor_iter < BTmax) {
        if (deve_parar(acompanhamento)) break;
        Movimento m;
        double delta;
        double aspiracao = static_cast<double>(fo_star) - static_cast<double>(fo);
        bool achou = vizinhos > 0 ? melhor_2opt_oropt_guardado(&vizinhanca, &guardados, tabus.data(),
                                                                quantas, aspiracao, &m, &delta)
                                  : melhor_2opt_oropt_marcado(&vizinhanca, tabus.data(), quantas,
                                                              aspiracao, &m, &delta);
        if (!achou) break;
        iter++;
        Aresta novas[3];
        int k = arestas_do_movimento(&vizinhanca, m, tabus.data() + quantas, novas);
        if (tamanho_lista_tabu > 0) {
            quantas += k;
            por_movimento[movimentos++] = k;
            if (movimentos > tamanho_lista_tabu) {
                int velhas = por_movimento[0];
                for (int t = velhas; t < quantas; t++) tabus[t - velhas] = tabus[t];
                quantas -= velhas;
                for (int t = 1; t < movimentos; t++) por_movimento[t - 1] = por_movimento[t];
                movimentos--;
            }
        }
        aplica_2opt_oropt(&vizinhanca, m);
        fo = calcula_fo(n, s, d);
        if (fo < fo_star) {
            fo_star = fo;
            melhor_iter = iter;
            copia_vetor(s_star, s, n);
        }
        anota(acompanhamento, "iteracao", iter, fo, fo_star);
    }
    if (vizinhos > 0) libera_melhores_por_cidade(&guardados);
    libera_2opt_oropt(&vizinhanca);
    if (vizinhos > 0) libera_vizinhos_proximos(&listas);
    libera_vetor(por_movimento);
    copia_vetor(s, s_star, n);
    libera_vetor(s_star);
    comeca_em(n, s, primeira);
    fo_star = calcula_fo(n, s, d);  // summed from the first city again
    if (acompanhamento != nullptr) acompanhamento->iteracoes = iter;
    anota(acompanhamento, "fim", iter, fo_star, fo_star);
    return fo_star;
}

}  // namespace

bool movimento_tabu(int i, int j, Registro*& inicio) {
    for (Registro* r = inicio; r != nullptr; r = r->prox)
        if (r->campo1 == i && r->campo2 == j) return true;
    return false;
}

Troca melhor_vizinho_tabu(VizinhancaTroca* v, float fo, float fo_star, Registro* inicio,
                              bool mostra) {
    // The list holds few moves: they are the scan's marks, admissible only below
    // fo_star (aspiration).
    int quantas = 0;
    for (Registro* r = inicio; r != nullptr; r = r->prox) quantas++;
    int* marca_i = cria_vetor_int(quantas);
    int* marca_j = cria_vetor_int(quantas);
    movimentos_em_ordem(inicio, marca_i, marca_j);
    Marcas tabus = {marca_i, marca_j, quantas};
    Troca melhor = melhor_troca(v, fo, SENTINELA_2_31, tabus, fo_star);
    if (mostra) anuncia_aspiracoes(v, fo, fo_star, tabus);
    libera_vetor(marca_j);
    libera_vetor(marca_i);
    return melhor;
}

float busca_tabu(int n, int* s, float** d, int tamanho_lista_tabu, int BTmax,
                 Acompanhamento* acompanhamento, int tipo_vizinhanca, int vizinhos) {
    if (tipo_vizinhanca != 0 && n >= 5)
        return tabu_2opt_oropt(n, s, d, tamanho_lista_tabu, BTmax, tipo_vizinhanca, vizinhos,
                               acompanhamento);
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

    VizinhancaTroca vizinhanca;
    cria_troca(n, s, d, VARREDURAS, &vizinhanca);
    while (iter - melhor_iter < BTmax) {
        if (deve_parar(acompanhamento)) break;
        Troca melhor = melhor_vizinho_tabu(&vizinhanca, fo, fo_star, inicio, menu);
        if (melhor.i < 0) break;  // every swap is tabu and none aspirates: nowhere to move
        iter++;

        // Unlike the constructions, a tabu record that cannot be allocated waits for a
        // key before the process ends.
        insere_fim_lista(novo_registro(melhor.i, melhor.j, 0.0f, ESPERA_TECLA), inicio, fim);
        if (tamanho_lista(inicio, fim) > tamanho_lista_tabu)
            remove_registro_lista(inicio, inicio, fim);

        aplica_troca(&vizinhanca, melhor.i, melhor.j);
        fo = melhor.valor;

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

    libera_troca(&vizinhanca);
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
    return fo_star;
}
