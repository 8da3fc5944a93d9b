#ifndef NUCLEO_LISTA_H
#define NUCLEO_LISTA_H

#include "nucleo/saida_padrao.h"

// Doubly linked list of small records: the candidate lists of the
// constructions (cities in ascending order), the restricted lists (ascending
// campo3, equal keys in insertion order) and the tabu list (oldest first).
// A list is the pair inicio/fim, both null when empty; the list owns its records.
struct Registro {
    int campo1;
    int campo2;
    float campo3;
    Registro* prox;
    Registro* ant;
};

// A new record off the heap; exhausted memory prints "Faltando memoria ...\n"
// and ends the process with status 1, after a key when asked (the tabu list).
Registro* novo_registro(int campo1, int campo2, float campo3, EsperaTecla na_falta = SEM_ESPERA);

void insere_fim_lista(Registro* r, Registro*& inicio, Registro*& fim);
// Before the first record whose key is strictly greater, so ties keep insertion order.
void insere_ordenado_lista(Registro* r, Registro*& inicio, Registro*& fim);
int tamanho_lista(Registro*& inicio, Registro*& fim);
// The record at position k (0 is inicio); "Registro nao encontrado.\n" and null past the end.
Registro* busca_posicao_lista(int k, Registro*& inicio);
// The first record with campo1 == a and campo2 == b; "Registro nao encontrado.\n" and null if none.
Registro* busca_registro_lista(int a, int b, Registro*& inicio);
// Unlinks and frees r; null is ignored. r must belong to this list.
void remove_registro_lista(Registro* r, Registro*& inicio, Registro*& fim);
void libera_lista(Registro*& inicio, Registro*& fim);

#endif
