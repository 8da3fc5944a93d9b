#ifndef NUCLEO_ENTRADA_H
#define NUCLEO_ENTRADA_H

#include <cstdio>

// Outcome of reading one integer from standard input the way "%d" does.
enum ResultadoLeitura { LIDO_NUMERO, LIDO_FORA_DE_INT, LIDO_TEXTO, LIDO_FIM };

// Skips leading white space and reads an optional sign and digits. The rest of
// the line stays in the input, as after "%d". A number too large for an int is
// consumed whole and reported as LIDO_FORA_DE_INT; text that is not a number
// makes the rest of its line be discarded (LIDO_TEXTO).
ResultadoLeitura le_inteiro(FILE* entrada, int* valor);

// Waits for one key press: reads one character; returns at end of input too.
void espera_tecla();

#endif
