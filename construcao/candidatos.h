#ifndef CONSTRUCAO_CANDIDATOS_H
#define CONSTRUCAO_CANDIDATOS_H

#include "nucleo/lista.h"

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

// The offers of one step of a partially greedy construction, one per
// candidate in list order: the key of each and the two values it carries.
// The restricted list would hold them sorted by key as insere_ordenado_lista
// sorts (before the first strictly greater key: equal keys in the order they
// came), and the draw picks one position of it. Only the record at that
// position matters, so it is selected, not sorted for.
struct Ofertas {
    float* chave;
    int* campo1;
    int* campo2;
    int* ordem;  // scratch of the selection
    int quantas;
};
void cria_ofertas(Ofertas& o, int n);  // room for n offers
void libera_ofertas(Ofertas& o);
inline void oferece(Ofertas& o, int campo1, int campo2, float chave) {
    o.chave[o.quantas] = chave;
    o.campo1[o.quantas] = campo1;
    o.campo2[o.quantas] = campo2;
    o.quantas++;
}
// The index (order of offer) of the record at position k, from 0, of the
// sorted offers; k < quantas.
int oferta_na_posicao(Ofertas& o, int k);

#endif
