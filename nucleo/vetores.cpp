#include "nucleo/vetores.h"

#include <cstdint>
#include <cstring>

#include "nucleo/ajustes.h"
#include "nucleo/aleatorio.h"

void copia_vetor(int* destino, const int* origem, int n) {
    for (int i = 0; i < n; i++) destino[i] = origem[i];
}

void zera_vetor_int(int* v, int n) {
    for (int i = 0; i < n; i++) v[i] = 0;
}

void zera_vetor_float(float* v, int n) {
    for (int i = 0; i < n; i++) v[i] = 0.0f;
}

void embaralha_vetor(int* v, int n) {
    if (n < 2) return;  // q could never differ from p
    for (int r = 0; r < n; r++) {
        int p, q;
        sorteia_par(n, &p, &q);
        troca_posicoes(v, p, q);
    }
}

namespace {

uint32_t bits(float x) {
    uint32_t b;
    std::memcpy(&b, &x, sizeof b);
    return b;
}

}  // namespace

// Bit for bit, so that reading d[b][a] for d[a][b] gives the very same value
// (a +0 facing a -0 counts as a difference). *maior, when asked for, gets the
// largest bit pattern of the entries read as d[a][b] (-0 counted as +0): on a
// symmetric matrix those are all the entries, and for floats of + sign the
// order of the bits is the order of the values.
namespace {
bool compara_em_blocos(int n, float** d, uint32_t* maior) {
    // Both tiles stay in cache (nucleo/ajustes.h).
    const int lado = LADO_LADRILHO;
    uint32_t topo = 0;
    for (int a0 = 0; a0 < n; a0 += lado) {
        int a1 = (a0 + lado < n) ? a0 + lado : n;
        for (int b0 = a0; b0 < n; b0 += lado) {
            int b1 = (b0 + lado < n) ? b0 + lado : n;
            uint32_t diferenca = 0;
            for (int a = a0; a < a1; a++)
                for (int b = (b0 == a0 ? a : b0); b < b1; b++) {
                    uint32_t x = bits(d[a][b]);
                    diferenca |= x ^ bits(d[b][a]);
                    if (maior != nullptr) {
                        x = (x == 0x80000000u) ? 0u : x;
                        topo = (x > topo) ? x : topo;
                    }
                }
            if (diferenca != 0) return false;
        }
    }
    if (maior != nullptr) *maior = topo;
    return true;
}
}  // namespace

bool matriz_simetrica(int n, float** d) { return compara_em_blocos(n, d, nullptr); }

bool matriz_simetrica_finita(int n, float** d, float* maior) {
    uint32_t topo;
    // a negative entry, an infinity or a NaN has a pattern at or above +inf's
    if (!compara_em_blocos(n, d, &topo) || topo >= 0x7f800000u) return false;
    std::memcpy(maior, &topo, sizeof *maior);
    return true;
}
