#ifndef CONSTRUCAO_INSERE_NO_VETOR_H
#define CONSTRUCAO_INSERE_NO_VETOR_H

// Writes valor at index pos of a vector holding k entries (indices 0 to k-1)
// with room for one more, moving entries pos to k-1 one place up first.
// pos = k appends; pos must lie in 0..k.
void insere_no_vetor(int* vetor, int valor, int pos, int k);

#endif
