#ifndef NUCLEO_INSTANCIA_H
#define NUCLEO_INSTANCIA_H

#include <cstdio>
#include <string>

// Reads the information file: the number of cities other than city 0 (a real
// that follows is read and dropped), the integer of line 2, and the x and y of
// city 0. Any fault prints a message, waits for a key and ends with status 1.
void le_arquivo_info(const char* nome, int* num_cidades, int* inteiro, int* x0, int* y0);

// Reads the records "cidade x y valor" of the coordinates file and fills the
// n x n distance matrix d (Euclidean, square root in double, stored as float)
// and quarto_valor. Any fault prints a message, waits for a key and ends with status 1.
void le_arquivo_coordenadas(const char* nome, int n, int x0, int y0, float** d, int* quarto_valor);

// The Euclidean distances of n cities at integer coordinates (x[i], y[i]):
// square root in double, stored as float, zero diagonal; d is n x n.
void calcula_distancias(int n, const int* x, const int* y, float** d);
// The same readings over an open stream, for the loaders above and for tests:
// they return false with the whole message to print in `mensagem`, and touch
// nothing outside the given vectors. `nome` only names the file in messages.
bool interpreta_info(FILE* arquivo, const char* nome, int* num_cidades, int* inteiro, int* x0,
                     int* y0, std::string* mensagem);
bool interpreta_coordenadas(FILE* arquivo, const char* nome, int n, int x0, int y0, float** d,
                            int* quarto_valor, std::string* mensagem);

#endif
