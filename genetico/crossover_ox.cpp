#include "genetico/crossover_ox.h"

#include "nucleo/aleatorio.h"
#include "nucleo/alocacao.h"
#include "nucleo/vetores.h"

namespace {

const int NO_SEGMENTO_1 = 1;  // marks of the cities of pai1's segment
const int NO_SEGMENTO_2 = 2;  // and of pai2's

// Collects, walking pai cyclically from position corte2 + 1, the resto cities that
// are not in the segment of the other parent: marca[cidade] & fora is set exactly
// for the cities of that segment, so the test costs one read instead of a walk
// over the segment.
void cidades_fora_do_segmento(const int* pai, const int* marca, int fora, int n, int corte2,
                              int* lista, int resto) {
    int t = 0;
    for (int i = corte2 + 1; t < resto; i++) {
        int cidade = pai[i % n];
        if (!(marca[cidade] & fora)) lista[t++] = cidade;
    }
}

// Children of the segment corte1..corte2 (inclusive).
void cruza_com_cortes(const int* pai1, const int* pai2, int* filho1, int* filho2, int n, int corte1,
                      int corte2) {
    int* marca = cria_vetor_int(n);
    zera_vetor_int(marca, n);
    for (int i = corte1; i <= corte2; i++) {
        filho1[i] = pai1[i];
        filho2[i] = pai2[i];
        marca[pai1[i]] |= NO_SEGMENTO_1;
        marca[pai2[i]] |= NO_SEGMENTO_2;
    }
    int resto = n - (corte2 - corte1 + 1);
    int* lista1 = cria_vetor_int(resto);
    int* lista2 = cria_vetor_int(resto);
    cidades_fora_do_segmento(pai1, marca, NO_SEGMENTO_2, n, corte2, lista1, resto);
    cidades_fora_do_segmento(pai2, marca, NO_SEGMENTO_1, n, corte2, lista2, resto);
    for (int t = 0; t < resto; t++) {
        int pos = (corte2 + 1 + t) % n;
        filho1[pos] = lista2[t];
        filho2[pos] = lista1[t];
    }
    libera_vetor(lista2);
    libera_vetor(lista1);
    libera_vetor(marca);
}

}  // namespace

// Order crossover with drawn cuts. Draw order: corte1, then corte2 (each only when
// its two bounds differ). Below 5 cities: copies, no draw. The parents must be
// tours (permutations of 0..n-1).
void crossover_ox(const int* pai1, const int* pai2, int* filho1, int* filho2, int n) {
    if (n < 5) {
        copia_vetor(filho1, pai1, n);
        copia_vetor(filho2, pai2, n);
        return;
    }
    int corte1 = static_cast<int>(sorteia_real(2.0f, static_cast<float>((n - 1) / 2)));
    int corte2 =
        static_cast<int>(sorteia_real(static_cast<float>((n + 1) / 2), static_cast<float>(n - 3)));
    cruza_com_cortes(pai1, pai2, filho1, filho2, n, corte1, corte2);
}
