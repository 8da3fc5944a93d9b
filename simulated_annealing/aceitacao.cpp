#include "simulated_annealing/aceitacao.h"

#include <cmath>

// Why the decision is the same on every library: it is taken as if exp(x)
// were rounded to the nearest double. r is a double, so that rounding exceeds r
// exactly when exp(x) exceeds the midpoint m between r and the next double
// (never equal: exp of a nonzero double is transcendental). Every library's exp
// is within one unit in the last place, so a result more than a few units away
// from r decides as the nearest double would; the closer calls go to an
// exponential in double-double (about 100 bits) compared with m itself. glibc's
// exp, nearest but for arguments within a thousandth of a unit of a midpoint,
// decides the same on every move a run is likely to meet.

namespace {

// A value hi + lo with |lo| at most half a unit in the last place of hi.
struct DuploDuplo {
    double hi, lo;
};

DuploDuplo soma_exata(double a, double b) {
    double s = a + b;
    double v = s - a;
    return {s, (a - (s - v)) + (b - v)};
}

DuploDuplo soma_rapida(double a, double b) {  // |a| >= |b|
    double s = a + b;
    return {s, b - (s - a)};
}

// Dekker's product: exact without a fused multiply-add.
DuploDuplo produto_exato(double a, double b) {
    const double divisor = 134217729.0;  // 2^27 + 1
    double ca = divisor * a, cb = divisor * b;
    double a1 = ca - (ca - a), a2 = a - a1;
    double b1 = cb - (cb - b), b2 = b - b1;
    double p = a * b;
    return {p, ((a1 * b1 - p) + a1 * b2 + a2 * b1) + a2 * b2};
}

DuploDuplo soma(DuploDuplo a, DuploDuplo b) {
    DuploDuplo s = soma_exata(a.hi, b.hi);
    DuploDuplo t = soma_exata(a.lo, b.lo);
    s = soma_rapida(s.hi, s.lo + t.hi);
    return soma_rapida(s.hi, s.lo + t.lo);
}

DuploDuplo produto(DuploDuplo a, DuploDuplo b) {
    DuploDuplo p = produto_exato(a.hi, b.hi);
    return soma_rapida(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}

// ln 2 to 106 bits.
const DuploDuplo LN2 = {0x1.62e42fefa39efp-1, 0x1.abc9e3b39803fp-56};

// exp(x) * 2^-k for |x| up to about 20, with k = round(x / ln 2): x - k ln 2
// (at most 0.35) is brought down by 2^-5, the series summed to the thirteenth
// power, and the result squared five times. Relative error below 2^-95.
DuploDuplo exp_reduzida(double x, int* k) {
    *k = static_cast<int>(std::floor(x / LN2.hi + 0.5));
    DuploDuplo t = soma({x, 0.0}, produto({-static_cast<double>(*k), 0.0}, LN2));
    t.hi = std::ldexp(t.hi, -5);
    t.lo = std::ldexp(t.lo, -5);
    DuploDuplo serie = {1.0, 0.0};
    for (int termo = 13; termo >= 1; termo--) {
        serie = produto(serie, t);
        DuploDuplo q = {serie.hi / termo, 0.0};
        // serie / termo to double-double: the remainder of the first quotient.
        DuploDuplo resto = soma(serie, produto({-q.hi, 0.0}, {static_cast<double>(termo), 0.0}));
        q.lo = resto.hi / termo;
        serie = soma({1.0, 0.0}, q);
    }
    for (int vez = 0; vez < 5; vez++) serie = produto(serie, serie);
    return serie;
}

}  // namespace

bool exp_maior_que(double x, float r_float) {
    double r = r_float;
    if (std::isnan(x)) return false;
    if (r <= 0.0) {
        // exp(x) rounds to a positive double exactly when it exceeds half the
        // least subnormal, 2^-1075: when x > -1075 ln 2.
        if (r < 0.0) return true;
        if (x < -746.0) return false;
        if (x > -745.0) return true;
        DuploDuplo limite = produto({-1075.0, 0.0}, LN2);
        return x > limite.hi || (x == limite.hi && limite.lo < 0.0);
    }
    if (x < -746.0) return false;
    return exp_maior_que_rapido(x, r_float);
}

bool exp_maior_que_apertado(double x, double r, double e) {
    // exp(x) against m = r + half a unit in the last place of r.
    int expoente;
    std::frexp(r, &expoente);
    DuploDuplo m = {r, std::ldexp(1.0, expoente - 54)};
    int k;
    DuploDuplo v = exp_reduzida(x, &k);
    m.hi = std::ldexp(m.hi, -k);
    m.lo = std::ldexp(m.lo, -k);
    DuploDuplo diferenca = soma(v, {-m.hi, -m.lo});
    // Closer than the error of the computation: left to the library (a case that
    // double-precision arguments do not reach in practice).
    if (std::fabs(diferenca.hi) <= std::ldexp(m.hi, -90)) return e > r;
    return diferenca.hi > 0.0;
}
