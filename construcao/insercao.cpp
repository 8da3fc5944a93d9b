#include "construcao/insercao.h"

#include <cstdio>
#include <cstring>

#include "construcao/candidatos.h"
#include "construcao/insere_no_vetor.h"
#include "nucleo/alocacao.h"
#include "nucleo/plataforma.h"
#include "nucleo/solucao.h"
#include "nucleo/vetores.h"

namespace {

const float MINIMO_INICIAL = SENTINELA_2_31;

// The city after position q on the closed partial tour of k cities.
int seguinte(const int* s, int k, int q) { return (q < k - 1) ? s[q + 1] : s[0]; }

// (d[i][v] + d[v][j]) - d[i][j] in double, rounded once to single precision.
float custo_de(float i_v, float v_j, float i_j) {
    return static_cast<float>((static_cast<double>(i_v) + static_cast<double>(v_j)) -
                              static_cast<double>(i_j));
}

// The earliest place of least cost for v over the k places, without the 2^31
// bound: the first place starts the running minimum.
void procura_lugar(LugaresMaisBaratos& l, int v, const int* s, int k, float** d) {
    float minimo;
    int antecessor = s[0];
    if (l.simetrica) {
        // Each place's second distance is the next place's first: read once.
        // The last place closes the tour: taken after the loop, which then needs
        // no test of the end.
        const float* linha = d[v];
        float ida = linha[s[0]];
        float volta = linha[seguinte(s, k, 0)];
        minimo = custo_de(ida, volta, l.aresta[0]);
        const float* aresta = l.aresta;
        for (int q = 1; q < k - 1; q++) {
            ida = volta;
            volta = linha[s[q + 1]];
            float custo = custo_de(ida, volta, aresta[q]);
            if (custo < minimo) {
                minimo = custo;
                antecessor = s[q];
            }
        }
        if (k > 1) {
            float custo = custo_de(volta, linha[s[0]], aresta[k - 1]);
            if (custo < minimo) {
                minimo = custo;
                antecessor = s[k - 1];
            }
        }
    } else {
        minimo = custo_insercao(d, s[0], v, seguinte(s, k, 0));
        for (int q = 1; q < k; q++) {
            float custo = custo_insercao(d, s[q], v, seguinte(s, k, q));
            if (custo < minimo) {
                minimo = custo;
                antecessor = s[q];
            }
        }
    }
    l.custo[v] = minimo;
    l.antecessor[v] = antecessor;
}

}  // namespace

bool insercao_possivel(int n) {
    if (n >= CIDADES_MINIMAS_INSERCAO) return true;
    printf("\nA insercao mais barata precisa de pelo menos %d cidades.\n",
           CIDADES_MINIMAS_INSERCAO);
    return false;
}

void inicia_subpercurso(int n, int* s, float** d, Registro*& inicio, Registro*& fim, bool imprime) {
    monta_lista_candidatos(n, inicio, fim);
    s[0] = 0;
    for (int k = 1; k < CIDADES_MINIMAS_INSERCAO; k++) {
        Registro* escolhido = candidato_mais_proximo(s[k - 1], inicio, d);
        s[k] = escolhido->campo1;
        if (imprime) imprime_solucao(s, n);
        remove_registro_lista(escolhido, inicio, fim);
    }
}

float custo_insercao(float** d, int i, int v, int j) { return custo_de(d[i][v], d[v][j], d[i][j]); }

void inicia_lugares(LugaresMaisBaratos& l, int n, const int* s, int k, float** d,
                    Registro* candidatos) {
    l.custo = cria_vetor_float(n);
    l.antecessor = cria_vetor_int(n);
    l.posicao = cria_vetor_int(n);
    l.simetrica = matriz_simetrica(n, d);
    l.aresta = l.simetrica ? cria_vetor_float(n) : nullptr;
    l.de_novo = cria_vetor_int(n);
    l.n = n;
    for (int q = 0; q < k; q++) {
        l.posicao[s[q]] = q;
        if (l.simetrica) l.aresta[q] = d[s[q]][seguinte(s, k, q)];
    }
    for (Registro* r = candidatos; r != nullptr; r = r->prox) procura_lugar(l, r->campo1, s, k, d);
}

