#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "nucleo/formato.h"

namespace {

struct Formato {
    int largura, casas;
};

class TextoReal_ : public testing::TestWithParam<Formato> {};

std::string glibc(double v, Formato f) {
    char texto[512];
    snprintf(texto, sizeof texto, "%*.*f", f.largura, f.casas, v);
    return texto;
}

// Every format the program prints, against the C library of the reference
// platform: floats of every exponent (from their bits), times in milliseconds,
// and exact halfway cases j / 2^(casas + 1), which must round to even.
TEST_P(TextoReal_, igual_ao_printf_da_glibc_com_empates_ao_par) {
    Formato f = GetParam();
    std::mt19937_64 gerador(20261207u + static_cast<unsigned>(f.largura * 100 + f.casas));
    auto confere = [&](double v) {
        ASSERT_EQ(texto_real(v, f.largura, f.casas).texto, glibc(v, f)) << v;
    };
    for (int k = 0; k < 200000; k++) {
        uint32_t bits = static_cast<uint32_t>(gerador());
        float x;
        memcpy(&x, &bits, sizeof x);
        confere(static_cast<double>(x));
        confere(static_cast<double>(static_cast<float>(gerador() % 100000000) / 8.0f));
        confere(static_cast<double>(gerador() % 10000000) / 1000.0);
        double empate = std::ldexp(static_cast<double>(gerador() % (1u << 30)), -(f.casas + 1));
        confere(empate);
        confere(-empate);
    }
    for (double v : {0.0, -0.0, 0.5, 1.5, 2.5, 0.125, 0.375, 1e-300, 3.4e38, -3.4e38,
                     std::numeric_limits<double>::max(), std::numeric_limits<double>::infinity(),
                     -std::numeric_limits<double>::infinity(), std::nan("")})
        confere(v);
    confere(-std::nan(""));
}

INSTANTIATE_TEST_SUITE_P(FormatosDoPrograma, TextoReal_,
                         testing::Values(Formato{0, 6}, Formato{8, 2}, Formato{10, 4},
                                         Formato{4, 2}, Formato{7, 2}),
                         [](const testing::TestParamInfo<Formato>& i) {
                             return "largura" + std::to_string(i.param.largura) + "_casas" +
                                    std::to_string(i.param.casas);
                         });

}  // namespace
