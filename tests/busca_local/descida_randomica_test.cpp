#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "busca_local/descida.h"
#include "busca_local/descida_randomica.h"
#include "nucleo/aleatorio.h"
#include "nucleo/solucao.h"
#include "tests/apoio_teste.h"

namespace {

using apoio::Matriz;

// Draws of `sorteios` random swaps: i, then j again and again while it equals i.
int sorteios_de_trocas(int n, int sorteios) {
    int total = 0;
    for (int t = 0; t < sorteios; t++) {
        int i = sorteia_inteiro(n);
        total++;
        int j;
        do {
            j = sorteia_inteiro(n);
            total++;
        } while (j == i);
    }
    return total;
}

// The stream after `trocas` swap draws from `semente`, as proximo_apos counts it.
int proximo_apos_trocas(unsigned semente, int n, int trocas) {
    semeia_gerador(semente);
    int consumidos = sorteios_de_trocas(n, trocas);
    return apoio::proximo_apos(semente, consumidos);
}

TEST(DescidaRandomica, com_duas_cidades_faz_exatamente_max_sorteios_sem_mudar) {
    Matriz m(2);
    m.simetrica(0, 1, 5.0f);
    std::vector<int> s = {1, 0};
    semeia_gerador(42);
    EXPECT_EQ(descida_randomica(2, s.data(), m.d, 37), 10.0f);
    EXPECT_EQ(s, (std::vector<int>{1, 0}));
    int proximo = sorteia_inteiro(1 << 30);
    EXPECT_EQ(proximo, proximo_apos_trocas(42, 2, 37));
}

TEST(DescidaRandomica, em_otimo_local_faz_max_sorteios_e_troca_igual_e_desfeita) {
    Matriz circulo(10);
    apoio::pontos_no_circulo(circulo);
    std::vector<int> s = apoio::identidade(10);
    semeia_gerador(7);
    EXPECT_EQ(descida_randomica(10, s.data(), circulo.d, 100), calcula_fo(10, s.data(), circulo.d));
    EXPECT_EQ(s, apoio::identidade(10));
    int proximo = sorteia_inteiro(1 << 30);
    EXPECT_EQ(proximo, proximo_apos_trocas(7, 10, 100));

    Matriz iguais(5);
    iguais.todas(1.0f);  // every swap keeps the length
    std::vector<int> t = {3, 0, 4, 1, 2};
    semeia_gerador(8);
    EXPECT_EQ(descida_randomica(5, t.data(), iguais.d, 50), 5.0f);
    EXPECT_EQ(t, (std::vector<int>{3, 0, 4, 1, 2}));
    int proximo_iguais = sorteia_inteiro(1 << 30);
    EXPECT_EQ(proximo_iguais, proximo_apos_trocas(8, 5, 50));
}

TEST(DescidaRandomica, max_zero_ou_negativo_faz_um_sorteio_mantido_se_melhora) {
    Matriz m(6);
    m.todas(2.0f);
    m.simetrica(0, 1, 10.0f);  // the tour 0..5 measures 20; separating 0 and 1 gives 12
    for (int max : {0, -3}) {
        for (unsigned semente = 1; semente <= 20; semente++) {
            semeia_gerador(semente);
            int i = sorteia_inteiro(6), j = sorteia_inteiro(6);
            while (j == i) j = sorteia_inteiro(6);
            std::vector<int> esperado = apoio::identidade(6);
            std::swap(esperado[i], esperado[j]);
            bool melhora = calcula_fo(6, esperado.data(), m.d) < 20.0f;
            if (!melhora) esperado = apoio::identidade(6);

            std::vector<int> s = apoio::identidade(6);
            semeia_gerador(semente);
            float fo = descida_randomica(6, s.data(), m.d, max);
            EXPECT_EQ(s, esperado) << semente;
            EXPECT_EQ(fo, melhora ? 12.0f : 20.0f);
            int proximo = sorteia_inteiro(1 << 30);
            EXPECT_EQ(proximo, proximo_apos_trocas(semente, 6, 1));
        }
    }
}

TEST(DescidaRandomica, com_uma_cidade_avisa_e_nao_muda) {
    Matriz m(1);
    std::vector<int> s = {0};
    testing::internal::CaptureStdout();
    EXPECT_EQ(descida_randomica(1, s.data(), m.d, 10), 0.0f);
    std::string saida = testing::internal::GetCapturedStdout();
    EXPECT_NE(saida.find("ao menos duas cidades"), std::string::npos);
    EXPECT_EQ(s, std::vector<int>{0});
}

TEST(DescidaRandomica, em_instancias_aleatorias_devolve_permutacao_com_o_valor_carregado) {
    for (unsigned semente : {5u, 6u, 2024u}) {
        Matriz m(30);
        apoio::pontos_aleatorios(m, semente);
        std::vector<int> s = apoio::percurso_aleatorio(30, semente * 3);
        float inicial = calcula_fo(30, s.data(), m.d);
        semeia_gerador(semente);
        float fo = descida_randomica(30, s.data(), m.d, 2500);
        EXPECT_TRUE(apoio::permutacao(s));
        EXPECT_LT(fo, inicial);
        EXPECT_NEAR(fo, calcula_fo(30, s.data(), m.d), 1e-5 * fo);

        // Same stream, same tour.
        std::vector<int> de_novo = apoio::percurso_aleatorio(30, semente * 3);
        semeia_gerador(semente);
        EXPECT_EQ(descida_randomica(30, de_novo.data(), m.d, 2500), fo);
        EXPECT_EQ(de_novo, s);
    }
}

}  // namespace
