#include <gtest/gtest.h>

#include <vector>

#include "busca_local/descida_parcial.h"
#include "busca_local/descida_randomica.h"
#include "busca_local/vizinhanca_2opt_oropt.h"
#include "busca_tabu/busca_tabu.h"
#include "construcao/grasp.h"
#include "nucleo/aleatorio.h"
#include "nucleo/solucao.h"
#include "simulated_annealing/simulated_annealing.h"
#include "simulated_annealing/temperatura_inicial.h"
#include "tests/apoio_teste.h"
#include "vns/vns.h"

namespace {

enum Metodo { RANDOMICA, PARCIAL, ANNEALING, TABU, VNS, GRASP };

struct Caso {
    Metodo metodo;
    int tipo;
    int vizinhos;
};

float roda(const Caso& c, int n, int* s, float** d) {
    switch (c.metodo) {
        case RANDOMICA: return descida_randomica(n, s, d, 300, nullptr, c.tipo);
        case PARCIAL: return descida_parcial(n, s, d, 100.0f, nullptr, c.tipo);
        case ANNEALING: {
            float t0 = temperatura_inicial(n, s, d, 1.1f, 0.95f, 100, c.tipo);
            return simulated_annealing(n, s, d, 0.9f, t0, 0.01f, 100, nullptr, c.tipo);
        }
        case TABU: return busca_tabu(n, s, d, 5, 30, nullptr, c.tipo, c.vizinhos);
        case VNS: return vns(n, s, d, 2, 3, nullptr, c.tipo, c.vizinhos);
        case GRASP: return grasp(n, s, d, 0.1f, 3, 1, nullptr, c.tipo, c.vizinhos);
    }
    return 0.0f;
}

// Whether no move of the full neighbourhood passes the guard.
bool otimo_local(int n, int* s, float** d, int tipo) {
    Vizinhanca2optOropt v;
    cria_2opt_oropt(n, s, d, tipo, nullptr, &v);
    Movimento m;
    double delta;
    bool achou = melhor_2opt_oropt(&v, &m, &delta);
    libera_2opt_oropt(&v);
    return !achou;
}

class MetodosEmOutraVizinhanca : public ::testing::TestWithParam<Caso> {};

// Every method: a permutation from the city it started at (GRASP builds its
// own, from 0), the value returned is the tour's calcula_fo and no worse than
// the start. Those that end on a descent over the full neighbourhood (the
// partial descent sampling every position, VNS, GRASP without lists) end at
// its local optimum.
TEST_P(MetodosEmOutraVizinhanca, percurso_valido_medido_e_nao_pior) {
    Caso c = GetParam();
    for (unsigned semente : {1u, 2u}) {
        apoio::InstanciaAleatoria a(40, semente, semente + 20);
        semeia_gerador(semente);
        int primeira = c.metodo == GRASP ? 0 : a.s[0];
        float fo = roda(c, 40, a.s.data(), a.m.d);
        ASSERT_TRUE(apoio::permutacao(a.s));
        EXPECT_EQ(a.s[0], primeira);
        EXPECT_EQ(fo, calcula_fo(40, a.s.data(), a.m.d));
        EXPECT_LT(fo, a.inicial);
        bool desce_em_tudo =
            c.metodo == PARCIAL || (c.vizinhos == 0 && (c.metodo == VNS || c.metodo == GRASP));
        EXPECT_TRUE(!desce_em_tudo || otimo_local(40, a.s.data(), a.m.d, c.tipo));
    }
}

std::vector<Caso> casos() {
    std::vector<Caso> r;
    for (Metodo m : {RANDOMICA, PARCIAL, ANNEALING, TABU, VNS, GRASP})
        for (int tipo : {VIZINHANCA_2OPT, VIZINHANCA_OROPT, VIZINHANCA_2OPT_OROPT})
            for (int vizinhos : {0, 6})
                // the lists matter only where a method keeps them
                if (vizinhos == 0 || m == TABU || m == VNS || m == GRASP)
                    r.push_back({m, tipo, vizinhos});
    return r;
}

INSTANTIATE_TEST_SUITE_P(Todos, MetodosEmOutraVizinhanca, ::testing::ValuesIn(casos()));

}  // namespace
