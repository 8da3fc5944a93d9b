#include "genetico/algoritmo_genetico.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "nucleo/aleatorio.h"
#include "nucleo/alocacao.h"
#include "nucleo/solucao.h"
#include "tests/apoio_teste.h"

namespace {

using apoio::Matriz;
using Percurso = std::vector<int>;

struct Execucao {
    Percurso s;
    float fo;
    std::string saida;
};

// One seeded run from the tour `entrada`, with what it printed.
Execucao executa(const Matriz& m, const Percurso& entrada, int operador, int tam_pop = 20) {
    Execucao e{entrada, 0.0f, ""};
    semeia_gerador(1500);
    testing::internal::CaptureStdout();
    e.fo = algoritmo_genetico(m.n, e.s.data(), m.d, tam_pop, 0.01f, 0.8, 0.01, operador);
    e.saida = testing::internal::GetCapturedStdout();
    return e;
}

// Values printed after each occurrence of `rotulo`.
std::vector<double> valores_apos(const std::string& texto, const std::string& rotulo) {
    std::vector<double> v;
    for (size_t p = texto.find(rotulo); p != std::string::npos; p = texto.find(rotulo, p + 1))
        v.push_back(std::strtod(texto.c_str() + p + rotulo.size(), nullptr));
    return v;
}

TEST(AlgoritmoGenetico, devolve_a_fo_do_percurso_deixado_em_s_e_nao_le_a_entrada) {
    // 45 cities: the constructions draw, the population varies
    Matriz m(apoio::coordenadas_aleatorias(45, 7u, 100));
    Percurso invertido = apoio::identidade(45);
    std::reverse(invertido.begin(), invertido.end());
    size_t melhorias_vistas = 0;
    for (int operador : {1, 2}) {
        Execucao a = executa(m, apoio::identidade(45), operador);
        Execucao b = executa(m, invertido, operador);
        ASSERT_TRUE(apoio::permutacao(a.s));
        EXPECT_EQ(a.fo, calcula_fo(45, a.s.data(), m.d));
        EXPECT_EQ(a.s, b.s);
        EXPECT_EQ(a.fo, b.fo);
        EXPECT_EQ(a.saida, b.saida);

        // The construction's best, then strictly better values ending at the result.
        auto construcao = valores_apos(a.saida, "Melhor solucao encontrada na construcao: ");
        ASSERT_EQ(construcao.size(), 1u);
        auto melhorias = valores_apos(a.saida, "fo star = ");
        melhorias_vistas += melhorias.size();
        double anterior = construcao[0];
        for (double v : melhorias) {
            EXPECT_LT(v, anterior);
            anterior = v;
        }
        char impresso[32];
        snprintf(impresso, sizeof impresso, "%f", static_cast<double>(a.fo));
        EXPECT_EQ(anterior, std::strtod(impresso, nullptr));  // the last printed is the result
        auto geracoes = valores_apos(a.saida, "\nNumero de geracoes avaliadas: ");
        ASSERT_EQ(geracoes.size(), 1u);
        EXPECT_GE(geracoes[0], 1.0);
        EXPECT_NE(a.saida.back(), '\n');  // the count ends the output without a newline
    }
    EXPECT_GT(melhorias_vistas, 0u);  // the generations improved on the construction
}

// Replays the draws of one generation with two parents on 6 cities and OX (whose
// cuts are fixed there): returns the number that follows them. Flags when a
// crossover test drew 0.8 and when a mutation test drew 0.01, where only the
// extended-precision value (a little below each) gives the right outcome.
int replay_de_uma_geracao(unsigned semente, bool* cruzou_em_0_8, bool* mutou_em_0_01) {
    semeia_gerador(semente);
    for (int i = 0; i < 2 * (6 - 3); i++) sorteia_inteiro(1);  // the two constructions
    for (;;) {
        int a, b;
        do {
            a = sorteia_inteiro(2);
            b = sorteia_inteiro(2);
        } while (a == b);
        // k = 8000 gives the extended value a little below 0.8, so it crosses.
        int x = sorteia_dez_milesimos();
        if (x > 8000) continue;
        *cruzou_em_0_8 = *cruzou_em_0_8 || x == 8000;
        break;
    }
    for (int k = 0; k < 4; k++) {
        int x = sorteia_dez_milesimos();  // k = 100: a little below 0.01, it mutates
        if (x <= 100) {
            *mutou_em_0_01 = *mutou_em_0_01 || x == 100;
            int i = sorteia_inteiro(6);
            int j = sorteia_inteiro(6);
            while (j == i) j = sorteia_inteiro(6);
        }
    }
    for (int l = 0; l < 2; l++) sorteia_real(0.0f, 1.0f);  // selection
    return sorteia_inteiro(1 << 30);
}

TEST(AlgoritmoGenetico, ordem_dos_sorteios_e_comparacao_em_precisao_estendida) {
    Matriz m(apoio::coordenadas_aleatorias(6, 11u, 100));
    bool achou_cruzamento = false, achou_mutacao = false;
    int verificadas = 0;
    for (unsigned semente = 1; semente < 40000 && !(achou_cruzamento && achou_mutacao); semente++) {
        bool cruzou = false, mutou = false;
        int esperado = replay_de_uma_geracao(semente, &cruzou, &mutou);
        if (verificadas >= 20 && !cruzou && !mutou) continue;
        Percurso s = apoio::identidade(6);
        semeia_gerador(semente);
        testing::internal::CaptureStdout();
        // cv_min far above any value: exactly one generation
        algoritmo_genetico(6, s.data(), m.d, 2, 1e9f, 0.8, 0.01, 1);
        testing::internal::GetCapturedStdout();
        EXPECT_EQ(sorteia_inteiro(1 << 30), esperado) << "semente " << semente;
        achou_cruzamento = achou_cruzamento || cruzou;
        achou_mutacao = achou_mutacao || mutou;
        verificadas++;
    }
    EXPECT_TRUE(achou_cruzamento);
    EXPECT_TRUE(achou_mutacao);
}

TEST(AlgoritmoGenetico, populacao_igual_para_com_aptidao_nula_em_uma_geracao) {
    // Every tour has length 7: all fitness values are 0, the roulette goes uniform,
    // and the coefficient of variation is 0 after the first generation.
    Matriz m(7, 1.0f);
    for (int operador : {1, 2}) {
        Execucao e = executa(m, apoio::identidade(7), operador);
        EXPECT_EQ(e.fo, 7.0f);
        EXPECT_TRUE(apoio::permutacao(e.s));
        EXPECT_EQ(e.saida,
                  "Melhor solucao encontrada na construcao: 7.000000\n"
                  "\nNumero de geracoes avaliadas: 1");
    }
}

TEST(AlgoritmoGenetico, populacao_impar_avisa_espera_e_usa_mais_um) {
    Matriz m(apoio::coordenadas_aleatorias(12, 3u, 100));
    FILE* tecla = tmpfile();
    fputs("x", tecla);
    rewind(tecla);
    FILE* original = stdin;
    stdin = tecla;
    Execucao impar = executa(m, apoio::identidade(12), 1, 5);
    long lidos = ftell(tecla);
    stdin = original;
    fclose(tecla);

    Execucao par = executa(m, apoio::identidade(12), 1, 6);
    EXPECT_EQ(lidos, 1);  // one key consumed
    EXPECT_EQ(impar.saida,
              "Numero de individuos deve ser par!\nVou aumentar o numero de individuos ...\n" +
                  par.saida);
    EXPECT_EQ(impar.s, par.s);
    EXPECT_EQ(impar.fo, par.fo);
}

TEST(AlgoritmoGenetico, casos_pequenos_demais_avisam_deixam_s_e_nao_sorteiam) {
    semeia_gerador(1500);
    int primeiro = sorteia_inteiro(1 << 30);
    struct Caso {
        int n, operador, tam_pop;
        const char* mensagem;
    } casos[] = {
        {4, 1, 20, "\nO operador escolhido precisa de pelo menos 5 cidades.\n"},
        {2, 2, 20, "\nO operador escolhido precisa de pelo menos 3 cidades.\n"},
        {5, 3, 20, "\nOperador de crossover desconhecido: 3\n"},
        {5, 2, 0, "\nA populacao precisa de pelo menos 2 individuos.\n"},
    };
    for (const Caso& c : casos) {
        Matriz m(apoio::coordenadas_aleatorias(c.n, 2u, 100));
        Percurso s = apoio::identidade(c.n);
        std::reverse(s.begin(), s.end());
        Execucao e = executa(m, s, c.operador, c.tam_pop);
        EXPECT_EQ(e.saida, c.mensagem);
        EXPECT_EQ(e.s, s);
        EXPECT_EQ(e.fo, calcula_fo(c.n, s.data(), m.d));
        EXPECT_EQ(sorteia_inteiro(1 << 30), primeiro);
    }
}

TEST(AlgoritmoGenetico, menores_instancias_aceitas_terminam_com_permutacao) {
    for (int n : {3, 4, 5}) {
        Matriz m(apoio::coordenadas_aleatorias(n, static_cast<unsigned>(n), 100));
        Execucao e = executa(m, apoio::identidade(n), 2);
        EXPECT_TRUE(apoio::permutacao(e.s)) << n;
        EXPECT_EQ(e.fo, calcula_fo(n, e.s.data(), m.d));
    }
    Matriz m5(apoio::coordenadas_aleatorias(5, 5u, 100));
    Execucao e = executa(m5, apoio::identidade(5), 1);
    EXPECT_TRUE(apoio::permutacao(e.s));
    EXPECT_EQ(e.fo, calcula_fo(5, e.s.data(), m5.d));
}

}  // namespace
