#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "construcao/constroi_insercao_mais_barata.h"
#include "tests/apoio_teste.h"
#include "nucleo/aleatorio.h"

namespace {

using apoio::Matriz;

std::vector<int> gulosa(const Matriz& inst, std::string* impresso = nullptr) {
    std::vector<int> s(inst.n, -7);
    testing::internal::CaptureStdout();
    constroi_insercao_mais_barata(inst.n, s.data(), inst.d);
    std::string saida = testing::internal::GetCapturedStdout();
    if (impresso) *impresso = saida;
    return s;
}

TEST(InsercaoGulosa, insere_o_par_mais_barato_e_imprime_cada_percurso_parcial) {
    // Subtour 0, 1, 2 on a line; city 4 just below the middle (cheap), city 3
    // far above. The cheaper city goes first although its number is larger;
    // then 3 ties between the places 2-4 and 4-0 and takes the earlier one.
    Matriz inst({{0, 0}, {1, 0}, {2, 0}, {1, 10}, {1, 1}});
    std::string impresso;
    EXPECT_EQ(gulosa(inst, &impresso), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(impresso,
              "0 -> 1 -> 0 \n"
              "0 -> 1 -> 2 -> 0 \n"
              "0 -> 1 -> 2 -> 4 -> 0 \n"
              "0 -> 1 -> 2 -> 3 -> 4 -> 0 \n");
}

TEST(InsercaoGulosa, empates_vao_para_a_menor_cidade) {
    // 3 and 4 mirror each other across the line 0-1-2: same cheapest cost,
    // 3 goes first (after 2), then 4 is cheapest between 0 and 1.
    Matriz inst({{0, 0}, {1, 0}, {2, 0}, {1, 5}, {1, -5}});
    EXPECT_EQ(gulosa(inst), (std::vector<int>{0, 4, 1, 2, 3}));
    // Initial subtour: from 1, cities 2 and 3 are both at distance 1.
    Matriz empate_inicial({{0, 0}, {1, 0}, {2, 0}, {1, -1}});
    EXPECT_EQ(gulosa(empate_inicial)[2], 2);
}

TEST(InsercaoGulosa, primeira_insercao_tenta_os_tres_lugares_com_a_aresta_de_volta) {
    Matriz entre_0_e_a({{0, 0}, {10, 0}, {10, 1}, {5, -9}});
    Matriz entre_a_e_b({{0, 0}, {10, 0}, {10, 2}, {12, 1}});
    Matriz aresta_de_volta({{0, 0}, {1, 0}, {2, 0}, {1, -1}});
    std::string impresso;
    EXPECT_EQ(gulosa(entre_0_e_a, &impresso), (std::vector<int>{0, 3, 1, 2}));
    EXPECT_EQ(impresso, "0 -> 1 -> 0 \n0 -> 1 -> 2 -> 0 \n0 -> 3 -> 1 -> 2 -> 0 \n");
    EXPECT_EQ(gulosa(entre_a_e_b), (std::vector<int>{0, 1, 3, 2}));
    EXPECT_EQ(gulosa(aresta_de_volta, &impresso), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(impresso, "0 -> 1 -> 0 \n0 -> 1 -> 2 -> 0 \n0 -> 1 -> 2 -> 3 -> 0 \n");
}

TEST(InsercaoGulosa, abaixo_de_3_cidades_avisa_e_nao_mexe_em_s) {
    for (int n : {1, 2}) {
        Matriz inst(n, 5.0f);
        std::vector<int> s(n, 9);
        testing::internal::CaptureStdout();
        constroi_insercao_mais_barata(n, s.data(), inst.d);
        EXPECT_EQ(testing::internal::GetCapturedStdout(),
                  "\nA insercao mais barata precisa de pelo menos 3 cidades.\n");
        EXPECT_EQ(s, std::vector<int>(n, 9));
    }
}

TEST(InsercaoGulosa, custos_acima_de_2_elevado_a_31_ainda_escolhem_cidades) {
    // Nothing is below the running minimum's start: the first candidate goes
    // to the first place at every step.
    Matriz inst(6, 3.0e9f);
    EXPECT_EQ(gulosa(inst), (std::vector<int>{0, 5, 4, 3, 1, 2}));
}

TEST(InsercaoGulosa, permutacao_a_partir_de_0_sem_sorteios_em_instancias_aleatorias) {
    for (int n = 3; n <= 60; n += 3) {
        Matriz inst(apoio::coordenadas_aleatorias(n, static_cast<unsigned>(n * 5), 50));
        semeia_gerador(99);
        std::vector<int> s = gulosa(inst);
        EXPECT_TRUE(apoio::permutacao_a_partir_de_0(s)) << "n=" << n;
        int depois = sorteia_inteiro(1 << 30);
        semeia_gerador(99);
        EXPECT_EQ(sorteia_inteiro(1 << 30), depois) << "n=" << n;
    }
}

}  // namespace
