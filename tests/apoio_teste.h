// Shared scaffolding of the unit tests: distance matrices, tours and their
// checks, a private working directory for the trace files, and small readers.
#ifndef TESTS_APOIO_TESTE_H
#define TESTS_APOIO_TESTE_H

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "busca_local/descida_parcial.h"
#include "busca_local/soma_arestas.h"
#include "busca_local/vizinhanca_troca.h"
#include "nucleo/aleatorio.h"
#include "nucleo/alocacao.h"
#include "nucleo/solucao.h"

namespace apoio {

using Coordenadas = std::vector<std::pair<int, int>>;

// A distance matrix owned by the test: all zero, every distance off the
// diagonal equal, points given by hand (as the loader measures them), or
// every entry given by hand.
struct Matriz {
    int n;
    float** d;
    explicit Matriz(int n_) : n(n_), d(cria_matriz_float(n_ > 0 ? n_ : 1, n_ > 0 ? n_ : 1)) {
        for (int i = 0; i < n; i++)
            for (int j = 0; j < n; j++) d[i][j] = 0.0f;
    }
    Matriz(int n_, float valor) : Matriz(n_) { todas(valor); }
    explicit Matriz(const Coordenadas& xy) : Matriz(static_cast<int>(xy.size())) {
        std::vector<int> x, y;
        for (const auto& p : xy) {
            x.push_back(p.first);
            y.push_back(p.second);
        }
        pontos(x, y);
    }
    Matriz(const Matriz&) = delete;
    Matriz& operator=(const Matriz&) = delete;
    ~Matriz() { libera_matriz_float(d, n > 0 ? n : 1); }

