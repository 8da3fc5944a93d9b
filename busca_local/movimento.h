#ifndef BUSCA_LOCAL_MOVIMENTO_H
#define BUSCA_LOCAL_MOVIMENTO_H

// What every neighbourhood's search hands back and takes in, so that a method
// can use another neighbourhood with the same loop.

// A move of two positions i and j and the tour's value after it; i is -1 when
// no move was chosen, and then valor is the limit the search was given.
struct Movimento {
    int i;
    int j;
    float valor;
};

// Pairs of positions the caller wants looked at whatever their value, in scan
// order: (marca_i[k], marca_j[k]) ascending by i, then j; repeats allowed.
struct Marcas {
    const int* marca_i;
    const int* marca_j;
    int quantas;
};

const Marcas SEM_MARCAS = {nullptr, nullptr, 0};

// Whether (i, j) is one of the marks.
inline bool marcado(const Marcas& marcas, int i, int j) {
    for (int k = 0; k < marcas.quantas; k++)
        if (marcas.marca_i[k] == i && marcas.marca_j[k] == j) return true;
    return false;
}

#endif