void libera_lugares(LugaresMaisBaratos& l) {
    if (l.aresta != nullptr) libera_vetor(l.aresta);
    libera_vetor(l.de_novo);
    libera_vetor(l.posicao);
    libera_vetor(l.antecessor);
    libera_vetor(l.custo);
}

float lugar_mais_barato(const LugaresMaisBaratos& l, int v, const int* s, int* antecessor) {
    // The running minimum from 2^31 takes the earliest least place when its cost
    // is below 2^31, and otherwise keeps 2^31 and the place after s[0].
    if (l.custo[v] < MINIMO_INICIAL) {
        *antecessor = l.antecessor[v];
        return l.custo[v];
    }
    *antecessor = s[0];
    return MINIMO_INICIAL;
}

void insere_e_atualiza(LugaresMaisBaratos& l, int* s, int k, float** d, int cidade,
                       int antecessor, Registro* candidatos) {
    int m = l.posicao[antecessor];
    insere_no_vetor(s, cidade, m + 1, k);
    for (int q = m + 1; q <= k; q++) l.posicao[s[q]] = q;
    int depois = seguinte(s, k + 1, m + 1);
    if (l.simetrica) {
        memmove(l.aresta + m + 2, l.aresta + m + 1, sizeof(float) * static_cast<size_t>(k - 1 - m));
        l.aresta[m] = d[antecessor][cidade];
        l.aresta[m + 1] = d[cidade][depois];
    }
    // Symmetric: d[antecessor][v] and d[v][depois] read along the rows of
    // antecessor and depois, in the candidates' order.
    const float* linha_antecessor = d[antecessor];
    const float* linha_cidade = d[cidade];
    const float* linha_depois = d[depois];

    // The place after antecessor (position m) gave way to antecessor-cidade at m
    // and cidade-depois at m + 1; the other places keep their order.
    //
    // A search for a place reads a row of d at the tour's cities, places no
    // hardware prefetcher foresees. Once the tour holds an eighth of the cities it
    // reads most of the row: the searches then wait for the end, and the next row
    // is fetched while one is searched.
    bool antecipa = l.simetrica && k >= l.n / 8 && l.n >= CIDADES_ANTECIPADAS;
    int de_novo = 0;
    for (Registro* r = candidatos; r != nullptr; r = r->prox) {
        int v = r->campo1;
        if (l.antecessor[v] == antecessor) {  // its cheapest place is gone
            if (antecipa)
                l.de_novo[de_novo++] = v;
            else
                procura_lugar(l, v, s, k + 1, d);
            continue;
        }
        float primeiro, segundo;
        if (l.simetrica) {
            primeiro = custo_de(linha_antecessor[v], linha_cidade[v], l.aresta[m]);
            segundo = custo_de(linha_cidade[v], linha_depois[v], l.aresta[m + 1]);
        } else {
            primeiro = custo_insercao(d, antecessor, v, cidade);
            segundo = custo_insercao(d, cidade, v, depois);
        }
        if (l.posicao[l.antecessor[v]] < m) {  // the kept place comes first
            if (primeiro < l.custo[v]) {
                l.custo[v] = primeiro;
                l.antecessor[v] = antecessor;
            }
            if (segundo < l.custo[v]) {
                l.custo[v] = segundo;
                l.antecessor[v] = cidade;
            }
        } else {  // the two new places come first
            float novo = primeiro;
            int antes_do_novo = antecessor;
            if (segundo < novo) {
                novo = segundo;
                antes_do_novo = cidade;
            }
            if (!(l.custo[v] < novo)) {
                l.custo[v] = novo;
                l.antecessor[v] = antes_do_novo;
            }
        }
    }
    for (int q = 0; q < de_novo; q++) {
        if (antecipa && q + 1 < de_novo) antecipa_linha(d[l.de_novo[q + 1]], l.n);
        procura_lugar(l, l.de_novo[q], s, k + 1, d);
    }
}
