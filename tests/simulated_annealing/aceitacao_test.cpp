#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <random>

#include "simulated_annealing/aceitacao.h"

namespace {

// The drawn value r of sorteia_real(0, 1) for k, as the methods store it.
float r_do_sorteio(int k) { return static_cast<float>(static_cast<long double>(k) * 0.0001L); }

// Moves as the annealing meets them decide as glibc's exp does.
TEST(Aceitacao, movimentos_decidem_como_o_exp_da_glibc) {
    std::mt19937_64 gerador(42);
    std::uniform_real_distribution<double> expoente(-6.0, 6.0);
    for (int k = 0; k < 2000000; k++) {
        float delta = static_cast<float>(std::pow(10.0, expoente(gerador)));
        float temperatura = static_cast<float>(std::pow(10.0, expoente(gerador) / 2));
        float r = r_do_sorteio(static_cast<int>(gerador() % 10000));
        double x = -static_cast<double>(delta) / static_cast<double>(temperatura);
        ASSERT_EQ(aceita_piora(delta, temperatura, r), std::exp(x) > r)
            << delta << " " << temperatura;
    }
    EXPECT_TRUE(aceita_piora(0.0f, 10.0f, r_do_sorteio(9999)));
    EXPECT_FALSE(aceita_piora(1e30f, 1e-30f, 0.0f));
}

// Close calls: the doubles x around ln r for every drawn r (around -1075 ln 2,
// where exp(x) stops rounding to 0, for r = 0). Their exp falls within a few
// units in the last place of r, and the decision must be that of the nearest
// double: checked against the x87 exponential where its 64 bits settle it.
TEST(Aceitacao, casos_apertados_decidem_pelo_double_mais_proximo) {
    // Only the x87 format: other long double builds here do not match libm's.
    if (LDBL_MANT_DIG != 64) GTEST_SKIP() << "long double is not the x87 format";
    int conferidos = 0;
    for (int k = 0; k < 10000; k++) {
        float r = r_do_sorteio(k);
        int e;
        std::frexp(static_cast<double>(r), &e);
        long double m = k == 0 ? std::ldexp(1.0L, -1075) : r + std::ldexp(1.0L, e - 54);
        double x = k == 0 ? -1075 * std::log(2.0) : std::log(static_cast<double>(r));
        for (int passo = 0; passo < 40; passo++) x = std::nextafter(x, -HUGE_VAL);
        for (int passo = 0; passo <= 80; passo++, x = std::nextafter(x, HUGE_VAL)) {
            long double v = std::exp(static_cast<long double>(x));
            if (std::fabs(v - m) <= m * std::ldexp(1.0L, -58)) continue;  // x87 unsure
            ASSERT_EQ(exp_maior_que(x, r), v > m) << k << " " << x;
            conferidos++;
        }
    }
    EXPECT_GT(conferidos, 800000);
}

// Arguments whose exp lies within a thousandth of a unit of the midpoint above
// r, where glibc's exp rounds the wrong way: the answers come from 80-digit
// decimal arithmetic.
struct Apertado {
    double x;
    int k;
    bool maior;
};
class Apertados : public testing::TestWithParam<Apertado> {};
TEST_P(Apertados, seguem_o_arredondamento_correto) {
    EXPECT_EQ(exp_maior_que(GetParam().x, r_do_sorteio(GetParam().k)), GetParam().maior);
}
INSTANTIATE_TEST_SUITE_P(Aceitacao, Apertados,
                         testing::Values(Apertado{-0x1.47b6df929ee58p+0, 2780, false},
                                         Apertado{-0x1.0db504900301dp+0, 3487, true},
                                         Apertado{-0x1.f1ccd9179d595p-2, 6150, false},
                                         Apertado{-0x1.be556becedc4ap-2, 6467, true},
                                         Apertado{-0x1.42a4f6d8b9deap-6, 9805, false}));

}  // namespace
