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

int sorteia_dez_milesimos() { return static_cast<int>(proximo_numero() % 10000u); }

Estendido real_sorteado_estendido(int k, float a, float b) {
    const Estendido dez_milesimo = {0xd1b71758e219652cu, -77, false};  // 0.0001 to 64 bits
    Estendido fator = multiplica_estendido(estendido_de_int(k), dez_milesimo);
    Estendido largura = subtrai_estendido(estendido_de_float(b), estendido_de_float(a));
    return soma_estendido(multiplica_estendido(fator, largura), estendido_de_float(a));
}

real_x87 real_sorteado(int k, float a, float b) {
#if TSP_X87_NATIVO
    return (static_cast<long double>(k) * 0.0001L) *
               (static_cast<long double>(b) - static_cast<long double>(a)) +
           static_cast<long double>(a);
#else
    return real_sorteado_estendido(k, a, b);
#endif
}

real_x87 sorteia_real(float a, float b) {
    if (a == b) return x87_de_float(a);
    return real_sorteado(sorteia_dez_milesimos(), a, b);
}

int sorteios_abaixo_de(double p) {
    int abaixo = 0, acima = 10000;  // the count lies in abaixo..acima
    while (abaixo < acima) {
        int k = (abaixo + acima) / 2;
        if (x87_compara(real_sorteado(k, 0.0f, 1.0f), p) == -1)
            abaixo = k + 1;
        else
            acima = k;
    }
    return abaixo;
}
