#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "busca_local/descida.h"
#include "busca_local/soma_arestas.h"
#include "busca_local/vizinhanca_troca.h"
#include "busca_tabu/busca_tabu.h"
#include "nucleo/lista.h"
#include "nucleo/solucao.h"
#include "tests/apoio_teste.h"

namespace {

using apoio::Matriz;
using BuscaTabu = apoio::PastaTemporaria;

// A tabu list built by hand for the scans.
struct Lista {
    Registro* inicio = nullptr;
    Registro* fim = nullptr;
    explicit Lista(std::vector<std::pair<int, int>> movimentos) {
        for (auto [i, j] : movimentos) insere_fim_lista(novo_registro(i, j, 0.0f), inicio, fim);
    }
    ~Lista() { libera_lista(inicio, fim); }
};

// Twelve cities on a circle, the tour in circle order with the cities of
// positions a and b exchanged: swapping a and b back is the best move.
std::vector<int> circulo_trocado(int a, int b, int rotacao) {
    std::vector<int> s(12);
    for (int p = 0; p < 12; p++) s[p] = (p + rotacao) % 12;
    std::swap(s[a], s[b]);
    return s;
}

// Runs the search capturing what it prints.
float roda(int n, std::vector<int>& s, float** d, int tamanho, int btmax, std::string* saida) {
    testing::internal::CaptureStdout();
    float fo = busca_tabu(n, s.data(), d, tamanho, btmax);
    *saida = testing::internal::GetCapturedStdout();
    return fo;
}

std::string iteracoes(int iter) {
    return "Numero de iteracoes realizadas = " + std::to_string(iter) + " \n";
}

// The move of one iteration on a neighbourhood set up for s (AMOSTRAS: the
// full scan; VARREDURAS: from the bounds of the rows), with the old calling
// convention: returns the value and writes the pair only when one is chosen.
float movimento_da_iteracao(std::vector<int>& s, float** d, float fo, int* mi, int* mj,
                            float fo_star, const Lista& lista, UsoTroca uso = AMOSTRAS) {
    VizinhancaTroca v;
    cria_troca(static_cast<int>(s.size()), s.data(), d, uso, &v);
    Troca m = melhor_vizinho_tabu(&v, fo, fo_star, lista.inicio);
    libera_troca(&v);
    if (m.i >= 0) {
        *mi = m.i;
        *mj = m.j;
    }
    return m.valor;
}

TEST_F(BuscaTabu, tabu_compara_posicoes_e_nao_cidades) {
    Matriz m(12);
    apoio::pontos_no_circulo(m);
    Lista lista({{3, 7}});
    EXPECT_TRUE(movimento_tabu(3, 7, lista.inicio));
    EXPECT_FALSE(movimento_tabu(7, 3, lista.inicio));
    EXPECT_FALSE(movimento_tabu(2, 6, lista.inicio));

    // Cities 7 and 3 at positions 3 and 7: the best swap is tabu.
    std::vector<int> s = circulo_trocado(3, 7, 0);
    float fo = calcula_fo(12, s.data(), m.d);
    int i = -1, j = -1;
    apoio::varredura_rapida(12, s, m.d, fo, &i, &j);
    ASSERT_EQ(i, 3);
    ASSERT_EQ(j, 7);
    testing::internal::CaptureStdout();
    movimento_da_iteracao(s, m.d, fo, &i, &j, 0.0f, lista);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_FALSE(i == 3 && j == 7);
    EXPECT_EQ(s, circulo_trocado(3, 7, 0));

    // The same two cities at positions 2 and 6 are free to go back.
    std::vector<int> t = circulo_trocado(2, 6, 1);
    ASSERT_EQ(t[2], 7);
    ASSERT_EQ(t[6], 3);
    fo = calcula_fo(12, t.data(), m.d);
    movimento_da_iteracao(t, m.d, fo, &i, &j, 0.0f, lista);
    EXPECT_EQ(i, 2);
    EXPECT_EQ(j, 6);
}

TEST_F(BuscaTabu, aspiracao_abaixo_de_fo_star_e_recusada_na_igualdade) {
    Matriz m(12);
    apoio::pontos_no_circulo(m);
    std::vector<int> s = circulo_trocado(3, 7, 0);
    float fo = calcula_fo(12, s.data(), m.d);
    int i = -1, j = -1;
    float melhor = apoio::varredura_rapida(12, s, m.d, fo, &i, &j);
    Lista lista({{0, 5}, {3, 7}});

    testing::internal::CaptureStdout();
    float igual = movimento_da_iteracao(s, m.d, fo, &i, &j, melhor, lista);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_GT(igual, melhor);
    EXPECT_FALSE(i == 3 && j == 7);

    float acima = std::nextafter(melhor, 1e9f);
    testing::internal::CaptureStdout();
    float aspirado = movimento_da_iteracao(s, m.d, fo, &i, &j, acima, lista);
    std::string saida = testing::internal::GetCapturedStdout();
    EXPECT_EQ(aspirado, melhor);
    EXPECT_EQ(i, 3);
    EXPECT_EQ(j, 7);
    char esperado[256];
    snprintf(esperado, sizeof esperado,
             "\nAspirando, isto e, realizando o movimento tabu que troca  3 com  7\n"
             "fo_viz = %10.4f fo_star = %10.4f \n\n",
             static_cast<double>(melhor), static_cast<double>(acima));
    EXPECT_EQ(saida, esperado);
    EXPECT_EQ(s, circulo_trocado(3, 7, 0));
}

TEST_F(BuscaTabu, lista_de_tamanho_t_bloqueia_os_ultimos_t_movimentos) {
    // Four cities, all distances equal: no move ever improves or aspirates, and
    // the scan takes the first non-tabu of the six pairs. A list of 6 or more
    // blocks every pair after 6 iterations; a list of 5 always leaves one free.
    Matriz m(4);
    m.todas(1.0f);
    struct Caso {
        int tamanho, iteracoes;
    } casos[] = {{10, 6}, {6, 6}, {5, 40}, {0, 40}, {-2, 40}};
    for (const Caso& c : casos) {
        std::vector<int> s = {2, 0, 3, 1};
        std::string saida;
        EXPECT_EQ(roda(4, s, m.d, c.tamanho, 40, &saida), 4.0f);
        EXPECT_NE(saida.find(iteracoes(c.iteracoes)), std::string::npos) << c.tamanho << saida;
        EXPECT_EQ(saida.find("Aspirando"), std::string::npos);
        EXPECT_EQ(apoio::le_traco("BTsaida.txt").size(), static_cast<size_t>(c.iteracoes + 2));
        EXPECT_EQ(apoio::le_traco("BTsaidaMelhorfo.txt").size(), static_cast<size_t>(c.iteracoes + 2));
        EXPECT_EQ(s, (std::vector<int>{2, 0, 3, 1}));
    }
}

TEST_F(BuscaTabu, lista_vazia_segue_a_descida_ate_o_otimo_local) {
    for (unsigned semente : {1u, 2u, 3u}) {
        Matriz m(20);
        apoio::pontos_aleatorios(m, semente);
        std::vector<int> pela_descida = apoio::percurso_aleatorio(20, semente + 10);
        std::vector<int> pela_tabu = pela_descida;
        float fo_descida = descida(20, pela_descida.data(), m.d);
        std::string saida;
        EXPECT_EQ(roda(20, pela_tabu, m.d, 0, 1, &saida), fo_descida);
        EXPECT_EQ(pela_tabu, pela_descida);
    }
}

TEST_F(BuscaTabu, sem_par_admissivel_encerra_com_relatorio_e_pausa) {
    Matriz m(2);
    m.simetrica(0, 1, 3.0f);
    std::vector<int> s = {1, 0};
    std::string saida;
    // One pair: swapped once, then tabu and not better than fo_star.
    EXPECT_EQ(roda(2, s, m.d, 10, 300, &saida), 6.0f);
    EXPECT_EQ(saida,
              "\nIniciando a Busca Tabu com fo =     6.00\n"
              "********** Melhor Solucao Obtida *************** \n"
              "Saindo da Busca Tabu com fo_star =     6.00\n" +
                  iteracoes(1) + "******************************************** \n");
    EXPECT_EQ(s, (std::vector<int>{1, 0}));
    auto linhas = apoio::le_traco("BTsaida.txt");
    ASSERT_EQ(linhas.size(), 3u);
    EXPECT_EQ(linhas[1].k, 1);
    EXPECT_EQ(linhas[2].k, 1);

    Matriz uma(1);
    std::vector<int> t = {0};
    EXPECT_EQ(roda(1, t, uma.d, 10, 300, &saida), 0.0f);
    EXPECT_NE(saida.find(iteracoes(0)), std::string::npos);
    EXPECT_EQ(apoio::le_traco("BTsaidaMelhorfo.txt").size(), 2u);
}

TEST_F(BuscaTabu, pausa_le_um_unico_caractere) {
    apoio::escreve_arquivo("teclas.txt", "ab\n");
    ASSERT_NE(freopen("teclas.txt", "r", stdin), nullptr);
    Matriz m(6);
    apoio::pontos_aleatorios(m, 6);
    std::vector<int> s = apoio::identidade(6);
    std::string saida;
    roda(6, s, m.d, 10, 5, &saida);
    EXPECT_EQ(getchar(), 'b');
}

// The scan as first written: every pair is looked up in the list. The scan of
// busca_tabu looks up only pairs that could be chosen or announced.
float varredura_consultando_todo_par(int n, std::vector<int>& s, float** d, float fo, int* mi,
                                     int* mj, float fo_star, Registro* inicio, std::string* saida) {
    float fo_melhor = SENTINELA_2_31;
    char linha[256];
    for (int i = 0; i < n - 1; i++)
        for (int j = i + 1; j < n; j++) {
            float fo_viz = apoio::valor_da_troca(n, s, d, fo, i, j);
            bool tabu = movimento_tabu(i, j, inicio);
            bool admissivel = !tabu || fo_viz < fo_star;
            if (tabu && admissivel) {
                snprintf(linha, sizeof linha,
                         "\nAspirando, isto e, realizando o movimento tabu que troca %2d com %2d\n"
                         "fo_viz = %10.4f fo_star = %10.4f \n\n",
                         i, j, static_cast<double>(fo_viz), static_cast<double>(fo_star));
                *saida += linha;
            }
            if (admissivel && fo_viz < fo_melhor) {
                *mi = i;
                *mj = j;
                fo_melhor = fo_viz;
            }
        }
    return fo_melhor;
}

TEST_F(BuscaTabu, varredura_igual_a_consultar_a_lista_em_todo_par) {
    // Lists made of the best pairs (so aspiration and refusal both happen) and of
    // random ones, fo_star below, at and above the best neighbour's value.
    int aspiracoes = 0, escolhas_mudadas = 0;
    for (unsigned semente = 1; semente <= 12; semente++) {
        int n = 6 + static_cast<int>(semente * 3 % 25);
        Matriz m(n);
        apoio::pontos_aleatorios(m, semente);
        std::vector<int> s = apoio::percurso_aleatorio(n, semente + 100);
        float fo = calcula_fo(n, s.data(), m.d);
        int bi = -1, bj = -1;
        float melhor = apoio::varredura_rapida(n, s, m.d, fo, &bi, &bj);
        std::vector<std::pair<int, int>> movimentos = {{bi, bj}};
        for (int k = 0; k < 9; k++) {
            int a = (semente * 7 + k * 5) % n, b = (semente * 3 + k * 11 + 1) % n;
            if (a != b) movimentos.push_back({std::min(a, b), std::max(a, b)});
        }
        Lista lista(movimentos);
        for (float fo_star : {melhor - 1.0f, melhor, std::nextafter(melhor, 1e9f), fo, fo + 50.0f}) {
            std::vector<int> t = s;
            int ri = -7, rj = -7, vi = -7, vj = -7;
            std::string referencia;
            float esperado = varredura_consultando_todo_par(n, t, m.d, fo, &ri, &rj, fo_star,
                                                            lista.inicio, &referencia);
            testing::internal::CaptureStdout();
            float obtido = movimento_da_iteracao(t, m.d, fo, &vi, &vj, fo_star, lista);
            std::string saida = testing::internal::GetCapturedStdout();
            EXPECT_EQ(obtido, esperado) << semente << " " << fo_star;
            EXPECT_EQ(vi, ri) << semente << " " << fo_star;
            EXPECT_EQ(vj, rj) << semente << " " << fo_star;
            EXPECT_EQ(saida, referencia) << semente << " " << fo_star;
            EXPECT_EQ(t, s);

            // the same scan from the bounds of the rows
            int ci = -7, cj = -7;
            testing::internal::CaptureStdout();
            float pelas_cotas =
                movimento_da_iteracao(t, m.d, fo, &ci, &cj, fo_star, lista, VARREDURAS);
            EXPECT_EQ(testing::internal::GetCapturedStdout(), referencia) << semente << " " << fo_star;
            EXPECT_EQ(pelas_cotas, esperado) << semente << " " << fo_star;
            EXPECT_EQ(ci, ri) << semente << " " << fo_star;
            EXPECT_EQ(cj, rj) << semente << " " << fo_star;
            EXPECT_EQ(t, s);
            if (!saida.empty()) aspiracoes++;
            if (ri != bi || rj != bj) escolhas_mudadas++;
        }
    }
    EXPECT_GT(aspiracoes, 0);
    EXPECT_GT(escolhas_mudadas, 0);
}

// Iteration after iteration of a search, the scan from the kept bounds of the
// rows chooses, refuses and announces what the reference scan does, while the
// tour moves to worse neighbours and the list holds adjacent pairs, the pair
// 0, n-1 and repeats.
TEST_F(BuscaTabu, varredura_pelas_cotas_igual_a_referencia_ao_longo_de_uma_busca) {
    int aspiracoes = 0;
    for (int n : {3, 4, 5, 8, 13, 30, 90}) {
        for (int tipo = 0; tipo < 2; tipo++) {
            Matriz m(n);
            if (tipo == 0) {
                apoio::pontos_aleatorios(m, static_cast<unsigned>(n));
            } else {  // a small grid: many ties
                std::vector<int> x(n), y(n);
                for (int c = 0; c < n; c++) {
                    x[c] = c % 4;
                    y[c] = c / 4;
                }
                m.pontos(x, y);
            }
            std::vector<int> s = apoio::percurso_aleatorio(n, static_cast<unsigned>(n) + 3);
            float fo = calcula_fo(n, s.data(), m.d), fo_star = fo;
            VizinhancaTroca v;
            cria_troca(n, s.data(), m.d, VARREDURAS, &v);
            ASSERT_TRUE(v.com_cotas);
            std::vector<std::pair<int, int>> recentes = {{0, n - 1}, {0, 1}, {0, n - 1}};
            for (int iter = 0; iter < 4 * n; iter++) {
                Lista lista(recentes);
                int ri = -7, rj = -7;
                std::string referencia;
                float esperado = varredura_consultando_todo_par(n, s, m.d, fo, &ri, &rj, fo_star,
                                                                lista.inicio, &referencia);
                testing::internal::CaptureStdout();
                Troca obtido = melhor_vizinho_tabu(&v, fo, fo_star, lista.inicio);
                std::string saida = testing::internal::GetCapturedStdout();
                std::string caso = "n=" + std::to_string(n) + " tipo=" + std::to_string(tipo) +
                                   " iter=" + std::to_string(iter);
                ASSERT_EQ(obtido.valor, esperado) << caso;
                ASSERT_EQ(obtido.i, ri < 0 ? -1 : ri) << caso;
                ASSERT_EQ(obtido.j, ri < 0 ? -1 : rj) << caso;
                ASSERT_EQ(saida, referencia) << caso;
                if (!saida.empty()) aspiracoes++;
                if (ri < 0) break;
                aplica_troca(&v, ri, rj);
                fo = esperado;
                if (fo < fo_star) fo_star = fo;
                recentes.push_back({ri, rj});
                if (recentes.size() > 5) recentes.erase(recentes.begin());
            }
            libera_troca(&v);
        }
    }
    EXPECT_GT(aspiracoes, 0);
}

TEST_F(BuscaTabu, em_instancias_aleatorias_devolve_o_melhor_e_nao_o_ultimo) {
    for (unsigned semente : {7u, 9u}) {
        apoio::InstanciaAleatoria a(25, semente, semente + 1);
        auto& [m, s, inicial] = a;
        apoio::escreve_arquivo("BTsaida.txt", "lixo\n");
        std::string saida;
        float fo_star = roda(25, s, m.d, 10, 50, &saida);

        apoio::espera_refinado(a, fo_star, 1e-4f);
        auto atual = apoio::le_traco("BTsaida.txt");
        auto melhor = apoio::le_traco("BTsaidaMelhorfo.txt");
        ASSERT_EQ(atual.size(), melhor.size());
        int iter = static_cast<int>(atual.size()) - 2;
        EXPECT_NE(saida.find(iteracoes(iter)), std::string::npos);
        EXPECT_EQ(melhor.back().valor, apoio::duas_casas(fo_star));
        EXPECT_GT(std::stod(atual.back().valor), std::stod(melhor.back().valor))
            << "the last current tour is not the best one";
        for (size_t k = 0; k < atual.size(); k++) {
            EXPECT_EQ(atual[k].k, std::min<int>(static_cast<int>(k), iter));
            EXPECT_EQ(melhor[k].k, atual[k].k);
            EXPECT_EQ(melhor[k].tempo, atual[k].tempo);
            if (k > 0) {
                EXPECT_LE(std::stod(melhor[k].valor), std::stod(melhor[k - 1].valor));
            }
        }
    }
}

// Six cities on which the search, from this tour, cycles through a few tours
// while the carried value sinks by a rounding at every turn: the carried value
// falls below fo_star (the aspiration lines show it) without any shorter tour,
// and that must not count as a new best, or the search never stops.
TEST_F(BuscaTabu, deriva_do_valor_carregado_nao_e_novo_melhor) {
    Matriz m(6);
    m.pontos({543, 957, 948, 137, 109, 238}, {897, 265, 326, 312, 312, 954});
    std::vector<int> s = {0, 3, 5, 1, 2, 4};
    std::string saida;
    float fo_star = roda(6, s, m.d, 10, 300, &saida);

    EXPECT_NE(saida.find("fo_viz =  2576.1655 fo_star =  2576.1660 \n"), std::string::npos);
    std::string melhores;
    std::istringstream linhas(saida);
    for (std::string linha; std::getline(linhas, linha);)
        if (linha.rfind("fo_star = ", 0) == 0) melhores += linha + "\n";
    EXPECT_EQ(melhores, "fo_star =  2909.21 \nfo_star =  2599.19 \nfo_star =  2576.17 \n");
    EXPECT_NE(saida.find(iteracoes(3 + 300)), std::string::npos);
    EXPECT_EQ(fo_star, 2576.166016f);
    EXPECT_EQ(s, (std::vector<int>{5, 4, 3, 1, 2, 0}));
}

}  // namespace
