#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "nucleo/aleatorio.h"
#include "nucleo/solucao.h"
#include "simulated_annealing/simulated_annealing.h"
#include "tests/apoio_teste.h"

namespace {

using apoio::Matriz;
using SimulatedAnnealing = apoio::PastaTemporaria;

struct LinhaConsole {
    double fo_star, temperatura;
};

// Parses every "Fo_star = %8.2f \t Temperatura = %8.2f \n" line; fails on any other text.
std::vector<LinhaConsole> linhas_console(const std::string& saida) {
    std::vector<LinhaConsole> linhas;
    std::istringstream texto(saida);
    std::string linha;
    while (std::getline(texto, linha)) {
        LinhaConsole l;
        char sobra = 0;
        EXPECT_EQ(sscanf(linha.c_str(), "Fo_star = %lf \t Temperatura = %lf %c", &l.fo_star,
                         &l.temperatura, &sobra),
                  2)
            << linha;
        linhas.push_back(l);
    }
    return linhas;
}

TEST_F(SimulatedAnnealing, T0_nao_acima_de_Tf_nao_move) {
    Matriz m(12);
    apoio::pontos_aleatorios(m, 2);
    std::vector<int> s = apoio::percurso_aleatorio(12, 3);
    std::vector<int> original = s;
    apoio::escreve_arquivo("SAsaida.txt", "lixo\n");
    semeia_gerador(4);
    testing::internal::CaptureStdout();
    float fo = simulated_annealing(12, s.data(), m.d, 0.995f, 0.01f, 0.01f, 500);
    std::string saida = testing::internal::GetCapturedStdout();
    EXPECT_EQ(fo, calcula_fo(12, original.data(), m.d));
    EXPECT_EQ(s, original);
    char esperado[128];
    snprintf(esperado, sizeof esperado, "Fo_star = %8.2f \t Temperatura = %8.2f \n",
             static_cast<double>(fo), 0.01);
    EXPECT_EQ(saida, esperado);
    auto linhas = apoio::le_traco("SAsaida.txt");
    ASSERT_EQ(linhas.size(), 2u);
    EXPECT_EQ(linhas[0].valor, apoio::duas_casas(fo));
    EXPECT_EQ(linhas[1].valor, apoio::duas_casas(fo));
    int depois = sorteia_inteiro(1 << 30);
    EXPECT_EQ(depois, apoio::proximo_apos(4, 0));
}

TEST_F(SimulatedAnnealing, devolve_o_melhor_percurso_e_nao_o_ultimo) {
    // Hot throughout: the walk ends far from its best, the result must not.
    Matriz m(30);
    apoio::pontos_aleatorios(m, 11);
    std::vector<int> s = apoio::percurso_aleatorio(30, 12);
    float inicial = calcula_fo(30, s.data(), m.d);
    semeia_gerador(13);
    testing::internal::CaptureStdout();
    float fo_star = simulated_annealing(30, s.data(), m.d, 0.9f, 5000.0f, 4000.0f, 500);
    auto console = linhas_console(testing::internal::GetCapturedStdout());

    EXPECT_TRUE(apoio::permutacao(s));
    EXPECT_LE(fo_star, inicial);
    EXPECT_NEAR(calcula_fo(30, s.data(), m.d), fo_star, 1e-4 * fo_star);
    auto traco = apoio::le_traco("SAsaida.txt");
    ASSERT_EQ(traco.size(), console.size() + 1);
    EXPECT_EQ(traco.back().valor, apoio::duas_casas(fo_star));
    for (size_t k = 1; k < console.size(); k++) {
        EXPECT_LT(console[k].fo_star, console[k - 1].fo_star);
        EXPECT_EQ(apoio::duas_casas(static_cast<float>(console[k].fo_star)), traco[k].valor);
    }
}

TEST_F(SimulatedAnnealing, em_instancias_aleatorias_melhor_e_valor_carregado_com_temperatura_do_nivel) {
    for (unsigned semente : {21u, 22u}) {
        apoio::InstanciaAleatoria a(25, semente, semente + 100);
        auto& [m, s, inicial] = a;
        semeia_gerador(semente);
        testing::internal::CaptureStdout();
        float fo_star = simulated_annealing(25, s.data(), m.d, 0.95f, 200.0f, 0.5f, 200);
        auto console = linhas_console(testing::internal::GetCapturedStdout());

        apoio::espera_refinado(a, fo_star, 1e-4f);
        auto traco = apoio::le_traco("SAsaida.txt");
        ASSERT_GE(console.size(), 2u);
        EXPECT_EQ(traco.size(), console.size() + 1);
        EXPECT_EQ(traco.back().valor, apoio::duas_casas(fo_star));
        EXPECT_EQ(apoio::duas_casas(static_cast<float>(console.back().fo_star)),
                  apoio::duas_casas(fo_star));

        // Every printed temperature is a level of 200, 200*0.95, ... above 0.5, not increasing.
        std::vector<std::string> niveis;
        for (float t = 200.0f; t > 0.5f; t = 0.95f * t) niveis.push_back(apoio::duas_casas(t));
        for (size_t k = 0; k < console.size(); k++) {
            std::string t = apoio::duas_casas(static_cast<float>(console[k].temperatura));
            EXPECT_NE(std::find(niveis.begin(), niveis.end(), t), niveis.end()) << t;
            if (k > 0) {
                EXPECT_LE(console[k].temperatura, console[k - 1].temperatura);
            }
        }
        EXPECT_EQ(console[0].temperatura, 200.0);
    }
}

TEST_F(SimulatedAnnealing, parametros_sem_fim_e_uma_cidade_sao_recusados) {
    Matriz m(6);
    apoio::pontos_aleatorios(m, 1);
    std::vector<int> s = apoio::identidade(6);
    struct Caso {
        int n;
        float resfriamento, T0, Tf;
    } casos[] = {{6, 1.0f, 10.0f, 0.01f},
                 {6, 1.5f, 10.0f, 0.01f},
                 {6, 0.995f, 10.0f, 0.0f},
                 {6, 0.995f, 10.0f, -1.0f},
                 {6, 0.995f, std::numeric_limits<float>::infinity(), 0.01f},
                 {1, 0.995f, 10.0f, 0.01f}};
    for (const Caso& c : casos) {
        semeia_gerador(5);
        testing::internal::CaptureStdout();
        float fo = simulated_annealing(c.n, s.data(), m.d, c.resfriamento, c.T0, c.Tf, 500);
        std::string saida = testing::internal::GetCapturedStdout();
        EXPECT_EQ(fo, calcula_fo(c.n, s.data(), m.d));
        EXPECT_EQ(saida.find('\n', 1), saida.size() - 1) << "one line: " << saida;
        EXPECT_EQ(apoio::le_arquivo("SAsaida.txt"), "<ausente>");
        int depois = sorteia_inteiro(1 << 30);
        EXPECT_EQ(depois, apoio::proximo_apos(5, 0));
    }
    EXPECT_EQ(s, apoio::identidade(6));
}

// The annealing takes the chance of a worse move as 0 below an exponent of -746
// without calling exp: the same value only if exp gives +0 there, which this
// platform's library must do (and gives something above 0 a little higher up).
TEST(ChanceDeAceitar, exp_da_zero_abaixo_de_menos_746) {
    for (double x : {-746.0, -746.0000001, -750.5, -1.0e4, -3.4e38, -std::numeric_limits<double>::infinity()}) {
        double chance = std::exp(x);
        EXPECT_EQ(chance, 0.0) << x;
        EXPECT_FALSE(std::signbit(chance)) << x;
    }
    for (double x = -746.0; x > -800.0; x -= 0.0137) EXPECT_EQ(std::exp(x), 0.0) << x;
    EXPECT_GT(std::exp(-745.0), 0.0);
}

}  // namespace
