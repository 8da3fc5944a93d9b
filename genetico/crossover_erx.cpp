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

// What the operator needs of its parents, with their inverses: posicao1[c] is
// the position of city c in pai1 (-1 when absent).
struct Pais {
    const int* pai1;
    const int* pai2;
    int* posicao1;
    int* posicao2;
    int n;
};

// The inverse of a tour. Filled from the last position down, so that even a
// repeated city would keep its first position.
void inverte(const int* pai, int n, int* posicao) {
    for (int c = 0; c < n; c++) posicao[c] = -1;
    for (int i = n - 1; i >= 0; i--) posicao[pai[i]] = i;
}

// Row of every city: columns 1, 2 from pai1, columns 3, 4 from pai2 unless already
// in column 1 or 2 (then -1), column 0 the number of entries present. The table
// is n rows of LARGURA_TABELA ints laid end to end: one block instead of n + 1,
// since the operator runs a hundred times per generation.
void monta_tabela(int* tabela, const Pais& p) {
    for (int cidade = 0; cidade < p.n; cidade++) {
        int* linha = tabela + LARGURA_TABELA * cidade;
        zera_vetor_int(linha, LARGURA_TABELA);
        vizinhos(p.pai1, p.n, p.posicao1[cidade], &linha[1], &linha[2]);
        vizinhos(p.pai2, p.n, p.posicao2[cidade], &linha[3], &linha[4]);
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

// Strikes cidade out of the table: each entry equal to it becomes -1 and its
// row's count drops by 1. Only the rows that can hold the city are visited: a
// city is in row r only when it is next to r in a parent, that is when r is next
// to it, so its (at most four) parent neighbours are those rows.
// A row met twice finds the city already gone the second time.
void remove_cidade(int* tabela, const Pais& p, int cidade) {
    int linhas[4];
    vizinhos(p.pai1, p.n, p.posicao1[cidade], &linhas[0], &linhas[1]);
    vizinhos(p.pai2, p.n, p.posicao2[cidade], &linhas[2], &linhas[3]);
    for (int l : linhas) {
        int* linha = tabela + LARGURA_TABELA * l;
        for (int c = 1; c < LARGURA_TABELA; c++) {
            if (linha[c] == cidade) {
                linha[c] = -1;
                linha[0]--;
            }
        }
    }
}

// Builds filho from tabela (which it consumes), starting at inicio. colocada
// marks the cities placed so far, so a dead end's draw is checked in one read
// instead of a walk over the child.
void monta_filho(int* tabela, int* filho, int inicio, const Pais& p, int* colocada) {
    int n = p.n;
    zera_vetor_int(colocada, n);
    filho[0] = inicio;
    colocada[inicio] = 1;
    remove_cidade(tabela, p, inicio);
    for (int i = 1; i < n; i++) {
        const int* linha = tabela + LARGURA_TABELA * filho[i - 1];
        int escolhida = -1;
        int menor_grau = INT_MAX;
        for (int c = 1; c < LARGURA_TABELA; c++) {
            int v = linha[c];
            if (v == -1) continue;
            int grau = tabela[LARGURA_TABELA * v];
            if (grau < menor_grau || (grau == menor_grau && v < escolhida)) {
                menor_grau = grau;
                escolhida = v;
            }
        }
        if (escolhida == -1) {  // dead end: any city not yet placed
            do {
                escolhida = sorteia_inteiro(n);
            } while (colocada[escolhida]);
        }
        filho[i] = escolhida;
        colocada[escolhida] = 1;
        remove_cidade(tabela, p, escolhida);
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
// copies, no draw. The parents must be tours (permutations of 0..n-1).
void crossover_erx(const int* pai1, const int* pai2, int* filho1, int* filho2, int n) {
    if (n < 3) {
        copia_vetor(filho1, pai1, n);
        copia_vetor(filho2, pai2, n);
        return;
    }
    int* tabela1 = cria_vetor_int(LARGURA_TABELA * n);
    int* tabela2 = cria_vetor_int(LARGURA_TABELA * n);
    int* indices = cria_vetor_int(3 * n);  // posicao1, posicao2, colocada
    Pais p = {pai1, pai2, indices, indices + n, n};
    inverte(pai1, n, p.posicao1);
    inverte(pai2, n, p.posicao2);
    monta_tabela(tabela1, p);
    copia_vetor(tabela2, tabela1, LARGURA_TABELA * n);

    monta_filho(tabela1, filho1, pai1[0], p, indices + 2 * n);
    monta_filho(tabela2, filho2, pai2[0], p, indices + 2 * n);

    libera_vetor(indices);
    libera_vetor(tabela2);
    libera_vetor(tabela1);
}
