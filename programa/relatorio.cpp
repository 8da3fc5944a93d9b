#include "programa/relatorio.h"

#include <cstdio>

#include "nucleo/formato.h"
#include "nucleo/plataforma.h"
#include "nucleo/solucao.h"

void relata_construcao(const char* cabecalho, const int* s, int n, float fo) {
    printf("%s", cabecalho);
    imprime_solucao(s, n);
    printf("Funcao objetivo = %s\n", texto_real(fo).texto);
}

void relata_refinamento(const char* cabecalho, const int* s, int n, float fo, clock_t inicio,
                        clock_t fim) {
    printf("%s", cabecalho);
    imprime_solucao(s, n);
    printf("\nMelhor fo encontrada = %s \n", texto_real(fo).texto);
    printf("Tempo de CPU = %s segundos\n", texto_real(segundos_decorridos(inicio, fim)).texto);
}
