#ifndef SIMULATED_ANNEALING_ACEITACAO_H
#define SIMULATED_ANNEALING_ACEITACAO_H

// The annealing's acceptance of a move that does not improve: exp(-delta /
// temperatura) > r, the quotient and the exponential in double precision, r the
// drawn value as a single-precision float. Both the annealing loop and the
// search for its initial temperature decide with it.
bool aceita_piora(float delta, float temperatura, float r);

// exp(x) > r, with exp(x) the double nearest to the exponential of x, whatever
// the maths library: libraries differ in the last bit of exp, and a last bit can
// turn the comparison round.
bool exp_maior_que(double x, float r);

#endif
