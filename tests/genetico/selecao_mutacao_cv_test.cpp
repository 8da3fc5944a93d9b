#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "genetico/coeficiente_variacao.h"
#include "genetico/mutacao.h"
#include "genetico/selecao_roleta.h"
#include "nucleo/aleatorio.h"

namespace {

int proximo_sorteio() { return sorteia_inteiro(1 << 30); }

// The single-precision x that selecao_roleta draws first after seeding with semente.
float x_da_roleta(unsigned semente) {
    semeia_gerador(semente);
    return static_cast<float>(sorteia_real(0.0f, 1.0f));
}

TEST(CoeficienteVariacao, valores_iguais_dao_zero) {
    std::vector<float> v(4, 2.5f);
    EXPECT_EQ(coeficiente_variacao(v.data(), 4), 0.0f);
    std::vector<float> w(400, 428.871f);  // running sums round here: tiny, not zero
    EXPECT_LT(coeficiente_variacao(w.data(), 400), 1e-5f);
    EXPECT_GE(coeficiente_variacao(w.data(), 400), 0.0f);
}

TEST(CoeficienteVariacao, desvio_amostral_com_divisor_m_menos_1) {
    float a[2] = {1.0f, 3.0f};  // mean 2, q 2, sqrt(2 / 1) / 2; divisor m would give 0.5
    EXPECT_EQ(coeficiente_variacao(a, 2), static_cast<float>(std::sqrt(2.0)) / 2.0f);
    float b[4] = {1.0f, 2.0f, 3.0f, 4.0f};  // mean 2.5, q 5
    EXPECT_EQ(coeficiente_variacao(b, 4), static_cast<float>(std::sqrt(5.0 / 3.0)) / 2.5f);
}

TEST(CoeficienteVariacao, quociente_de_q_em_precisao_dupla) {
    // Mean 2, q = 11, m - 1 = 3: the root of 11/3 taken in double rounds to a float
    // one unit below the root of the single-precision quotient 11.f/3.f.
    float v[4] = {0.5f, 0.5f, 2.5f, 4.5f};
    float raiz_dupla = static_cast<float>(std::sqrt(11.0 / 3.0));
    float raiz_simples = static_cast<float>(std::sqrt(static_cast<double>(11.0f / 3.0f)));
    ASSERT_NE(raiz_dupla, raiz_simples);
    EXPECT_EQ(coeficiente_variacao(v, 4), raiz_dupla / 2.0f);
}

TEST(SelecaoRoleta, nunca_escolhe_aptidao_zero) {
    // Index 0 lies beyond the mean plus two deviations: fitness 0.
    std::vector<float> fo(10, 100.0f);
    fo[0] = 1000.0f;
    // A seed whose first draw is k = 0 makes x = 0, which the first cumulative value,
    // 0, would reach.
    unsigned semente_zero = 1;
    for (std::mt19937 g(semente_zero); g() % 10000u != 0; g.seed(++semente_zero)) {
    }
    EXPECT_EQ(x_da_roleta(semente_zero), 0.0f);
    semeia_gerador(semente_zero);
    EXPECT_EQ(selecao_roleta(10, fo.data()), 1);

    semeia_gerador(2024);
    std::vector<int> vezes(10, 0);
    for (int r = 0; r < 3000; r++) vezes[selecao_roleta(10, fo.data())]++;
    EXPECT_EQ(vezes[0], 0);
    for (int i = 1; i < 10; i++) EXPECT_GT(vezes[i], 200) << i;  // the rest share alike
}

TEST(SelecaoRoleta, primeiro_acumulado_que_alcanca_x_com_um_sorteio_por_chamada) {
    // fo 1 and 3: deviation sqrt(2), fitness 2 sqrt(2) + 1 and 2 sqrt(2) - 1,
    // so index 0 takes the first (2 sqrt(2) + 1) / (4 sqrt(2)) = 0.6768 of the wheel.
    float fo[2] = {1.0f, 3.0f};
    int zeros = 0;
    for (unsigned semente = 1; semente <= 2000; semente++) {
        float x = x_da_roleta(semente);
        int depois = proximo_sorteio();
        semeia_gerador(semente);
        int escolhido = selecao_roleta(2, fo);
        EXPECT_EQ(proximo_sorteio(), depois);
        if (x < 0.6767f) {
            EXPECT_EQ(escolhido, 0) << "x=" << x;
        } else if (x > 0.6769f) {
            EXPECT_EQ(escolhido, 1) << "x=" << x;
        }
        zeros += escolhido == 0;
    }
    EXPECT_GT(zeros, 1200);
    EXPECT_LT(zeros, 1500);
}

TEST(SelecaoRoleta, aptidao_e_uma_expressao_dupla_arredondada_uma_vez) {
    // With these values and x = 0.4429 the cumulative value of index 2 is 0.44289985
    // when each fitness (2 desvio + media) - fo is rounded once, so index 3 is chosen;
    // rounding after the sum as well would move it to 0.44290131 and choose index 2.
    float fo[5] = {400.73f, 400.85f, 400.31f, 400.35f, 400.07f};
    unsigned semente = 1;
    for (std::mt19937 g(semente); g() % 10000u != 4429u; g.seed(++semente)) {
    }
    semeia_gerador(semente);
    EXPECT_EQ(selecao_roleta(5, fo), 3);
}

TEST(SelecaoRoleta, valores_iguais_escolhem_uniformemente_por_x_vezes_tam) {
    std::vector<float> fo(7, 50.0f);
    for (unsigned semente = 1; semente <= 300; semente++) {
        float x = x_da_roleta(semente);
        semeia_gerador(semente);
        int escolhido = selecao_roleta(7, fo.data());
        EXPECT_EQ(escolhido, static_cast<int>(static_cast<double>(x) * 7));
        EXPECT_LT(escolhido, 7);
    }
}

TEST(SelecaoRoleta, roleta_preparada_gira_como_chamadas_repetidas) {
    // A generation's 200 selections over one fo vector, spun on the wheel set up
    // once: the same indices from the same numbers. Fo spread out, fo with an
    // outlier of fitness 0, and equal fo (every fitness 0).
    std::mt19937 g(3);
    std::vector<std::vector<float>> casos;
    std::vector<float> espalhados(400), com_excluido(400, 500.0f), iguais(400, 321.5f);
    for (float& f : espalhados) f = 400.0f + static_cast<float>(g() % 100000u) / 100.0f;
    com_excluido[17] = 5000.0f;
    com_excluido[250] = 480.0f;
    casos = {espalhados, com_excluido, iguais};
    for (const auto& fo : casos) {
        int tam = static_cast<int>(fo.size());
        semeia_gerador(1500);
        std::vector<int> chamadas;
        for (int l = 0; l < 200; l++) chamadas.push_back(selecao_roleta(tam, fo.data()));
        int depois = proximo_sorteio();

        semeia_gerador(1500);
        Roleta roleta;
        prepara_roleta(roleta, tam, fo.data());
        std::vector<int> giros;
        for (int l = 0; l < 200; l++) giros.push_back(gira_roleta(roleta));
        libera_roleta(roleta);
        EXPECT_EQ(giros, chamadas);
        EXPECT_EQ(proximo_sorteio(), depois);
    }
}

TEST(Mutacao, troca_duas_posicoes_distintas_na_ordem_i_depois_j) {
    bool tocou_posicao_0 = false, redesenhou = false;
    for (int n : {2, 3, 10}) {
        for (unsigned semente = 1; semente <= 200; semente++) {
            std::vector<int> v(n);
            for (int c = 0; c < n; c++) v[c] = c;
            semeia_gerador(semente);
            mutacao(v.data(), n);
            int depois = proximo_sorteio();

            semeia_gerador(semente);
            int i = sorteia_inteiro(n);
            int j = sorteia_inteiro(n);
            while (j == i) {
                j = sorteia_inteiro(n);
                redesenhou = true;
            }
            EXPECT_EQ(proximo_sorteio(), depois);
            ASSERT_NE(i, j);
            EXPECT_EQ(v[i], j);
            EXPECT_EQ(v[j], i);
            int mudadas = 0;
            for (int c = 0; c < n; c++) mudadas += v[c] != c;
            EXPECT_EQ(mudadas, 2);
            tocou_posicao_0 = tocou_posicao_0 || i == 0 || j == 0;
        }
    }
    EXPECT_TRUE(tocou_posicao_0);
    EXPECT_TRUE(redesenhou);
}

TEST(Mutacao, uma_cidade_nao_muda_nem_sorteia) {
    int v[1] = {0};
    semeia_gerador(9);
    int esperado = proximo_sorteio();
    semeia_gerador(9);
    mutacao(v, 1);
    EXPECT_EQ(v[0], 0);
    EXPECT_EQ(proximo_sorteio(), esperado);
}

}  // namespace
