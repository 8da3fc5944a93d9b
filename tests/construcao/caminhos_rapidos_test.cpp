// The constructions keep the cheapest place of every candidate from step to
// step and keep only the reachable head of each restricted list. These tests
// set them against the steps as the procedures read (every place of every
// candidate searched again, every candidate put in the whole ordered list) on
// instances made for ties, coincident cities and costs past 2^31.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "construcao/candidatos.h"
#include "construcao/constroi_insercao_mais_barata.h"
#include "construcao/constroi_insercao_mais_barata_parcial.h"
#include "construcao/constroi_vizinho_mais_proximo_parcial.h"
#include "construcao/insercao.h"
#include "construcao/insere_no_vetor.h"
#include "nucleo/lista.h"
#include "tests/apoio_teste.h"
#include "nucleo/ajustes.h"
#include "nucleo/aleatorio.h"
#include "nucleo/solucao.h"

namespace {

using apoio::Matriz;

using Percurso = std::vector<int>;

// Coordinates scaled after the draw: with a small side many cities coincide and
// many costs tie; with a scale of 1e9 some costs pass 2^31 and some do not.
std::vector<std::pair<int, int>> pontos(int n, unsigned semente, int lado, int escala) {
    auto xy = apoio::coordenadas_aleatorias(n, semente, lado);
    // Centred before scaling, so 1e9 times the side stays inside an int.
    for (auto& p : xy) {
        p.first = (p.first - lado / 2) * escala;
        p.second = (p.second - lado / 2) * escala;
    }
    return xy;
}

// The instances of every test below, with a name for the failure messages.
struct Caso {
    std::string nome;
    std::vector<std::pair<int, int>> xy;
};

std::vector<Caso> casos() {
    std::vector<Caso> c;
    for (int n : {3, 4, 5, 9, 17, 33, 64}) {
        c.push_back({"espalhadas n=" + std::to_string(n), pontos(n, 100u + n, 1000, 1)});
        c.push_back({"empates n=" + std::to_string(n), pontos(n, 200u + n, 4, 1)});
        c.push_back({"acima de 2^31 n=" + std::to_string(n), pontos(n, 300u + n, 4, 1000000000)});
    }
    std::vector<std::pair<int, int>> mesma_posicao(12, {5, 5});
    c.push_back({"todas no mesmo ponto", mesma_posicao});
    return c;
}

// The nearest unplaced city to u, running minimum from 2^31, strictly below.
int mais_proxima(int u, const Percurso& candidatas, float** d) {
    float minimo = SENTINELA_2_31;
    int escolhida = candidatas.front();
    for (int v : candidatas)
        if (d[u][v] < minimo) {
            minimo = d[u][v];
            escolhida = v;
        }
    return escolhida;
}

// Cheapest place for v over the k edges of the partial tour in position order
// (the closing edge last), running minimum from 2^31, strictly below replaces.
float insercao_mais_barata_da_cidade(int v, const int* s, int k, float** d, int* antecessor) {
    float minimo = SENTINELA_2_31;
    *antecessor = s[0];
    for (int q = 0; q < k; q++) {
        int j = (q < k - 1) ? s[q + 1] : s[0];
        float custo = custo_insercao(d, s[q], v, j);
        if (custo < minimo) {
            minimo = custo;
            *antecessor = s[q];
        }
    }
    return minimo;
}

void retira(Percurso& candidatas, int cidade) {
    for (size_t i = 0; i < candidatas.size(); i++)
        if (candidatas[i] == cidade) {
            candidatas.erase(candidatas.begin() + static_cast<long>(i));
            return;
        }
}

// Insertion after antecessor, found by walking the tour.
void insere_depois_de(Percurso& s, int k, int cidade, int antecessor) {
    int m = 0;
    while (m < k - 1 && s[m] != antecessor) m++;
    insere_no_vetor(s.data(), cidade, m + 1, k);
}

// Cheapest insertion as the procedure reads; `parcial` false is the greedy one
// (which prints every partial tour), true the partially greedy one.
Percurso insercao_pelos_passos(const Matriz& inst, bool parcial, float alfa) {
    int n = inst.n;
    Percurso s(n, parcial ? -7 : -1), candidatas;
    for (int c = 1; c < n; c++) candidatas.push_back(c);
    s[0] = 0;
    for (int k = 1; k < 3; k++) {
        s[k] = mais_proxima(s[k - 1], candidatas, inst.d);
        if (!parcial) imprime_solucao(s.data(), n);
        retira(candidatas, s[k]);
    }
    for (int k = 3; k < n; k++) {
        int cidade = -1, antecessor = 0;
        if (parcial) {
            Registro* inicio = nullptr;
            Registro* fim = nullptr;
            for (int v : candidatas) {
                int ant = 0;
                float custo = insercao_mais_barata_da_cidade(v, s.data(), k, inst.d, &ant);
                insere_ordenado_lista(novo_registro(v, ant, -custo), inicio, fim);
            }
            int t = static_cast<int>(candidatas.size());
            Registro* r = busca_posicao_lista(sorteia_inteiro(tamanho_sorteio(t, alfa)), inicio);
            cidade = r->campo1;
            antecessor = r->campo2;
            libera_lista(inicio, fim);
        } else {
            float minimo = 0.0f;
            for (int v : candidatas) {
                int ant = 0;
                float custo = insercao_mais_barata_da_cidade(v, s.data(), k, inst.d, &ant);
                if (cidade == -1 || custo < minimo) {
                    minimo = custo;
                    cidade = v;
                    antecessor = ant;
                }
            }
        }
        insere_depois_de(s, k, cidade, antecessor);
        if (!parcial) imprime_solucao(s.data(), n);
        retira(candidatas, cidade);
    }
    return s;
}

TEST(CaminhosRapidos, insercao_gulosa_igual_a_procurar_todo_lugar_a_cada_passo) {
    for (const Caso& caso : casos()) {
        Matriz inst(caso.xy);
        testing::internal::CaptureStdout();
        Percurso esperado = insercao_pelos_passos(inst, false, 0.0f);
        std::string impresso_esperado = testing::internal::GetCapturedStdout();

        Percurso s(inst.n, 9);
        testing::internal::CaptureStdout();
        constroi_insercao_mais_barata(inst.n, s.data(), inst.d);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), impresso_esperado) << caso.nome;
        EXPECT_EQ(s, esperado) << caso.nome;
    }
}

