#include "genetico/crossover_ox.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "nucleo/aleatorio.h"
#include "tests/apoio_teste.h"

namespace {

using Percurso = std::vector<int>;

// Next number of the stream, to check how many draws a call consumed.
int proximo_sorteio() { return sorteia_inteiro(1 << 30); }

// True when the calls made since seeding with semente consumed exactly k numbers.
bool consumiu_exatamente(unsigned semente, int k) {
    int depois = proximo_sorteio();
    semeia_gerador(semente);
    for (int i = 0; i < k; i++) sorteia_inteiro(1);
    return proximo_sorteio() == depois;
}

TEST(CrossoverOx, exemplo_com_8_cidades_e_cortes_2_e_4) {
    // With n = 8 the cuts are always 2 (from [2, 3)) and 4 (from [4, 5)), after two draws.
    Percurso pai1 = {0, 1, 2, 3, 4, 5, 6, 7};
    Percurso pai2 = {0, 7, 6, 5, 4, 3, 2, 1};
    for (unsigned semente : {1u, 1500u, 99u}) {
        Percurso filho1(8, -1), filho2(8, -1);
        semeia_gerador(semente);
        crossover_ox(pai1.data(), pai2.data(), filho1.data(), filho2.data(), 8);
        EXPECT_EQ(filho1, (Percurso{6, 5, 2, 3, 4, 1, 0, 7}));
        EXPECT_EQ(filho2, (Percurso{2, 3, 6, 5, 4, 7, 0, 1}));
        EXPECT_TRUE(consumiu_exatamente(semente, 2));
    }
}

TEST(CrossoverOx, cortes_fixos_com_6_e_7_cidades) {
    // n = 6: cuts 2 and 3, no draw at all.
    Percurso pai1 = {0, 1, 2, 3, 4, 5}, pai2 = {3, 5, 1, 0, 4, 2};
    Percurso filho1(6, -1), filho2(6, -1);
    semeia_gerador(1500);
    crossover_ox(pai1.data(), pai2.data(), filho1.data(), filho2.data(), 6);
    EXPECT_EQ(filho1, (Percurso{1, 0, 2, 3, 4, 5}));
    EXPECT_EQ(filho2, (Percurso{2, 3, 1, 0, 4, 5}));
    EXPECT_TRUE(consumiu_exatamente(1500, 0));

    // n = 7: corte1 2 after one draw, corte2 4 without a draw.
    Percurso p1 = {0, 1, 2, 3, 4, 5, 6}, p2 = {6, 5, 4, 3, 2, 1, 0};
    Percurso f1(7, -1), f2(7, -1);
    semeia_gerador(1500);
    crossover_ox(p1.data(), p2.data(), f1.data(), f2.data(), 7);
    EXPECT_EQ(f1, (Percurso{6, 5, 2, 3, 4, 1, 0}));
    EXPECT_EQ(f2, (Percurso{0, 1, 4, 3, 2, 5, 6}));
    EXPECT_TRUE(consumiu_exatamente(1500, 1));
}

TEST(CrossoverOx, pais_iguais_dao_filhos_iguais_a_eles) {
    std::mt19937 g(3);
    for (int n : {5, 6, 9, 51}) {
        Percurso pai = apoio::percurso_aleatorio(n, g);
        Percurso filho1(n, -1), filho2(n, -1);
        crossover_ox(pai.data(), pai.data(), filho1.data(), filho2.data(), n);
        EXPECT_EQ(filho1, pai);
        EXPECT_EQ(filho2, pai);
    }
}

TEST(CrossoverOx, filhos_sao_permutacoes_com_o_segmento_e_a_ordem_do_outro_pai) {
    std::mt19937 g(11);
    for (int rodada = 0; rodada < 300; rodada++) {
        int n = 5 + rodada % 60;
        Percurso pai1 = apoio::percurso_aleatorio(n, g), pai2 = apoio::percurso_aleatorio(n, g);
        Percurso copia1 = pai1, copia2 = pai2;
        Percurso filho1(n, -1), filho2(n, -1);
        unsigned semente = 100 + rodada;
        semeia_gerador(semente);
        crossover_ox(pai1.data(), pai2.data(), filho1.data(), filho2.data(), n);
        int depois = proximo_sorteio();

        EXPECT_EQ(pai1, copia1);
        EXPECT_EQ(pai2, copia2);
        ASSERT_TRUE(apoio::permutacao(filho1)) << "n=" << n;
        ASSERT_TRUE(apoio::permutacao(filho2)) << "n=" << n;

        // The cuts, drawn again from the same seed.
        semeia_gerador(semente);
        int c1 = static_cast<int>(sorteia_real(2.0f, static_cast<float>((n - 1) / 2)));
        int c2 = static_cast<int>(sorteia_real(static_cast<float>((n + 1) / 2), n - 3.0f));
        EXPECT_EQ(proximo_sorteio(), depois);
        ASSERT_LE(c1, c2);
        if (n >= 6) {
            EXPECT_GE(c1, 2);
            EXPECT_LE(c2, n - 3);
            EXPECT_LT(c1, (n + 1) / 2);  // the segment spans the middle
            EXPECT_GE(c2, (n - 1) / 2);
        }

        // Each child: its own parent's segment in place, then the other parent's
        // remaining cities in that parent's cyclic order, both read from corte2 + 1.
        const Percurso* pais[2] = {&pai1, &pai2};
        const Percurso* filhos[2] = {&filho1, &filho2};
        for (int k = 0; k < 2; k++) {
            const Percurso& dono = *pais[k];
            const Percurso& outro = *pais[1 - k];
            const Percurso& filho = *filhos[k];
            for (int i = c1; i <= c2; i++) EXPECT_EQ(filho[i], dono[i]);
            Percurso esperado;
            for (int t = 0; t < n; t++) {
                int cidade = outro[(c2 + 1 + t) % n];
                if (std::find(dono.begin() + c1, dono.begin() + c2 + 1, cidade) ==
                    dono.begin() + c2 + 1)
                    esperado.push_back(cidade);
            }
            for (int t = 0; t < static_cast<int>(esperado.size()); t++)
                EXPECT_EQ(filho[(c2 + 1 + t) % n], esperado[t]) << "n=" << n << " t=" << t;
        }
    }
}

TEST(CrossoverOx, abaixo_de_5_cidades_copia_os_pais_sem_sortear) {
    Percurso pai1 = {0, 1, 2, 3}, pai2 = {3, 1, 0, 2};
    Percurso filho1(4, -1), filho2(4, -1);
    semeia_gerador(8);
    crossover_ox(pai1.data(), pai2.data(), filho1.data(), filho2.data(), 4);
    EXPECT_EQ(filho1, pai1);
    EXPECT_EQ(filho2, pai2);
    EXPECT_TRUE(consumiu_exatamente(8, 0));
}

}  // namespace
