#ifndef BENCH_COMUM_H
#define BENCH_COMUM_H

#include <cstdint>
#include <vector>

// The sizes measured, in cities.
const std::vector<int64_t> TAMANHOS = {51, 200, 1000, 10000};

// An instance loaded by the program's own loaders, with a random tour.
struct InstanciaBench {
    int n = 0;
    float** d = nullptr;
    int* s = nullptr;
    unsigned semente = 0;  // the generator's last seed before the method
    long sorteados = 0;    // and the numbers taken from it since
};

// The instance of about n cities: eil51, aleatoria200 and aleatoria1000 of
// instancias/, or the 10000 cities scripts/bench.sh generates in the build.
InstanciaBench carrega_instancia(long n);
void libera_instancia(InstanciaBench& inst);

#endif
