#ifndef SIMULATED_ANNEALING_ACEITACAO_H
#define SIMULATED_ANNEALING_ACEITACAO_H

#include <cmath>

// exp(x) > r, with exp(x) the double nearest to the exponential of x, whatever
// the maths library: libraries differ in the last bit of exp, and a last bit can
// turn the comparison round.
bool exp_maior_que(double x, float r);

// The close calls of exp_maior_que, decided exactly (r > 0, e = exp(x) as the
// library gives it).
bool exp_maior_que_apertado(double x, double r, double e);

// In the header: the annealing asks it at nearly every move, and almost every
// call is settled by the library's exp, far from the draw.
inline bool exp_maior_que_rapido(double x, float r_float) {
    double r = r_float;
    // No draw, NaN, or x below -746, where exp(x) rounds to +0 (decided there
    // without the library's slow underflow path).
    if (!(r > 0.0) || !(x >= -746.0)) return exp_maior_que(x, r_float);
    double e = std::exp(x);
    double margem = std::ldexp(r, -49);  // a few units in the last place of r
    if (e > r + margem) return true;
    if (e < r - margem) return false;
    return exp_maior_que_apertado(x, r, e);
}

// The annealing's acceptance of a move that does not improve: exp(-delta /
// temperatura) > r, the quotient and the exponential in double precision, r the
// drawn value as a single-precision float. Both the annealing loop and the
// search for its initial temperature decide with it.
inline bool aceita_piora(float delta, float temperatura, float r) {
    return exp_maior_que_rapido(-static_cast<double>(delta) / static_cast<double>(temperatura), r);
}

// The same for the 2-opt and Or-opt moves, whose deltas are double sums.
inline bool aceita_piora_double(double delta, float temperatura, float r) {
    return exp_maior_que_rapido(-delta / static_cast<double>(temperatura), r);
}

#endif
