#include "construcao/constroi_vizinho_mais_proximo.h"

#include <cstdio>

#include "construcao/candidatos.h"
#include "nucleo/lista.h"

void constroi_vizinho_mais_proximo(int n, int* s, float** d, bool anuncia) {
    if (anuncia) printf("\n Construindo nova solucao ...\n");
    if (n < 1) return;
    Registro* inicio = nullptr;
    Registro* fim = nullptr;
    monta_lista_candidatos(n, inicio, fim);

    s[0] = 0;
    for (int j = 1; j < n; j++) {
        Registro* escolhido = candidato_mais_proximo(s[j - 1], inicio, d);
        s[j] = escolhido->campo1;
        remove_registro_lista(escolhido, inicio, fim);
    }
}

void constroi_vizinho_mais_proximo(int n, int* s, float** d) {
    constroi_vizinho_mais_proximo(n, s, d, true);
}
