#ifndef NUCLEO_ESTENDIDO_H
#define NUCLEO_ESTENDIDO_H

#include <cstdint>

// The x87 extended format in software: a 64-bit significand with its leading
// bit explicit, every operation rounded once to 64 bits, to nearest, ties to
// even. The program's results are defined by this arithmetic; where the
// compiler's long double is another format, this gives the same bits.
//
// Limits: the exponent is a plain int, without the x87 range checks. Values
// formed from floats, doubles and ints by a few operations stay thousands of
// binary orders inside that range, where overflow and underflow never arise.
// Infinities and NaNs are not represented; no caller forms them.
struct Estendido {
    uint64_t mantissa;  // 0 for a zero, otherwise with bit 63 set
    int expoente;       // the value is mantissa * 2^expoente
    bool negativo;      // also for a zero: -0 and +0 differ as in IEEE

    // A value converts with the same cast as a long double would, so that
    // callers read the same on either path.
    explicit operator float() const;
    explicit operator double() const;
    explicit operator int() const;
};

// Exact conversions.
Estendido estendido_de_float(float x);
Estendido estendido_de_double(double x);
Estendido estendido_de_int(int x);

// Rounded to 64 bits, to nearest even; an exact zero difference is +0.
Estendido soma_estendido(Estendido a, Estendido b);
Estendido subtrai_estendido(Estendido a, Estendido b);
Estendido multiplica_estendido(Estendido a, Estendido b);

// Rounded to nearest even from the 64-bit value, subnormal and infinite
// results included: a second rounding, as x87 then a store does.
float estendido_para_float(Estendido x);
double estendido_para_double(Estendido x);

// Truncated toward zero; INT_MIN when the result does not fit, as x86 gives.
int estendido_para_int(Estendido x);

// -1, 0 or 1 as x is below, equal to or above y; 2 when y is a NaN.
int compara_estendido(Estendido x, double y);

#endif
