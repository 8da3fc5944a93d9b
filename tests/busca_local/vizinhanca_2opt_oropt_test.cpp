#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "busca_local/descida_vizinhanca.h"
#include "busca_local/vizinhanca_2opt_oropt.h"
#include "busca_local/vizinhos_proximos.h"
#include "nucleo/acompanhamento.h"
#include "nucleo/aleatorio.h"
#include "nucleo/solucao.h"
#include "tests/apoio_teste.h"

namespace {

using apoio::Matriz;

// Whole distances below 2^12: every float sum of a tour is exact, so a delta
// must equal the measured change to the last bit.
void inteiras(Matriz& m, unsigned semente) {
    std::mt19937 g(semente);
    for (int a = 0; a < m.n; a++)
        for (int b = a + 1; b < m.n; b++) m.simetrica(a, b, static_cast<float>(1 + g() % 1000));
}

// Every move of the full neighbourhood of a tour of n cities.
std::vector<Movimento> todos(int n) {
    std::vector<Movimento> r;
    for (int i = 0; i < n; i++)
        for (int j = 0; j < n; j++)
            if (j != i && (j + 1) % n != i && (i + 1) % n != j)
                r.push_back({VIZINHANCA_2OPT, i, j, 0, false});
    for (int i = 0; i < n; i++)
        for (int l = 1; l <= 3 && n >= l + 2; l++)
            for (int t = 0; t <= n - l - 2; t++)
                for (int inv = 0; inv < 2; inv++)
                    r.push_back({VIZINHANCA_OROPT, i, (i + l + t) % n, l, inv == 1});
    return r;
}

// The move by its plain definition, on a copy: the reversed path, or the
// segment taken out and written after s[j].
std::vector<int> definicao(const std::vector<int>& s, const Movimento& m) {
    int n = static_cast<int>(s.size());
    std::vector<int> r;
    if (m.tipo == VIZINHANCA_2OPT) {
        r = s;
        int dentro = ((m.j - m.i) % n + n) % n;
        for (int t = 0; t < dentro / 2; t++)
            std::swap(r[(m.i + 1 + t) % n], r[(m.i + dentro - t) % n]);
        return r;
    }
    std::vector<int> seg;
    for (int t = 0; t < m.comprimento; t++) seg.push_back(s[(m.i + t) % n]);
    if (m.inverte) std::reverse(seg.begin(), seg.end());
    for (int t = m.comprimento; t < n; t++) {
        int q = (m.i + t) % n;
        r.push_back(s[q]);
        if (q == m.j) r.insert(r.end(), seg.begin(), seg.end());
    }
    return r;
}

// The same cycle, read from any city in either direction.
bool mesmo_ciclo(std::vector<int> a, std::vector<int> b) {
    if (a.size() != b.size()) return false;
    auto normaliza = [](std::vector<int>& v) {
        std::rotate(v.begin(), std::min_element(v.begin(), v.end()), v.end());
        if (v.size() > 2 && v[1] > v.back()) std::reverse(v.begin() + 1, v.end());
    };
    normaliza(a);
    normaliza(b);
    return a == b;
}

class MovimentosExatos : public ::testing::TestWithParam<int> {};

// Small n reach every wrap-around: segments across the end, insertion after
// the last position, 2-opt paths longer and shorter than half the tour.
TEST_P(MovimentosExatos, avaliacao_igual_a_variacao_medida_e_percurso_da_definicao) {
    int n = GetParam();
    Matriz m(n);
    inteiras(m, 7u * n);
    std::mt19937 g(n);
    std::vector<int> inicial = apoio::percurso_aleatorio(n, g);
    for (const Movimento& mov : todos(n)) {
        std::vector<int> s = inicial;
        Vizinhanca2optOropt v;
        cria_2opt_oropt(n, s.data(), m.d, VIZINHANCA_2OPT_OROPT, nullptr, &v);
        double removidas;
        double delta = avalia_2opt_oropt(&v, mov, &removidas);
        EXPECT_EQ(s, inicial) << "avalia changed the tour";
        aplica_2opt_oropt(&v, mov);
        SCOPED_TRACE(testing::Message() << "tipo " << mov.tipo << " i " << mov.i << " j " << mov.j
                                        << " l " << mov.comprimento << " inv " << mov.inverte);
        EXPECT_EQ(delta, static_cast<double>(calcula_fo(n, s.data(), m.d)) -
                             static_cast<double>(calcula_fo(n, inicial.data(), m.d)));
        EXPECT_TRUE(mesmo_ciclo(s, definicao(inicial, mov)));
        for (int q = 0; q < n; q++) {
            EXPECT_EQ(v.posicao[s[q]], q);
            EXPECT_EQ(v.arestas[q], m.d[s[q]][s[(q + 1) % n]]) << q;
        }
        libera_2opt_oropt(&v);
    }
}

INSTANTIATE_TEST_SUITE_P(Tamanhos, MovimentosExatos, ::testing::Values(4, 5, 6, 7, 11));

struct CasoDescida {
    int tipo;
    int n;
    int vizinhos;
};

class DescidaVizinhanca : public ::testing::TestWithParam<CasoDescida> {};

// Without lists the descent must stop where the full neighbourhood holds no
// move the guard takes; with lists, at a tour no longer than the start. Both
// return the tour's calcula_fo.
TEST_P(DescidaVizinhanca, termina_em_percurso_valido_e_sem_lista_em_otimo_local) {
    CasoDescida c = GetParam();
    for (unsigned semente : {1u, 2u, 3u}) {
        apoio::InstanciaAleatoria a(c.n, semente, semente + 10);
        int primeira = a.s[0];
        float fo = descida_vizinhanca(c.n, a.s.data(), a.m.d, c.tipo, c.vizinhos);
        EXPECT_TRUE(apoio::permutacao(a.s));
        EXPECT_EQ(a.s[0], primeira);
        EXPECT_EQ(fo, calcula_fo(c.n, a.s.data(), a.m.d));
        EXPECT_LT(fo, a.inicial);
        if (c.vizinhos != 0) continue;
        Vizinhanca2optOropt v;
        cria_2opt_oropt(c.n, a.s.data(), a.m.d, c.tipo, nullptr, &v);
        for (const Movimento& mov : todos(c.n)) {
            if (!(mov.tipo & c.tipo)) continue;
            double removidas;
            double delta = avalia_2opt_oropt(&v, mov, &removidas);
            EXPECT_FALSE(melhora(delta, removidas)) << mov.tipo << " " << mov.i << " " << mov.j;
        }
        libera_2opt_oropt(&v);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tipos, DescidaVizinhanca,
    ::testing::Values(CasoDescida{VIZINHANCA_2OPT, 30, 0}, CasoDescida{VIZINHANCA_OROPT, 30, 0},
                      CasoDescida{VIZINHANCA_2OPT_OROPT, 30, 0},
                      CasoDescida{VIZINHANCA_2OPT, 300, 8}, CasoDescida{VIZINHANCA_OROPT, 300, 8},
                      CasoDescida{VIZINHANCA_2OPT_OROPT, 300, 1},
                      CasoDescida{VIZINHANCA_2OPT_OROPT, 300, 16},
                      CasoDescida{VIZINHANCA_2OPT_OROPT, 6, 100}));

// An interruption before the start leaves the tour as it was and counts nothing.
TEST(DescidaVizinhancaAcompanhada, interrompida_nao_muda_o_percurso) {
    apoio::InstanciaAleatoria a(50, 4, 5);
    std::vector<int> antes = a.s;
    volatile std::sig_atomic_t sinal = 1;
    for (int vizinhos : {0, 8}) {
        Acompanhamento acomp = inicia_acompanhamento(nullptr, 1, "descida", -1, &sinal);
        float fo = descida_vizinhanca(50, a.s.data(), a.m.d, VIZINHANCA_2OPT_OROPT, vizinhos, &acomp);
        EXPECT_EQ(a.s, antes);
        EXPECT_EQ(fo, a.inicial);
        EXPECT_TRUE(acomp.parou);
        EXPECT_EQ(acomp.iteracoes, 0);
    }
}

class ListasProximas : public ::testing::TestWithParam<int> {};

// The lists against a full sort by distance then city, with ties everywhere
// (whole distances from 1 to 5) and k past n - 1.
TEST_P(ListasProximas, iguais_a_ordenacao_completa) {
    int n = 40, k = GetParam();
    Matriz m(n);
    std::mt19937 g(3);
    for (int a = 0; a < n; a++)
        for (int b = a + 1; b < n; b++) m.simetrica(a, b, static_cast<float>(1 + g() % 5));
    VizinhosProximos v;
    cria_vizinhos_proximos(n, m.d, k, &v);
    ASSERT_EQ(v.k, std::min(k, n - 1));
    for (int c = 0; c < n; c++) {
        std::vector<int> outras;
        for (int x = 0; x < n; x++)
            if (x != c) outras.push_back(x);
        std::stable_sort(outras.begin(), outras.end(),
                         [&](int x, int y) { return m.d[c][x] < m.d[c][y]; });
        std::vector<int> lista(vizinhos_de(&v, c), vizinhos_de(&v, c) + v.k);
        EXPECT_EQ(lista, std::vector<int>(outras.begin(), outras.begin() + v.k));
        for (int r = 0; r < v.k; r++) EXPECT_EQ(distancias_de(&v, c)[r], m.d[c][lista[r]]);
    }
    EXPECT_TRUE(v.nao_negativa);
    libera_vizinhos_proximos(&v);
    m.simetrica(n - 2, n - 1, -1.0f);  // the bounds of the searches no longer hold
    cria_vizinhos_proximos(n, m.d, k, &v);
    EXPECT_FALSE(v.nao_negativa);
    libera_vizinhos_proximos(&v);
}

INSTANTIATE_TEST_SUITE_P(Tamanhos, ListasProximas, ::testing::Values(1, 7, 39, 60));

// Edges of a cycle as ordered pairs (smaller city first).
std::set<std::pair<int, int>> arestas(const std::vector<int>& s) {
    std::set<std::pair<int, int>> r;
    for (size_t q = 0; q < s.size(); q++) {
        int a = s[q], b = s[(q + 1) % s.size()];
        r.insert({std::min(a, b), std::max(a, b)});
    }
    return r;
}

class BuscasPorDefinicao : public ::testing::TestWithParam<int> {};

// Each search against a brute force over todos() on the plain definition of a
// move: the draws reach every tour of the neighbourhood and nothing else; the
// sample search, the marked search without lists and with lists of every city
// find the least delta their rules allow, marks read as the edges a move adds.
TEST_P(BuscasPorDefinicao, iguais_a_forca_bruta) {
    int tipo = GetParam(), n = 9;
    Matriz m(n);
    inteiras(m, 11);
    std::mt19937 g(5);
    std::vector<int> s = apoio::percurso_aleatorio(n, g);
    const std::vector<int> inicial = s;
    VizinhosProximos todas;
    cria_vizinhos_proximos(n, m.d, n - 1, &todas);
    Vizinhanca2optOropt v, com_listas;
    cria_2opt_oropt(n, s.data(), m.d, tipo, nullptr, &v);
    cria_2opt_oropt(n, s.data(), m.d, tipo, &todas, &com_listas);
    std::vector<Movimento> movimentos;
    std::set<std::vector<int>> vizinhos;
    auto normal = [](std::vector<int> t) {
        std::rotate(t.begin(), std::min_element(t.begin(), t.end()), t.end());
        if (t[1] > t.back()) std::reverse(t.begin() + 1, t.end());
        return t;
    };
    for (const Movimento& mov : todos(n))
        if (mov.tipo & tipo) {
            movimentos.push_back(mov);
            vizinhos.insert(normal(definicao(inicial, mov)));
        }
    semeia_gerador(3);
    std::set<std::vector<int>> sorteados;
    for (int t = 0; t < 20000; t++)
        sorteados.insert(normal(definicao(inicial, sorteia_2opt_oropt(&v))));
    EXPECT_EQ(sorteados, vizinhos);

    // marks: the edges the best move adds; aspiration below, at and above it
    const Movimento* melhor = nullptr;
    double melhor_delta = 1e18;
    for (const Movimento& mov : movimentos) {
        double removidas, dt = avalia_2opt_oropt(&v, mov, &removidas);
        if (dt < melhor_delta) melhor_delta = dt, melhor = &mov;
    }
    std::vector<Aresta> marcas;
    std::set<std::pair<int, int>> antes = arestas(inicial);
    for (const auto& a : arestas(definicao(inicial, *melhor)))
        if (!antes.count(a)) marcas.push_back({a.second, a.first});
    std::vector<int> amostra = {7, 1, 4, 2};
    for (double aspiracao : {-1e9, melhor_delta, melhor_delta + 1}) {
        double menor = 1e18, menor_amostra = 1e18;
        for (const Movimento& mov : movimentos) {
            double removidas;
            double dt = avalia_2opt_oropt(&v, mov, &removidas);
            std::set<std::pair<int, int>> depois = arestas(definicao(inicial, mov));
            bool marcado = false;
            for (const Aresta& a : marcas)
                marcado |= depois.count({std::min(a.a, a.b), std::max(a.a, a.b)}) > 0;
            if (!marcado || dt < aspiracao) menor = std::min(menor, dt);
            auto na_amostra = [&](int q) {
                return std::find(amostra.begin(), amostra.end(), q) != amostra.end();
            };
            // Or-opt by its segment's start and place; 2-opt by its two edges
            if (melhora(dt, removidas) && na_amostra(mov.i) && na_amostra(mov.j))
                menor_amostra = std::min(menor_amostra, dt);
        }
        Movimento achado;
        double delta;
        int quantas = static_cast<int>(marcas.size());
        ASSERT_TRUE(
            melhor_2opt_oropt_marcado(&v, marcas.data(), quantas, aspiracao, &achado, &delta));
        EXPECT_EQ(delta, menor) << aspiracao;
        ASSERT_TRUE(melhor_2opt_oropt_marcado(&com_listas, marcas.data(), quantas, aspiracao,
                                              &achado, &delta));
        EXPECT_EQ(delta, menor) << aspiracao;
        bool achou = melhor_2opt_oropt_amostra(&v, amostra.data(), 4, &achado, &delta);
        EXPECT_EQ(achou, menor_amostra < 1e18);
        if (achou) {
            EXPECT_EQ(delta, menor_amostra);
        }
    }
    EXPECT_EQ(s, inicial);
    libera_2opt_oropt(&v);
    libera_2opt_oropt(&com_listas);
    libera_vizinhos_proximos(&todas);
}

INSTANTIATE_TEST_SUITE_P(Tipos, BuscasPorDefinicao,
                         ::testing::Values(VIZINHANCA_2OPT, VIZINHANCA_OROPT,
                                           VIZINHANCA_2OPT_OROPT));

struct CasoGuardado {
    int tipo;
    int n;
    int k;
};

class BuscaGuardada : public ::testing::TestWithParam<CasoGuardado> {};

// Along a tabu walk (the removed edges of the last moves marked, aspiration
// at the best tour, now and then a mark with no move), the kept search chooses
// at every step the very move of the full scan of the lists.
TEST_P(BuscaGuardada, mesmo_movimento_que_a_busca_inteira_ao_longo_de_uma_caminhada) {
    CasoGuardado c = GetParam();
    apoio::InstanciaAleatoria a(c.n, 9, 10);
    VizinhosProximos listas;
    cria_vizinhos_proximos(c.n, a.m.d, c.k, &listas);
    Vizinhanca2optOropt v;
    cria_2opt_oropt(c.n, a.s.data(), a.m.d, c.tipo, &listas, &v);
    MelhoresPorCidade g;
    cria_melhores_por_cidade(&v, &g);
    std::vector<Aresta> marcas;
    double fo = a.inicial, fo_star = fo;
    for (int passo = 0; passo < 400; passo++) {
        Movimento m1, m2;
        double d1 = 0, d2 = 0;
        int quantas = static_cast<int>(marcas.size());
        bool a1 = melhor_2opt_oropt_marcado(&v, marcas.data(), quantas, fo_star - fo, &m1, &d1);
        bool a2 =
            melhor_2opt_oropt_guardado(&v, &g, marcas.data(), quantas, fo_star - fo, &m2, &d2);
        ASSERT_EQ(a1, a2) << passo;
        // every city's kept values, not only the winner's, as taken afresh
        MelhoresPorCidade nova;
        cria_melhores_por_cidade(&v, &nova);
        Movimento m3;
        double d3;
        melhor_2opt_oropt_guardado(&v, &nova, marcas.data(), quantas, fo_star - fo, &m3, &d3);
        for (int cidade = 0; cidade < c.n; cidade++) {
            ASSERT_EQ(g.todos[cidade], nova.todos[cidade]) << passo << " " << cidade;
            ASSERT_EQ(g.livres[cidade], nova.livres[cidade]) << passo << " " << cidade;
        }
        libera_melhores_por_cidade(&nova);
        if (!a1) break;
        ASSERT_EQ(d1, d2) << passo;
        ASSERT_TRUE(m1.tipo == m2.tipo && m1.i == m2.i && m1.j == m2.j &&
                    m1.comprimento == m2.comprimento && m1.inverte == m2.inverte)
            << passo;
        Aresta fora[3], novas[3];
        int k = arestas_do_movimento(&v, m1, fora, novas);
        if (passo % 5 == 2) {  // a mark with no move: the best move is taken away
            marcas.push_back(novas[0]);
            continue;
        }
        marcas.insert(marcas.end(), fora, fora + k);
        if (marcas.size() > 21) marcas.erase(marcas.begin(), marcas.begin() + k);
        aplica_2opt_oropt(&v, m1);
        fo += d1;
        fo_star = std::min(fo_star, fo);
    }
    libera_melhores_por_cidade(&g);
    libera_2opt_oropt(&v);
    libera_vizinhos_proximos(&listas);
}

INSTANTIATE_TEST_SUITE_P(
    Tipos, BuscaGuardada,
    ::testing::Values(CasoGuardado{VIZINHANCA_2OPT, 150, 8}, CasoGuardado{VIZINHANCA_OROPT, 150, 8},
                      CasoGuardado{VIZINHANCA_2OPT_OROPT, 150, 8},
                      CasoGuardado{VIZINHANCA_2OPT_OROPT, 9, 4},
                      CasoGuardado{VIZINHANCA_2OPT_OROPT, 150, 2}, CasoGuardado{VIZINHANCA_OROPT, 30, 1},
                      CasoGuardado{VIZINHANCA_2OPT_OROPT, 40, 39}));

}  // namespace
