#include "nucleo/arquivo_saida.h"

#include <cstdio>
#include <cstdlib>

#include "nucleo/entrada.h"
#include "nucleo/formato.h"

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

// Binary modes: LF line ends on every platform.
void limpa_arquivo(const char* nome) { fclose(abre_ou_termina(nome, "wb")); }

void grava_arquivo(const char* nome, float x, float y, int k) {
    FILE* arquivo = abre_ou_termina(nome, "ab+");
    fprintf(arquivo, "%s\t  %4d\t  %s\n", texto_real(x, 4, 2).texto, k, texto_real(y, 7, 2).texto);
    fclose(arquivo);
}
