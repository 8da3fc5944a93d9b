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

namespace {

using Percurso = std::vector<int>;

// Distance matrix of random integer points, or of equal distances, owned by the test.
struct Matriz {
    int n;
    float** d;
    Matriz(int n_, unsigned semente) : n(n_), d(cria_matriz_float(n_, n_)) {
        std::mt19937 g(semente);
        std::vector<int> x(n), y(n);
        for (int i = 0; i < n; i++) {
            x[i] = static_cast<int>(g() % 100);
            y[i] = static_cast<int>(g() % 100);
        }
        for (int i = 0; i < n; i++)
            for (int j = 0; j < n; j++) {
                double dx = x[i] - x[j], dy = y[i] - y[j];
                d[i][j] = static_cast<float>(std::sqrt(dx * dx + dy * dy));
            }
    }
    Matriz(int n_, float valor) : n(n_), d(cria_matriz_float(n_, n_)) {
        for (int i = 0; i < n; i++)
            for (int j = 0; j < n; j++) d[i][j] = i == j ? 0.0f : valor;
    }
    ~Matriz() { libera_matriz_float(d, n); }
};

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

Percurso identidade(int n) {
    Percurso s(n);
    for (int c = 0; c < n; c++) s[c] = c;
    return s;
}

bool e_permutacao(Percurso s) {
    std::sort(s.begin(), s.end());
    return s == identidade(static_cast<int>(s.size()));
}

// Values printed after each occurrence of `rotulo`.
std::vector<double> valores_apos(const std::string& texto, const std::string& rotulo) {
    std::vector<double> v;
    for (size_t p = texto.find(rotulo); p != std::string::npos; p = texto.find(rotulo, p + 1))
        v.push_back(std::strtod(texto.c_str() + p + rotulo.size(), nullptr));
    return v;
}

TEST(AlgoritmoGenetico, devolve_a_fo_do_percurso_deixado_em_s_e_nao_le_a_entrada) {
    Matriz m(45, 7u);  // 45 cities: the constructions draw, the population varies
    Percurso invertido = identidade(45);
    std::reverse(invertido.begin(), invertido.end());
    size_t melhorias_vistas = 0;
    for (int operador : {1, 2}) {
        Execucao a = executa(m, identidade(45), operador);
        Execucao b = executa(m, invertido, operador);
        ASSERT_TRUE(e_permutacao(a.s));
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
    Matriz m(6, 11u);
    bool achou_cruzamento = false, achou_mutacao = false;
    int verificadas = 0;
    for (unsigned semente = 1; semente < 40000 && !(achou_cruzamento && achou_mutacao); semente++) {
        bool cruzou = false, mutou = false;
        int esperado = replay_de_uma_geracao(semente, &cruzou, &mutou);
        if (verificadas >= 20 && !cruzou && !mutou) continue;
        Percurso s = identidade(6);
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
        Execucao e = executa(m, identidade(7), operador);
        EXPECT_EQ(e.fo, 7.0f);
        EXPECT_TRUE(e_permutacao(e.s));
        EXPECT_EQ(e.saida,
                  "Melhor solucao encontrada na construcao: 7.000000\n"
                  "\nNumero de geracoes avaliadas: 1");
    }
}

TEST(AlgoritmoGenetico, populacao_impar_avisa_espera_e_usa_mais_um) {
    Matriz m(12, 3u);
    FILE* tecla = tmpfile();
    fputs("x", tecla);
    rewind(tecla);
    FILE* original = stdin;
    stdin = tecla;
    Execucao impar = executa(m, identidade(12), 1, 5);
    long lidos = ftell(tecla);
    stdin = original;
    fclose(tecla);

    Execucao par = executa(m, identidade(12), 1, 6);
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
        Matriz m(c.n, 2u);
        Percurso s = identidade(c.n);
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
        Matriz m(n, static_cast<unsigned>(n));
        Execucao e = executa(m, identidade(n), 2);
        EXPECT_TRUE(e_permutacao(e.s)) << n;
        EXPECT_EQ(e.fo, calcula_fo(n, e.s.data(), m.d));
    }
    Matriz m5(5, 5u);
    Execucao e = executa(m5, identidade(5), 1);
    EXPECT_TRUE(e_permutacao(e.s));
    EXPECT_EQ(e.fo, calcula_fo(5, e.s.data(), m5.d));
}

}  // namespace
