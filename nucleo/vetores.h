#ifndef NUCLEO_VETORES_H
#define NUCLEO_VETORES_H

// One pass over entries 0 to n-1, in increasing order (destination first).
void copia_vetor(int* destino, const int* origem, int n);
void zera_vetor_int(int* v, int n);
void zera_vetor_float(float* v, int n);

// Exchanges entries i and j (the swap move of the local searches, the mutation
// of the genetic algorithm, a transposition of the shuffle).
inline void troca_posicoes(int* v, int i, int j) {
    int aux = v[i];
    v[i] = v[j];
    v[j] = aux;
}

// n random transpositions: p, then q redrawn alone while it equals p.
// With fewer than two entries there is no pair to exchange and nothing is drawn.
void embaralha_vetor(int* v, int n);

// True when d[a][b] and d[b][a] hold the same bits for every a, b. Compares in
// tiles, so that the rows of both triangles are read from cache.
bool matriz_simetrica(int n, float** d);

// matriz_simetrica, and every entry finite and not negative, in the same one
// pass; *maior then gets the largest entry.
bool matriz_simetrica_finita(int n, float** d, float* maior);

#endif
