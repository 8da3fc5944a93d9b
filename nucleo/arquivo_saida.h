#ifndef NUCLEO_ARQUIVO_SAIDA_H
#define NUCLEO_ARQUIVO_SAIDA_H

// Trace files: each call opens and closes the file, so every line is complete
// on disk as soon as the call returns. A file that will not open prints
// "O arquivo %s nao pode ser aberto", one whose line or close fails (no space,
// file too large) "O arquivo %s nao pode ser gravado"; either waits for a key
// and ends with status 1. A growing file keeps the lines of the earlier calls.

// Empties the file, creating it if need be.
void limpa_arquivo(const char* nome);

// Appends "x\t  k\t  y\n" as "%4.2f\t  %4d\t  %7.2f\n" (note the argument order x, y, k).
void grava_arquivo(const char* nome, float x, float y, int k);

#endif