TEST(CaminhosRapidos, insercao_parcial_igual_a_procurar_todo_lugar_e_ordenar_a_lista_inteira) {
    for (const Caso& caso : casos()) {
        Matriz inst(caso.xy);
        for (float alfa : {0.05f, 0.1f, 0.3f, 1.0f}) {
            for (unsigned semente : {1u, 1500u}) {
                semeia_gerador(semente);
                Percurso esperado = insercao_pelos_passos(inst, true, alfa);
                int seguinte = sorteia_inteiro(1 << 30);

                semeia_gerador(semente);
                Percurso s(inst.n, -7);
                constroi_insercao_mais_barata_parcial(inst.n, s.data(), inst.d, alfa);
                EXPECT_EQ(s, esperado) << caso.nome << " alfa=" << alfa << " semente=" << semente;
                EXPECT_EQ(sorteia_inteiro(1 << 30), seguinte) << caso.nome << " alfa=" << alfa;
            }
        }
    }
}

// Around the sizes where the kept places change strategy (from
// CIDADES_ANTECIPADAS on, the searches of a step wait for its end once the tour
// holds an eighth of the cities), greedy and partially greedy, on spread points
// and on ties.
class InsercaoNosLimiares : public ::testing::TestWithParam<int> {};

TEST_P(InsercaoNosLimiares, igual_a_procurar_todo_lugar_a_cada_passo) {
    int n = GetParam();
    for (int lado : {1000, 4}) {
        Matriz inst(pontos(n, 400u + n, lado, 1));
        testing::internal::CaptureStdout();
        Percurso esperado = insercao_pelos_passos(inst, false, 0.0f);
        std::string impresso = testing::internal::GetCapturedStdout();
        Percurso s(inst.n, 9);
        testing::internal::CaptureStdout();
        constroi_insercao_mais_barata(inst.n, s.data(), inst.d);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), impresso) << n << " lado " << lado;
        EXPECT_EQ(s, esperado) << n << " lado " << lado;

        semeia_gerador(7);
        esperado = insercao_pelos_passos(inst, true, 0.1f);
        semeia_gerador(7);
        constroi_insercao_mais_barata_parcial(inst.n, s.data(), inst.d, 0.1f);
        EXPECT_EQ(s, esperado) << n << " lado " << lado;
    }
}

