#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "busca_local/soma_arestas.h"
#include "nucleo/aleatorio.h"
#include "nucleo/alocacao.h"
#include "nucleo/solucao.h"
#include "tests/apoio_teste.h"

namespace {

using apoio::Matriz;

// The change of tour length by the protocol, exchanging back afterwards.
float delta_protocolo(Matriz& inst, std::vector<int>& s, int i, int j) {
    float antes = static_cast<float>(soma_arestas(inst.n, s.data(), inst.d, i, j));
    std::swap(s[i], s[j]);
    float depois = static_cast<float>(soma_arestas(inst.n, s.data(), inst.d, i, j));
    std::swap(s[i], s[j]);
    return depois - antes;
}

TEST(SomaArestas, quatro_arestas_com_vizinhos_circulares) {
    // Distances below 1500: every partial sum is exact, so the stored cost is
    // the exact sum rounded once.
    Matriz inst(5);
    apoio::pontos_aleatorios(inst, 3);
    std::vector<int> s = {3, 1, 4, 0, 2};
    double esperado = static_cast<double>(inst.d[2][3]) + inst.d[3][1] + inst.d[4][0] + inst.d[0][2];
    EXPECT_EQ(soma_arestas(5, s.data(), inst.d, 0, 3), static_cast<float>(esperado));
    EXPECT_EQ(soma_arestas(5, s.data(), inst.d, 3, 0), static_cast<float>(esperado));
    EXPECT_EQ(soma_arestas_em_double(5, s.data(), inst.d, 0, 3), esperado);
    // i == j counts the two edges at i twice
    EXPECT_EQ(soma_arestas(5, s.data(), inst.d, 4, 4),
              static_cast<float>(2.0 * (static_cast<double>(inst.d[0][2]) + inst.d[2][3])));
}

TEST(SomaArestas, adjacentes_e_par_0_n_menos_1_dao_a_variacao_exata) {
    Matriz inst(12);
    apoio::pontos_aleatorios(inst, 11);
    std::vector<int> s(12);
    for (int i = 0; i < 12; i++) s[i] = (i * 5) % 12;
    float fo = calcula_fo(12, s.data(), inst.d);
    std::vector<std::pair<int, int>> pares = {{0, 1}, {4, 5}, {10, 11}, {0, 11}, {11, 0}, {2, 7}};
    for (auto [i, j] : pares) {
        float delta = delta_protocolo(inst, s, i, j);
        std::vector<int> t = s;
        std::swap(t[i], t[j]);
        double real = 0, trocado = 0;
        for (int k = 0; k < 12; k++) {
            real += inst.d[s[k]][s[(k + 1) % 12]];
            trocado += inst.d[t[k]][t[(k + 1) % 12]];
        }
        EXPECT_NEAR(delta, trocado - real, 1e-3) << i << "," << j;
        EXPECT_NEAR(valor_vizinho(fo, static_cast<float>(soma_arestas(12, s.data(), inst.d, i, j)),
                                  static_cast<float>(soma_arestas(12, t.data(), inst.d, i, j))),
                    calcula_fo(12, t.data(), inst.d), 1e-2);
    }
}

TEST(SomaArestas, com_tres_cidades_toda_troca_vale_zero) {
    Matriz inst(3);
    apoio::pontos_aleatorios(inst, 5);
    std::vector<int> s = {0, 1, 2};
    for (int i = 0; i < 3; i++)
        for (int j = 0; j < 3; j++) EXPECT_EQ(delta_protocolo(inst, s, i, j), 0.0f);
}

TEST(SomaArestas, mede_troca_da_os_custos_do_protocolo_e_deixa_o_percurso) {
    Matriz inst(9);
    apoio::pontos_aleatorios(inst, 4);
    const std::vector<int> base = {4, 0, 7, 2, 8, 5, 1, 3, 6};
    std::vector<std::pair<int, int>> pares = {{0, 1}, {3, 4}, {0, 8}, {8, 0}, {2, 6}, {6, 2}, {1, 7}};
    for (auto [i, j] : pares) {
        std::vector<int> s = base, t = base;
        float antes = -1.0f, depois = -1.0f;
        mede_troca(9, s.data(), inst.d, i, j, &antes, &depois);
        EXPECT_EQ(antes, static_cast<float>(soma_arestas(9, t.data(), inst.d, i, j))) << i << "," << j;
        EXPECT_EQ(s, t) << i << "," << j;
        std::swap(t[i], t[j]);
        EXPECT_EQ(depois, static_cast<float>(soma_arestas(9, t.data(), inst.d, i, j))) << i << "," << j;
    }
}

TEST(SomaArestas, valor_vizinho_arredonda_uma_vez_so) {
    // In float, (1e8 - 1) + 2 would round twice; wide, it is exactly 1e8 + 1 -> float 1e8.
    EXPECT_EQ(valor_vizinho(1.0e8f, 3.0f, 4.0f), 1.0e8f);
    EXPECT_EQ(valor_vizinho(16777216.0f, 1.0f, 2.0f), 16777216.0f);
    EXPECT_EQ(valor_vizinho(16777216.0f, 0.5f, 3.0f), 16777218.0f);
}

// Kept edges give the costs mede_troca gives, bit for bit, for every pair
// (adjacent ones and 0, n-1 included), and stay the tour's edges swap after swap.
TEST(SomaArestas, arestas_guardadas_dao_os_mesmos_custos_ao_longo_de_trocas) {
    for (int n : {2, 3, 4, 9}) {
        Matriz inst(n);
        apoio::pontos_aleatorios(inst, 40u + n);
        std::vector<int> s(n);
        for (int k = 0; k < n; k++) s[k] = k;
        std::vector<float> arestas(n), frescas(n);
        calcula_arestas(n, s.data(), inst.d, arestas.data());
        semeia_gerador(7);
        for (int passo = 0; passo < 60; passo++) {
            for (int i = 0; i < n; i++)
                for (int j = 0; j < n; j++) {
                    if (i == j) continue;
                    std::vector<int> a = s, b = s;
                    float antes_a, depois_a, antes_b, depois_b;
                    mede_troca(n, a.data(), inst.d, i, j, &antes_a, &depois_a);
                    mede_troca_arestas(n, b.data(), inst.d, arestas.data(), i, j, &antes_b, &depois_b);
                    ASSERT_EQ(antes_b, antes_a) << n << " " << i << " " << j;
                    ASSERT_EQ(depois_b, depois_a) << n << " " << i << " " << j;
                    ASSERT_EQ(b, a);
                }
            int i = sorteia_inteiro(n), j = sorteia_inteiro(n);
            if (i == j) continue;
            std::swap(s[i], s[j]);
            renova_arestas(n, s.data(), inst.d, arestas.data(), i, j);
            calcula_arestas(n, s.data(), inst.d, frescas.data());
            ASSERT_EQ(arestas, frescas) << "passo " << passo;
        }
    }
}

}  // namespace
