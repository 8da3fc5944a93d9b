#include "nucleo/saida_padrao.h"

#include <cstdio>
#include <cstdlib>

void confere_saida_padrao() {
    // The error flag stays set after a failed write even once the buffer is empty.
    if (fflush(stdout) != 0 || ferror(stdout)) {
        fprintf(stderr, "A saida padrao nao pode ser gravada\n");
        exit(1);
    }
}
