#include "nucleo/solucao.h"

#include <cstdio>
#include <cstring>

float calcula_fo(int n, const int* s, float** d) {
    float soma = 0;
    for (int i = 0; i < n - 1; i++) soma = d[s[i]][s[i + 1]] + soma;
    soma = d[s[n - 1]][s[0]] + soma;
    return soma;
}

namespace {

// The digits of v, as "%d" writes them, at texto; returns how many.
int escreve_inteiro(char* texto, int v) {
    char invertido[12];
    int k = 0;
    unsigned int resto = v < 0 ? 0u - static_cast<unsigned int>(v) : static_cast<unsigned int>(v);
    do {
        invertido[k++] = static_cast<char>('0' + resto % 10);
        resto /= 10;
    } while (resto != 0);
    int escritos = 0;
    if (v < 0) texto[escritos++] = '-';
    while (k > 0) texto[escritos++] = invertido[--k];
    return escritos;
}

}  // namespace

// The cheapest insertion prints every partial tour, tens of millions of numbers
// on a large instance: they are formatted here and written a block at a time,
// not handed one by one to printf.
void imprime_solucao(const int* s, int n) {
    char bloco[16384];
    size_t usado = 0;
    for (int i = 0; i < n && s[i] != -1; i++) {
        if (usado > sizeof bloco - 16) {
            fwrite(bloco, 1, usado, stdout);
            usado = 0;
        }
        usado += static_cast<size_t>(escreve_inteiro(bloco + usado, s[i]));
        memcpy(bloco + usado, " -> ", 4);
        usado += 4;
    }
    usado += static_cast<size_t>(escreve_inteiro(bloco + usado, s[0]));
    memcpy(bloco + usado, " \n", 2);
    fwrite(bloco, 1, usado + 2, stdout);
}
