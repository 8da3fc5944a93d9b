#include "construcao/insere_no_vetor.h"

void insere_no_vetor(int* vetor, int valor, int pos, int k) {
    int h = k;
    while (h > 0 && h != pos) {
        vetor[h] = vetor[h - 1];
        h--;
    }
    vetor[h] = valor;
}
