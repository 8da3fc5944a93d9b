#include <gtest/gtest.h>

#include <vector>

#include "busca_local/descida.h"
#include "busca_local/descida_parcial.h"
#include "nucleo/aleatorio.h"
#include "nucleo/solucao.h"
#include "nucleo/vetores.h"
#include "tests/apoio_teste.h"

namespace {

using apoio::Matriz;
using DescidaParcial = apoio::PastaTemporaria;

struct Resultado {
    std::vector<int> s;
    float fo;
    int proximo;  // the stream's next number afterwards
};

Resultado roda(Matriz& m, const std::vector<int>& inicio, float percentual, unsigned semente) {
    Resultado r;
    r.s = inicio;
    semeia_gerador(semente);
    r.fo = descida_parcial(m.n, r.s.data(), m.d, percentual);
    r.proximo = sorteia_inteiro(1 << 30);
    return r;
}

TEST_F(DescidaParcial, amostra_menor_que_dois_grava_duas_linhas_e_consome_um_embaralhamento) {
    Matriz m(10);
    apoio::pontos_aleatorios(m, 12);
    std::vector<int> inicio = apoio::percurso_aleatorio(10, 13);
    for (float percentual : {19.0f, 0.0f, -5.0f}) {  // 1, 0 and 0 positions
        remove("Descidaparcialsaida.txt");
        Resultado r = roda(m, inicio, percentual, 77);
        EXPECT_EQ(r.s, inicio);
        EXPECT_EQ(r.fo, calcula_fo(10, inicio.data(), m.d));
        EXPECT_EQ(apoio::le_traco("Descidaparcialsaida.txt").size(), 2u);

        semeia_gerador(77);
        std::vector<int> v = apoio::identidade(10);
        embaralha_vetor(v.data(), 10);
        EXPECT_EQ(r.proximo, sorteia_inteiro(1 << 30)) << percentual;
    }
}

TEST_F(DescidaParcial, percentual_truncado_antes_do_produto) {
    // With 60 cities 21 % gives 12 positions and 22 % gives 13; 21.9 % must give 12.
    Matriz m(60);
    apoio::pontos_aleatorios(m, 4);
    std::vector<int> inicio = apoio::percurso_aleatorio(60, 5);
    Resultado vinte_e_um = roda(m, inicio, 21.0f, 9);
    Resultado truncado = roda(m, inicio, 21.9f, 9);
    Resultado vinte_e_dois = roda(m, inicio, 22.0f, 9);
    EXPECT_EQ(truncado.s, vinte_e_um.s);
    EXPECT_EQ(truncado.fo, vinte_e_um.fo);
    EXPECT_EQ(truncado.proximo, vinte_e_um.proximo);
    EXPECT_NE(vinte_e_dois.s, vinte_e_um.s);
}

TEST_F(DescidaParcial, cem_por_cento_ou_mais_examina_todos_os_pares) {
    Matriz m(20);
    apoio::pontos_aleatorios(m, 21);
    std::vector<int> inicio = apoio::percurso_aleatorio(20, 22);
    Resultado cem = roda(m, inicio, 100.0f, 3);
    Resultado acima = roda(m, inicio, 150.0f, 3);
    EXPECT_EQ(acima.s, cem.s);
    EXPECT_EQ(acima.fo, cem.fo);
    EXPECT_EQ(acima.proximo, cem.proximo);
    int i = -1, j = -1;
    std::vector<int> s = cem.s;
    EXPECT_EQ(apoio::varredura_completa(20, s, m.d, cem.fo, &i, &j), cem.fo) << "not a swap-local optimum";

    // A whole sample finds the same best value as the full scan.
    std::vector<int> t = inicio;
    float fo = calcula_fo(20, t.data(), m.d);
    int a = -1, b = -1;
    float cheio = apoio::varredura_completa(20, t, m.d, fo, &a, &b);
    EXPECT_EQ(apoio::amostra_de(20, t, m.d, fo, 20, &a, &b, false), cheio);
    EXPECT_EQ(t, inicio);
    std::swap(t[a], t[b]);
    EXPECT_NEAR(calcula_fo(20, t.data(), m.d), cheio, 1e-3);
}

TEST_F(DescidaParcial, acrescenta_ao_traco_e_esvazia_descida_txt) {
    Matriz m(40);
    apoio::pontos_aleatorios(m, 40);
    const std::string antigo = "0.00\t     0\t   410.00\n";
    apoio::escreve_arquivo("Descidaparcialsaida.txt", antigo);
    apoio::escreve_arquivo("Descida.txt", "lixo\n");
    std::vector<int> s = apoio::percurso_aleatorio(40, 41);
    float inicial = calcula_fo(40, s.data(), m.d);
    semeia_gerador(1);
    float fo = descida_parcial(40, s.data(), m.d, 20.0f);

    EXPECT_EQ(apoio::le_arquivo("Descida.txt"), "");
    EXPECT_EQ(apoio::le_arquivo("Descidaparcialsaida.txt").substr(0, antigo.size()), antigo);
    auto linhas = apoio::le_traco("Descidaparcialsaida.txt");
    ASSERT_GE(linhas.size(), 4u);
    EXPECT_EQ(linhas[1].valor, apoio::duas_casas(inicial));
    EXPECT_EQ(linhas.back().valor, apoio::duas_casas(fo));
    for (auto& l : linhas) EXPECT_EQ(l.k, 0);

    EXPECT_TRUE(apoio::permutacao(s));
    EXPECT_LT(fo, inicial);
    EXPECT_NEAR(fo, calcula_fo(40, s.data(), m.d), 1e-5 * fo);
}

TEST_F(DescidaParcial, amostra_sem_melhora_deixa_o_percurso_e_os_indices) {
    Matriz m(8);
    m.todas(3.0f);
    std::vector<int> s = {7, 1, 5, 3, 0, 2, 6, 4};
    int i = -9, j = -9;
    semeia_gerador(2);
    EXPECT_EQ(apoio::amostra_de(8, s, m.d, 24.0f, 8, &i, &j, false), 24.0f);
    EXPECT_EQ(i, -9);
    EXPECT_EQ(j, -9);
    EXPECT_EQ(s, (std::vector<int>{7, 1, 5, 3, 0, 2, 6, 4}));
}

// The descent keeps the tour's edges from scan to scan; a descent that forms
// them afresh at every scan (the scan's own path) ends on the same tour and
// value after the same draws, on scattered points and on a grid full of ties.
TEST_F(DescidaParcial, arestas_guardadas_dao_a_mesma_descida_que_arestas_refeitas) {
    for (int tipo = 0; tipo < 2; tipo++) {
        const int n = 60;
        Matriz m(n);
        if (tipo == 0) {
            apoio::pontos_aleatorios(m, 31);
        } else {
            std::vector<int> x(n), y(n);
            for (int c = 0; c < n; c++) {
                x[c] = c % 6;
                y[c] = c / 6;
            }
            m.pontos(x, y);
        }
        std::vector<int> inicio = apoio::percurso_aleatorio(n, 32);
        Resultado r = roda(m, inicio, 40.0f, 5);

        std::vector<int> s = inicio;
        semeia_gerador(5);
        float fo = calcula_fo(n, s.data(), m.d);
        int trocas = 0;
        for (;;) {
            int i = 0, j = 0;
            float v = apoio::amostra_de(n, s, m.d, fo, 24, &i, &j, false);
            if (!(v < fo)) break;
            troca_posicoes(s.data(), i, j);
            fo = v;
            trocas++;
        }
        EXPECT_GT(trocas, 10) << tipo;
        EXPECT_EQ(r.s, s) << tipo;
        EXPECT_EQ(r.fo, fo) << tipo;
        EXPECT_EQ(r.proximo, sorteia_inteiro(1 << 30)) << tipo;
    }
}

}  // namespace
