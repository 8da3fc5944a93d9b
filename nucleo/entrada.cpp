#include "nucleo/entrada.h"

#include <cctype>
#include <climits>

ResultadoLeitura le_inteiro(FILE* entrada, int* valor) {
    int c = getc(entrada);
    while (c != EOF && isspace(c)) c = getc(entrada);
    if (c == EOF) return LIDO_FIM;

    bool negativo = false;
    if (c == '+' || c == '-') {
        negativo = (c == '-');
        c = getc(entrada);
    }
    if (c == EOF || !isdigit(c)) {
        while (c != EOF && c != '\n') c = getc(entrada);
        return LIDO_TEXTO;
    }
    // The magnitude saturates just above INT_MAX + 1, so no digit run overflows.
    long long magnitude = 0;
    while (c != EOF && isdigit(c)) {
        if (magnitude <= static_cast<long long>(INT_MAX) + 1)
            magnitude = magnitude * 10 + (c - '0');
        c = getc(entrada);
    }
    if (c != EOF) ungetc(c, entrada);

    long long numero = negativo ? -magnitude : magnitude;
    if (numero < INT_MIN || numero > INT_MAX) return LIDO_FORA_DE_INT;
    *valor = static_cast<int>(numero);
    return LIDO_NUMERO;
}

void espera_tecla() {
    fflush(stdout);
    (void)getchar();
}
