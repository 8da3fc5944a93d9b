// The swap neighbourhood keeps a lower bound per row and scans only the rows that may hold
// the best swap. Held here to the scan that evaluates every pair by the protocol,
// swap after swap, on the matrices that stress the scan: ties (a grid),
// rounding that merges neighbours (far points), the smallest tours.
#include "busca_local/cotas_linhas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "busca_local/descida.h"
#include "busca_local/vizinhanca_troca.h"
#include "busca_local/soma_arestas.h"
#include "nucleo/alocacao.h"
#include "nucleo/solucao.h"
#include "tests/apoio_teste.h"

namespace {

using apoio::Matriz;

using apoio::varredura_completa;

long linhas_frouxas_vistas = 0;

// A whole descent, swap by swap: the kept bounds equal freshly measured ones
// (or lie below them where marked loose), bound every pair of their row from
// below, and the restricted scan chooses what the complete scan chooses. Returns the number of
// swaps applied. reune: whether the updates gather their rows (as from 512 cities on).
int descida_conferida(const std::string& nome, int n, float** d, std::vector<int> s, bool reune) {
    VizinhancaTroca v;
    cria_troca(n, s.data(), d, VARREDURAS, &v);
    EXPECT_TRUE(v.com_cotas) << nome;
    CotasLinhas& cotas = v.cotas;
    if (reune) {  // room for the gathered rows, as from 512 cities on
        libera_vetor(cotas.lidas);
        cotas.lidas = cria_vetor_float(10 * n);
        cotas.reune_linhas = true;
    }
    float fo = calcula_fo(n, s.data(), d);
    int passos = 0;
    for (;;) {
        CotasLinhas nova;
        EXPECT_TRUE(cria_cotas(n, s.data(), d, &nova));
        double folga = std::ldexp(std::fabs(static_cast<double>(fo)), -40) + cotas.folga_base;
        for (int i = 0; i < n - 1; i++) {
            linhas_frouxas_vistas += cotas.frouxa[i];
            if (cotas.frouxa[i])
                EXPECT_LE(cotas.cota[i], nova.cota[i]) << nome << " passo " << passos;
            else
                EXPECT_EQ(cotas.cota[i], nova.cota[i])
                    << nome << " passo " << passos << " linha " << i;
            EXPECT_EQ(cotas.arestas[i], nova.arestas[i]) << nome << " passo " << passos;
            // the largest float a bound reaches: no value of the row is below the
            // first one's, none but its least column's below the second one's
            auto piso = [&](double cota) {
                double p = static_cast<double>(fo) + cota - folga;
                float pf = static_cast<float>(p);
                return static_cast<double>(pf) > p ? std::nextafter(pf, -HUGE_VALF) : pf;
            };
            for (int j = i + 1; j < n; j++) {
                float valor = apoio::valor_da_troca(n, s, d, fo, i, j);
                EXPECT_GE(valor, piso(cotas.cota[i])) << nome << " par " << i << "," << j;
                if (j != cotas.coluna[i]) {
                    EXPECT_GE(valor, piso(cotas.cota2[i])) << nome << " par " << i << "," << j;
                }
            }
        }
        libera_cotas(&nova);

        std::vector<int> antes = s;
        Troca esperado = melhor_troca_simples(&v, fo, fo);
        Troca obtido = melhor_troca(&v, fo, fo);
        EXPECT_EQ(std::memcmp(&obtido.valor, &esperado.valor, sizeof obtido.valor), 0)
            << nome << " passo " << passos;
        EXPECT_EQ(obtido.i, esperado.i) << nome << " passo " << passos;
        EXPECT_EQ(obtido.j, esperado.j) << nome << " passo " << passos;
        EXPECT_EQ(s, antes) << nome;
        if (esperado.i < 0 || obtido.i != esperado.i || obtido.j != esperado.j ||
            passos > 10 * n * n)
            break;
        aplica_troca(&v, esperado.i, esperado.j);
        fo = esperado.valor;
        passos++;
    }
    libera_troca(&v);
    return passos;
}

// Both ways of updating: the rows read through the tour, and gathered.
class CotasLinhasAtualizadas : public ::testing::TestWithParam<bool> {};

TEST_P(CotasLinhasAtualizadas, escolhem_o_que_a_varredura_completa_escolhe_ao_longo_de_descidas) {
    bool reune = GetParam();
    linhas_frouxas_vistas = 0;
    for (int n : {2, 3, 4, 5, 6, 7, 9, 12, 20, 40}) {
        for (unsigned semente = 1; semente <= 3; semente++) {
            std::string caso = "n=" + std::to_string(n) + " semente=" + std::to_string(semente);
            Matriz espalhadas(n);
            apoio::pontos_aleatorios(espalhadas, semente);
            int passos = descida_conferida("espalhadas " + caso, n, espalhadas.d,
                                           apoio::percurso_aleatorio(n, semente), reune);
            if (n >= 12) {
                EXPECT_GT(passos, 3) << caso;  // the descent really moved
            }

            // a small grid: many swaps of equal value, ties decided by scan order
            Matriz grade(n);
            std::vector<int> x(n), y(n);
            for (int c = 0; c < n; c++) {
                x[c] = c % 3;
                y[c] = c / 3;
            }
            grade.pontos(x, y);
            descida_conferida("grade " + caso, n, grade.d,
                              apoio::percurso_aleatorio(n, semente + 7), reune);

            // far points: values near 1e8, where single precision merges neighbours
            Matriz longe(n);
            std::vector<int> lx(n), ly(n);
            for (int c = 0; c < n; c++) {
                lx[c] = 100000000 + (static_cast<int>(semente) * 7919 * c) % 1000;
                ly[c] = (c * 104729) % 997;
            }
            longe.pontos(lx, ly);
            descida_conferida("longe " + caso, n, longe.d,
                              apoio::percurso_aleatorio(n, semente + 13), reune);
        }
    }
    EXPECT_GT(linhas_frouxas_vistas, 0);  // the loose bounds were exercised
}

INSTANTIATE_TEST_SUITE_P(Modos, CotasLinhasAtualizadas, ::testing::Bool());

TEST(CotasLinhas, recusadas_sem_simetria_com_distancia_negativa_nao_finita_ou_enorme) {
    CotasLinhas cotas;
    Matriz m(6);
    apoio::pontos_aleatorios(m, 4);
    std::vector<int> s = apoio::identidade(6);
    ASSERT_TRUE(cria_cotas(6, s.data(), m.d, &cotas));
    libera_cotas(&cotas);
    EXPECT_FALSE(cria_cotas(1, s.data(), m.d, &cotas));

    m.d[1][4] += 1.0f;
    EXPECT_FALSE(cria_cotas(6, s.data(), m.d, &cotas));
    m.simetrica(1, 4, -2.0f);
    EXPECT_FALSE(cria_cotas(6, s.data(), m.d, &cotas));
    m.simetrica(1, 4, INFINITY);
    EXPECT_FALSE(cria_cotas(6, s.data(), m.d, &cotas));
    m.simetrica(1, 4, NAN);
    EXPECT_FALSE(cria_cotas(6, s.data(), m.d, &cotas));
    m.simetrica(1, 4, 0x1p100f);
    EXPECT_FALSE(cria_cotas(6, s.data(), m.d, &cotas));
}

// The single-precision bound of the update never exceeds the double one, at
// every scale, where the sums before and after nearly cancel most of all.
class CotaSimples : public ::testing::TestWithParam<float> {};

TEST_P(CotaSimples, nunca_acima_da_cota_em_double) {
    float escala = GetParam();
    unsigned estado = 12345;
    auto sorteio = [&] {  // in [0, escala)
        estado = estado * 1103515245u + 12345u;
        return static_cast<float>((estado >> 8) & 0xffff) / 65536.0f * escala;
    };
    for (int amostra = 0; amostra < 200000; amostra++) {
        float a[4], e[4];
        for (float& x : a) x = sorteio();
        for (int q = 0; q < 3; q++) e[q] = sorteio();
        // the last edge brings the sum before close to the sum after
        double resto = ((double(a[0]) + a[1]) + (double(a[2]) + a[3])) - (double(e[0]) + e[1]) - e[2];
        e[3] = resto > 0 ? static_cast<float>(resto) * (1.0f + (amostra % 7 - 3) * 0x1p-23f) : sorteio();
        double arestas_p = double(e[0]) + e[1], arestas_x = double(e[2]) + e[3];
        double exata = cota_de((double(a[0]) + a[1]) + (double(a[2]) + a[3]), arestas_p + arestas_x);
        float simples = cota_simples((a[0] + a[1]) + (a[2] + a[3]),
                                     static_cast<float>(arestas_p) + static_cast<float>(arestas_x));
        ASSERT_LE(double(simples), exata) << "amostra " << amostra;
    }
}

INSTANTIATE_TEST_SUITE_P(Escalas, CotaSimples, ::testing::Values(1e-42f, 1e-36f, 1.0f, 1e4f, 1e8f, 1e28f));

class DescidaCotas : public apoio::PastaTemporaria {};

// Without the bounds (an asymmetric matrix) the descent scans in full; both
// paths end on the same tour and value as a descent by the complete scan.
TEST_F(DescidaCotas, descida_com_e_sem_cotas_igual_a_descida_pela_varredura_completa) {
    const int n = 30;
    Matriz m(n);
    apoio::pontos_aleatorios(m, 9);
    for (int assimetrica = 0; assimetrica < 2; assimetrica++) {
        if (assimetrica) m.d[3][17] = std::nextafter(m.d[3][17], 0.0f);
        std::vector<int> s = apoio::percurso_aleatorio(n, 21), esperado = s;
        float fo = calcula_fo(n, esperado.data(), m.d);
        for (;;) {
            int i = -1, j = -1;
            float v = varredura_completa(n, esperado, m.d, fo, &i, &j);
            if (!(v < fo)) break;
            std::swap(esperado[i], esperado[j]);
            fo = v;
        }
        float obtido = descida(n, s.data(), m.d);
        EXPECT_EQ(s, esperado) << "assimetrica=" << assimetrica;
        EXPECT_EQ(obtido, fo) << "assimetrica=" << assimetrica;
    }
}

}  // namespace