INSTANTIATE_TEST_SUITE_P(Tamanhos, InsercaoNosLimiares,
                         ::testing::Values(65, 129, CIDADES_ANTECIPADAS - 1,
                                           CIDADES_ANTECIPADAS + 1));

TEST(CaminhosRapidos, vizinho_parcial_igual_a_ordenar_a_lista_inteira) {
    for (const Caso& caso : casos()) {
        Matriz inst(caso.xy);
        for (float alfa : {0.05f, 0.1f, 0.3f, 1.0f}) {
            semeia_gerador(1000);
            Percurso esperado(inst.n, -7), candidatas;
            for (int c = 1; c < inst.n; c++) candidatas.push_back(c);
            esperado[0] = 0;
            for (int j = 1; j < inst.n; j++) {
                Registro* inicio = nullptr;
                Registro* fim = nullptr;
                for (int v : candidatas)
                    insere_ordenado_lista(novo_registro(v, 0, inst.d[esperado[j - 1]][v]), inicio, fim);
                int t = static_cast<int>(candidatas.size());
                esperado[j] = busca_posicao_lista(sorteia_inteiro(tamanho_sorteio(t, alfa)), inicio)->campo1;
                libera_lista(inicio, fim);
                retira(candidatas, esperado[j]);
            }
            int seguinte = sorteia_inteiro(1 << 30);

            semeia_gerador(1000);
            Percurso s(inst.n, -7);
            constroi_vizinho_mais_proximo_parcial(inst.n, s.data(), inst.d, alfa);
            EXPECT_EQ(s, esperado) << caso.nome << " alfa=" << alfa;
            EXPECT_EQ(sorteia_inteiro(1 << 30), seguinte) << caso.nome << " alfa=" << alfa;
        }
    }
}

// The records of a list, as (campo1, campo2, campo3) triples from inicio.
std::vector<std::pair<std::pair<int, int>, float>> registros(Registro* inicio) {
    std::vector<std::pair<std::pair<int, int>, float>> v;
    for (Registro* r = inicio; r != nullptr; r = r->prox) v.push_back({{r->campo1, r->campo2}, r->campo3});
    return v;
}

TEST(CaminhosRapidos, oferta_na_posicao_igual_a_lista_inteira_ordenada) {
    // Keys with many repeats, offered rising, falling and mixed: the record at
    // every position of the whole sorted list, equal keys in the order they came.
    std::vector<std::vector<float>> chaves = {
        {3, 1, 2, 1, 3, 0, 2, 2, 5, 1, 0, 4, 1},
        {0, 1, 2, 3, 4, 5, 6, 7},
        {7, 6, 5, 4, 3, 2, 1, 0},
        {2, 2, 2, 2, 2, 2},
        {-1.5f, -3, -1.5f, -2, -3, -1.5f, 0, -3},
    };
    // Enough offers to be selected by buckets: spread keys with repeats and both
    // zeros, few distinct keys close together, and an infinity among them.
    for (int caso = 0; caso < 3; caso++) {
        std::vector<float> v(1500);
        for (int i = 0; i < 1500; i++) {
            int r = (i * 7919 + 13) % 1009;
            v[i] = caso == 1 ? 1000.0f + (r % 5) * 1e-4f : static_cast<float>(r % 400) * 0.37f;
            if (r % 97 == 0) v[i] = (r % 2) ? -0.0f : 0.0f;
        }
        if (caso == 2) v[700] = INFINITY;
        chaves.push_back(v);
    }
    for (const auto& ch : chaves) {
        int total = static_cast<int>(ch.size());
        Registro* inicio = nullptr;
        Registro* fim = nullptr;
        for (int i = 0; i < total; i++) insere_ordenado_lista(novo_registro(i, 10 + i, ch[i]), inicio, fim);
        auto inteira = registros(inicio);
        libera_lista(inicio, fim);
        Ofertas o;
        cria_ofertas(o, total);
        for (int posicao = 0; posicao < total; posicao++) {
            o.quantas = 0;
            for (int i = 0; i < total; i++) oferece(o, i, 10 + i, ch[i]);
            int k = oferta_na_posicao(o, posicao);
            EXPECT_EQ(k, inteira[posicao].first.first) << "posicao " << posicao;
            EXPECT_EQ(o.campo2[k], inteira[posicao].first.second);
        }
        libera_ofertas(o);
    }
}

}  // namespace
