#ifndef BUSCA_LOCAL_COTAS_LINHAS_H
#define BUSCA_LOCAL_COTAS_LINHAS_H

#include <cmath>

#include "busca_local/varredura.h"
#include "nucleo/plataforma.h"

// What the swap neighbourhood (vizinhanca_troca.h) keeps from one scan to the
// next so that it does not scan again the rows that cannot hold the best swap.
//
// A swap changes the tour only at its two positions a and b, so the value of a
// pair (i, j) changes only when one of i - 1, i, i + 1, j - 1, j, j + 1 is a or
// b. For every row i (the pairs (i, j), j > i) a lower bound of
// fo_viz - fo over the row is kept, and after a swap only the rows and the
// columns next to a and b are measured again: O(n) per swap instead of O(n^2).
// A scan then runs the row's scan (the very code of the full scan, in scan
// order) only on the rows whose bound could reach the current limit; every
// other pair of the row has fo_viz >= limit, so it could be neither chosen nor
// change the limit, and the outcome is that of the full scan.
// Each row also keeps a second bound, below every column but the least one:
// after a swap the changed columns are compared with both, so that a row whose
// least column rose mostly knows its new least at once, and a scan whose limit
// lies under the second bound reads only the least column of the row. A row
// whose least column rose above its second bound keeps that second bound as a
// lower bound of the whole row and is measured again only when a scan could
// need it.
//
// The bound of a pair is (A - B) - f (A + B) in double precision, A and B the
// sums of the four distances after and before the swap, f = 2^-22 + 2^-48: as
// shown for the scan's test, the protocol's value before its last rounding is
// at least fo + (A - B) - f (A + B) - 2^-48 |fo| - 2^-120, and the rounding to
// a float never goes below a float that the value reaches. A row is skipped
// only when fo + bound - folga reaches the limit (a float), with
// folga = 2^-40 (|fo| + 8 dmax) + 2^-100 (dmax the largest distance), which
// covers that term and every rounding of the double sums many times over.
//
// Used only when d is symmetric bit for bit and every distance is finite, not
// negative (as the scan's own test assumes) and below 2^100, which keeps the
// single-precision sums of the update finite; melhor_troca scans in full
// otherwise.

// The bound of a pair from the double sums of the four distances after and
// before the swap.
inline double cota_de(double depois, double antes) {
    const double f = 0x1p-22 + 0x1p-48;
    return (depois - antes) - f * (depois + antes);
}

// A float no greater than cota_de(depois, antes) as the update forms it, from
// the same terms summed in single precision: depois the four distances, antes
// the two double sums of edges, each rounded to float. Twice as many values
// per vector instruction as in double, and half the bytes.
// With A and B the exact sums, each float sum lies within 2^-23 of its own and
// the difference and the sum are rounded once more, so the float
// a - b - 2^-19 (a + b) lies below A - B - 2^-21 (A + B), and its last rounding,
// within 2^-24 of it, cannot lift it back there; the double bound
// (f = 2^-22 + 2^-48) lies above A - B - (f + 2^-50) (A + B), above that again.
// The last 2^-120 covers what an underflow of 2^-19 (a + b) may lose. Needs
// 8 dmax below 2^128 (cria_cotas asks for dmax below 2^100).
inline float cota_simples(float depois, float antes) {
    return ((depois - antes) - 0x1p-19f * (depois + antes)) - 0x1p-120f;
}

struct CotasLinhas {
    int n;
    double* cota;       // cota[i]: least bound of row i
    int* coluna;        // a j of row i where it is reached
    double* cota2;      // a bound of every other column of row i
    float* arestas;     // arestas[q]: edge from position q to the next
    double folga_base;  // 2^-40 * 8 dmax + 2^-100
    double* arestas_em;  // arestas_em[q]: the two edges at position q
    // working storage of atualiza_cotas
    int* afetada;   // 1 at the positions a swap changed
    int* especial;  // 1 at those next to them, 0 and n - 1, taken one by one
    float* menor;   // a lower bound of the changed columns of row x
    float* arestas_em_float;  // the same rounded to float
    // Whether the rows the changed pairs read are gathered in tour order (into
    // lidas) before the pairs are formed: from 512 cities on, where the matrix
    // leaves the caches; below, reading them through the tour costs less.
    bool reune_linhas;
    float* lidas;
    // 1 where cota[i] (then equal to cota2[i]) is a lower bound of row i but not
    // its least, coluna[i] only some column of the row: measured again only when
    // it may matter
    int* frouxa;
};

