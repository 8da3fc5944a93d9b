#include "busca_local/cotas_linhas.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <initializer_list>

#include "busca_local/soma_arestas.h"
#include "busca_local/varredura.h"
#include "nucleo/ajustes.h"
#include "nucleo/alocacao.h"
#include "nucleo/vetores.h"

namespace {

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

// The two least bounds of a row, in column order: the least and a column where
// it is reached (the first), and the least of the other columns.
struct Menores {
    double cota = HUGE_VAL, cota2 = HUGE_VAL;
    int coluna = -1;
    void oferece(double v, int j) {
        if (v < cota) {
            cota2 = cota;
            cota = v;
            coluna = j;
        } else if (v < cota2) {
            cota2 = v;
        }
    }
};

// The pair (i, j), i < j, with the sums of mede_linha: (i, j) and (j, i) give
// the same bound, since double addition commutes.
double cota_do_par(CotasLinhas* c, int* s, float** d, int i, int j) {
    int n = c->n;
    if (j == i + 1 || (i == 0 && j == n - 1)) return cota_pelo_protocolo(n, s, d, i, j);
    const float* linha_i = d[s[i]];
    double depois = (static_cast<double>(d[s[anterior(n, i)]][s[j]]) +
                     static_cast<double>(d[s[i + 1]][s[j]])) +
                    (static_cast<double>(linha_i[s[j - 1]]) +
                     static_cast<double>(linha_i[s[seguinte(n, j)]]));
    double antes = (static_cast<double>(c->arestas[anterior(n, i)]) +
                    static_cast<double>(c->arestas[i])) +
                   (static_cast<double>(c->arestas[j - 1]) + static_cast<double>(c->arestas[j]));
    return cota_de(depois, antes);
}

void guarda(CotasLinhas* c, int i, const Menores& m) {
    c->cota[i] = m.cota;
    c->cota2[i] = m.cota2;
    c->coluna[i] = m.coluna;
    c->frouxa[i] = 0;
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
    Menores m;
    m.oferece(cota_pelo_protocolo(n, s, d, i, i + 1), i + 1);
    int ultimo = (i == 0) ? n - 2 : n - 1;
    for (int j = i + 2; j <= ultimo; j++) {
        int cidade_j = s[j];
        double depois = (static_cast<double>(linha_ant_i[cidade_j]) +
                         static_cast<double>(linha_suc_i[cidade_j])) +
                        (static_cast<double>(linha_i[s[j - 1]]) +
                         static_cast<double>(linha_i[s[seguinte(n, j)]]));
        double antes =
            arestas_i + (static_cast<double>(arestas[j - 1]) + static_cast<double>(arestas[j]));
        m.oferece(cota_de(depois, antes), j);
    }
    if (i == 0 && n - 1 > 1) m.oferece(cota_pelo_protocolo(n, s, d, 0, n - 1), n - 1);
    guarda(c, i, m);
}

// What a swap changed: the positions whose neighbourhood changed (P, ascending,
// at most six), and for each the cities around it.
struct Mudanca {
    int m = 0;
    int p[6];
    // the positions read by the pairs of P: p - 1, p, p + 1 of each, ascending
    int q = 0;
    int posicao_lida[10];
    const float* lida[10];  // the rows of d of their cities
    int ant[6], meio[6], suc[6];  // indices into lida of p - 1, p and p + 1
    double arestas_p[6];          // the two edges at p
};

// A row i outside P after the swap, given the least and the second least of its
// changed columns (novas).
void renova_linha(CotasLinhas* c, int i, const Menores& novas) {
    if (novas.coluna < 0) return;
    if (!c->afetada[c->coluna[i]]) {
        // the least column did not change: it stays, unless a changed one is below
        if (novas.cota < c->cota[i]) {
            c->cota2[i] = novas.cota2 < c->cota[i] ? novas.cota2 : c->cota[i];
            c->cota[i] = novas.cota;
            c->coluna[i] = novas.coluna;
            c->frouxa[i] = 0;
        } else if (novas.cota < c->cota2[i]) {
            c->cota2[i] = novas.cota;
        }
    } else if (novas.cota <= c->cota2[i]) {
        // every unchanged column is at or above cota2
        c->cota[i] = novas.cota;
        c->coluna[i] = novas.coluna;
        if (novas.cota2 < c->cota2[i]) c->cota2[i] = novas.cota2;
        c->frouxa[i] = 0;
    } else {
        // The least rose above every other column's bound: cota2 bounds the whole
        // row. Most such rows lie far above the best, so they are measured again
        // only when a scan reaches them.
        c->cota[i] = c->cota2[i];
        c->coluna[i] = novas.coluna;
        c->frouxa[i] = 1;
    }
}

// The least float at or above v (not a NaN).
inline float float_acima(double v) {
    float f = static_cast<float>(v);
    if (!(static_cast<double>(f) < v)) return f;
    if (f == 0.0f) return 0x1p-149f;
    uint32_t b;
    std::memcpy(&b, &f, sizeof b);
    b = f > 0.0f ? b + 1 : b - 1;  // the next float towards +infinity
    std::memcpy(&f, &b, sizeof f);
    return f;
}

// The three rows the pairs of P[k] read (those of the cities at P[k] - 1, P[k]
// and P[k] + 1), as values at the other position x: gathered in tour order
// (reunidas), or read through the tour.
template <bool reunidas>
struct Tres {
    const float *ant, *meio, *suc;
    const int* s;
    Tres(const CotasLinhas* c, const Mudanca& mu, int k, const int* tour) : s(tour) {
        const float* linhas[3];
        int r[3] = {mu.ant[k], mu.meio[k], mu.suc[k]};
        for (int q = 0; q < 3; q++)
            linhas[q] = reunidas ? c->lidas + static_cast<long>(r[q]) * c->n : mu.lida[r[q]];
        ant = linhas[0];
        meio = linhas[1];
        suc = linhas[2];
    }
    float le(const float* linha, int x) const { return reunidas ? linha[x] : linha[s[x]]; }
};

// The pair (P[k], x), x not next to P[k] nor 0 or n - 1.
template <bool reunidas>
inline double cota_lida(const CotasLinhas* c, const Mudanca& mu, const Tres<reunidas>& l, int k,
                        int x) {
    double depois = (static_cast<double>(l.le(l.ant, x)) + static_cast<double>(l.le(l.suc, x))) +
                    (static_cast<double>(l.le(l.meio, x - 1)) +
                     static_cast<double>(l.le(l.meio, x + 1)));
    return cota_de(depois, mu.arestas_p[k] + c->arestas_em[x]);
}

// The pair (P[k], x) for a special x: by the protocol when adjacent, from the
// matrix when x is 0 or n - 1, whose neighbours wrap around, else as the
// passes form it.
template <bool reunidas>
double cota_especial(CotasLinhas* c, int* s, float** d, const Mudanca& mu, int k, int x) {
    int n = c->n, p = mu.p[k];
    int i = p < x ? p : x, j = p < x ? x : p;
    if (j == i + 1 || (i == 0 && j == n - 1) || x == 0 || x == n - 1)
        return cota_do_par(c, s, d, i, j);
    return cota_lida(c, mu, Tres<reunidas>(c, mu, k, s), k, x);
}

// The pairs (P[k], x) for the x of [de, ate), all below P[k] or all above it,
// 0 < x < n - 1: for x below P[k] the least float bound of the changed columns
// of row x (menor), for x above it the bounds of the row of P[k], measured
// exactly where the float bound falls below the row's second bound. At the
// special positions the formula does not hold: what it gives there is passed
// over, and they are taken apart.
template <bool reunidas>
void varre_trecho(CotasLinhas* c, const int* s, const Mudanca& mu, int k, int de, int ate,
                  Menores& linha) {
    if (de >= ate) return;
    Tres<reunidas> l(c, mu, k, s);
    const float* arestas_em = c->arestas_em_float;
    float arestas_p = static_cast<float>(mu.arestas_p[k]);
    auto simples = [&](int x) {
        return cota_simples((l.le(l.ant, x) + l.le(l.suc, x)) +
                                (l.le(l.meio, x - 1) + l.le(l.meio, x + 1)),
                            arestas_p + arestas_em[x]);
    };
    if (ate <= mu.p[k]) {
        float* menor = c->menor;
        for (int x = de; x < ate; x++) {
            float v = simples(x);
            menor[x] = v < menor[x] ? v : menor[x];
        }
        return;
    }
    // in blocks: few hold a value below the row's second bound
    const int bloco = BLOCO_COTAS;
    for (int x0 = de; x0 < ate; x0 += bloco) {
        int fim = ate - x0 < bloco ? ate : x0 + bloco;
        // (while the row has no second bound yet every value counts)
        float cota2 = float_acima(linha.cota2);
        int abaixo = cota2 == HUGE_VALF;
        if (!abaixo)
            for (int x = x0; x < fim; x++) abaixo |= simples(x) < cota2;
        if (abaixo)
            for (int x = x0; x < fim; x++) {
                if (c->especial[x]) continue;
                double v = cota_lida(c, mu, l, k, x);
                if (v < linha.cota2) linha.oferece(v, x);
            }
    }
}

// Every pair of P once the edges and the rows are in place. The positions next
// to P (the adjacent pairs), 0 and n - 1 (whose neighbours wrap around) are
// taken one pair at a time; all others in two passes per position of P, one on
// each side of it.
template <bool reunidas>
void renova_pares(CotasLinhas* c, int* s, float** d, const Mudanca& mu, const int* especial,
                  int e) {
    int n = c->n;
    int topo = mu.p[mu.m - 1];  // the rows below it have changed columns
    for (int x = 0; x < topo; x++) c->menor[x] = HUGE_VALF;
    Menores linhas[6];
    for (int k = 0; k < mu.m; k++) {
        varre_trecho<reunidas>(c, s, mu, k, 1, mu.p[k], linhas[k]);
        // the rows of P: in full as any row, when not gathered
        if (reunidas) varre_trecho<reunidas>(c, s, mu, k, mu.p[k] + 1, n - 1, linhas[k]);
    }
    for (int h = 0, x = 0; x < topo; x++) {
        Menores novas;
        if (h < e && especial[h] == x) {
            h++;
            for (int k = 0; k < mu.m; k++) {
                int p = mu.p[k];
                if (p < x && reunidas)
                    linhas[k].oferece(cota_especial<reunidas>(c, s, d, mu, k, x), x);
                else if (p > x && !c->afetada[x])
                    novas.oferece(cota_especial<reunidas>(c, s, d, mu, k, x), p);
            }
            if (!c->afetada[x]) renova_linha(c, x, novas);
        } else if (static_cast<double>(c->menor[x]) < c->cota2[x] || c->afetada[c->coluna[x]]) {
            // the row's bounds change: its changed columns one by one
            for (int k = 0; k < mu.m; k++)
                if (mu.p[k] > x)
                    novas.oferece(cota_lida(c, mu, Tres<reunidas>(c, mu, k, s), k, x), mu.p[k]);
            renova_linha(c, x, novas);
        }
    }
    if (!reunidas) {
        for (int k = 0; k < mu.m; k++)
            if (mu.p[k] < n - 1) mede_linha(c, s, d, mu.p[k]);
        return;
    }
    // the special positions above every row with changed columns
    for (int h = 0; h < e; h++) {
        int x = especial[h];
        if (x < topo) continue;
        for (int k = 0; k < mu.m; k++)
            if (mu.p[k] < x) linhas[k].oferece(cota_especial<reunidas>(c, s, d, mu, k, x), x);
    }
    for (int k = 0; k < mu.m; k++)
        if (mu.p[k] < n - 1) guarda(c, mu.p[k], linhas[k]);
}

}  // namespace

