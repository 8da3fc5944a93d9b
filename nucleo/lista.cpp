#include "nucleo/lista.h"

#include <cstdio>
#include <cstdlib>


Registro* novo_registro(int campo1, int campo2, float campo3, EsperaTecla na_falta) {
    Registro* r = static_cast<Registro*>(malloc(sizeof(Registro)));
    if (r == nullptr) termina_com_falha(na_falta, "Faltando memoria ...\n");
    r->campo1 = campo1;
    r->campo2 = campo2;
    r->campo3 = campo3;
    r->prox = nullptr;
    r->ant = nullptr;
    return r;
}

void insere_fim_lista(Registro* r, Registro*& inicio, Registro*& fim) {
    r->prox = nullptr;
    r->ant = fim;
    if (fim == nullptr) inicio = r;
    else fim->prox = r;
    fim = r;
}

void insere_ordenado_lista(Registro* r, Registro*& inicio, Registro*& fim) {
    for (Registro* x = inicio; x != nullptr; x = x->prox) {
        if (x->campo3 > r->campo3) {
            r->prox = x;
            r->ant = x->ant;
            if (x->ant != nullptr) x->ant->prox = r;
            else inicio = r;
            x->ant = r;
            return;
        }
    }
    insere_fim_lista(r, inicio, fim);
}

int tamanho_lista(Registro*& inicio, Registro*& /*fim*/) {
    int tamanho = 0;
    for (Registro* x = inicio; x != nullptr; x = x->prox) tamanho++;
    return tamanho;
}

Registro* busca_posicao_lista(int k, Registro*& inicio) {
    int posicao = 0;
    for (Registro* x = inicio; x != nullptr; x = x->prox, posicao++)
        if (posicao == k) return x;
    printf("Registro nao encontrado.\n");
    return nullptr;
}

Registro* busca_registro_lista(int a, int b, Registro*& inicio) {
    for (Registro* x = inicio; x != nullptr; x = x->prox)
        if (x->campo1 == a && x->campo2 == b) return x;
    printf("Registro nao encontrado.\n");
    return nullptr;
}

void remove_registro_lista(Registro* r, Registro*& inicio, Registro*& fim) {
    if (r == nullptr) return;
    if (r == inicio) {
        inicio = r->prox;
        if (inicio != nullptr) inicio->ant = nullptr;
        else fim = nullptr;
    } else {
        r->ant->prox = r->prox;
        if (r == fim) fim = r->ant;
        else r->prox->ant = r->ant;
    }
    free(r);
}

void libera_lista(Registro*& inicio, Registro*& fim) {
    while (inicio != nullptr) remove_registro_lista(inicio, inicio, fim);
}