// Measures every row of s. Returns false (and allocates nothing) when n < 2 or
// d is not symmetric or holds a negative or infinite distance, a NaN or a
// distance of 2^100 or more.
bool cria_cotas(int n, int* s, float** d, CotasLinhas* cotas);

// After s[a] and s[b] were exchanged (a != b).
void atualiza_cotas(CotasLinhas* cotas, int* s, float** d, int a, int b);

// Measures row i again when its bound is loose.
void aperta_cota(CotasLinhas* cotas, int* s, float** d, int i);

// The protocol's value of a pair (*i0, *j0) of the least bound, a value the best
// pair cannot exceed. Leaves s as it found it.
float valor_da_menor_cota(CotasLinhas* cotas, int* s, float** d, float fo, int* i0, int* j0);

void libera_cotas(CotasLinhas* cotas);

// The rows of d of the cities at i - 1, i and i + 1, which the pairs of row i
// (and of column i) read.
inline void antecipa_vizinhas(int n, const int* s, float** d, int i) {
    for (int q : {i == 0 ? n - 1 : i - 1, i, i == n - 1 ? 0 : i + 1}) antecipa_linha(d[s[q]], n);
}

// The pairs of row i among marcas (from mark k on), and (i, extra) when extra
// >= 0, through the protocol in scan order, each once.
template <typename Protocolo>
void avalia_marcas(const Marcas& marcas, int& k, int i, int extra, Protocolo& protocolo) {
    while (k < marcas.quantas && marcas.marca_i[k] < i) k++;
    int anterior = -1;
    for (; k < marcas.quantas && marcas.marca_i[k] == i; k++) {
        int j = marcas.marca_j[k];
        if (j == anterior) continue;  // a repeated mark
        if (extra >= 0 && extra < j) {
            varredura_interna::avalia(protocolo, i, extra);
            extra = -1;
        }
        if (j == extra) extra = -1;
        anterior = j;
        varredura_interna::avalia(protocolo, i, j);
    }
    if (extra >= 0) varredura_interna::avalia(protocolo, i, extra);
}

// The scan of varre_trocas over the tour the bounds were measured on (d
// symmetric), row after row: a row runs in full when its bounds may reach below
// the current limite() and below teto (a float the caller knows the best value
// cannot exceed), only its least column when the second bound may not; in every
// other row only the pairs of marcas go through the protocol, in scan order.
template <typename Limite, typename Protocolo>
void varre_linhas_cotadas(CotasLinhas* c, int* s, float** d, float fo, float teto,
                          const Marcas& marcas, Limite& limite, Protocolo& protocolo) {
    int n = c->n;
    varredura_interna::Teste t = varredura_interna::teste_para(fo);
    double folga = std::ldexp(std::fabs(static_cast<double>(fo)), -40) + c->folga_base;
    // A row whose bound is at or above umbral() fails the test below whatever
    // the roundings: most rows are passed over by that one comparison.
    auto umbral = [&] {
        double l = std::fmin(static_cast<double>(limite()), static_cast<double>(teto));
        double fo_d = static_cast<double>(fo);
        double u = (l - fo_d) + 2.0 * folga + std::ldexp(std::fabs(l) + std::fabs(fo_d), -48);
        return u == u ? u : HUGE_VAL;
    };
    double u = umbral();
    int k = 0;  // next mark
    for (int i = 0; i < n - 1; i++) {
        while (k < marcas.quantas && marcas.marca_i[k] < i) k++;
        int marcada = k < marcas.quantas && marcas.marca_i[k] < n - 1 ? marcas.marca_i[k] : n - 1;
        while (i < marcada && !(c->cota[i] < u)) i++;
        if (i == n - 1) break;
        // no value of row i is below a float that piso reaches
        double piso = static_cast<double>(fo) + c->cota[i] - folga;
        if (c->frouxa[i] && piso < static_cast<double>(limite()) &&
            piso < static_cast<double>(teto)) {
            aperta_cota(c, s, d, i);
            piso = static_cast<double>(fo) + c->cota[i] - folga;
        }
        double piso2 = static_cast<double>(fo) + c->cota2[i] - folga;
        if (!(piso < static_cast<double>(limite()) && piso < static_cast<double>(teto))) {
            avalia_marcas(marcas, k, i, -1, protocolo);
        } else if (!(piso2 < static_cast<double>(limite()) && piso2 < static_cast<double>(teto))) {
            // only the least column may come out below the limit
            avalia_marcas(marcas, k, i, c->coluna[i], protocolo);
        } else {
            antecipa_vizinhas(n, s, d, i);
            varredura_interna::varre_linha<true>(n, s, d, fo, t, c->arestas, marcas, k, i,
                                                 limite, protocolo);
        }
        u = umbral();
    }
}

#endif
