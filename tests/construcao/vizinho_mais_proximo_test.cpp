#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "construcao/constroi_vizinho_mais_proximo.h"
#include "construcao/constroi_vizinho_mais_proximo_parcial.h"
#include "tests/apoio_teste.h"
#include "nucleo/aleatorio.h"

namespace {

using apoio::Matriz;

const float ALFA_MINIMO = 0.0001f;  // t * alfa never above 1: every draw has size 1

std::vector<int> gulosa(const Matriz& inst, std::string* impresso = nullptr) {
    std::vector<int> s(inst.n, -7);
    testing::internal::CaptureStdout();
    constroi_vizinho_mais_proximo(inst.n, s.data(), inst.d);
    std::string saida = testing::internal::GetCapturedStdout();
    if (impresso) *impresso = saida;
    return s;
}

std::vector<int> parcial(const Matriz& inst, float alfa, std::string* impresso = nullptr) {
    std::vector<int> s(inst.n, -7);
    testing::internal::CaptureStdout();
    constroi_vizinho_mais_proximo_parcial(inst.n, s.data(), inst.d, alfa);
    std::string saida = testing::internal::GetCapturedStdout();
    if (impresso) *impresso = saida;
    return s;
}

// The number the stream gives after `sorteios` draws from `semente`.
int numero_apos(unsigned semente, int sorteios) {
    semeia_gerador(semente);
    for (int i = 0; i < sorteios; i++) sorteia_inteiro(1);
    return sorteia_inteiro(1 << 30);
}

TEST(VizinhoMaisProximo, gulosa_segue_o_mais_proximo_e_avisa_so_ela) {
    // Cities on a line out of order: 0 at 0, 3 at 1, 1 at 3, 4 at 6, 2 at 10.
    Matriz inst({{0, 0}, {3, 0}, {10, 0}, {1, 0}, {6, 0}});
    std::string impresso;
    EXPECT_EQ(gulosa(inst, &impresso), (std::vector<int>{0, 3, 1, 4, 2}));
    EXPECT_EQ(impresso, "\n Construindo nova solucao ...\n");

    parcial(inst, 0.05f, &impresso);
    EXPECT_EQ(impresso, "");
}

TEST(VizinhoMaisProximo, empates_vao_para_a_menor_cidade) {
    // From 0, cities 1 and 2 are both at distance 5; from 2, cities 3 and 4 at 5.
    Matriz inst({{0, 0}, {3, 4}, {3, -4}, {7, -7}, {-1, -7}});
    EXPECT_EQ(gulosa(inst), (std::vector<int>{0, 1, 2, 3, 4}));
    // In the restricted list the smaller of two equal distances comes first:
    // with size 1 the partially greedy step takes it too.
    semeia_gerador(1000);
    EXPECT_EQ(parcial(inst, ALFA_MINIMO), (std::vector<int>{0, 1, 2, 3, 4}));

    // Size 2 from city 0 (t = 4, alfa 0.5): position 0 is city 1, position 1 city 2.
    semeia_gerador(5);
    int p = sorteia_inteiro(2);
    semeia_gerador(5);
    std::vector<int> s = parcial(inst, 0.5f);
    EXPECT_EQ(s[1], p == 0 ? 1 : 2);
}

TEST(VizinhoMaisProximo, parcial_com_alfa_minimo_reproduz_a_gulosa_e_sorteia_a_cada_passo) {
    for (int n : {1, 2, 3, 17, 51}) {
        Matriz inst(apoio::coordenadas_aleatorias(n, 500u + static_cast<unsigned>(n), 60));
        std::vector<int> esperado = gulosa(inst);
        semeia_gerador(1000);
        EXPECT_EQ(parcial(inst, ALFA_MINIMO), esperado) << "n=" << n;
        int depois = sorteia_inteiro(1 << 30);
        EXPECT_EQ(depois, numero_apos(1000, n - 1)) << "n=" << n;
    }
}

TEST(VizinhoMaisProximo, parcial_sorteia_entre_os_k_mais_proximos) {
    // From 0 the distances are 1 (city 4), 2 (city 3), 3 (city 2), 4 (city 1):
    // with t = 4 and alfa 0.75 the draw has size 3 and picks among 4, 3, 2.
    Matriz inst({{0, 0}, {4, 0}, {3, 0}, {2, 0}, {1, 0}});
    std::vector<int> por_posicao = {4, 3, 2};
    for (unsigned semente = 1; semente <= 12; semente++) {
        semeia_gerador(semente);
        int p = sorteia_inteiro(3);
        semeia_gerador(semente);
        std::vector<int> s = parcial(inst, 0.75f);
        EXPECT_EQ(s[1], por_posicao[p]) << "semente " << semente;
        EXPECT_TRUE(apoio::permutacao_a_partir_de_0(s));
    }
}

TEST(VizinhoMaisProximo, uma_e_duas_cidades) {
    Matriz uma(1, 0.0f);
    std::string impresso;
    EXPECT_EQ(gulosa(uma, &impresso), (std::vector<int>{0}));
    EXPECT_EQ(impresso, "\n Construindo nova solucao ...\n");
    semeia_gerador(1000);
    EXPECT_EQ(parcial(uma, 0.05f), (std::vector<int>{0}));
    int depois = sorteia_inteiro(1 << 30);
    EXPECT_EQ(depois, numero_apos(1000, 0)) << "n = 1 draws nothing";

    Matriz duas(2, 7.0f);
    EXPECT_EQ(gulosa(duas), (std::vector<int>{0, 1}));
    semeia_gerador(1000);
    EXPECT_EQ(parcial(duas, 0.05f), (std::vector<int>{0, 1}));
    depois = sorteia_inteiro(1 << 30);
    EXPECT_EQ(depois, numero_apos(1000, 1));
}

TEST(VizinhoMaisProximo, distancias_acima_de_2_elevado_a_31_ainda_escolhem_cidades) {
    // No distance is below the running minimum's start: the first candidate is taken.
    Matriz inst(5, 3.0e9f);
    EXPECT_EQ(gulosa(inst), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_TRUE(apoio::permutacao_a_partir_de_0(parcial(inst, 0.1f)));
}

TEST(VizinhoMaisProximo, permutacao_a_partir_de_0_em_instancias_aleatorias) {
    semeia_gerador(17);
    for (int n = 1; n <= 60; n += 4) {
        Matriz inst(apoio::coordenadas_aleatorias(n, static_cast<unsigned>(n * 7), 40));
        EXPECT_TRUE(apoio::permutacao_a_partir_de_0(gulosa(inst))) << "n=" << n;
        for (float alfa : {0.05f, 0.1f, 0.5f, 1.0f})
            EXPECT_TRUE(apoio::permutacao_a_partir_de_0(parcial(inst, alfa))) << "n=" << n;
    }
}

}  // namespace
