#include <gtest/gtest.h>

#include <vector>

#include "construcao/candidatos.h"
#include "construcao/constroi_insercao_mais_barata_parcial.h"
#include "construcao/insercao.h"
#include "construcao/insere_no_vetor.h"
#include "tests/apoio_teste.h"
#include "nucleo/aleatorio.h"

namespace {

using apoio::Matriz;

const float ALFA_MINIMO = 0.0001f;  // t * alfa never above 1: every draw has size 1

std::vector<int> parcial(const Matriz& inst, float alfa) {
    std::vector<int> s(inst.n, -7);
    constroi_insercao_mais_barata_parcial(inst.n, s.data(), inst.d, alfa);
    return s;
}

TEST(InsereNoVetor, meio_desloca_a_cauda_e_fim_so_acrescenta) {
    std::vector<int> v = {5, 8, 9, -1};
    insere_no_vetor(v.data(), 7, 1, 3);
    EXPECT_EQ(v, (std::vector<int>{5, 7, 8, 9}));

    v = {5, 8, 9, -1};
    insere_no_vetor(v.data(), 7, 3, 3);
    EXPECT_EQ(v, (std::vector<int>{5, 8, 9, 7}));

    v = {5, 8, 9, -1};
    insere_no_vetor(v.data(), 7, 2, 3);
    EXPECT_EQ(v, (std::vector<int>{5, 8, 7, 9}));

    v = {4, -1};
    insere_no_vetor(v.data(), 6, 1, 1);
    EXPECT_EQ(v, (std::vector<int>{4, 6}));
}

TEST(TamanhoSorteio, trunca_acima_de_1_e_vale_1_no_resto) {
    struct Caso {
        int t;
        float alfa;
        int tamanho;
    };
    // 20 * 0.05f and 10 * 0.1f lie just above 1.0 in double precision and still give 1.
    std::vector<Caso> casos = {{10, 0.05f, 1}, {19, 0.05f, 1}, {20, 0.05f, 1}, {39, 0.05f, 1},
                               {40, 0.05f, 2}, {49, 0.05f, 2}, {10, 0.1f, 1},  {19, 0.1f, 1},
                               {20, 0.1f, 2},  {29, 0.1f, 2},  {30, 0.1f, 3},  {39, 0.1f, 3},
                               {40, 0.1f, 4},  {47, 0.1f, 4},  {1, 0.1f, 1},   {4, 0.25f, 1},
                               {8, 0.25f, 2},  {5, 2.0f, 5},   {3, 1e30f, 3}};
    for (const Caso& c : casos)
        EXPECT_EQ(tamanho_sorteio(c.t, c.alfa), c.tamanho) << "t=" << c.t << " alfa=" << c.alfa;
}

// Subtour 0, 1, 2 on a line; city 3 just below the middle, city 4 far above.
// Cheapest places: 3 at the closing edge (about 0.83), 4 at the closing edge (about 18.1).
const std::vector<std::pair<int, int>> PERTO_E_LONGE = {{0, 0}, {1, 0}, {2, 0}, {1, 1}, {1, 10}};

TEST(InsercaoParcial, lista_restrita_poe_a_insercao_mais_cara_primeiro) {
    Matriz inst(PERTO_E_LONGE);
    // Size 1: the dearest city (4) goes in first, then 3 ties between the
    // places 2-4 and 4-0 and takes the earlier one.
    EXPECT_EQ(parcial(inst, ALFA_MINIMO), (std::vector<int>{0, 1, 2, 3, 4}));

    // Size 2 (t = 2, alfa 1): position 0 of the draw is city 4, position 1 is city 3.
    for (unsigned semente : {1u, 2u, 3u, 4u, 5u, 6u}) {
        semeia_gerador(semente);
        int p = sorteia_inteiro(2);
        semeia_gerador(semente);
        std::vector<int> s = parcial(inst, 1.0f);
        std::vector<int> esperado =
            (p == 0) ? std::vector<int>{0, 1, 2, 3, 4} : std::vector<int>{0, 1, 2, 4, 3};
        EXPECT_EQ(s, esperado) << "semente " << semente;
    }
}

TEST(InsercaoParcial, custos_iguais_listam_a_menor_cidade_primeiro) {
    // 3 and 4 mirror each other across the line 0-1-2: same cheapest cost.
    // 3 goes after 2, then 4 is cheapest between 0 and 1. Listing 4 first
    // would give 0, 3, 1, 2, 4 instead.
    Matriz inst({{0, 0}, {1, 0}, {2, 0}, {1, 5}, {1, -5}});
    EXPECT_EQ(parcial(inst, ALFA_MINIMO), (std::vector<int>{0, 4, 1, 2, 3}));
}

TEST(InsercaoParcial, primeira_insercao_tenta_os_tres_lugares_com_a_aresta_de_volta) {
    // Subtour 0, 1, 2 in each; city 3 is cheapest between 0 and 1, between 1
    // and 2, or on the closing edge 2-0 (where it lands at s[3]).
    Matriz entre_0_e_a({{0, 0}, {10, 0}, {10, 1}, {5, -9}});
    Matriz entre_a_e_b({{0, 0}, {10, 0}, {10, 2}, {12, 1}});
    Matriz aresta_de_volta({{0, 0}, {1, 0}, {2, 0}, {1, -1}});
    EXPECT_EQ(parcial(entre_0_e_a, 0.05f), (std::vector<int>{0, 3, 1, 2}));
    EXPECT_EQ(parcial(entre_a_e_b, 0.05f), (std::vector<int>{0, 1, 3, 2}));
    EXPECT_EQ(parcial(aresta_de_volta, 0.05f), (std::vector<int>{0, 1, 2, 3}));
}

TEST(InsercaoParcial, um_sorteio_por_passo_de_insercao) {
    for (int n : {3, 4, 12, 40}) {
        Matriz inst(apoio::coordenadas_aleatorias(n, 77u + static_cast<unsigned>(n), 100));
        semeia_gerador(1000);
        parcial(inst, 0.1f);
        int depois = sorteia_inteiro(1 << 30);
        semeia_gerador(1000);
        for (int passo = 0; passo < n - 3; passo++) sorteia_inteiro(1);
        EXPECT_EQ(sorteia_inteiro(1 << 30), depois) << "n=" << n;
    }
}

TEST(InsercaoParcial, abaixo_de_3_cidades_avisa_e_nao_mexe_em_s) {
    for (int n : {1, 2}) {
        Matriz inst(n, 5.0f);
        std::vector<int> s(n, 9);
        semeia_gerador(1000);
        testing::internal::CaptureStdout();
        constroi_insercao_mais_barata_parcial(n, s.data(), inst.d, 0.05f);
        EXPECT_EQ(testing::internal::GetCapturedStdout(),
                  "\nA insercao mais barata precisa de pelo menos 3 cidades.\n");
        EXPECT_EQ(s, std::vector<int>(n, 9));
        int depois = sorteia_inteiro(1 << 30);
        semeia_gerador(1000);
        EXPECT_EQ(sorteia_inteiro(1 << 30), depois) << "nothing may be drawn";
    }
}

TEST(InsercaoParcial, distancias_acima_de_2_elevado_a_31_ainda_escolhem_cidades) {
    // No cost is below the running minimum's start: the first candidate is
    // taken for the subtour and the first place for every insertion.
    Matriz inst(6, 3.0e9f);
    std::vector<int> s = parcial(inst, 0.05f);
    EXPECT_TRUE(apoio::permutacao_a_partir_de_0(s));
    EXPECT_EQ(s, (std::vector<int>{0, 5, 4, 3, 1, 2}));
}

TEST(InsercaoParcial, permutacao_a_partir_de_0_em_instancias_aleatorias) {
    semeia_gerador(31);
    for (int n = 3; n <= 60; n += 3) {
        for (float alfa : {0.05f, 0.1f, 0.5f, 1.0f}) {
            Matriz inst(apoio::coordenadas_aleatorias(n, static_cast<unsigned>(n * 13), 50));
            std::vector<int> s = parcial(inst, alfa);
            EXPECT_TRUE(apoio::permutacao_a_partir_de_0(s)) << "n=" << n << " alfa=" << alfa;
        }
    }
}

}  // namespace
