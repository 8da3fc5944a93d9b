// libFuzzer target: the coordinates-file loader over arbitrary bytes.
// The input's first line gives the instance ("cidades x0 y0", as the
// information file would): n = 1 + cidades % 128 keeps the matrix small.
// The rest of the input is the coordinates file.
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "nucleo/alocacao.h"
#include "nucleo/instancia.h"

namespace {

const int MAXIMO_CIDADES = 128;
const float SENTINELA = -7.0f;

// Reads one integer of the header, clamped to int; missing values are 0.
long le_valor(const char*& cursor) {
    char* fim = nullptr;
    errno = 0;
    long valor = strtol(cursor, &fim, 10);
    if (fim == cursor) return 0;
    cursor = fim;
    if (valor < INT_MIN) return INT_MIN;
    if (valor > INT_MAX) return INT_MAX;
    return valor;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
    size_t fim_cabecalho = 0;
    while (fim_cabecalho < tamanho && dados[fim_cabecalho] != '\n') fim_cabecalho++;
    char cabecalho[64];
    size_t copiar = fim_cabecalho < sizeof cabecalho - 1 ? fim_cabecalho : sizeof cabecalho - 1;
    memcpy(cabecalho, dados, copiar);
    cabecalho[copiar] = '\0';
    const char* cursor = cabecalho;
    long cidades = le_valor(cursor);
    int x0 = static_cast<int>(le_valor(cursor));
    int y0 = static_cast<int>(le_valor(cursor));
    int n = 1 + static_cast<int>((cidades < 0 ? -(cidades + 1) : cidades) % MAXIMO_CIDADES);

    const uint8_t* arquivo_dados = dados + (fim_cabecalho < tamanho ? fim_cabecalho + 1 : tamanho);
    size_t arquivo_tamanho = tamanho - static_cast<size_t>(arquivo_dados - dados);
    static const uint8_t vazio[1] = {' '};
    FILE* arquivo = arquivo_tamanho == 0
                        ? fmemopen(const_cast<uint8_t*>(vazio), 1, "r")
                        : fmemopen(const_cast<uint8_t*>(arquivo_dados), arquivo_tamanho, "r");
    if (arquivo == nullptr) abort();

    float** d = cria_matriz_float(n, n);
    int* quarto_valor = cria_vetor_int(n);
    for (int i = 0; i < n; i++)
        for (int j = 0; j < n; j++) d[i][j] = SENTINELA;
    std::string mensagem;
    bool correto = interpreta_coordenadas(arquivo, "c50.txt", n, x0, y0, d, quarto_valor, &mensagem);
    fclose(arquivo);

    if (correto) {
        // a complete, symmetric matrix of real distances, zero on the diagonal
        if (!mensagem.empty()) abort();
        for (int i = 0; i < n; i++) {
            if (d[i][i] != 0.0f) abort();
            for (int j = 0; j < n; j++)
                if (!std::isfinite(d[i][j]) || d[i][j] < 0.0f || d[i][j] != d[j][i]) abort();
        }
    } else {
        // a refused file leaves every entry as it was
        const std::string primeira = "O Arquivo c50.txt nao corresponde as especificacoes.\n";
        if (mensagem.compare(0, primeira.size(), primeira) != 0 || mensagem.back() != '\n') abort();
        for (int i = 0; i < n; i++)
            for (int j = 0; j < n; j++)
                if (d[i][j] != SENTINELA) abort();
    }
    libera_vetor(quarto_valor);
    libera_matriz_float(d, n);
    return 0;
}
