#ifndef NUCLEO_REAL_X87_H
#define NUCLEO_REAL_X87_H

#include <cfloat>

#include "nucleo/estendido.h"

// real_x87: a value of the x87 extended format, the arithmetic the results are
// defined by. Where the compiler's long double is that format it is long double
// itself, the fast path; elsewhere the software Estendido. Callers read the same
// on both. Defining TSP_X87_SOFTWARE takes the software path everywhere.
#if LDBL_MANT_DIG == 64 && !defined(TSP_X87_SOFTWARE)
#define TSP_X87_NATIVO 1
typedef long double real_x87;
inline real_x87 x87_de_float(float x) { return x; }
inline real_x87 x87_de_int(int x) { return x; }
inline real_x87 x87_soma(real_x87 a, real_x87 b) { return a + b; }
inline real_x87 x87_subtrai(real_x87 a, real_x87 b) { return a - b; }
inline real_x87 x87_multiplica(real_x87 a, real_x87 b) { return a * b; }
inline int x87_compara(real_x87 x, double y) { return x < y ? -1 : x > y ? 1 : x == y ? 0 : 2; }
#else
#define TSP_X87_NATIVO 0
typedef Estendido real_x87;
inline real_x87 x87_de_float(float x) { return estendido_de_float(x); }
inline real_x87 x87_de_int(int x) { return estendido_de_int(x); }
inline real_x87 x87_soma(real_x87 a, real_x87 b) { return soma_estendido(a, b); }
inline real_x87 x87_subtrai(real_x87 a, real_x87 b) { return subtrai_estendido(a, b); }
inline real_x87 x87_multiplica(real_x87 a, real_x87 b) { return multiplica_estendido(a, b); }
inline int x87_compara(real_x87 x, double y) { return compara_estendido(x, y); }
#endif

// Conversions: static_cast<float>, <double> and <int> (truncation) on either path.

#endif
