#include "busca_local/cotas_linhas.h"

#include <cmath>
#include <initializer_list>

#include "busca_local/soma_arestas.h"
#include "busca_local/varredura.h"
#include "nucleo/alocacao.h"
#include "nucleo/vetores.h"

namespace {

const double f = 0x1p-22 + 0x1p-48;

inline double cota_de(double depois, double antes) {
    return (depois - antes) - f * (depois + antes);
}

inline int anterior(int n, int q) { return q == 0 ? n - 1 : q - 1; }
inline int seguinte(int n, int q) { return q == n - 1 ? 0 : q + 1; }

// Any pair, adjacent ones included: the sums the protocol itself forms.
double cota_pelo_protocolo(int n, int* s, float** d, int i, int j) {
    double antes = soma_arestas_em_double(n, s, d, i, j);
    troca_posicoes(s, i, j);
    double depois = soma_arestas_em_double(n, s, d, i, j);
    troca_posicoes(s, i, j);
    return cota_de(depois, antes);
}

// Row i in full.
void mede_linha(CotasLinhas* c, int* s, float** d, int i) {
    int n = c->n;
    int ant_i = anterior(n, i);
    const float* linha_ant_i = d[s[ant_i]];
    const float* linha_i = d[s[i]];
    const float* linha_suc_i = d[s[i + 1]];
    const float* arestas = c->arestas;
    double arestas_i = static_cast<double>(arestas[ant_i]) + static_cast<double>(arestas[i]);
    double menor = cota_pelo_protocolo(n, s, d, i, i + 1);
    int coluna = i + 1;
    int ultimo = (i == 0) ? n - 2 : n - 1;
    for (int j = i + 2; j <= ultimo; j++) {
        int cidade_j = s[j];
        double depois = (static_cast<double>(linha_ant_i[cidade_j]) +
                         static_cast<double>(linha_suc_i[cidade_j])) +
                        (static_cast<double>(linha_i[s[j - 1]]) +
                         static_cast<double>(linha_i[s[seguinte(n, j)]]));
        double antes =
            arestas_i + (static_cast<double>(arestas[j - 1]) + static_cast<double>(arestas[j]));
        double v = cota_de(depois, antes);
        if (v < menor) {
            menor = v;
            coluna = j;
        }
    }
    if (i == 0 && n - 1 > 1) {
        double v = cota_pelo_protocolo(n, s, d, 0, n - 1);
        if (v < menor) {
            menor = v;
            coluna = n - 1;
        }
    }
    c->cota[i] = menor;
    c->coluna[i] = coluna;
}

}  // namespace

bool cria_cotas(int n, int* s, float** d, CotasLinhas* c) {
    float maior;
    if (n < 2 || !matriz_simetrica_finita(n, d, &maior)) return false;
    c->n = n;
    c->cota = cria_vetor_double(n);
    c->coluna = cria_vetor_int(n);
    c->arestas = cria_vetor_float(n);
    c->nova_cota = cria_vetor_double(n);
    c->nova_coluna = cria_vetor_int(n);
    c->afetada = cria_vetor_int(n);
    c->frouxa = cria_vetor_int(n);
    for (int q = 0; q < n; q++) c->afetada[q] = c->frouxa[q] = 0;
    c->folga_base = std::ldexp(8.0 * maior, -40) + 0x1p-100;
    calcula_arestas(n, s, d, c->arestas);
    for (int i = 0; i < n - 1; i++) mede_linha(c, s, d, i);
    return true;
}

