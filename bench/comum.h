#ifndef BENCH_COMUM_H
#define BENCH_COMUM_H

#include <string>

// An instance loaded by the program's own loaders, with a random starting tour.
struct InstanciaBench {
    int n = 0;
    float** d = nullptr;
    int* s = nullptr;
};

// "eil51", "aleatoria200", "aleatoria1000": folders under instancias/.
InstanciaBench carrega_instancia(const std::string& nome);
void libera_instancia(InstanciaBench& inst);

// Name of the bundled instance with about n cities.
std::string instancia_de_tamanho(long n);

// Methods print progress and the tabu search waits for a key: while one of
// these lives, standard output goes to /dev/null (stdin is already empty).
class Silencio {
public:
    Silencio();
    ~Silencio();
    Silencio(const Silencio&) = delete;
    Silencio& operator=(const Silencio&) = delete;

private:
    int saida_original_;
};

#endif
