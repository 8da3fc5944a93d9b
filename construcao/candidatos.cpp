#include "construcao/candidatos.h"

namespace {
const float MINIMO_INICIAL = 2147483648.0f;  // 2^31, above every expected distance
}

void monta_lista_candidatos(int n, Registro*& inicio, Registro*& fim) {
    for (int cidade = 1; cidade < n; cidade++)
        insere_fim_lista(novo_registro(cidade, 0, 0.0f), inicio, fim);
}

Registro* candidato_mais_proximo(int u, Registro* inicio, float** d) {
    float minimo = MINIMO_INICIAL;
    Registro* escolhido = inicio;
    for (Registro* r = inicio; r != nullptr; r = r->prox) {
        if (d[u][r->campo1] < minimo) {
            minimo = d[u][r->campo1];
            escolhido = r;
        }
    }
    return escolhido;
}

void retira_candidato(int cidade, Registro*& inicio, Registro*& fim) {
    remove_registro_lista(busca_registro_lista(cidade, 0, inicio), inicio, fim);
}

int tamanho_sorteio(int t, float alfa) {
    double produto = static_cast<double>(t) * static_cast<double>(alfa);
    if (!(produto > 1.0)) return 1;
    // compared before the cast, so a huge alfa cannot overflow the int
    if (produto >= static_cast<double>(t)) return t;
    return static_cast<int>(produto);
}

void inicia_lista_restrita(ListaRestrita& lista, int tamanho) {
    lista.inicio = nullptr;
    lista.fim = nullptr;
    lista.quantos = 0;
    lista.tamanho = tamanho;
}

// A record whose key is strictly below the last one's (when the list is full).
void insere_lista_restrita(ListaRestrita& lista, int campo1, int campo2, float campo3) {
    if (lista.quantos < lista.tamanho) {
        insere_ordenado_lista(novo_registro(campo1, campo2, campo3), lista.inicio, lista.fim);
        lista.quantos++;
        return;
    }
    // The last record is pushed out: unlinked, it carries the new one instead of
    // a free and a fresh allocation per insertion.
    Registro* r = lista.fim;
    lista.fim = r->ant;
    if (lista.fim != nullptr) lista.fim->prox = nullptr;
    else lista.inicio = nullptr;
    r->campo1 = campo1;
    r->campo2 = campo2;
    r->campo3 = campo3;
    insere_ordenado_lista(r, lista.inicio, lista.fim);
}