void atualiza_cotas(CotasLinhas* c, int* s, float** d, int a, int b) {
    int n = c->n;
    renova_arestas(n, s, d, c->arestas, a, b);

    // the positions whose neighbourhood changed, ascending, without repeats
    int afetadas[6], m = 0;
    for (int p : {anterior(n, a), a, seguinte(n, a), anterior(n, b), b, seguinte(n, b)}) {
        int k = m;
        while (k > 0 && afetadas[k - 1] > p) k--;
        if (k > 0 && afetadas[k - 1] == p) continue;
        for (int q = m; q > k; q--) afetadas[q] = afetadas[q - 1];
        afetadas[k] = p;
        m++;
    }
    for (int k = 0; k < m; k++) c->afetada[afetadas[k]] = 1;

    // The changed rows and columns read the rows of d of the cities next to them
    // at scattered places: fetched whole first, they are read from cache.
    for (int k = 0; k < m; k++) antecipa_vizinhas(n, s, d, afetadas[k]);

    // The changed columns, one at a time: for a column j every row reads the rows
    // of the cities at j - 1, j and j + 1 (d is symmetric), which stay in cache.
    for (int i = 0; i < n - 1; i++) c->nova_cota[i] = HUGE_VAL;
    for (int k = 0; k < m; k++) {
        int j = afetadas[k];
        if (j == 0) continue;
        int ant_j = j - 1, suc_j = seguinte(n, j);
        const float* linha_j = d[s[j]];
        const float* linha_ant_j = d[s[ant_j]];
        const float* linha_suc_j = d[s[suc_j]];
        double arestas_j =
            static_cast<double>(c->arestas[ant_j]) + static_cast<double>(c->arestas[j]);
        int primeiro = (j == n - 1) ? 1 : 0;  // (0, n-1) is adjacent
        for (int i = primeiro; i < j - 1; i++) {
            int ant_i = anterior(n, i);
            int cidade_i = s[i];
            double depois =
                (static_cast<double>(linha_j[s[ant_i]]) + static_cast<double>(linha_j[s[i + 1]])) +
                (static_cast<double>(linha_ant_j[cidade_i]) +
                 static_cast<double>(linha_suc_j[cidade_i]));
            double antes =
                (static_cast<double>(c->arestas[ant_i]) + static_cast<double>(c->arestas[i])) +
                arestas_j;
            double v = cota_de(depois, antes);
            if (v < c->nova_cota[i]) {
                c->nova_cota[i] = v;
                c->nova_coluna[i] = j;
            }
        }
        for (int i : {j - 1, primeiro == 1 ? 0 : -1}) {
            if (i < 0) continue;
            double v = cota_pelo_protocolo(n, s, d, i, j);
            if (v < c->nova_cota[i]) {
                c->nova_cota[i] = v;
                c->nova_coluna[i] = j;
            }
        }
    }

    for (int i = 0; i < n - 1; i++) {
        if (c->afetada[i]) {
            mede_linha(c, s, d, i);
            c->frouxa[i] = 0;
        } else if (c->nova_cota[i] <= c->cota[i]) {
            // every other column is still at or above the old bound, which is at or
            // below the row's least: the changed columns hold the least now
            c->cota[i] = c->nova_cota[i];
            c->coluna[i] = c->nova_coluna[i];
            c->frouxa[i] = 0;
        } else if (c->afetada[c->coluna[i]]) {
            // The least rose: the old bound still bounds the row from below. Most
            // such rows lie far above the best, so they are measured again only
            // when a scan reaches them.
            c->frouxa[i] = 1;
        }
    }
    for (int k = 0; k < m; k++) c->afetada[afetadas[k]] = 0;
}

void aperta_cota(CotasLinhas* c, int* s, float** d, int i) {
    if (!c->frouxa[i]) return;
    antecipa_vizinhas(c->n, s, d, i);
    mede_linha(c, s, d, i);
    c->frouxa[i] = 0;
}

float valor_da_menor_cota(CotasLinhas* c, int* s, float** d, float fo, int* i0, int* j0) {
    int n = c->n;
    do {
        *i0 = 0;
        for (int i = 1; i < n - 1; i++)
            if (c->cota[i] < c->cota[*i0]) *i0 = i;
        if (!c->frouxa[*i0]) break;
        aperta_cota(c, s, d, *i0);
    } while (true);
    *j0 = c->coluna[*i0];
    float custo_antes, custo_depois;
    mede_troca(n, s, d, *i0, *j0, &custo_antes, &custo_depois);
    troca_posicoes(s, *i0, *j0);
    return valor_vizinho(fo, custo_antes, custo_depois);
}

float melhor_vizinho_cotas(CotasLinhas* c, int* s, float** d, float fo, int* melhor_i,
                           int* melhor_j) {
    int n = c->n;
    // A pair of the least bound gives a value v0 that the best pair cannot exceed:
    // a row whose values all lie above v0 cannot hold it. The bound holds before
    // the protocol's last rounding to a float: a row whose bound reaches the
    // float after v0 has every value above v0.
    int i0, j0;
    float acima_de_v0 = std::nextafter(valor_da_menor_cota(c, s, d, fo, &i0, &j0), HUGE_VALF);

    float fo_melhor = fo;
    auto limite = [&] { return fo_melhor; };
    auto escolhe = [&](int i, int j, float fo_viz) {
        if (fo_viz < fo_melhor) {
            *melhor_i = i;
            *melhor_j = j;
            fo_melhor = fo_viz;
        }
    };
    auto protocolo = [&](int i, int j) { aplica_protocolo(n, s, d, fo, i, j, escolhe); };
    Marcas nenhuma = {nullptr, nullptr, 0};
    varre_linhas_cotadas(c, s, d, fo, acima_de_v0, nenhuma, limite, protocolo);
    return fo_melhor;
}

void libera_cotas(CotasLinhas* c) {
    libera_vetor(c->cota);
    libera_vetor(c->coluna);
    libera_vetor(c->arestas);
    libera_vetor(c->nova_cota);
    libera_vetor(c->nova_coluna);
    libera_vetor(c->afetada);
    libera_vetor(c->frouxa);
}
