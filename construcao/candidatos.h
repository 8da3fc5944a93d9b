#ifndef CONSTRUCAO_CANDIDATOS_H
#define CONSTRUCAO_CANDIDATOS_H

#include "construcao/lista.h"

// Pieces shared by the constructions that grow a tour from city 0 over the
// candidate list of unplaced cities (ascending city order, campo2 = 0).

// Appends one record per city 1 to n-1, in increasing order.
void monta_lista_candidatos(int n, Registro*& inicio, Registro*& fim);

// The record of the candidate nearest to city u: running minimum from 2^31,
// strictly below replaces, so ties go to the smaller city. When no distance is
// below 2^31 the first candidate is taken, so a city is always chosen. The list
// must not be empty. The caller removes the record it got without a search.
Registro* candidato_mais_proximo(int u, Registro* inicio, float** d);

// Removes the record of a placed city from the candidate list.
void retira_candidato(int cidade, Registro*& inicio, Registro*& fim);

// Size of the draw from a restricted list of t records: t * alfa formed in
// double precision, truncated when above 1.0, else 1. Never more than t, so
// an alfa above 1 cannot ask for a position past the list's end.
int tamanho_sorteio(int t, float alfa);

// A restricted list that keeps only its first `tamanho` records, the ones the
// draw of that size can reach. Records are offered in the order of the whole
// list's insertions; each goes where insere_ordenado_lista puts it (before the
// first strictly greater key), and whatever would lie at position tamanho or
// beyond is dropped, or never allocated. Since a record placed at position p
// only moves the records after p, the first tamanho records are always those of
// the whole list, and so is the record at every position the draw can give.
struct ListaRestrita {
    Registro* inicio;
    Registro* fim;
    int quantos;   // records held, at most tamanho
    int tamanho;   // positions the draw reaches
};
void inicia_lista_restrita(ListaRestrita& lista, int tamanho);
void insere_lista_restrita(ListaRestrita& lista, int campo1, int campo2, float campo3);
// Most offers go past the end of a full list: that test stays in the caller's loop.
inline void oferece_lista_restrita(ListaRestrita& lista, int campo1, int campo2, float campo3) {
    if (lista.quantos == lista.tamanho && !(lista.fim->campo3 > campo3)) return;
    insere_lista_restrita(lista, campo1, campo2, campo3);
}

#endif
