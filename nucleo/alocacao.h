#ifndef NUCLEO_ALOCACAO_H
#define NUCLEO_ALOCACAO_H

// Vectors are plain blocks without a stored length; matrices are tables of row
// vectors. Whoever creates one releases it. On exhausted memory these print the
// system's message and end the process with status 1, without waiting for a key.
int* cria_vetor_int(int n);
float* cria_vetor_float(int n);
double* cria_vetor_double(int n);
int** cria_matriz_int(int linhas, int colunas);
float** cria_matriz_float(int linhas, int colunas);

void libera_vetor(void* v);
void libera_matriz_int(int** matriz, int linhas);
void libera_matriz_float(float** matriz, int linhas);

#endif
