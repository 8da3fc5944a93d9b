#include "busca_local/varredura.h"

#include <cstdint>
#include <cstring>

namespace {

uint32_t bits(float x) {
    uint32_t b;
    std::memcpy(&b, &x, sizeof b);
    return b;
}

}  // namespace

// Bit for bit, so that reading d[b][a] for d[a][b] gives the very same value
// (a +0 facing a -0 counts as a difference).
bool matriz_simetrica(int n, float** d) {
    const int lado = 16;  // 16 floats: one cache line of each row of a tile
    for (int a0 = 0; a0 < n; a0 += lado) {
        int a1 = (a0 + lado < n) ? a0 + lado : n;
        for (int b0 = a0; b0 < n; b0 += lado) {
            int b1 = (b0 + lado < n) ? b0 + lado : n;
            uint32_t diferenca = 0;
            for (int a = a0; a < a1; a++)
                for (int b = b0; b < b1; b++) diferenca |= bits(d[a][b]) ^ bits(d[b][a]);
            if (diferenca != 0) return false;
        }
    }
    return true;
}
