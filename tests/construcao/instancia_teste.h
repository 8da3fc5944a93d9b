// Small instances for the construction tests: a distance matrix built from
// integer coordinates the way the loader builds it, or random coordinates.
#ifndef TESTS_CONSTRUCAO_INSTANCIA_TESTE_H
#define TESTS_CONSTRUCAO_INSTANCIA_TESTE_H

#include <cmath>
#include <random>
#include <utility>
#include <vector>

#include "nucleo/alocacao.h"

struct InstanciaTeste {
    int n;
    float** d;

    explicit InstanciaTeste(const std::vector<std::pair<int, int>>& xy)
        : n(static_cast<int>(xy.size())), d(cria_matriz_float(n, n)) {
        for (int i = 0; i < n; i++)
            for (int j = 0; j < n; j++) {
                // 64-bit differences, as the loader forms them
                double dx = static_cast<double>(static_cast<long long>(xy[i].first) - xy[j].first);
                double dy = static_cast<double>(static_cast<long long>(xy[i].second) - xy[j].second);
                d[i][j] = static_cast<float>(std::sqrt(dx * dx + dy * dy));
            }
    }
    // Every distance set to `valor` off the diagonal.
    InstanciaTeste(int n_, float valor) : n(n_), d(cria_matriz_float(n_, n_)) {
        for (int i = 0; i < n; i++)
            for (int j = 0; j < n; j++) d[i][j] = (i == j) ? 0.0f : valor;
    }
    InstanciaTeste(const InstanciaTeste&) = delete;
    InstanciaTeste& operator=(const InstanciaTeste&) = delete;
    ~InstanciaTeste() { libera_matriz_float(d, n); }
};

// Random integer coordinates in [0, lado), drawn from a private stream so the
// workbench's own generator is left alone.
inline std::vector<std::pair<int, int>> coordenadas_aleatorias(int n, unsigned semente, int lado) {
    std::mt19937 g(semente);
    std::vector<std::pair<int, int>> xy(n);
    for (auto& p : xy) {
        p.first = static_cast<int>(g() % static_cast<unsigned>(lado));
        p.second = static_cast<int>(g() % static_cast<unsigned>(lado));
    }
    return xy;
}

inline bool eh_permutacao(const std::vector<int>& s) {
    int n = static_cast<int>(s.size());
    std::vector<int> vistos(n, 0);
    for (int c : s) {
        if (c < 0 || c >= n || vistos[c]) return false;
        vistos[c] = 1;
    }
    return true;
}

inline bool eh_permutacao_a_partir_de_0(const std::vector<int>& s) {
    return !s.empty() && s[0] == 0 && eh_permutacao(s);
}

#endif
