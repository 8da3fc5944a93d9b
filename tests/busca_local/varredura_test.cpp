// The scan of melhor_troca skips, by a cheap test, the pairs whose protocol
// value cannot come out below the best so far, and reads the distances after
// the swap from rows when the matrix is symmetric. These tests hold it to the
// scan that evaluates every pair by the protocol, on matrices made to stress the
// test: ties, values whose rounding merges neighbours, asymmetric matrices,
// local optima, the smallest tours.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "busca_local/descida.h"
#include "busca_local/descida_parcial.h"
#include "busca_local/soma_arestas.h"
#include "busca_local/varredura.h"
#include "nucleo/ajustes.h"
#include "nucleo/aleatorio.h"
#include "nucleo/solucao.h"
#include "nucleo/vetores.h"
#include "tests/apoio_teste.h"

namespace {

using apoio::Matriz;

using apoio::varredura_completa;

// Checks melhor_vizinho against the complete scan on s, with the carried fo
// given (it may differ from calcula_fo by the rounding of earlier moves).
void compara(const std::string& nome, int n, std::vector<int> s, float** d, float fo) {
    std::vector<int> t = s;
    int ri = -3, rj = -3, vi = -3, vj = -3;
    float esperado = varredura_completa(n, s, d, fo, &ri, &rj);
    float obtido = apoio::varredura_rapida(n, t, d, fo, &vi, &vj);
    // bit for bit: a NaN fo gives NaN both ways
    EXPECT_EQ(std::memcmp(&obtido, &esperado, sizeof obtido), 0) << nome << ": " << obtido << " "
                                                                  << esperado;
    EXPECT_EQ(vi, ri) << nome;
    EXPECT_EQ(vj, rj) << nome;
    EXPECT_EQ(t, s) << nome;
}

// A whole descent driven by the complete scan, every scan of it compared.
void compara_descida(const std::string& nome, int n, std::vector<int> s, float** d) {
    float fo = calcula_fo(n, s.data(), d);
    for (int passo = 0; passo < 10 * n; passo++) {
        compara(nome + " passo " + std::to_string(passo), n, s, d, fo);
        int i = -1, j = -1;
        float melhor = varredura_completa(n, s, d, fo, &i, &j);
        if (!(melhor < fo)) break;
        std::swap(s[i], s[j]);
        fo = melhor;
    }
}

TEST(Varredura, igual_a_avaliar_todo_par_pelo_protocolo_ao_longo_de_descidas) {
    for (int n : {2, 3, 4, 5, 6, 7, 12, 31, 64}) {
        for (unsigned semente : {1u, 2u}) {
            std::string nome = "n=" + std::to_string(n) + " semente=" + std::to_string(semente);
            Matriz espalhadas(n);
            apoio::pontos_aleatorios(espalhadas, semente);
            compara_descida("espalhadas " + nome, n, apoio::percurso_aleatorio(n, semente + 7),
                            espalhadas.d);

            // A 3 x 3 grid of places: many cities coincide, many swaps tie.
            Matriz grade(n);
            std::vector<int> x(n), y(n);
            for (int c = 0; c < n; c++) {
                x[c] = static_cast<int>((c * 7 + semente) % 3);
                y[c] = static_cast<int>((c * 5 + 2 * semente) % 3);
            }
            grade.pontos(x, y);
            compara_descida("grade " + nome, n, apoio::percurso_aleatorio(n, semente + 9), grade.d);

            // Coordinates near 10^7: fo about 10^8, where one float step is 8, so
            // neighbours whose lengths differ by less round to the same value.
            Matriz longe(n);
            apoio::pontos_aleatorios(longe, semente + 20);
            for (int a = 0; a < n; a++)
                for (int b = 0; b < n; b++) longe.d[a][b] = longe.d[a][b] * 10007.0f;
            compara_descida("longe " + nome, n, apoio::percurso_aleatorio(n, semente + 11), longe.d);
        }
    }
}

TEST(Varredura, amostra_igual_a_avaliar_todo_par_da_amostra_pelo_protocolo) {
    // Samples of every size, out-of-order positions, adjacent and wrapping
    // pairs, on spread, tied, far and asymmetric matrices.
    std::mt19937 g(23);
    for (int n : {2, 3, 5, 7, 8, 20, 45}) {
        Matriz espalhadas(n), grade(n), longe(n), assimetrica(n);
        apoio::pontos_aleatorios(espalhadas, static_cast<unsigned>(n));
        std::vector<int> x(n), y(n);
        for (int c = 0; c < n; c++) {
            x[c] = (c * 7 + 1) % 3;
            y[c] = (c * 5 + 2) % 3;
        }
        grade.pontos(x, y);
        apoio::pontos_aleatorios(longe, static_cast<unsigned>(n) + 50);
        for (int a = 0; a < n; a++)
            for (int b = 0; b < n; b++) {
                longe.d[a][b] = longe.d[a][b] * 10007.0f;
                assimetrica.d[a][b] = (a == b) ? 0.0f : static_cast<float>(g() % 500);
            }
        Matriz* matrizes[] = {&espalhadas, &grade, &longe, &assimetrica};
        const char* nomes[] = {"espalhadas", "grade", "longe", "assimetrica"};
        for (int k = 0; k < 4; k++) {
            float** d = matrizes[k]->d;
            for (int m : {0, 1, 2, n / 2, n}) {
                // a partial descent driven by the complete scan, every scan compared
                std::vector<int> s = apoio::percurso_aleatorio(n, static_cast<unsigned>(m) + 3);
                float fo = calcula_fo(n, s.data(), d);
                for (unsigned passo = 0; passo < static_cast<unsigned>(3 * n); passo++) {
                    std::vector<int> t = s;
                    int ri = -3, rj = -3, vi = -3, vj = -3;
                    semeia_gerador(passo + 100);
                    float esperado = apoio::amostra_de(n, s, d, fo, m, &ri, &rj, true);
                    semeia_gerador(passo + 100);
                    float obtido = apoio::amostra_de(n, t, d, fo, m, &vi, &vj, false);
                    std::string nome = std::string(nomes[k]) + " n=" + std::to_string(n) +
                                       " m=" + std::to_string(m) + " passo " + std::to_string(passo);
                    ASSERT_EQ(obtido, esperado) << nome;
                    ASSERT_EQ(vi, ri) << nome;
                    ASSERT_EQ(vj, rj) << nome;
                    ASSERT_EQ(t, s) << nome;
                    if (!(esperado < fo)) continue;  // no better pair in this sample
                    std::swap(s[ri], s[rj]);
                    fo = esperado;
                }
                // carried values far from the tour's length, where fo's own rounding rules
                for (float outro : {1.0e30f, -fo, 0.0f, 3.0e9f}) {
                    std::vector<int> t = s;
                    int ri = -3, rj = -3, vi = -3, vj = -3;
                    semeia_gerador(77);
                    float esperado = apoio::amostra_de(n, s, d, outro, m, &ri, &rj, true);
                    semeia_gerador(77);
                    float obtido = apoio::amostra_de(n, t, d, outro, m, &vi, &vj, false);
                    EXPECT_EQ(obtido, esperado) << nomes[k] << " n=" << n << " fo=" << outro;
                    EXPECT_EQ(vi, ri) << nomes[k] << " n=" << n << " fo=" << outro;
                    EXPECT_EQ(vj, rj) << nomes[k] << " n=" << n << " fo=" << outro;
                }
            }
        }
    }
}

TEST(Varredura, matriz_assimetrica_le_as_colunas_e_da_o_mesmo) {
    // A matrix no loader would make: the scan must not read d[b][a] for d[a][b].
    std::mt19937 g(17);
    for (int n : {4, 9, 40}) {
        Matriz m(n);
        for (int a = 0; a < n; a++)
            for (int b = 0; b < n; b++) m.d[a][b] = (a == b) ? 0.0f : static_cast<float>(g() % 1000);
        ASSERT_FALSE(matriz_simetrica(n, m.d));
        for (unsigned semente = 1; semente <= 5; semente++) {
            std::vector<int> s = apoio::percurso_aleatorio(n, semente);
            compara("assimetrica n=" + std::to_string(n), n, s, m.d, calcula_fo(n, s.data(), m.d));
        }
    }
}

TEST(Varredura, fo_carregado_diferente_e_valores_extremos) {
    // The limit starts at the fo handed in, whatever it is: far above, far
    // below, infinite, NaN; and distances past 2^31.
    Matriz m(15);
    apoio::pontos_aleatorios(m, 5);
    std::vector<int> s = apoio::percurso_aleatorio(15, 6);
    float fo = calcula_fo(15, s.data(), m.d);
    for (float outro : {fo, fo * 2.0f, fo * 0.5f, 0.0f, -fo, INFINITY, NAN, 1.0e30f})
        compara("fo=" + std::to_string(outro), 15, s, m.d, outro);

    Matriz enorme(9);
    apoio::pontos_aleatorios(enorme, 8);
    for (int a = 0; a < 9; a++)
        for (int b = 0; b < 9; b++) enorme.d[a][b] = enorme.d[a][b] * 3.0e7f;
    std::vector<int> t = apoio::percurso_aleatorio(9, 4);
    compara_descida("enorme", 9, t, enorme.d);
}

// The plain definition: every entry against its mirror, bit for bit.
bool simetrica_par_a_par(int n, float** d) {
    for (int a = 0; a < n; a++)
        for (int b = 0; b < n; b++)
            if (std::memcmp(&d[a][b], &d[b][a], sizeof(float)) != 0) return false;
    return true;
}

// Sizes inside one tile, at its edge and across two and three tiles: an entry
// off in every pair of tiles, on both sides of the diagonal, as the plain check.
class SimetriaNosLadrilhos : public ::testing::TestWithParam<int> {};

TEST_P(SimetriaNosLadrilhos, matriz_simetrica_igual_a_comparar_todo_par) {
    int n = GetParam();
    Matriz m(n);
    apoio::pontos_aleatorios(m, static_cast<unsigned>(n));
    float maior = -1.0f;
    EXPECT_TRUE(matriz_simetrica(n, m.d)) << n;
    EXPECT_TRUE(matriz_simetrica_finita(n, m.d, &maior)) << n;
    float esperado = 0.0f;
    for (int a = 0; a < n; a++)
        for (int b = 0; b < n; b++) esperado = std::max(esperado, m.d[a][b]);
    EXPECT_EQ(maior, esperado) << n;
    if (n < 2) return;
    std::vector<int> lugares;  // the first and last index of every tile
    for (int q = 0; q < n; q += LADO_LADRILHO) {
        lugares.push_back(q);
        lugares.push_back(std::min(q + LADO_LADRILHO, n) - 1);
    }
    for (int a : lugares)
        for (int b : lugares) {
            if (a == b) continue;  // the diagonal is its own mirror
            float guardado = m.d[a][b];
            m.d[a][b] = std::nextafter(guardado, 1e9f);
            EXPECT_EQ(matriz_simetrica(n, m.d), simetrica_par_a_par(n, m.d)) << n << " " << a << "," << b;
            EXPECT_FALSE(matriz_simetrica(n, m.d)) << n << " " << a << "," << b;
            m.d[a][b] = guardado;
        }
    // +0 facing -0: equal values, different bits, so not symmetric here
    float guardado = m.d[0][n - 1];
    m.d[0][n - 1] = 0.0f;
    m.d[n - 1][0] = -0.0f;
    EXPECT_FALSE(matriz_simetrica(n, m.d)) << n;
    m.d[0][n - 1] = m.d[n - 1][0] = guardado;
    EXPECT_TRUE(matriz_simetrica(n, m.d)) << n;
}

INSTANTIATE_TEST_SUITE_P(Tamanhos, SimetriaNosLadrilhos,
                         ::testing::Values(1, 2, 17, LADO_LADRILHO - 1, LADO_LADRILHO,
                                           LADO_LADRILHO + 1, 2 * LADO_LADRILHO + 1));

TEST(Varredura, marcas_passam_pelo_protocolo_e_o_resto_so_abaixo_do_limite) {
    // With a limit below every value nothing but the adjacent and the marked
    // pairs reaches the protocol, in scan order, repeats and marks on adjacent
    // pairs included.
    int n = 10;
    Matriz m(n);
    apoio::pontos_aleatorios(m, 3);
    std::vector<int> s = apoio::percurso_aleatorio(n, 4);
    int mi[] = {0, 0, 2, 2, 3, 7, 8};
    int mj[] = {1, 5, 6, 6, 4, 9, 9};
    Marcas marcas = {mi, mj, 7};
    std::vector<std::pair<int, int>> vistos;
    std::vector<float> arestas(n);
    calcula_arestas(n, s.data(), m.d, arestas.data());
    varre_trocas(
        n, s.data(), m.d, calcula_fo(n, s.data(), m.d), true, arestas.data(), marcas,
        [] { return -1.0e30f; }, [&](int i, int j, float) { vistos.push_back({i, j}); });
    std::vector<std::pair<int, int>> esperado = {{0, 1}, {0, 5}, {0, 9}, {1, 2}, {2, 3}, {2, 6},
                                                 {3, 4}, {4, 5}, {5, 6}, {6, 7}, {7, 8}, {7, 9},
                                                 {8, 9}};
    EXPECT_EQ(vistos, esperado);
    EXPECT_EQ(s, apoio::percurso_aleatorio(n, 4));
}

}  // namespace
