#ifndef BUSCA_LOCAL_VARREDURA_H
#define BUSCA_LOCAL_VARREDURA_H

// The scans of the swap neighbourhood behind melhor_troca and
// melhor_troca_amostra (vizinhanca_troca.h), with a cheap test that spares
// the extended-precision protocol to the pairs that cannot matter.
//
// For a pair whose positions are not adjacent, the protocol's fo_viz is
// fl32((fo - ca) + cd), with ca = fl32(B), cd = fl32(A), B and A the sums of
// the four distances before and after the swap, the sums and the last two
// operations in extended precision. A rounding to single precision moves a
// value by at most 2^-24 of it, an extended operation by 2^-64, so the value
// before the last rounding lies within 2^-24 (A + B) + 2^-62 (|fo| + A + B) of
// fo - B + A (plus 2^-149 per rounding near zero). The test estimates fo - B + A
// in double precision, within 2^-50 (|fo| + A + B) whatever the order of its
// operations, and takes a margin M = (2^-22 + 2^-48) (A + B) + 2^-48 |fo| +
// 2^-120, which covers both errors with room to spare. When even the estimate
// minus M is not below the limit, the protocol's value is not below it either,
// since rounding to a float never goes past a float (the limit is one): the
// pair can be neither better nor announced, and is skipped. Every other pair,
// and every adjacent one, goes through the protocol as before, in scan order.
// With an infinity or a NaN the test either fails (the protocol runs) or skips
// a pair whose distances after the swap sum to infinity, whose protocol value
// is then +infinity, below no limit either.
//
// The distances before the swap are the tour's own edges, read from a vector
// of them. After the swap two of the four distances lie in the rows of the
// cities at i and next to it, and two in the columns of those cities; on a
// symmetric matrix (the program's always is) the columns are read as rows, so
// for a given i every read falls in three rows, which stay in cache.

#include <cmath>

#include "busca_local/soma_arestas.h"
#include "nucleo/alocacao.h"
#include "nucleo/plataforma.h"

// Pairs the caller wants through the protocol whatever their value, in scan
// order: (marca_i[k], marca_j[k]) ascending by i, then j; repeats allowed.
struct Marcas {
    const int* marca_i;
    const int* marca_j;
    int quantas;
};

const Marcas SEM_MARCAS = {nullptr, nullptr, 0};

// Whether (i, j) is one of the marks.
inline bool marcado(const Marcas& marcas, int i, int j) {
    for (int k = 0; k < marcas.quantas; k++)
        if (marcas.marca_i[k] == i && marcas.marca_j[k] == j) return true;
    return false;
}

