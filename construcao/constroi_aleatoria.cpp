#include "construcao/constroi_aleatoria.h"

#include "nucleo/lista.h"
#include "nucleo/aleatorio.h"

void constroi_aleatoria(int n, int* s, float** /*d*/) {
    Registro* inicio = nullptr;
    Registro* fim = nullptr;
    for (int i = 1; i < n; i++) insere_fim_lista(novo_registro(i, 0, 0.0f), inicio, fim);

    s[0] = 0;
    for (int j = 1; j < n; j++) {
        int t = tamanho_lista(inicio, fim);
        Registro* escolhido = busca_posicao_lista(sorteia_inteiro(t), inicio);
        s[j] = escolhido->campo1;
        remove_registro_lista(escolhido, inicio, fim);
    }
}
