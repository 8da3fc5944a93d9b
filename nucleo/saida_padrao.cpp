#include "nucleo/saida_padrao.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "nucleo/entrada.h"

void confere_saida_padrao() {
    // The error flag stays set after a failed write even once the buffer is empty.
    if (fflush(stdout) != 0 || ferror(stdout)) {
        fprintf(stderr, "A saida padrao nao pode ser gravada\n");
        exit(1);
    }
}

void termina_com_falha(EsperaTecla espera, const char* formato, ...) {
    va_list argumentos;
    va_start(argumentos, formato);
    vprintf(formato, argumentos);
    va_end(argumentos);
    if (espera == ESPERA_TECLA) espera_tecla();
    confere_saida_padrao();
    exit(1);
}
