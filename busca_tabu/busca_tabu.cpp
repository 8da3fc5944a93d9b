#include "busca_tabu/busca_tabu.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "busca_local/soma_arestas.h"
#include "nucleo/alocacao.h"
#include "nucleo/arquivo_saida.h"
#include "nucleo/entrada.h"
#include "nucleo/relatorio.h"
#include "nucleo/solucao.h"
#include "nucleo/vetores.h"

namespace {

const float SEM_VIZINHO = 2147483648.0f;  // above any tour length

// Unlike the constructions, a tabu record that cannot be allocated waits for a
// key before the process ends.
Registro* novo_movimento(int i, int j) {
    Registro* r = static_cast<Registro*>(malloc(sizeof(Registro)));
    if (r == nullptr) {
        printf("Faltando memoria ...\n");
        espera_tecla();
        exit(1);
    }
    r->campo1 = i;
    r->campo2 = j;
    r->campo3 = 0.0f;
    r->prox = nullptr;
    r->ant = nullptr;
    return r;
}

}  // namespace

bool movimento_tabu(int i, int j, Registro*& inicio) {
    for (Registro* r = inicio; r != nullptr; r = r->prox)
        if (r->campo1 == i && r->campo2 == j) return true;
    return false;
}

float melhor_vizinho_tabu(int n, int* s, float** d, float fo, int* melhor_i, int* melhor_j,
                          float fo_star, Registro*& inicio, Registro*& /*fim*/) {
    float fo_melhor = SEM_VIZINHO;
    for (int i = 0; i < n - 1; i++) {
        for (int j = i + 1; j < n; j++) {
            float custo_antes, custo_depois;
            mede_troca(n, s, d, i, j, &custo_antes, &custo_depois);
            float fo_viz = valor_vizinho(fo, custo_antes, custo_depois);

            // A pair at or above both fo_melhor and fo_star is neither chosen nor
            // announced, tabu or not: the walk of the list only decides for the
            // others, which are few once fo_melhor has come down.
            if (fo_viz < fo_melhor || fo_viz < fo_star) {
                bool tabu = movimento_tabu(i, j, inicio);
                bool admissivel = !tabu || fo_viz < fo_star;
                if (tabu && admissivel) {
                    printf("\nAspirando, isto e, realizando o movimento tabu que troca %2d com %2d\n",
                           i, j);
                    printf("fo_viz = %10.4f fo_star = %10.4f \n\n", static_cast<double>(fo_viz),
                           static_cast<double>(fo_star));
                }
                if (admissivel && fo_viz < fo_melhor) {
                    *melhor_i = i;
                    *melhor_j = j;
                    fo_melhor = fo_viz;
                }
            }
            troca_posicoes(s, i, j);
        }
    }
    return fo_melhor;
}

float busca_tabu(int n, int* s, float** d, int tamanho_lista_tabu, int BTmax) {
    int iter = 0, melhor_iter = 0;
    int* s_star = cria_vetor_int(n);
    copia_vetor(s_star, s, n);
    float fo = calcula_fo(n, s, d);
    float fo_star = fo;
    printf("\nIniciando a Busca Tabu com fo = %8.2f\n", static_cast<double>(fo));

    Registro* inicio = nullptr;
    Registro* fim = nullptr;
    clock_t tempo_inicio = clock();
    limpa_arquivo("BTsaida.txt");
    limpa_arquivo("BTsaidaMelhorfo.txt");
    float tempo = segundos_desde(tempo_inicio);
    grava_arquivo("BTsaida.txt", tempo, fo, iter);
    grava_arquivo("BTsaidaMelhorfo.txt", tempo, fo_star, iter);

    while (iter - melhor_iter < BTmax) {
        int melhor_i = -1, melhor_j = -1;
        float fo_viz = melhor_vizinho_tabu(n, s, d, fo, &melhor_i, &melhor_j, fo_star, inicio, fim);
        if (melhor_i < 0) break;  // every swap is tabu and none aspirates: nowhere to move
        iter++;

        insere_fim_lista(novo_movimento(melhor_i, melhor_j), inicio, fim);
        if (tamanho_lista(inicio, fim) > tamanho_lista_tabu) remove_registro_lista(inicio, inicio, fim);

        troca_posicoes(s, melhor_i, melhor_j);
        fo = fo_viz;

        tempo = segundos_desde(tempo_inicio);
        grava_arquivo("BTsaida.txt", tempo, fo, iter);
        if (fo < fo_star) {
            melhor_iter = iter;
            copia_vetor(s_star, s, n);
            fo_star = fo;
            printf("fo_star = %8.2f \n", static_cast<double>(fo_star));
        }
        grava_arquivo("BTsaidaMelhorfo.txt", tempo, fo_star, iter);
    }

    tempo = segundos_desde(tempo_inicio);
    grava_arquivo("BTsaida.txt", tempo, fo, iter);
    grava_arquivo("BTsaidaMelhorfo.txt", tempo, fo_star, iter);
    printf("********** Melhor Solucao Obtida *************** \n");
    printf("Saindo da Busca Tabu com fo_star = %8.2f\n", static_cast<double>(fo_star));
    printf("Numero de iteracoes realizadas = %d \n", iter);
    printf("******************************************** \n");
    espera_tecla();

    copia_vetor(s, s_star, n);
    libera_vetor(s_star);
    libera_lista(inicio, fim);
    return fo_star;
}
