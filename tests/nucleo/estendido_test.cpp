// The software extended format against the native x87 long double, bit for
// bit. The comparisons need long double to be the x87 format; elsewhere they
// are skipped.
#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>

#include "nucleo/aleatorio.h"
#include "nucleo/estendido.h"

namespace {

#define SO_ONDE_LONG_DOUBLE_E_X87() \
    if (LDBL_MANT_DIG != 64) GTEST_SKIP() << "long double is not the x87 format here"

// Exact where long double is x87.
long double nativo(Estendido x) {
    long double v = std::ldexp(static_cast<long double>(x.mantissa), x.expoente);
    return x.negativo ? -v : v;
}

bool mesmo(long double a, long double b) { return a == b && std::signbit(a) == std::signbit(b); }
bool mesmo(double a, double b) { return a == b && std::signbit(a) == std::signbit(b); }
bool mesmo(float a, float b) { return a == b && std::signbit(a) == std::signbit(b); }

// Random operands: exponents of a in [expoente_min, expoente_max], b within
// distancia of a. Significands with runs of low zeros or ones, or next to a
// power of 2, make exact results, carries and halfway cases frequent.
struct Operandos {
    const char* nome;
    int expoente_min, expoente_max, distancia;
};

void PrintTo(const Operandos& o, std::ostream* saida) { *saida << o.nome; }

class OperacoesX87 : public testing::TestWithParam<Operandos> {};

TEST_P(OperacoesX87, iguais_ao_long_double_nativo) {
    SO_ONDE_LONG_DOUBLE_E_X87();
    const Operandos& p = GetParam();
    std::mt19937_64 g(12345);
    auto mantissa = [&g]() {
        uint64_t m = g() | (uint64_t{1} << 63);
        switch (g() % 4) {
            case 0: return m & ~((uint64_t{1} << (g() % 64)) - 1);  // low bits zero
            case 1: return m | ((uint64_t{1} << (g() % 64)) - 1);   // low bits one
            case 2: return (uint64_t{1} << 63) | (g() % 8);         // near a power of 2
            default: return m;
        }
    };
    auto expoente = [&](int base) {
        int e = base - p.distancia + static_cast<int>(g() % (2 * p.distancia + 1));
        return e;
    };
    int erros = 0;
    for (int t = 0; t < 1000000 && erros < 5; t++) {
        int ea = p.expoente_min + static_cast<int>(g() % (p.expoente_max - p.expoente_min + 1));
        Estendido a = {mantissa(), ea, (g() & 1) != 0};
        Estendido b = {mantissa(), expoente(ea), (g() & 1) != 0};
        if (g() % 64 == 0) b = a;  // equal magnitudes: exact cancellation
        if (g() % 256 == 0) a.mantissa = 0;
        long double na = nativo(a), nb = nativo(b);
        long double soma = na + nb, diferenca = na - nb, produto = na * nb;
        bool ok = mesmo(nativo(soma_estendido(a, b)), soma) &&
                  mesmo(nativo(subtrai_estendido(a, b)), diferenca) &&
                  mesmo(nativo(multiplica_estendido(a, b)), produto) &&
                  mesmo(estendido_para_float(a), static_cast<float>(na)) &&
                  mesmo(estendido_para_double(a), static_cast<double>(na));
        double y = static_cast<double>(nb);
        int esperado = na < y ? -1 : na > y ? 1 : 0;
        ok = ok && compara_estendido(a, y) == esperado;
        if (std::fabs(na) < 2147483648.0L) ok = ok && estendido_para_int(a) == static_cast<int>(na);
        if (!ok) {
            erros++;
            ADD_FAILURE() << p.nome << ": a = " << std::hexfloat << na << ", b = " << nb;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Familias, OperacoesX87,
    testing::Values(Operandos{"proximos", -70, -50, 3},      // cancellation, ints, ties
                    Operandos{"na_borda_de_64_bits", -90, -40, 70},
                    Operandos{"distantes", -100, 0, 140},
                    Operandos{"floats_subnormais_e_grandes", -63 - 160, -63 + 130, 20},
                    Operandos{"doubles_subnormais_e_grandes", -63 - 1090, -63 + 1030, 30}),
    [](const testing::TestParamInfo<Operandos>& i) { return std::string(i.param.nome); });

TEST(EstendidoX87, conversoes_exatas_de_float_double_e_int) {
    SO_ONDE_LONG_DOUBLE_E_X87();
    std::mt19937 g(99);
    for (int t = 0; t < 1000000; t++) {
        uint32_t bits = g();
        float f;
        std::memcpy(&f, &bits, sizeof f);
        if (std::isfinite(f)) {
            ASSERT_TRUE(mesmo(nativo(estendido_de_float(f)), static_cast<long double>(f))) << f;
        }
        double d = std::ldexp(static_cast<double>(g()) * 4294967296.0 + g(), static_cast<int>(g() % 2100) - 1150);
        ASSERT_TRUE(mesmo(nativo(estendido_de_double(d)), static_cast<long double>(d))) << d;
        int i = static_cast<int>(g());
        ASSERT_TRUE(mesmo(nativo(estendido_de_int(i)), static_cast<long double>(i))) << i;
    }
    for (int i : {0, 1, -1, INT_MAX, INT_MIN})
        EXPECT_TRUE(mesmo(nativo(estendido_de_int(i)), static_cast<long double>(i))) << i;
    EXPECT_TRUE(mesmo(nativo(estendido_de_float(-0.0f)), -0.0L));
    EXPECT_EQ(compara_estendido(estendido_de_int(1), std::nan("")), 2);
}

// Every k for every range the methods draw in: 0..1, and the two cut ranges of
// OX for every tour size from 5 to 20,000, in blocks of 1,000 sizes.
class SorteioX87 : public testing::TestWithParam<int> {};

TEST_P(SorteioX87, cada_k_de_cada_faixa_igual_ao_nativo) {
    SO_ONDE_LONG_DOUBLE_E_X87();
    auto confere = [](float a, float b) {
        for (int k = 0; k < 10000; k++) {
            long double x = (static_cast<long double>(k) * 0.0001L) *
                                (static_cast<long double>(b) - static_cast<long double>(a)) +
                            static_cast<long double>(a);
            Estendido e = real_sorteado_estendido(k, a, b);
            if (!mesmo(nativo(e), x) || static_cast<int>(e) != static_cast<int>(x) ||
                !mesmo(static_cast<float>(e), static_cast<float>(x)))
                return k;
        }
        return -1;
    };
    int bloco = GetParam();
    if (bloco == 0) {
        ASSERT_EQ(confere(0.0f, 1.0f), -1) << "faixa 0..1";
    }
    for (int n = bloco * 1000 + 1; n <= (bloco + 1) * 1000; n++) {
        if (n < 5) continue;
        if (n % 2 == 1) {  // (n - 1) / 2 is the same for n and n + 1
            ASSERT_EQ(confere(2.0f, static_cast<float>((n - 1) / 2)), -1) << "n = " << n;
        }
        ASSERT_EQ(confere(static_cast<float>((n + 1) / 2), static_cast<float>(n - 3)), -1) << "n = " << n;
    }
}

INSTANTIATE_TEST_SUITE_P(Blocos, SorteioX87, testing::Range(0, 20));

}  // namespace
