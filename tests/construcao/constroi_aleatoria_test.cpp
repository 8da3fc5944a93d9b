#include <gtest/gtest.h>

#include <vector>

#include "construcao/constroi_aleatoria.h"
#include "nucleo/aleatorio.h"

namespace {

TEST(ConstroiAleatoria, permutacao_a_partir_de_0_com_n_menos_1_sorteios) {
    for (int n : {1, 2, 3, 10, 51}) {
        std::vector<int> s(n, -5);
        semeia_gerador(1000);
        constroi_aleatoria(n, s.data(), nullptr);
        EXPECT_EQ(s[0], 0);
        std::vector<int> vistos(n, 0);
        for (int c : s) {
            ASSERT_GE(c, 0);
            ASSERT_LT(c, n);
            vistos[c]++;
        }
        for (int c = 0; c < n; c++) EXPECT_EQ(vistos[c], 1) << "n=" << n;

        // Replay: draws with arguments n-1 .. 1 pick the p-th smallest unplaced city;
        // the next draw after them must be the stream's n-th number.
        semeia_gerador(1000);
        std::vector<int> livres;
        for (int c = 1; c < n; c++) livres.push_back(c);
        for (int j = 1; j < n; j++) {
            int p = sorteia_inteiro(static_cast<int>(livres.size()));
            EXPECT_EQ(s[j], livres[p]);
            livres.erase(livres.begin() + p);
        }
        int depois = sorteia_inteiro(1 << 30);
        semeia_gerador(1000);
        for (int j = 1; j < n; j++) sorteia_inteiro(1);
        EXPECT_EQ(sorteia_inteiro(1 << 30), depois);
    }
}

TEST(ConstroiAleatoria, mesma_semente_mesmo_percurso) {
    std::vector<int> a(30), b(30);
    semeia_gerador(1000);
    constroi_aleatoria(30, a.data(), nullptr);
    sorteia_inteiro(5);
    semeia_gerador(1000);
    constroi_aleatoria(30, b.data(), nullptr);
    EXPECT_EQ(a, b);
}

}  // namespace
