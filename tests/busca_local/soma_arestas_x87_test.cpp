// The portable swap-cost arithmetic against native x87 long double, bit for
// bit, on millions of operands. Skipped where long double is not x87.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <random>
#include <string>

#include "busca_local/soma_arestas.h"

namespace {

bool mesmo(float a, float b) {
    uint32_t x, y;
    std::memcpy(&x, &a, sizeof x);
    std::memcpy(&y, &b, sizeof y);
    return x == y;
}
bool mesmo(double a, double b) { return a == b && std::signbit(a) == std::signbit(b); }

float bits_float(uint32_t bits) {
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

// Operand families. comuns: distances of ordinary instances; extremos: any
// finite float, subnormals and the largest included; empates: terms placed
// 22 to 67 binary orders apart, where the sums hit halfway cases of the 64-bit
// and of the float rounding; coordenadas: values near the int limits next to
// tiny and moderate distances.
enum Familia { COMUNS, EXTREMOS, EMPATES, COORDENADAS };

float operando(Familia f, std::mt19937& g, float referencia) {
    std::uniform_real_distribution<float> u(0.0f, 1.0f);
    switch (f) {
        case COMUNS:
            return g() % 20 == 0 ? 0.0f : 2000.0f * u(g);
        case EXTREMOS: {
            float x;
            do x = bits_float(g());
            while (!std::isfinite(x));
            return x;
        }
        case EMPATES: {
            static const int deslocamentos[] = {0, 1, 2, 22, 23, 24, 25, 26, 38, 39, 40,
                                                41, 42, 62, 63, 64, 65, 66, 67};
            int e;
            std::frexp(referencia, &e);
            int d = deslocamentos[g() % (sizeof deslocamentos / sizeof *deslocamentos)];
            float m = static_cast<float>(g() % 4 == 0 ? (1 << 23) + (g() % 3) : (g() >> 8) | 1);
            float x = std::ldexp(m, e - 24 - d);
            return (g() & 1) ? -x : x;
        }
        case COORDENADAS:
        default: {
            float x;
            switch (g() % 3) {
                case 0: x = 2147483647.0f - static_cast<float>(g() % 100000000); break;
                case 1: x = std::ldexp(u(g), -static_cast<int>(g() % 30)); break;
                default: x = 1000.0f * u(g); break;
            }
            return (g() & 1) ? -x : x;
        }
    }
}

class SomasX87 : public testing::TestWithParam<Familia> {};

std::string nome_da_familia(const testing::TestParamInfo<Familia>& i) {
    const char* nomes[] = {"comuns", "extremos", "empates", "coordenadas"};
    return nomes[i.param];
}

TEST_P(SomasX87, quatro_parcelas_e_valor_vizinho_iguais_ao_nativo) {
    if (LDBL_MANT_DIG != 64) GTEST_SKIP() << "long double is not the x87 format here";
    std::mt19937 g(2024 + GetParam());
    int erros = 0, exatas = 0;
    const int rodadas = 1000000;
    for (int t = 0; t < rodadas && erros < 5; t++) {
        float a = operando(GetParam(), g, 1.0f);
        if (GetParam() == EMPATES) a = std::ldexp(static_cast<float>((g() >> 8) | 1), static_cast<int>(g() % 60) - 30);
        float b = operando(GetParam(), g, a), c = operando(GetParam(), g, a), d = operando(GetParam(), g, a);
        long double soma = a;
        soma += b;
        soma += c;
        soma += d;
        long double vizinho = (static_cast<long double>(a) - b) + c;
        Estendido e = soma_quatro_estendido(a, b, c, d);
        bool ok = e.mantissa == 0 ? soma == 0 : std::ldexp(static_cast<long double>(e.mantissa), e.expoente) == std::fabs(soma);
        ok = ok && mesmo(soma_quatro_portavel<float>(a, b, c, d), static_cast<float>(soma)) &&
             mesmo(soma_quatro_portavel<double>(a, b, c, d), static_cast<double>(soma)) &&
             mesmo(valor_vizinho_portavel(a, b, c), static_cast<float>(vizinho));
        exatas += soma_exata_em_double(a, b, c, d);
        if (!ok) {
            erros++;
            ADD_FAILURE() << std::hexfloat << a << " " << b << " " << c << " " << d;
        }
    }
    // Ordinary distances never need the software path; the other families reach it.
    if (GetParam() == COMUNS) {
        EXPECT_EQ(exatas, rodadas);
    } else {
        EXPECT_LT(exatas, rodadas);
    }
}

INSTANTIATE_TEST_SUITE_P(Familias, SomasX87, testing::Values(COMUNS, EXTREMOS, EMPATES, COORDENADAS),
                         nome_da_familia);

}  // namespace
