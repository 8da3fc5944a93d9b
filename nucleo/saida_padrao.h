#ifndef NUCLEO_SAIDA_PADRAO_H
#define NUCLEO_SAIDA_PADRAO_H

// Standard output that lost a write (full, closed, or its reader gone) ends the
// process: "A saida padrao nao pode ser gravada\n" on standard error, status 1.
// Called before every menu is read and on every way out of the program, so a
// run whose dialogue went nowhere neither goes on nor ends with status 0.
void confere_saida_padrao();

#endif
