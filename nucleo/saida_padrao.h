#ifndef NUCLEO_SAIDA_PADRAO_H
#define NUCLEO_SAIDA_PADRAO_H

// Standard output that lost a write (full, closed, or its reader gone) ends the
// process: "A saida padrao nao pode ser gravada\n" on standard error, status 1.
// Called before every menu is read and on every way out of the program, so a
// run whose dialogue went nowhere neither goes on nor ends with status 0.
void confere_saida_padrao();

// How a run that cannot go on ends: the message (a printf format), then, with
// ESPERA_TECLA, one key awaited so a console window shows it before closing;
// last the check above and status 1.
enum EsperaTecla { SEM_ESPERA, ESPERA_TECLA };
[[noreturn]] void termina_com_falha(EsperaTecla espera, const char* formato, ...);

#endif
