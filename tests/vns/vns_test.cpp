#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "nucleo/aleatorio.h"
#include "nucleo/solucao.h"
#include "tests/apoio_teste.h"
#include "vns/perturbacao.h"
#include "vns/vns.h"

namespace {

using apoio::Matriz;
using Vns = apoio::PastaTemporaria;

// Draws of one random swap, replayed: i, then j again and again while it equals i.
std::pair<int, int> par_sorteado(int n) {
    int i = sorteia_inteiro(n);
    int j = sorteia_inteiro(n);
    while (j == i) j = sorteia_inteiro(n);
    return {i, j};
}

std::string linha_vns(int iter, float fo_star) {
    char texto[128];
    snprintf(texto, sizeof texto, "Iteracao VNS = %3d \t  fo_star = %10.4f \n", iter,
             static_cast<double>(fo_star));
    return texto;
}

TEST(Perturbacao, k_trocas_de_posicoes_distintas_na_ordem_dos_sorteios) {
    for (int k : {1, 3, 7}) {
        std::vector<int> s = apoio::identidade(9);
        semeia_gerador(100 + k);
        if (k == 1) {
            troca_aleatoria(9, s.data());
        } else {
            perturbacao(9, s.data(), k);
        }
        int depois = sorteia_inteiro(1 << 30);

        semeia_gerador(100 + k);
        std::vector<int> esperado = apoio::identidade(9);
        for (int t = 0; t < k; t++) {
            auto [i, j] = par_sorteado(9);
            std::swap(esperado[i], esperado[j]);
        }
        EXPECT_EQ(s, esperado) << k;
        EXPECT_EQ(depois, sorteia_inteiro(1 << 30));
        if (k == 1) {
            int diferentes = 0;
            for (int p = 0; p < 9; p++) diferentes += (s[p] != p);
            EXPECT_EQ(diferentes, 2);
        }
    }
    std::vector<int> s = apoio::identidade(9);
    semeia_gerador(5);
    perturbacao(9, s.data(), 0);
    perturbacao(9, s.data(), -2);
    int depois = sorteia_inteiro(1 << 30);
    EXPECT_EQ(s, apoio::identidade(9));
    EXPECT_EQ(depois, apoio::proximo_apos(5, 0));
}

TEST_F(Vns, sem_melhora_roda_vns_max_vezes_r_descidas) {
    Matriz m(6);
    m.todas(1.0f);  // every tour measures 6: no candidate is ever better
    std::vector<int> s = {5, 3, 1, 0, 2, 4};
    semeia_gerador(9);
    testing::internal::CaptureStdout();
    EXPECT_EQ(vns(6, s.data(), m.d, 3, 5), 6.0f);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), linha_vns(0, 6.0f));
    EXPECT_EQ(s, (std::vector<int>{5, 3, 1, 0, 2, 4}));
    EXPECT_EQ(apoio::le_traco("Descidasaida.txt").size(), 15u * 2u);  // two lines per descent
    int depois = sorteia_inteiro(1 << 30);

    semeia_gerador(9);
    for (int iter = 0; iter < 3; iter++)
        for (int k = 1; k <= 5; k++)
            for (int t = 0; t < k; t++) par_sorteado(6);
    EXPECT_EQ(depois, sorteia_inteiro(1 << 30));
}

TEST_F(Vns, vns_max_ou_r_nao_positivos_nao_descem) {
    Matriz m(8);
    apoio::pontos_aleatorios(m, 3);
    std::vector<int> original = apoio::percurso_aleatorio(8, 4);
    float fo = calcula_fo(8, original.data(), m.d);
    for (auto [vns_max, r] : {std::pair{0, 5}, {-1, 5}, {3, 0}, {3, -2}}) {
        std::vector<int> s = original;
        semeia_gerador(1);
        testing::internal::CaptureStdout();
        EXPECT_EQ(vns(8, s.data(), m.d, vns_max, r), fo);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), linha_vns(0, fo));
        EXPECT_EQ(s, original);
        EXPECT_EQ(apoio::le_arquivo("Descidasaida.txt"), "<ausente>");
        int depois = sorteia_inteiro(1 << 30);
        EXPECT_EQ(depois, apoio::proximo_apos(1, 0));
    }
}

TEST_F(Vns, devolve_o_valor_da_ultima_descida_aceita) {
    for (unsigned semente : {31u, 32u, 33u}) {
        apoio::InstanciaAleatoria a(20, semente, semente + 1);
        auto& [m, s, inicial] = a;
        semeia_gerador(semente);
        testing::internal::CaptureStdout();
        float fo_star = vns(20, s.data(), m.d, 3, 5);
        std::string saida = testing::internal::GetCapturedStdout();

        apoio::espera_refinado(a, fo_star, 1e-5f);
        EXPECT_EQ(saida.substr(0, linha_vns(0, inicial).size()), linha_vns(0, inicial));
        std::string fim = linha_vns(0, fo_star).substr(linha_vns(0, fo_star).find("fo_star"));
        ASSERT_GT(saida.size(), fim.size());
        EXPECT_EQ(saida.substr(saida.size() - fim.size()), fim) << "last line: the value returned";

        // The accepted value is a descent's closing value, as its trace wrote it.
        auto linhas = apoio::le_traco("Descidasaida.txt");
        bool achou = false;
        for (auto& l : linhas) achou = achou || l.valor == apoio::duas_casas(fo_star);
        EXPECT_TRUE(achou);
    }
}

TEST_F(Vns, com_uma_cidade_avisa_e_nao_muda) {
    Matriz m(1);
    std::vector<int> s = {0};
    testing::internal::CaptureStdout();
    EXPECT_EQ(vns(1, s.data(), m.d, 3, 5), 0.0f);
    std::string saida = testing::internal::GetCapturedStdout();
    EXPECT_NE(saida.find("ao menos duas cidades"), std::string::npos);
    EXPECT_EQ(s, std::vector<int>{0});
}

}  // namespace
