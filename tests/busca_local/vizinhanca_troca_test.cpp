// The swap neighbourhood's fast search held to its definition (every pair
// through the protocol) at the sizes where the fast path changes strategy: the
// blocks of BLOCO_COTAS pairs of a changed row, and from CIDADES_ANTECIPADAS
// on the rows gathered in tour order and fetched ahead.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "busca_local/vizinhanca_troca.h"
#include "nucleo/ajustes.h"
#include "nucleo/solucao.h"
#include "tests/apoio_teste.h"

namespace {

using apoio::Matriz;

// (n, tabu): a descent from a random tour (limit fo), or a tabu walk from a
// local optimum (limit 2^31, the last moves marked, aspiration below the best
// value seen), so the moves go uphill.
class VizinhancaNosLimiares : public ::testing::TestWithParam<std::tuple<int, bool>> {};

TEST_P(VizinhancaNosLimiares, melhor_troca_igual_a_definicao_troca_apos_troca) {
    auto [n, tabu] = GetParam();
    Matriz m(n);
    apoio::pontos_aleatorios(m, static_cast<unsigned>(n));
    std::vector<int> s = apoio::percurso_aleatorio(n, static_cast<unsigned>(n) + 1);
    VizinhancaTroca v;
    cria_troca(n, s.data(), m.d, VARREDURAS, &v);
    ASSERT_TRUE(v.com_cotas);
    EXPECT_EQ(v.cotas.reune_linhas, n >= CIDADES_ANTECIPADAS);
    float fo = calcula_fo(n, s.data(), m.d);
    for (Troca d; tabu && (d = melhor_troca(&v, fo, fo)).i >= 0; fo = d.valor)
        aplica_troca(&v, d.i, d.j);
    float fo_star = fo;
    std::vector<std::pair<int, int>> recentes;
    for (int passo = 0; passo < 24; passo++) {
        std::vector<std::pair<int, int>> ordenadas = recentes;
        std::sort(ordenadas.begin(), ordenadas.end());
        std::vector<int> mi, mj;
        for (auto [i, j] : ordenadas) {
            mi.push_back(i);
            mj.push_back(j);
        }
        Marcas marcas = {mi.data(), mj.data(), static_cast<int>(mi.size())};
        float limite = tabu ? SENTINELA_2_31 : fo;
        std::vector<int> antes = s;
        Troca esperado = melhor_troca_simples(&v, fo, limite, marcas, fo_star);
        Troca obtido = melhor_troca(&v, fo, limite, marcas, fo_star);
        std::string caso = "n=" + std::to_string(n) + " passo " + std::to_string(passo);
        ASSERT_EQ(std::memcmp(&obtido.valor, &esperado.valor, sizeof obtido.valor), 0) << caso;
        ASSERT_EQ(obtido.i, esperado.i) << caso;
        ASSERT_EQ(obtido.j, esperado.j) << caso;
        ASSERT_EQ(s, antes) << caso;
        if (esperado.i < 0) break;
        aplica_troca(&v, esperado.i, esperado.j);
        // the kept bounds are those measured afresh (a loose one lies below)
        CotasLinhas nova;
        ASSERT_TRUE(cria_cotas(n, s.data(), m.d, &nova));
        for (int i = 0; i < n - 1; i++) {
            if (v.cotas.frouxa[i]) EXPECT_LE(v.cotas.cota[i], nova.cota[i]) << caso << " linha " << i;
            else EXPECT_EQ(v.cotas.cota[i], nova.cota[i]) << caso << " linha " << i;
        }
        libera_cotas(&nova);
        fo = esperado.valor;
        fo_star = std::min(fo_star, fo);
        recentes.push_back({esperado.i, esperado.j});
        if (recentes.size() > 4) recentes.erase(recentes.begin());
    }
    libera_troca(&v);
}

INSTANTIATE_TEST_SUITE_P(Tamanhos, VizinhancaNosLimiares,
                         ::testing::Combine(::testing::Values(BLOCO_COTAS + 1, 2 * BLOCO_COTAS + 1,
                                                              CIDADES_ANTECIPADAS - 1,
                                                              CIDADES_ANTECIPADAS,
                                                              CIDADES_ANTECIPADAS + 1),
                                            ::testing::Bool()),
                         [](const auto& info) {
                             return "n" + std::to_string(std::get<0>(info.param)) +
                                    (std::get<1>(info.param) ? "_tabu" : "_descida");
                         });

}  // namespace
