#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "nucleo/aleatorio.h"
#include "simulated_annealing/temperatura_inicial.h"
#include "tests/apoio_teste.h"

namespace {

using apoio::Matriz;

// Thirteen cities, every distance 1 but 0-6, which is enormous: from the tour
// 0..12 a swap either keeps the length (always accepted) or puts 0 next to 6
// (never accepted, exp underflows to 0). Every trial draws r, since no swap
// shortens the tour.
const int N = 13;
bool junta_0_e_6(int i, int j) {
    std::vector<int> s = apoio::identidade(N);
    std::swap(s[i], s[j]);
    for (int p = 0; p < N; p++) {
        int a = s[p], b = s[(p + 1) % N];
        if ((a == 0 && b == 6) || (a == 6 && b == 0)) return true;
    }
    return false;
}

// Accepted trials of the first level for a seed, from the draws alone.
int aceitos_no_primeiro_nivel(unsigned semente) {
    semeia_gerador(semente);
    int aceitos = 0;
    for (int t = 0; t < 500; t++) {
        int i = sorteia_inteiro(N), j = sorteia_inteiro(N);
        while (j == i) j = sorteia_inteiro(N);
        sorteia_real(0.0f, 1.0f);
        if (!junta_0_e_6(i, j)) aceitos++;
    }
    return aceitos;
}

TEST(TemperaturaInicial, limiar_475_de_500_para_e_474_aquece) {
    Matriz m(N);
    m.todas(1.0f);
    m.simetrica(0, 6, 1.0e6f);
    unsigned com_474 = 0, com_475 = 0;
    for (unsigned semente = 1; semente < 5000 && (com_474 == 0 || com_475 == 0); semente++) {
        int aceitos = aceitos_no_primeiro_nivel(semente);
        if (aceitos == 474 && com_474 == 0) com_474 = semente;
        if (aceitos == 475 && com_475 == 0) com_475 = semente;
    }
    ASSERT_NE(com_474, 0u);
    ASSERT_NE(com_475, 0u);

    std::vector<int> s = apoio::identidade(N);
    semeia_gerador(com_475);
    EXPECT_EQ(temperatura_inicial(N, s.data(), m.d, 1.1f, 0.95f, 500), 10.0f);
    semeia_gerador(com_474);
    float t = temperatura_inicial(N, s.data(), m.d, 1.1f, 0.95f, 500);
    EXPECT_GT(t, 10.0f);
    EXPECT_EQ(s, apoio::identidade(N));
}

TEST(TemperaturaInicial, melhora_aceita_sem_sortear_r_e_delta_zero_sorteia) {
    // Four cities: the tour 0 1 2 3 uses the four long edges (10), the two
    // diagonals are short (1). Swapping positions 0-2 or 1-3 reverses the tour
    // (delta 0, r drawn); every other swap shortens it (no r).
    Matriz m(4);
    m.todas(10.0f);
    m.simetrica(0, 2, 1.0f);
    m.simetrica(1, 3, 1.0f);
    std::vector<int> s = apoio::identidade(4);
    semeia_gerador(31);
    EXPECT_EQ(temperatura_inicial(4, s.data(), m.d, 1.1f, 0.95f, 200), 10.0f);
    EXPECT_EQ(s, apoio::identidade(4));
    int depois = sorteia_inteiro(1 << 30);

    semeia_gerador(31);
    int consumidos = 0;
    for (int t = 0; t < 200; t++) {
        int i = sorteia_inteiro(4), j = sorteia_inteiro(4);
        consumidos += 2;
        while (j == i) {
            j = sorteia_inteiro(4);
            consumidos++;
        }
        if ((i + j) % 2 == 0) {  // 0-2 or 1-3: one r
            sorteia_real(0.0f, 1.0f);
            consumidos++;
        }
    }
    EXPECT_EQ(depois, apoio::proximo_apos(31, consumidos));
}

TEST(TemperaturaInicial, devolve_um_termo_da_sequencia_de_aquecimento) {
    Matriz m(30);
    apoio::pontos_aleatorios(m, 8);
    std::vector<int> s = apoio::percurso_aleatorio(30, 9);
    std::vector<int> original = s;
    semeia_gerador(10);
    float t = temperatura_inicial(30, s.data(), m.d, 1.1f, 0.95f, 500);
    EXPECT_EQ(s, original);
    float termo = 10.0f;
    int niveis = 0;
    while (termo < t) {
        termo = 1.1f * termo;
        niveis++;
    }
    EXPECT_EQ(termo, t);
    EXPECT_GT(niveis, 0);  // distances up to ~1400 need more than 10 degrees
}

TEST(TemperaturaInicial, samax_nao_positivo_devolve_10_sem_sortear) {
    Matriz m(5);
    apoio::pontos_aleatorios(m, 1);
    std::vector<int> s = apoio::identidade(5);
    for (int samax : {0, -4}) {
        semeia_gerador(50);
        EXPECT_EQ(temperatura_inicial(5, s.data(), m.d, 1.1f, 0.95f, samax), 10.0f);
        int depois = sorteia_inteiro(1 << 30);
        EXPECT_EQ(depois, apoio::proximo_apos(50, 0));
    }
}

TEST(TemperaturaInicial, parametros_sem_fim_e_uma_cidade_sao_recusados) {
    Matriz m(5);
    apoio::pontos_aleatorios(m, 1);
    std::vector<int> s = apoio::identidade(5);
    struct Caso {
        int n;
        float aquecimento, aceitacao;
    } casos[] = {{5, 1.0f, 0.95f}, {5, 0.9f, 0.95f}, {5, 1.1f, 1.01f}, {1, 1.1f, 0.95f}};
    for (const Caso& c : casos) {
        semeia_gerador(60);
        testing::internal::CaptureStdout();
        EXPECT_EQ(temperatura_inicial(c.n, s.data(), m.d, c.aquecimento, c.aceitacao, 500), 10.0f);
        std::string saida = testing::internal::GetCapturedStdout();
        EXPECT_NE(saida, "");
        EXPECT_EQ(saida.find('\n', 1), saida.size() - 1) << "one line: " << saida;
        int depois = sorteia_inteiro(1 << 30);
        EXPECT_EQ(depois, apoio::proximo_apos(60, 0));
    }
    EXPECT_EQ(s, apoio::identidade(5));
}

}  // namespace