namespace varredura_interna {

// The protocol runs for few pairs; kept out of the scan loop, it leaves the
// loop's registers to the test.
template <typename Protocolo>
NAO_EXPANDIR void avalia(Protocolo& protocolo, int i, int j) {
    protocolo(i, j);
}

// The constants of the test for a given fo.
struct Teste {
    double f, mais_f, menos_f, margem_fo;
};

inline Teste teste_para(float fo) {
    Teste t;
    t.f = std::ldexp(1.0, -22) + std::ldexp(1.0, -48);
    t.mais_f = 1.0 + t.f;
    t.menos_f = 1.0 - t.f;
    t.margem_fo = std::ldexp(std::fabs(static_cast<double>(fo)), -48) + std::ldexp(1.0, -120);
    return t;
}

// The scan with the reading of the two column distances fixed at compile time.
// The test of the header, value - M >= limit, is rearranged so that the terms
// of i are formed once per row: with b_i the two edges at i, b_j the two at j
// and A the four distances after the swap,
//   A (1 - f) - b_j (1 + f) >= limit - ((fo - b_i) - b_i f - 2^-48 |fo| - 2^-120)
// with f = 2^-22 + 2^-48. The roundings of this form stay below 2^-50 of
// |fo| + A + B (or, when the limit is far larger, cannot turn a false test true),
// inside the part of M that the bound above does not use.
// One row i: the pairs (i, j), j > i, in scan order. k is the next mark of
// marcas, carried from row to row.
template <bool simetrica, typename Limite, typename Protocolo>
inline void varre_linha(int n, const int* s, float** d, float fo, const Teste& t,
                        const float* arestas, const Marcas& marcas, int& k, int i, Limite& limite,
                        Protocolo& protocolo) {
    int ant_i = (i == 0) ? n - 1 : i - 1;
    int cidade_i = s[i], cidade_suc_i = s[i + 1];
    const float* linha_ant_i = d[s[ant_i]];
    const float* linha_i = d[cidade_i];
    const float* linha_suc_i = d[cidade_suc_i];
    double arestas_i = static_cast<double>(arestas[ant_i]) + static_cast<double>(arestas[i]);
    double termos_i = ((static_cast<double>(fo) - arestas_i) - arestas_i * t.f) - t.margem_fo;

    avalia(protocolo, i, i + 1);
    double limiar = static_cast<double>(limite()) - termos_i;  // moves only with the limit
    // (0, n-1) is adjacent through the closing edge: it comes last in row 0
    int ultimo = (i == 0) ? n - 2 : n - 1;
    // the next marked j of this row beyond the adjacent pair, -1 if none
    auto proxima_marca = [&](int depois_de) {
        while (k < marcas.quantas && (marcas.marca_i[k] < i ||
                                      (marcas.marca_i[k] == i && marcas.marca_j[k] <= depois_de)))
            k++;
        return (k < marcas.quantas && marcas.marca_i[k] == i) ? marcas.marca_j[k] : -1;
    };
    int marca_j = proxima_marca(i + 1);
    int cidade_ant_j = cidade_suc_i;
    double aresta_ant_j = arestas[i + 1];
    for (int j = i + 2; j <= ultimo; j++) {
        int cidade_j = s[j];
        double aresta_j = arestas[j];
        double arestas_j = aresta_ant_j + aresta_j;
        aresta_ant_j = aresta_j;
        if (j == marca_j) {
            avalia(protocolo, i, j);
            limiar = static_cast<double>(limite()) - termos_i;
            marca_j = proxima_marca(j);
            cidade_ant_j = cidade_j;
            continue;
        }
        int cidade_suc_j = s[j == n - 1 ? 0 : j + 1];
        float a2 = simetrica ? linha_suc_i[cidade_j] : d[cidade_j][cidade_suc_i];
        float a3 = simetrica ? linha_i[cidade_ant_j] : d[cidade_ant_j][cidade_i];
        double depois = (static_cast<double>(linha_ant_i[cidade_j]) + static_cast<double>(a2)) +
                        (static_cast<double>(a3) + static_cast<double>(linha_i[cidade_suc_j]));
        cidade_ant_j = cidade_j;
        if (depois * t.menos_f - arestas_j * t.mais_f >= limiar) continue;
        avalia(protocolo, i, j);
        limiar = static_cast<double>(limite()) - termos_i;
    }
    if (i == 0 && n - 1 > 1) avalia(protocolo, 0, n - 1);
}

// The whole scan, row after row.
template <bool simetrica, typename Limite, typename Protocolo>
void varre(int n, const int* s, float** d, float fo, const float* arestas, const Marcas& marcas,
           Limite& limite, Protocolo& protocolo) {
    Teste t = teste_para(fo);
    int k = 0;  // next mark
    for (int i = 0; i < n - 1; i++) {
        // Row i + 1 reads the rows of the cities at i, i + 1 and i + 2: the last one
        // is new, and the scan reads it at random places, which no hardware
        // prefetcher foresees. Fetched while row i runs, it is in cache in time.
        if (i + 2 < n) {
            antecipa_linha(d[s[i + 2]], n);
        }
        varre_linha<simetrica>(n, s, d, fo, t, arestas, marcas, k, i, limite, protocolo);
    }
}

// The pairs (posicoes[a], posicoes[b]), a < b < m, a outer: the positions of
// a pair come in either order and are adjacent when they differ by one or are
// 0 and n - 1. The same test, with the terms of posicoes[a] formed once per a.
template <bool simetrica, typename Limite, typename Protocolo>
void varre_amostra(int n, const int* s, float** d, float fo, const float* arestas,
                   const int* posicoes, int m, Limite& limite, Protocolo& protocolo) {
    Teste t = teste_para(fo);
    const double f = t.f, mais_f = t.mais_f, menos_f = t.menos_f, margem_fo = t.margem_fo;
    // What the pairs read of posicoes[b], gathered once for the m - 1 rows that
    // read it: its city and its neighbours' cities and positions, five ints per b,
    // and its two edges. The protocol undoes its exchange, so s is the same at
    // every pair.
    int* ponto = cria_vetor_int(5 * m);
    double* arestas_ponto = cria_vetor_double(m);
    for (int b = 0; b < m; b++) {
        int j = posicoes[b];
        int ant_j = (j == 0) ? n - 1 : j - 1, suc_j = (j == n - 1) ? 0 : j + 1;
        int* p = ponto + 5 * b;
        p[0] = s[j];
        p[1] = s[ant_j];
        p[2] = s[suc_j];
        p[3] = ant_j;
        p[4] = suc_j;
        arestas_ponto[b] = static_cast<double>(arestas[ant_j]) + static_cast<double>(arestas[j]);
    }
    double limiar_base = static_cast<double>(limite());
    for (int a = 0; a < m - 1; a++) {
        // As in the whole scan, the rows the next position reads are fetched while
        // this one runs, when it reads enough of them to pay: its m - a - 2
        // columns touch most lines of a row once they are an eighth of n.
        if (8 * (m - a - 2) >= n) {
            int proxima = posicoes[a + 1];
            for (int q : {(proxima == 0) ? n - 1 : proxima - 1, proxima,
                          (proxima == n - 1) ? 0 : proxima + 1})
                antecipa_linha(d[s[q]], n);
        }
        int i = posicoes[a];
        int ant_i = (i == 0) ? n - 1 : i - 1, suc_i = (i == n - 1) ? 0 : i + 1;
        int cidade_i = s[i], cidade_ant_i = s[ant_i], cidade_suc_i = s[suc_i];
        const float* linha_ant_i = d[cidade_ant_i];
        const float* linha_i = d[cidade_i];
        const float* linha_suc_i = d[cidade_suc_i];
        double arestas_i = static_cast<double>(arestas[ant_i]) + static_cast<double>(arestas[i]);
        double termos_i = ((static_cast<double>(fo) - arestas_i) - arestas_i * f) - margem_fo;
        double limiar = limiar_base - termos_i;
        for (int b = a + 1; b < m; b++) {
            const int* p = ponto + 5 * b;
            if (p[3] == i || p[4] == i) {  // adjacent
                avalia(protocolo, i, posicoes[b]);
                limiar_base = static_cast<double>(limite());
                limiar = limiar_base - termos_i;
                continue;
            }
            int cidade_j = p[0];
            float a2 = simetrica ? linha_suc_i[cidade_j] : d[cidade_j][cidade_suc_i];
            float a3 = simetrica ? linha_i[p[1]] : d[p[1]][cidade_i];
            double depois = (static_cast<double>(linha_ant_i[cidade_j]) + static_cast<double>(a2)) +
                            (static_cast<double>(a3) + static_cast<double>(linha_i[p[2]]));
            if (depois * menos_f - arestas_ponto[b] * mais_f >= limiar) continue;
            avalia(protocolo, i, posicoes[b]);
            limiar_base = static_cast<double>(limite());
            limiar = limiar_base - termos_i;
        }
    }
    libera_vetor(ponto);
    libera_vetor(arestas_ponto);
}

}  // namespace varredura_interna

