#ifndef BUSCA_LOCAL_SOMA_ARESTAS_H
#define BUSCA_LOCAL_SOMA_ARESTAS_H

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <type_traits>

#include "nucleo/real_x87.h"
#include "nucleo/vetores.h"

// Defined here rather than in a .cpp of their own: the scans call them for every
// pair, and inlined into the scan loop the terms that depend only on i are read
// once per i instead of once per pair. The arithmetic is the same.

// Whether the exact sum of up to four floats (0 for a missing one) fits in a
// double, and double arithmetic then forms every partial sum of them exactly:
// the nonzero terms' exponents span at most 27, so all of it lies within
// 27 + 26 = 53 bits. Every partial sum is then exact in the x87 format too, and
// one rounding of the exact sum to float is what x87 gives. Infinities are sent
// to double as well: it adds them as x87 does.
inline bool soma_exata_em_double(float a, float b, float c, float d) {
    int maior = 0, menor = 255;
    for (float x : {a, b, c, d}) {
        uint32_t bits;
        std::memcpy(&bits, &x, sizeof bits);
        bits &= 0x7fffffffu;
        if (bits == 0) continue;
        int campo = static_cast<int>(bits >> 23);
        if (campo == 0) campo = 1;  // subnormals share the least exponent
        if (campo > maior) maior = campo;
        if (campo < menor) menor = campo;
    }
    return maior - menor <= 27 || maior == 255;
}

// ((a + b) + c) + d in the x87 format, always in software.
inline Estendido soma_quatro_estendido(float a, float b, float c, float d) {
    Estendido soma = soma_estendido(estendido_de_float(a), estendido_de_float(b));
    soma = soma_estendido(soma, estendido_de_float(c));
    return soma_estendido(soma, estendido_de_float(d));
}

// That sum stored as T (float or double) without long double: exact in double
// when it fits, the software format otherwise.
template <typename T>
inline T soma_quatro_portavel(float a, float b, float c, float d) {
    if (soma_exata_em_double(a, b, c, d))
        return static_cast<T>(((static_cast<double>(a) + b) + c) + d);
    Estendido soma = soma_quatro_estendido(a, b, c, d);
    if constexpr (std::is_same_v<T, float>) return estendido_para_float(soma);
    else return estendido_para_double(soma);
}

// ((a + b) + c) + d in the x87 format, stored as T (float or double).
template <typename T>
inline T soma_quatro(float a, float b, float c, float d) {
#if TSP_X87_NATIVO
    long double soma = a;
    soma += b;
    soma += c;
    soma += d;
    return static_cast<T>(soma);
#else
    return soma_quatro_portavel<T>(a, b, c, d);
#endif
}

// Sum, in extended precision, of the four tour edges touching positions i and j
// (pred(i)-i, i-succ(i), pred(j)-j, j-succ(j), added in this order; the tour is
// closed), stored as T: a float for soma_arestas. No special case for adjacent or equal positions:
// a shared edge is counted twice before and after the exchange and cancels in
// the difference.
//
// Swap evaluation: custo_antes = soma_arestas; exchange s[i], s[j];
// custo_depois = soma_arestas; exchange back; then either
//   fo_viz = (float)(((extended)fo - custo_antes) + custo_depois)   or
//   delta  = (float)(custo_depois - custo_antes).
template <typename T>
inline T soma_arestas_como(int n, const int* s, float** d, int i, int j) {
    int ant_i = (i == 0) ? n - 1 : i - 1;
    int suc_i = (i == n - 1) ? 0 : i + 1;
    int ant_j = (j == 0) ? n - 1 : j - 1;
    int suc_j = (j == n - 1) ? 0 : j + 1;
    return soma_quatro<T>(d[s[ant_i]][s[i]], d[s[i]][s[suc_i]], d[s[ant_j]][s[j]],
                          d[s[j]][s[suc_j]]);
}
inline float soma_arestas(int n, const int* s, float** d, int i, int j) {
    return soma_arestas_como<float>(n, s, d, i, j);
}

// The extended sum of soma_arestas rounded to double.
inline double soma_arestas_em_double(int n, const int* s, float** d, int i, int j) {
    return soma_arestas_como<double>(n, s, d, i, j);
}

// fo_viz without long double, as soma_quatro_portavel forms its sum.
inline float valor_vizinho_portavel(float fo, float custo_antes, float custo_depois) {
    if (soma_exata_em_double(fo, custo_antes, custo_depois, 0.0f))
        return static_cast<float>((static_cast<double>(fo) - custo_antes) + custo_depois);
    Estendido v = subtrai_estendido(estendido_de_float(fo), estendido_de_float(custo_antes));
    return estendido_para_float(soma_estendido(v, estendido_de_float(custo_depois)));
}

// fo_viz of the protocol above, from the two stored costs.
inline float valor_vizinho(float fo, float custo_antes, float custo_depois) {
#if TSP_X87_NATIVO
    return static_cast<float>((static_cast<long double>(fo) - custo_antes) + custo_depois);
#else
    return valor_vizinho_portavel(fo, custo_antes, custo_depois);
#endif
}

// The two costs of the swap evaluation: custo_antes, the exchange of s[i] and
// s[j], custo_depois, and the exchange undone: s is left as it was found.
inline void mede_troca(int n, int* s, float** d, int i, int j, float* custo_antes,
                       float* custo_depois) {
    *custo_antes = soma_arestas(n, s, d, i, j);
    troca_posicoes(s, i, j);
    *custo_depois = soma_arestas(n, s, d, i, j);
    troca_posicoes(s, i, j);
}

// A caller that evaluates many swaps of one tour may keep its edges,
// arestas[q] = d[s[q]][s[q + 1]] (q = n - 1: the closing edge). The sum before
// the swap read from them is the very sum soma_arestas forms, in the same order,
// without its four reads at random places of d.
inline void calcula_arestas(int n, const int* s, float** d, float* arestas) {
    for (int q = 0; q < n; q++) arestas[q] = d[s[q]][s[q == n - 1 ? 0 : q + 1]];
}

// mede_troca with the sum before the swap taken from the kept edges.
inline void mede_troca_arestas(int n, int* s, float** d, const float* arestas, int i, int j,
                               float* custo_antes, float* custo_depois) {
    int ant_i = (i == 0) ? n - 1 : i - 1;
    int ant_j = (j == 0) ? n - 1 : j - 1;
    *custo_antes = soma_quatro<float>(arestas[ant_i], arestas[i], arestas[ant_j], arestas[j]);
    troca_posicoes(s, i, j);
    *custo_depois = soma_arestas(n, s, d, i, j);
    troca_posicoes(s, i, j);
}

// After a swap of i and j is kept: the four edges it changed.
inline void renova_arestas(int n, const int* s, float** d, float* arestas, int i, int j) {
    for (int q : {i == 0 ? n - 1 : i - 1, i, j == 0 ? n - 1 : j - 1, j})
        arestas[q] = d[s[q]][s[q == n - 1 ? 0 : q + 1]];
}

#endif