bool cria_cotas(int n, int* s, float** d, CotasLinhas* c) {
    float maior;
    if (n < 2 || !matriz_simetrica_finita(n, d, &maior) || !(maior < 0x1p100f)) return false;
    c->n = n;
    c->cota = cria_vetor_double(n);
    c->cota2 = cria_vetor_double(n);
    c->coluna = cria_vetor_int(n);
    c->arestas = cria_vetor_float(n);
    c->afetada = cria_vetor_int(n);
    c->especial = cria_vetor_int(n);
    c->frouxa = cria_vetor_int(n);
    c->arestas_em = cria_vetor_double(n);
    c->menor = cria_vetor_float(n);
    c->arestas_em_float = cria_vetor_float(n);
    c->reune_linhas = n >= CIDADES_ANTECIPADAS;
    c->lidas = cria_vetor_float(c->reune_linhas ? 10 * n : 1);
    for (int q = 0; q < n; q++) c->afetada[q] = c->especial[q] = c->frouxa[q] = 0;
    c->folga_base = std::ldexp(8.0 * maior, -40) + 0x1p-100;
    calcula_arestas(n, s, d, c->arestas);
    for (int q = 0; q < n; q++) {
        c->arestas_em[q] = static_cast<double>(c->arestas[anterior(n, q)]) +
                           static_cast<double>(c->arestas[q]);
        c->arestas_em_float[q] = static_cast<float>(c->arestas_em[q]);
    }
    for (int i = 0; i < n - 1; i++) {
        // as in the full scan, the one new row the next row reads is fetched now
        if (i + 2 < n) antecipa_linha(d[s[i + 2]], n);
        mede_linha(c, s, d, i);
    }
    return true;
}

