#include "nucleo/arquivo_saida.h"

#include <cstdio>

#include "nucleo/formato.h"
#include "nucleo/saida_padrao.h"

namespace {
[[noreturn]] void termina(const char* nome, const char* falha) {
    termina_com_falha(ESPERA_TECLA, "O arquivo %s nao pode ser %s", nome, falha);
}

FILE* abre_ou_termina(const char* nome, const char* modo) {
    FILE* arquivo = fopen(nome, modo);
    if (arquivo == nullptr) termina(nome, "aberto");
    return arquivo;
}

// A line is on disk only once the close has flushed it: a full disk or a file
// size limit shows up there as often as in the write itself.
void fecha_ou_termina(FILE* arquivo, const char* nome) {
    bool perdeu = ferror(arquivo) != 0;
    if (fclose(arquivo) != 0 || perdeu) termina(nome, "gravado");
}
}  // namespace

// Binary modes: LF line ends on every platform.
void limpa_arquivo(const char* nome) { fecha_ou_termina(abre_ou_termina(nome, "wb"), nome); }

void grava_arquivo(const char* nome, float x, float y, int k) {
    FILE* arquivo = abre_ou_termina(nome, "ab+");
    fprintf(arquivo, "%s\t  %4d\t  %s\n", texto_real(x, 4, 2).texto, k, texto_real(y, 7, 2).texto);
    fecha_ou_termina(arquivo, nome);
}
