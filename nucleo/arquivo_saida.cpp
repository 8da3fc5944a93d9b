#include "nucleo/arquivo_saida.h"

#include <cstdio>
#include <cstdlib>

#include "nucleo/entrada.h"

namespace {
FILE* abre_ou_termina(const char* nome, const char* modo) {
    FILE* arquivo = fopen(nome, modo);
    if (arquivo == nullptr) {
        printf("O arquivo %s nao pode ser aberto", nome);
        fflush(stdout);
        espera_tecla();
        exit(1);
    }
    return arquivo;
}
}  // namespace

void limpa_arquivo(const char* nome) { fclose(abre_ou_termina(nome, "w")); }

void grava_arquivo(const char* nome, float x, float y, int k) {
    FILE* arquivo = abre_ou_termina(nome, "a+");
    fprintf(arquivo, "%4.2f\t  %4d\t  %7.2f\n", static_cast<double>(x), k, static_cast<double>(y));
    fclose(arquivo);
}
