#include "genetico/crossover_erx.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "nucleo/aleatorio.h"
#include "nucleo/alocacao.h"
#include "tests/apoio_teste.h"

namespace {

using Percurso = std::vector<int>;

int proximo_sorteio() { return sorteia_inteiro(1 << 30); }

// Children of one crossover, and whether it left the stream untouched.
struct Resultado {
    Percurso filho1, filho2;
    bool sorteou;
};

Resultado cruza(const Percurso& pai1, const Percurso& pai2) {
    int n = static_cast<int>(pai1.size());
    Resultado r{Percurso(n, -1), Percurso(n, -1), false};
    semeia_gerador(77);
    crossover_erx(pai1.data(), pai2.data(), r.filho1.data(), r.filho2.data(), n);
    int depois = proximo_sorteio();
    semeia_gerador(77);
    r.sorteou = proximo_sorteio() != depois;
    return r;
}

TEST(CrossoverErx, exemplos_trabalhados) {
    // Same first city: both children follow the table alike, no dead end.
    Percurso pai1 = {0, 1, 2, 3, 4, 5, 6, 7};
    Resultado a = cruza(pai1, {0, 2, 4, 6, 1, 3, 5, 7});
    EXPECT_EQ(a.filho1, (Percurso{0, 7, 5, 6, 1, 2, 3, 4}));
    EXPECT_EQ(a.filho2, (Percurso{0, 7, 5, 6, 1, 2, 3, 4}));
    EXPECT_FALSE(a.sorteou);

    // Different first cities.
    Resultado b = cruza(pai1, {3, 5, 0, 2, 7, 1, 4, 6});
    EXPECT_EQ(b.filho1, (Percurso{0, 1, 2, 7, 6, 3, 4, 5}));
    EXPECT_EQ(b.filho2, (Percurso{3, 2, 0, 1, 7, 6, 4, 5}));
    EXPECT_FALSE(b.sorteou);

    // Equal parents: the same closed tour towards the smaller neighbour of the start.
    Percurso igual = {0, 5, 2, 3, 4, 1};
    Resultado c = cruza(igual, igual);
    EXPECT_EQ(c.filho1, (Percurso{0, 1, 4, 3, 2, 5}));
    EXPECT_EQ(c.filho2, (Percurso{0, 1, 4, 3, 2, 5}));
    EXPECT_FALSE(c.sorteou);
}

TEST(CrossoverErx, remove_cidade_tabela_apaga_em_todas_as_linhas_e_desconta_o_grau) {
    int** tabela = cria_matriz_int(3, 5);
    int linhas[3][5] = {{3, 1, 2, 4, -1}, {4, 0, 2, 3, 4}, {2, 4, 1, -1, -1}};
    for (int l = 0; l < 3; l++)
        for (int c = 0; c < 5; c++) tabela[l][c] = linhas[l][c];
    remove_cidade_tabela(tabela, 3, 5, 4);
    int depois[3][5] = {{2, 1, 2, -1, -1}, {3, 0, 2, 3, -1}, {1, -1, 1, -1, -1}};
    for (int l = 0; l < 3; l++)
        for (int c = 0; c < 5; c++) EXPECT_EQ(tabela[l][c], depois[l][c]) << l << "," << c;
    // Column 0 holds counts, never cities: a count equal to the city stays a count.
    remove_cidade_tabela(tabela, 3, 5, 2);
    EXPECT_EQ(tabela[0][0], 1);
    EXPECT_EQ(tabela[0][2], -1);
    EXPECT_EQ(tabela[1][0], 2);
    libera_matriz_int(tabela, 3);
}

TEST(CrossoverErx, busca_no_vetor_olha_so_as_primeiras_posicoes) {
    int v[5] = {4, 2, 7, 2, 9};
    EXPECT_EQ(posicao_no_vetor(v, 2, 5), 1);
    EXPECT_EQ(posicao_no_vetor(v, 9, 5), 4);
    EXPECT_EQ(posicao_no_vetor(v, 5, 5), -1);
    EXPECT_TRUE(esta_no_vetor(v, 7, 3));
    EXPECT_FALSE(esta_no_vetor(v, 9, 4));
    EXPECT_FALSE(esta_no_vetor(v, 4, 0));
}

// The two parent neighbours of every city.
std::vector<std::vector<int>> vizinhos_nos_pais(const Percurso& pai1, const Percurso& pai2) {
    int n = static_cast<int>(pai1.size());
    std::vector<std::vector<int>> viz(n);
    for (const Percurso* p : {&pai1, &pai2})
        for (int i = 0; i < n; i++) {
            viz[(*p)[i]].push_back((*p)[(i + 1) % n]);
            viz[(*p)[i]].push_back((*p)[(i + n - 1) % n]);
        }
    return viz;
}

TEST(CrossoverErx, filhos_sao_permutacoes_de_arestas_dos_pais_e_sorteiam_so_em_becos) {
    std::mt19937 g(5);
    int becos = 0;
    for (int rodada = 0; rodada < 300; rodada++) {
        int n = 3 + rodada % 50;
        Percurso pai1 = apoio::percurso_aleatorio(n, g), pai2 = apoio::percurso_aleatorio(n, g);
        Percurso copia1 = pai1, copia2 = pai2;
        Percurso filho1(n, -1), filho2(n, -1);
        unsigned semente = 500 + rodada;
        semeia_gerador(semente);
        crossover_erx(pai1.data(), pai2.data(), filho1.data(), filho2.data(), n);
        int depois = proximo_sorteio();

        EXPECT_EQ(pai1, copia1);
        EXPECT_EQ(pai2, copia2);
        ASSERT_TRUE(apoio::permutacao(filho1)) << "n=" << n;
        ASSERT_TRUE(apoio::permutacao(filho2)) << "n=" << n;
        EXPECT_EQ(filho1[0], pai1[0]);
        EXPECT_EQ(filho2[0], pai2[0]);

        // Every step follows a parent edge unless all parent neighbours are placed;
        // there the city is the first draw not yet placed. filho1's draws come first.
        auto viz = vizinhos_nos_pais(pai1, pai2);
        semeia_gerador(semente);
        for (const Percurso* f : {&filho1, &filho2}) {
            const Percurso& filho = *f;
            for (int i = 1; i < n; i++) {
                auto colocada = [&](int c) {
                    return std::find(filho.begin(), filho.begin() + i, c) != filho.begin() + i;
                };
                const auto& v = viz[filho[i - 1]];
                bool beco = std::all_of(v.begin(), v.end(), colocada);
                if (!beco) {
                    EXPECT_NE(std::find(v.begin(), v.end(), filho[i]), v.end());
                    continue;
                }
                becos++;
                int cidade;
                do cidade = sorteia_inteiro(n);
                while (colocada(cidade));
                EXPECT_EQ(filho[i], cidade) << "n=" << n << " i=" << i;
            }
        }
        EXPECT_EQ(proximo_sorteio(), depois) << "n=" << n;
    }
    EXPECT_GT(becos, 0);  // the draws were exercised
}

// The operator as the table procedure reads, step by step: positions found by
// posicao_no_vetor, two tables built alike, every placed city removed from all
// rows by remove_cidade_tabela, placed cities looked up with esta_no_vetor.
void erx_pela_tabela(const Percurso& pai1, const Percurso& pai2, Percurso& filho1,
                     Percurso& filho2) {
    int n = static_cast<int>(pai1.size());
    auto vizinhos = [n](const Percurso& pai, int a, int* x, int* y) {
        *x = a == 0 ? pai[1] : pai[a - 1];
        *y = a == 0 ? pai[n - 1] : (a == n - 1 ? pai[0] : pai[a + 1]);
    };
    for (int t = 0; t < 2; t++) {
        int** tabela = cria_matriz_int(n, 5);
        for (int c = 0; c < n; c++) {
            int* l = tabela[c];
            vizinhos(pai1, posicao_no_vetor(pai1.data(), c, n), &l[1], &l[2]);
            vizinhos(pai2, posicao_no_vetor(pai2.data(), c, n), &l[3], &l[4]);
            l[0] = 4;
            for (int k = 3; k <= 4; k++)
                if (l[k] == l[1] || l[k] == l[2]) {
                    l[k] = -1;
                    l[0]--;
                }
        }
        Percurso& filho = t == 0 ? filho1 : filho2;
        filho[0] = t == 0 ? pai1[0] : pai2[0];
        remove_cidade_tabela(tabela, n, 5, filho[0]);
        for (int i = 1; i < n; i++) {
            int escolhida = -1, menor = 1 << 30;
            for (int k = 1; k <= 4; k++) {
                int v = tabela[filho[i - 1]][k];
                if (v != -1 && (tabela[v][0] < menor || (tabela[v][0] == menor && v < escolhida))) {
                    menor = tabela[v][0];
                    escolhida = v;
                }
            }
            if (escolhida == -1) {
                do escolhida = sorteia_inteiro(n);
                while (esta_no_vetor(filho.data(), escolhida, i));
            }
            filho[i] = escolhida;
            remove_cidade_tabela(tabela, n, 5, escolhida);
        }
        libera_matriz_int(tabela, n);
    }
}

TEST(CrossoverErx, igual_ao_procedimento_da_tabela_com_becos_e_sorteios) {
    // Random parents, parents sharing long stretches (few open neighbours, many
    // ties) and equal parents, from 3 to 80 cities: same children, same draws.
    std::mt19937 g(11);
    int becos = 0;
    for (int rodada = 0; rodada < 400; rodada++) {
        int n = 3 + rodada % 78;
        Percurso pai1 = apoio::percurso_aleatorio(n, g), pai2 = pai1;
        if (rodada % 3 == 0) {
            pai2 = apoio::percurso_aleatorio(n, g);
        } else if (rodada % 3 == 1) {
            int a = static_cast<int>(g() % n), b = static_cast<int>(g() % n);
            std::reverse(pai2.begin() + std::min(a, b), pai2.begin() + std::max(a, b) + 1);
            std::rotate(pai2.begin(), pai2.begin() + static_cast<int>(g() % n), pai2.end());
        }
        Percurso esperado1(n, -1), esperado2(n, -1), filho1(n, -1), filho2(n, -1);
        semeia_gerador(900 + rodada);
        erx_pela_tabela(pai1, pai2, esperado1, esperado2);
        int seguinte = proximo_sorteio();
        semeia_gerador(900 + rodada);
        crossover_erx(pai1.data(), pai2.data(), filho1.data(), filho2.data(), n);
        EXPECT_EQ(filho1, esperado1) << "rodada " << rodada;
        EXPECT_EQ(filho2, esperado2) << "rodada " << rodada;
        EXPECT_EQ(proximo_sorteio(), seguinte) << "rodada " << rodada;
        semeia_gerador(900 + rodada);
        if (proximo_sorteio() != seguinte) becos++;
    }
    EXPECT_GT(becos, 50);  // many rounds met dead ends and drew
}

TEST(CrossoverErx, abaixo_de_3_cidades_copia_os_pais_sem_sortear) {
    Resultado r = cruza({1, 0}, {0, 1});
    EXPECT_EQ(r.filho1, (Percurso{1, 0}));
    EXPECT_EQ(r.filho2, (Percurso{0, 1}));
    EXPECT_FALSE(r.sorteou);
}

}  // namespace
