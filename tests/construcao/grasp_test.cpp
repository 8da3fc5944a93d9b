#include "construcao/grasp.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "busca_local/descida.h"
#include "busca_local/descida_vizinhanca.h"
#include "busca_local/vizinhanca_2opt_oropt.h"
#include "construcao/constroi_insercao_mais_barata_parcial.h"
#include "construcao/constroi_vizinho_mais_proximo_parcial.h"
#include "tests/apoio_teste.h"
#include "nucleo/aleatorio.h"
#include "nucleo/solucao.h"

namespace {

using apoio::Matriz;

// The descents write their trace files into the working directory: run in a
// scratch one.
class Grasp : public testing::Test {
protected:
    void SetUp() override {
        char* atual = getcwd(nullptr, 0);
        ASSERT_NE(atual, nullptr);
        anterior_ = atual;
        free(atual);
        char modelo[] = "/tmp/grasp_teste_XXXXXX";
        ASSERT_NE(mkdtemp(modelo), nullptr);
        pasta_ = modelo;
        ASSERT_EQ(chdir(pasta_.c_str()), 0);
    }
    void TearDown() override {
        remove((pasta_ + "/Descida.txt").c_str());
        remove((pasta_ + "/Descidasaida.txt").c_str());
        EXPECT_EQ(chdir(anterior_.c_str()), 0);
        rmdir(pasta_.c_str());
    }
    std::string anterior_, pasta_;
};

struct Resultado {
    std::vector<int> s;
    float fo;
    std::string impresso;
};

Resultado roda_grasp(const Matriz& inst, int iter_max, int metodo, std::vector<int> s) {
    testing::internal::CaptureStdout();
    float fo = grasp(inst.n, s.data(), inst.d, 0.1f, iter_max, metodo);
    return {s, fo, testing::internal::GetCapturedStdout()};
}

TEST_F(Grasp, guarda_o_melhor_das_iteracoes_e_imprime_cada_melhora) {
    for (int metodo : {1, 2}) {
        Matriz inst(apoio::coordenadas_aleatorias(25, 40u + static_cast<unsigned>(metodo), 100));
        const int iter_max = 30;
        // Replay of the iterations: the same constructions from the same stream.
        semeia_gerador(1000);
        std::vector<int> s(inst.n), melhor;
        std::vector<float> valores;
        std::string linhas;
        float fo_melhor = 0.0f;
        for (int it = 1; it <= iter_max; it++) {
            if (metodo == 1)
                constroi_vizinho_mais_proximo_parcial(inst.n, s.data(), inst.d, 0.1f);
            else
                constroi_insercao_mais_barata_parcial(inst.n, s.data(), inst.d, 0.1f);
            float fo = descida(inst.n, s.data(), inst.d);
            valores.push_back(fo);
            if (it == 1 || fo < fo_melhor) {
                fo_melhor = fo;
                melhor = s;
                char linha[100];
                snprintf(linha, sizeof linha, "Iteracao GRASP = %3d \t  fo_star = %8.2f \n", it,
                         static_cast<double>(fo));
                linhas += linha;
            }
        }

        semeia_gerador(1000);
        Resultado r = roda_grasp(inst, iter_max, metodo, std::vector<int>(inst.n, -3));
        EXPECT_EQ(r.s, melhor) << "metodo " << metodo;
        EXPECT_EQ(r.fo, fo_melhor) << "metodo " << metodo;
        for (float v : valores) EXPECT_LE(r.fo, v);
        EXPECT_EQ(r.impresso, linhas) << "metodo " << metodo;
        EXPECT_EQ(r.impresso.rfind("Iteracao GRASP =   1 \t  fo_star = ", 0), 0u);
        EXPECT_TRUE(apoio::permutacao(r.s));
        // The value is the descent's, close to the recomputed one.
        EXPECT_NEAR(r.fo, calcula_fo(inst.n, r.s.data(), inst.d), 1e-3f * r.fo);
    }
}

TEST_F(Grasp, mesma_opcao_duas_vezes_da_o_mesmo_percurso_e_valor) {
    Matriz inst(apoio::coordenadas_aleatorias(30, 9u, 200));
    for (int metodo : {1, 2}) {
        semeia_gerador(1000);
        Resultado a = roda_grasp(inst, 20, metodo, std::vector<int>(inst.n, 0));
        sorteia_inteiro(7);  // the stream moves on between the two runs
        semeia_gerador(1000);
        std::vector<int> outro_inicio(inst.n);
        for (int i = 0; i < inst.n; i++) outro_inicio[i] = inst.n - 1 - i;
        Resultado b = roda_grasp(inst, 20, metodo, outro_inicio);
        EXPECT_EQ(a.s, b.s) << "metodo " << metodo;
        EXPECT_EQ(a.fo, b.fo) << "metodo " << metodo;
        EXPECT_EQ(a.impresso, b.impresso) << "metodo " << metodo;
    }
}

TEST_F(Grasp, uma_iteracao_e_a_construcao_seguida_da_descida) {
    Matriz inst(apoio::coordenadas_aleatorias(18, 3u, 80));
    semeia_gerador(1000);
    std::vector<int> s(inst.n);
    constroi_insercao_mais_barata_parcial(inst.n, s.data(), inst.d, 0.1f);
    float fo = descida(inst.n, s.data(), inst.d);
    semeia_gerador(1000);
    Resultado r = roda_grasp(inst, 1, 2, std::vector<int>(inst.n, -1));
    EXPECT_EQ(r.s, s);
    EXPECT_EQ(r.fo, fo);
}

// With a 2-opt/Or-opt neighbourhood each iteration is the construction and
// descida_vizinhanca, with lists or over the full neighbourhood.
TEST_F(Grasp, com_vizinhanca_uma_iteracao_e_a_construcao_seguida_dessa_descida) {
    Matriz inst(apoio::coordenadas_aleatorias(40, 5u, 100));
    for (int vizinhos : {0, 6}) {
        semeia_gerador(1000);
        std::vector<int> s(inst.n), t(inst.n);
        constroi_vizinho_mais_proximo_parcial(inst.n, s.data(), inst.d, 0.1f);
        float fo = descida_vizinhanca(inst.n, s.data(), inst.d, VIZINHANCA_2OPT_OROPT, vizinhos);
        semeia_gerador(1000);
        float fo_grasp = grasp(inst.n, t.data(), inst.d, 0.1f, 1, 1, nullptr,
                               VIZINHANCA_2OPT_OROPT, vizinhos);
        EXPECT_EQ(t, s);
        EXPECT_EQ(fo_grasp, fo);
    }
}

TEST_F(Grasp, sem_iteracoes_ou_sem_cidades_para_inserir_nao_mexe_em_s) {
    Matriz inst(apoio::coordenadas_aleatorias(6, 5u, 30));
    std::vector<int> s = {0, 3, 1, 5, 2, 4};
    float esperado = calcula_fo(6, s.data(), inst.d);
    for (int iter_max : {0, -4}) {
        Resultado r = roda_grasp(inst, iter_max, 1, s);
        EXPECT_EQ(r.s, s);
        EXPECT_EQ(r.fo, esperado);
        EXPECT_EQ(r.impresso, "");
    }
    Matriz duas({{0, 0}, {3, 4}});
    Resultado r = roda_grasp(duas, 100, 2, {1, 0});
    EXPECT_EQ(r.s, (std::vector<int>{1, 0}));
    EXPECT_EQ(r.fo, 10.0f);
    EXPECT_EQ(r.impresso, "\nA insercao mais barata precisa de pelo menos 3 cidades.\n");
    // The nearest neighbour serves two cities.
    r = roda_grasp(duas, 3, 1, {1, 0});
    EXPECT_EQ(r.s, (std::vector<int>{0, 1}));
    EXPECT_EQ(r.fo, 10.0f);
}

TEST_F(Grasp, valores_acima_de_2_elevado_a_31_ainda_deixam_um_percurso) {
    // Every tour measures 4 * 3e9: no value falls below the starting fo_star,
    // yet the first iteration's tour is kept and reported.
    Matriz inst(4, 3.0e9f);
    for (int metodo : {1, 2}) {
        Resultado r = roda_grasp(inst, 5, metodo, std::vector<int>(4, -1));
        EXPECT_TRUE(apoio::permutacao(r.s)) << "metodo " << metodo;
        EXPECT_EQ(r.fo, calcula_fo(4, r.s.data(), inst.d));
        EXPECT_EQ(r.impresso, "Iteracao GRASP =   1 \t  fo_star = 12000000000.00 \n");
    }
}

}  // namespace