// The protocol for the pair (i, j), then escolhe(i, j, fo_viz) with s as it was.
template <typename Escolhe>
inline void avalia_protocolo(int n, int* s, float** d, float fo, int i, int j, Escolhe& escolhe) {
    float custo_antes, custo_depois;
    mede_troca(n, s, d, i, j, &custo_antes, &custo_depois);
    escolhe(i, j, valor_vizinho(fo, custo_antes, custo_depois));
}

// Scans the pairs i < j, i outer, both ascending. limite() gives the current
// limit (a float); for every pair whose fo_viz could be below it, for every
// adjacent pair and for every pair of marcas, the protocol is run and
// escolhe(i, j, fo_viz) is called, s as it was. simetrica must be
// matriz_simetrica(n, d), arestas the tour's edges as calcula_arestas gives them.
template <typename Limite, typename Escolhe>
void varre_trocas(int n, int* s, float** d, float fo, bool simetrica, const float* arestas,
                  const Marcas& marcas, Limite limite, Escolhe escolhe) {
    if (n < 2) return;
    auto protocolo = [&](int i, int j) { avalia_protocolo(n, s, d, fo, i, j, escolhe); };
    if (simetrica)
        varredura_interna::varre<true>(n, s, d, fo, arestas, marcas, limite, protocolo);
    else
        varredura_interna::varre<false>(n, s, d, fo, arestas, marcas, limite, protocolo);
}

// The pairs of a sample: for a from 0 to m - 2 and b from a + 1 to m - 1, the
// positions posicoes[a] and posicoes[b] (distinct positions of the tour, in
// either order). Otherwise as varre_trocas, without marks.
template <typename Limite, typename Escolhe>
void varre_trocas_amostra(int n, int* s, float** d, float fo, bool simetrica, const int* posicoes,
                          int m, const float* arestas, Limite limite, Escolhe escolhe) {
    if (m < 2) return;
    auto protocolo = [&](int i, int j) { avalia_protocolo(n, s, d, fo, i, j, escolhe); };
    if (simetrica)
        varredura_interna::varre_amostra<true>(n, s, d, fo, arestas, posicoes, m, limite, protocolo);
    else
        varredura_interna::varre_amostra<false>(n, s, d, fo, arestas, posicoes, m, limite, protocolo);
}

#endif