    // 64-bit differences, as the loader forms them.
    void pontos(const std::vector<int>& x, const std::vector<int>& y) {
        for (int i = 0; i < n; i++)
            for (int j = 0; j < n; j++) {
                double dx = static_cast<double>(static_cast<long long>(x[i]) - x[j]);
                double dy = static_cast<double>(static_cast<long long>(y[i]) - y[j]);
                d[i][j] = static_cast<float>(std::sqrt(dx * dx + dy * dy));
            }
    }
    void simetrica(int a, int b, float valor) {
        d[a][b] = valor;
        d[b][a] = valor;
    }
    void todas(float valor) {
        for (int i = 0; i < n; i++)
            for (int j = 0; j < n; j++) d[i][j] = (i == j) ? 0.0f : valor;
    }
};

// Points drawn from the program's own stream (reseeded afterwards by the tests).
inline void pontos_aleatorios(Matriz& m, unsigned semente) {
    semeia_gerador(semente);
    std::vector<int> x(m.n), y(m.n);
    for (int i = 0; i < m.n; i++) {
        x[i] = sorteia_inteiro(1000);
        y[i] = sorteia_inteiro(1000);
    }
    m.pontos(x, y);
}

// Random integer coordinates in [0, lado), x then y per city, from a private
// stream so the workbench's own generator is left alone.
inline Coordenadas coordenadas_aleatorias(int n, unsigned semente, int lado) {
    std::mt19937 g(semente);
    Coordenadas xy(n);
    for (auto& p : xy) {
        p.first = static_cast<int>(g() % static_cast<unsigned>(lado));
        p.second = static_cast<int>(g() % static_cast<unsigned>(lado));
    }
    return xy;
}

// Points 0..n-1 on a circle: the tour 0, 1, ..., n-1 is the shortest.
inline void pontos_no_circulo(Matriz& m) {
    std::vector<int> x(m.n), y(m.n);
    for (int i = 0; i < m.n; i++) {
        double a = 2.0 * std::acos(-1.0) * i / m.n;
        x[i] = static_cast<int>(std::lround(1000 * std::cos(a)));
        y[i] = static_cast<int>(std::lround(1000 * std::sin(a)));
    }
    m.pontos(x, y);
}

inline std::vector<int> identidade(int n) {
    std::vector<int> s(n);
    for (int i = 0; i < n; i++) s[i] = i;
    return s;
}

// A random tour from the program's stream (which it reseeds), or from a
// private one for tests that count the program's draws.
inline std::vector<int> percurso_aleatorio(int n, unsigned semente) {
    semeia_gerador(semente);
    std::vector<int> s = identidade(n);
    for (int i = n - 1; i > 0; i--) std::swap(s[i], s[sorteia_inteiro(i + 1)]);
    return s;
}
inline std::vector<int> percurso_aleatorio(int n, std::mt19937& g) {
    std::vector<int> s = identidade(n);
    std::shuffle(s.begin(), s.end(), g);
    return s;
}

// Random points and a random tour of them, both from the program's stream, and
// the tour's length: where the refinement tests start.
struct InstanciaAleatoria {
    Matriz m;
    std::vector<int> s;
    float inicial;
    InstanciaAleatoria(int n, unsigned semente_pontos, unsigned semente_percurso) : m(n) {
        pontos_aleatorios(m, semente_pontos);
        s = percurso_aleatorio(n, semente_percurso);
        inicial = calcula_fo(n, s.data(), m.d);
    }
};

// Every city 0..n-1 exactly once (n the size of s).
inline bool permutacao(const std::vector<int>& s) {
    std::vector<int> visto(s.size(), 0);
    for (int c : s) {
        if (c < 0 || c >= static_cast<int>(s.size()) || visto[c]) return false;
        visto[c] = 1;
    }
    return true;
}

// A tour as the constructions leave it: a permutation that starts at city 0.
inline bool permutacao_a_partir_de_0(const std::vector<int>& s) {
    return !s.empty() && s[0] == 0 && permutacao(s);
}

// What every refinement promises: s is still a tour, shorter than at the start,
// and fo is its length (to a relative tolerance: fo is carried move by move).
inline void espera_refinado(const InstanciaAleatoria& a, float fo, float tolerancia) {
    int n = static_cast<int>(a.s.size());
    EXPECT_TRUE(permutacao(a.s));
    EXPECT_LT(fo, a.inicial);
    EXPECT_NEAR(calcula_fo(n, a.s.data(), a.m.d), fo, tolerancia * fo);
}

inline std::string le_arquivo(const char* nome) {
    FILE* f = fopen(nome, "r");
    if (f == nullptr) return "<ausente>";
    std::string texto;
    int c;
    while ((c = getc(f)) != EOF) texto += static_cast<char>(c);
    fclose(f);
    return texto;
}

inline void escreve_arquivo(const char* nome, const std::string& texto) {
    FILE* f = fopen(nome, "w");
    fputs(texto.c_str(), f);
    fclose(f);
}

// One trace line split into its three fields (time, iteration, value text).
struct LinhaTraco {
    std::string tempo;
    int k;
    std::string valor;
};

inline std::vector<LinhaTraco> le_traco(const char* nome) {
    std::vector<LinhaTraco> linhas;
    std::istringstream texto(le_arquivo(nome));
    std::string linha;
    while (std::getline(texto, linha)) {
        LinhaTraco l;
        std::istringstream campos(linha);
        campos >> l.tempo >> l.k >> l.valor;
        linhas.push_back(l);
    }
    return linhas;
}

// A value as "%7.2f" writes it into a trace line (without the padding).
inline std::string duas_casas(float valor) {
    char texto[64];
    snprintf(texto, sizeof texto, "%.2f", static_cast<double>(valor));
    return texto;
}

// The next number of the stream after `consumidos` draws from `semente`:
// compared with the next draw after a method, it counts the method's draws.
inline int proximo_apos(unsigned semente, int consumidos) {
    semeia_gerador(semente);
    for (int k = 0; k < consumidos; k++) sorteia_inteiro(1);
    return sorteia_inteiro(1 << 30);
}

// The protocol's value of the swap of positions i and j, the plainest way: cost
// before, exchange, cost after, exchange back. s is left as found.
inline float valor_da_troca(int n, std::vector<int>& s, float** d, float fo, int i, int j) {
    float antes = static_cast<float>(soma_arestas(n, s.data(), d, i, j));
    std::swap(s[i], s[j]);
    float depois = static_cast<float>(soma_arestas(n, s.data(), d, i, j));
    std::swap(s[i], s[j]);
    return valor_vizinho(fo, antes, depois);
}

// The best swap of s on a neighbourhood set up for it, with the old calling
// convention of the tests: returns the value (fo when no pair is strictly
// below it) and writes the pair only then. completa: the definition
// (melhor_troca_simples); otherwise the fast scan, in full with AMOSTRAS, from
// the bounds of the rows with VARREDURAS.
inline float melhor_troca_de(int n, std::vector<int>& s, float** d, float fo, int* mi, int* mj,
                             bool completa, UsoTroca uso) {
    VizinhancaTroca v;
    cria_troca(n, s.data(), d, uso, &v);
    Troca m = completa ? melhor_troca_simples(&v, fo, fo) : melhor_troca(&v, fo, fo);
    libera_troca(&v);
    if (m.i >= 0) {
        *mi = m.i;
        *mj = m.j;
    }
    return m.valor;
}
inline float varredura_completa(int n, std::vector<int>& s, float** d, float fo, int* mi, int* mj) {
    return melhor_troca_de(n, s, d, fo, mi, mj, true, TROCAS_AVULSAS);
}
inline float varredura_rapida(int n, std::vector<int>& s, float** d, float fo, int* mi, int* mj,
                              UsoTroca uso = AMOSTRAS) {
    return melhor_troca_de(n, s, d, fo, mi, mj, false, uso);
}

// The same for a sample drawn as the partial descent draws it (sorteia_amostra)
// and its first m positions.
inline float amostra_de(int n, std::vector<int>& s, float** d, float fo, int m, int* mi, int* mj,
                        bool completa) {
    std::vector<int> posicoes(n > 0 ? n : 1);
    sorteia_amostra(n, posicoes.data());
    VizinhancaTroca v;
    cria_troca(n, s.data(), d, AMOSTRAS, &v);
    Troca r = completa ? melhor_troca_amostra_simples(&v, fo, posicoes.data(), m)
                           : melhor_troca_amostra(&v, fo, posicoes.data(), m);
    libera_troca(&v);
    if (r.i >= 0) {
        *mi = r.i;
        *mj = r.j;
    }
    return r.valor;
}

// Every test runs in a fresh directory of its own, so trace files of tests
// running at the same time never meet; standard input is a file of newlines.
class PastaTemporaria : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(getcwd(anterior_, sizeof anterior_), nullptr);
        char modelo[] = "/tmp/bancada_teste_XXXXXX";
        ASSERT_NE(mkdtemp(modelo), nullptr);
        pasta_ = modelo;
        ASSERT_EQ(chdir(pasta_.c_str()), 0);
        escreve_arquivo("entrada.txt", std::string(64, '\n'));
        ASSERT_NE(freopen("entrada.txt", "r", stdin), nullptr);
    }
    void TearDown() override {
        ASSERT_EQ(chdir(anterior_), 0);
        std::filesystem::remove_all(pasta_);
    }

  private:
    char anterior_[4096];
    std::string pasta_;
};

}  // namespace apoio

#endif
