#include "genetico/crossover_erx.h"

#include <climits>

#include "nucleo/aleatorio.h"
#include "nucleo/alocacao.h"
#include "nucleo/vetores.h"

namespace {

const int LARGURA_TABELA = 5;  // count, two neighbours in pai1, two in pai2

// The two neighbours of position a on the closed tour pai.
void vizinhos(const int* pai, int n, int a, int* antes, int* depois) {
    if (a == 0) {
        *antes = pai[1];
        *depois = pai[n - 1];
    } else if (a == n - 1) {
        *antes = pai[n - 2];
        *depois = pai[0];
    } else {
        *antes = pai[a - 1];
        *depois = pai[a + 1];
    }
}

// Row of every city: columns 1, 2 from pai1, columns 3, 4 from pai2 unless already
// in column 1 or 2 (then -1), column 0 the number of entries present.
void monta_tabela(int** tabela, const int* pai1, const int* pai2, int n) {
    for (int cidade = 0; cidade < n; cidade++) {
        int* linha = tabela[cidade];
        zera_vetor_int(linha, LARGURA_TABELA);
        vizinhos(pai1, n, posicao_no_vetor(pai1, cidade, n), &linha[1], &linha[2]);
        vizinhos(pai2, n, posicao_no_vetor(pai2, cidade, n), &linha[3], &linha[4]);
        int ausentes = 0;
        for (int c = 3; c <= 4; c++) {
            if (linha[c] == linha[1] || linha[c] == linha[2]) {
                linha[c] = -1;
                ausentes++;
            }
        }
        linha[0] = 4 - ausentes;
    }
}

// Builds filho from tabela (which it consumes), starting at inicio.
void monta_filho(int** tabela, int* filho, int inicio, int n) {
    filho[0] = inicio;
    remove_cidade_tabela(tabela, n, LARGURA_TABELA, inicio);
    for (int i = 1; i < n; i++) {
        const int* linha = tabela[filho[i - 1]];
        int escolhida = -1;
        int menor_grau = INT_MAX;
        for (int c = 1; c < LARGURA_TABELA; c++) {
            int v = linha[c];
            if (v == -1) continue;
            int grau = tabela[v][0];
            if (grau < menor_grau || (grau == menor_grau && v < escolhida)) {
                menor_grau = grau;
                escolhida = v;
            }
        }
        if (escolhida == -1) {  // dead end: any city not yet placed
            do {
                escolhida = sorteia_inteiro(n);
            } while (esta_no_vetor(filho, escolhida, i));
        }
        filho[i] = escolhida;
        remove_cidade_tabela(tabela, n, LARGURA_TABELA, escolhida);
    }
}

}  // namespace

int posicao_no_vetor(const int* v, int valor, int n) {
    for (int i = 0; i < n; i++)
        if (v[i] == valor) return i;
    return -1;
}

bool esta_no_vetor(const int* v, int valor, int m) { return posicao_no_vetor(v, valor, m) != -1; }

void remove_cidade_tabela(int** tabela, int linhas, int largura, int cidade) {
    for (int l = 0; l < linhas; l++) {
        for (int c = 1; c < largura; c++) {
            if (tabela[l][c] == cidade) {
                tabela[l][c] = -1;
                tabela[l][0]--;
            }
        }
    }
}

// Edge recombination. Two identical tables, one consumed per child; filho1 is
// complete before filho2 begins. Draw order: for each child in turn, the
// sorteia_inteiro(n) draws of its dead ends, in position order. Below 3 cities:
// copies, no draw.
void crossover_erx(const int* pai1, const int* pai2, int* filho1, int* filho2, int n) {
    if (n < 3) {
        copia_vetor(filho1, pai1, n);
        copia_vetor(filho2, pai2, n);
        return;
    }
    int** tabela1 = cria_matriz_int(n, LARGURA_TABELA);
    int** tabela2 = cria_matriz_int(n, LARGURA_TABELA);
    monta_tabela(tabela1, pai1, pai2, n);
    monta_tabela(tabela2, pai1, pai2, n);

    monta_filho(tabela1, filho1, pai1[0], n);
    monta_filho(tabela2, filho2, pai2[0], n);

    libera_matriz_int(tabela2, n);
    libera_matriz_int(tabela1, n);
}
