#ifndef PROGRAMA_RELATORIO_H
#define PROGRAMA_RELATORIO_H

#include <ctime>

// After a construction: heading, tour, "Funcao objetivo = %f\n".
void relata_construcao(const char* cabecalho, const int* s, int n, float fo);

// After a refinement: heading, tour, "\nMelhor fo encontrada = %f \n" and
// "Tempo de CPU = %f segundos\n" with the processor time between the two readings.
void relata_refinamento(const char* cabecalho, const int* s, int n, float fo, clock_t inicio,
                        clock_t fim);

#endif