void atualiza_cotas(CotasLinhas* c, int* s, float** d, int a, int b) {
    int n = c->n;
    renova_arestas(n, s, d, c->arestas, a, b);

    // The pairs whose value changed are those of a position of P: about 6n of
    // them, each P[k] against every other position x.
    Mudanca mu;
    auto insere = [](int* v, int& m, int x) {  // into an ascending set
        int k = m;
        while (k > 0 && v[k - 1] > x) k--;
        if (k > 0 && v[k - 1] == x) return;
        for (int q = m; q > k; q--) v[q] = v[q - 1];
        v[k] = x;
        m++;
    };
    for (int p : {anterior(n, a), a, seguinte(n, a), anterior(n, b), b, seguinte(n, b)})
        insere(mu.p, mu.m, p);
    for (int k = 0; k < mu.m; k++) {
        int p = mu.p[k];
        insere(mu.posicao_lida, mu.q, anterior(n, p));
        insere(mu.posicao_lida, mu.q, p);
        insere(mu.posicao_lida, mu.q, seguinte(n, p));
        c->afetada[p] = 1;
    }
    auto indice = [&](int posicao) {
        int r = 0;
        while (mu.posicao_lida[r] != posicao) r++;
        return r;
    };
    for (int r = 0; r < mu.q; r++) {
        mu.lida[r] = d[s[mu.posicao_lida[r]]];
        // read at scattered places: fetched whole first, they are read from cache
        antecipa_linha(mu.lida[r], n);
    }
    for (int k = 0; k < mu.m; k++) {
        int p = mu.p[k];
        mu.ant[k] = indice(anterior(n, p));
        mu.meio[k] = indice(p);
        mu.suc[k] = indice(seguinte(n, p));
        mu.arestas_p[k] = static_cast<double>(c->arestas[anterior(n, p)]) +
                          static_cast<double>(c->arestas[p]);
        c->arestas_em[p] = mu.arestas_p[k];
        c->arestas_em_float[p] = static_cast<float>(mu.arestas_p[k]);
    }
    // On large matrices the rows are gathered in tour order once: the pairs then
    // read them in turn, in vector instructions. On small ones (the whole matrix
    // in cache) they are read through the tour.
    if (c->reune_linhas) {
        for (int r = 0; r < mu.q; r++) {
            const float* lida = mu.lida[r];
            float* em_ordem = c->lidas + static_cast<long>(r) * n;
            for (int x = 0; x < n; x++) em_ordem[x] = lida[s[x]];
        }
    }

    int especial[12], e = 0;
    for (int r = 0; r < mu.q; r++) insere(especial, e, mu.posicao_lida[r]);
    insere(especial, e, 0);
    insere(especial, e, n - 1);
    for (int h = 0; h < e; h++) c->especial[especial[h]] = 1;
    if (c->reune_linhas)
        renova_pares<true>(c, s, d, mu, especial, e);
    else
        renova_pares<false>(c, s, d, mu, especial, e);
    for (int k = 0; k < mu.m; k++) c->afetada[mu.p[k]] = 0;
    for (int h = 0; h < e; h++) c->especial[especial[h]] = 0;
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
    return valor_vizinho(fo, custo_antes, custo_depois);
}

void libera_cotas(CotasLinhas* c) {
    libera_vetor(c->cota);
    libera_vetor(c->coluna);
    libera_vetor(c->arestas);
    libera_vetor(c->cota2);
    libera_vetor(c->afetada);
    libera_vetor(c->especial);
    libera_vetor(c->frouxa);
    libera_vetor(c->arestas_em);
    libera_vetor(c->menor);
    libera_vetor(c->arestas_em_float);
    libera_vetor(c->lidas);
}
