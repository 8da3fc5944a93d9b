#include "nucleo/aleatorio.h"

#include <cstdint>
#include <random>

namespace {
std::mt19937 gerador(1);

uint32_t proximo_numero() { return static_cast<uint32_t>(gerador()); }
}  // namespace

void semeia_gerador(unsigned int semente) { gerador.seed(semente); }

int sorteia_inteiro(int m) {
    if (m == 0) return 0;
    return static_cast<int>(proximo_numero() % static_cast<uint32_t>(m));
}

void sorteia_par(int n, int* i, int* j) {
    *i = sorteia_inteiro(n);
    *j = sorteia_inteiro(n);
    while (*j == *i) *j = sorteia_inteiro(n);
}

long double sorteia_real(float a, float b) {
    if (a == b) return a;
    uint32_t k = proximo_numero() % 10000u;
    return (static_cast<long double>(k) * 0.0001L) *
               (static_cast<long double>(b) - static_cast<long double>(a)) +
           static_cast<long double>(a);
}
