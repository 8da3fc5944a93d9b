#include "nucleo/alocacao.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "nucleo/plataforma.h"

#include "nucleo/saida_padrao.h"

namespace {

void falta_memoria(const char* mensagem) { termina_com_falha(SEM_ESPERA, "%s", mensagem); }

// Requests of a negative count, or larger than size_t can hold, are refused
// like an exhausted heap instead of wrapping round to a small block.
void* aloca(int quantidade, size_t tamanho) {
    if (quantidade < 0 || static_cast<size_t>(quantidade) > SIZE_MAX / tamanho) return nullptr;
    size_t bytes = static_cast<size_t>(quantidade) * tamanho;
    return malloc(bytes == 0 ? 1 : bytes);
}

// With overcommit, a matrix far beyond the machine's memory would be granted
// and only fail (killed) when the rows are filled; refuse it up front.
bool cabe_na_memoria(int linhas, int colunas, size_t tamanho) {
    if (linhas < 0 || colunas < 0) return false;
    double memoria = memoria_fisica();
    if (memoria <= 0) return true;
    double total = static_cast<double>(linhas) * colunas * static_cast<double>(tamanho) +
                   static_cast<double>(linhas) * sizeof(void*);
    return total <= memoria;
}

template <typename T>
T* cria_vetor(int n) {
    T* v = static_cast<T*>(aloca(n, sizeof(T)));
    if (v == nullptr) falta_memoria("Falta memoria para alocar o vetor de ponteiros");
    return v;
}

template <typename T>
T** cria_matriz(int linhas, int colunas) {
    T** matriz = nullptr;
    if (cabe_na_memoria(linhas, colunas, sizeof(T)))
        matriz = static_cast<T**>(aloca(linhas, sizeof(T*)));
    if (matriz == nullptr) falta_memoria("Falta memoria para alocar a matriz de ponteiros\n");
    for (int i = 0; i < linhas; i++) {
        matriz[i] = static_cast<T*>(aloca(colunas, sizeof(T)));
        if (matriz[i] == nullptr) falta_memoria("Falta memoria para alocar a matriz de ponteiros.\n");
    }
    return matriz;
}

template <typename T>
void libera_matriz(T** matriz, int linhas) {
    for (int i = linhas - 1; i >= 0; i--) free(matriz[i]);
    free(matriz);
}

}  // namespace

int* cria_vetor_int(int n) { return cria_vetor<int>(n); }

float* cria_vetor_float(int n) { return cria_vetor<float>(n); }

double* cria_vetor_double(int n) { return cria_vetor<double>(n); }

int** cria_matriz_int(int linhas, int colunas) { return cria_matriz<int>(linhas, colunas); }

float** cria_matriz_float(int linhas, int colunas) { return cria_matriz<float>(linhas, colunas); }

void libera_vetor(void* v) { free(v); }

void libera_matriz_int(int** matriz, int linhas) { libera_matriz(matriz, linhas); }

void libera_matriz_float(float** matriz, int linhas) { libera_matriz(matriz, linhas); }
