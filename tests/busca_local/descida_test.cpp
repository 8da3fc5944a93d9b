#include <gtest/gtest.h>

#include <vector>

#include "busca_local/descida.h"
#include "nucleo/solucao.h"
#include "tests/apoio_teste.h"

namespace {

using apoio::Matriz;
using Descida = apoio::PastaTemporaria;

// Six cities, every distance 2 except 0-1 (10): the tour 0..5 measures 20 and
// every swap that separates 0 and 1 gives 12, the least possible value.
void uma_aresta_cara(Matriz& m) {
    m.todas(2.0f);
    m.simetrica(0, 1, 10.0f);
}

TEST_F(Descida, otimo_local_grava_duas_linhas_e_nao_muda_o_percurso) {
    Matriz m(10);
    apoio::pontos_no_circulo(m);
    std::vector<int> s = apoio::identidade(10);
    apoio::escreve_arquivo("Descida.txt", "lixo\n");
    float fo = descida(10, s.data(), m.d);
    EXPECT_EQ(s, apoio::identidade(10));
    EXPECT_EQ(fo, calcula_fo(10, s.data(), m.d));
    auto linhas = apoio::le_traco("Descidasaida.txt");
    ASSERT_EQ(linhas.size(), 2u);
    for (auto& l : linhas) {
        EXPECT_EQ(l.k, 0);
        EXPECT_EQ(l.valor, apoio::duas_casas(fo));
    }
    EXPECT_EQ(apoio::le_arquivo("Descida.txt"), "");
}

TEST_F(Descida, empate_fica_com_o_primeiro_par_da_varredura) {
    Matriz m(6);
    uma_aresta_cara(m);
    std::vector<int> s = apoio::identidade(6);
    int i = -1, j = -1;
    // (0,1) and (0,2) keep 0 next to 1; (0,3) is the first of many pairs worth 12.
    EXPECT_EQ(apoio::varredura_rapida(6, s, m.d, 20.0f, &i, &j), 12.0f);
    EXPECT_EQ(i, 0);
    EXPECT_EQ(j, 3);
    EXPECT_EQ(s, apoio::identidade(6));

    EXPECT_EQ(descida(6, s.data(), m.d), 12.0f);
    EXPECT_EQ(s, (std::vector<int>{3, 1, 2, 0, 4, 5}));
    auto linhas = apoio::le_traco("Descidasaida.txt");
    ASSERT_EQ(linhas.size(), 3u);
    EXPECT_EQ(linhas[0].valor, "20.00");
    EXPECT_EQ(linhas[1].valor, "12.00");
    EXPECT_EQ(linhas[2].valor, "12.00");
}

TEST_F(Descida, troca_de_mesmo_valor_nunca_e_aplicada) {
    Matriz m(5);
    m.todas(1.0f);  // every tour measures 5
    std::vector<int> s = {4, 2, 0, 3, 1};
    int i = -7, j = -7;
    EXPECT_EQ(apoio::varredura_rapida(5, s, m.d, 5.0f, &i, &j), 5.0f);
    EXPECT_EQ(i, -7);
    EXPECT_EQ(j, -7);
    EXPECT_EQ(descida(5, s.data(), m.d), 5.0f);
    EXPECT_EQ(s, (std::vector<int>{4, 2, 0, 3, 1}));
    EXPECT_EQ(apoio::le_traco("Descidasaida.txt").size(), 2u);
}

TEST_F(Descida, sem_par_com_uma_cidade_grava_duas_linhas) {
    Matriz m(1);
    std::vector<int> s = {0};
    EXPECT_EQ(descida(1, s.data(), m.d), 0.0f);
    EXPECT_EQ(apoio::le_traco("Descidasaida.txt").size(), 2u);
}

TEST_F(Descida, chamadas_repetidas_acrescentam_ao_traco) {
    Matriz m(6);
    uma_aresta_cara(m);
    const std::string antigo = "0.00\t     0\t   400.00\n";
    apoio::escreve_arquivo("Descidasaida.txt", antigo);
    std::vector<int> s = apoio::identidade(6);
    descida(6, s.data(), m.d);
    descida(6, s.data(), m.d);
    std::string texto = apoio::le_arquivo("Descidasaida.txt");
    EXPECT_EQ(texto.substr(0, antigo.size()), antigo);
    auto linhas = apoio::le_traco("Descidasaida.txt");
    ASSERT_EQ(linhas.size(), 1u + 3u + 2u);
    EXPECT_EQ(linhas[4].valor, "12.00");
    EXPECT_EQ(linhas[5].valor, "12.00");
}

TEST_F(Descida, em_instancias_aleatorias_chega_a_otimo_local_com_o_valor_carregado) {
    for (unsigned semente : {3u, 17u, 99u}) {
        apoio::InstanciaAleatoria a(25, semente, semente + 1);
        auto& [m, s, inicial] = a;
        remove("Descidasaida.txt");
        float fo = descida(25, s.data(), m.d);

        apoio::espera_refinado(a, fo, 1e-5f);
        int i = -1, j = -1;
        EXPECT_EQ(apoio::varredura_rapida(25, s, m.d, fo, &i, &j), fo) << "not a swap-local optimum";
        auto linhas = apoio::le_traco("Descidasaida.txt");
        ASSERT_GE(linhas.size(), 3u);
        EXPECT_EQ(linhas.front().valor, apoio::duas_casas(inicial));
        EXPECT_EQ(linhas.back().valor, apoio::duas_casas(fo));
        EXPECT_EQ(linhas[linhas.size() - 2].valor, linhas.back().valor);
        for (size_t k = 1; k + 1 < linhas.size(); k++)
            EXPECT_LE(std::stod(linhas[k].valor), std::stod(linhas[k - 1].valor));
    }
}

}  // namespace
