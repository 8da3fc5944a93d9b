#include "nucleo/estendido.h"

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

const uint64_t BIT_63 = uint64_t{1} << 63;

// Without compiler built-ins, which not every compiler has. x is not 0.
int zeros_a_esquerda(uint64_t x) {
    int n = 0;
    for (int passo = 32; passo > 0; passo /= 2)
        if (!(x >> (64 - passo))) {
            n += passo;
            x <<= passo;
        }
    return n;
}

Estendido normaliza(bool negativo, uint64_t mantissa, int expoente) {
    if (mantissa == 0) return {0, 0, negativo};
    int z = zeros_a_esquerda(mantissa);
    return {mantissa << z, expoente - z, negativo};
}

// The 128-bit value (alto, baixo) * 2^expoente, alto with bit 63 set, rounded
// to its upper 64 bits. Bits already lost below baixo must have been folded
// into its lowest bit, well below the rounding position.
Estendido arredonda(bool negativo, uint64_t alto, uint64_t baixo, int expoente) {
    expoente += 64;
    if ((baixo & BIT_63) && ((baixo << 1) != 0 || (alto & 1))) {
        alto++;
        if (alto == 0) {
            alto = BIT_63;
            expoente++;
        }
    }
    return {alto, expoente, negativo};
}

// m * 2^e, m with bit 63 set, rounded to nearest even after dropping the
// lowest `descarte` bits (1 or more); the result may reach 2^(64 - descarte).
uint64_t arredonda_bits(uint64_t m, int descarte) {
    if (descarte > 64) return 0;  // below half the unit kept
    uint64_t q = (descarte == 64) ? 0 : m >> descarte;
    uint64_t resto = (descarte == 64) ? m : m & ((uint64_t{1} << descarte) - 1);
    uint64_t metade = uint64_t{1} << (descarte - 1);
    if (resto > metade || (resto == metade && (q & 1))) q++;
    return q;
}

// The magnitudes compared: -1, 0 or 1.
int compara_magnitude(Estendido a, Estendido b) {
    if (a.mantissa == 0 || b.mantissa == 0)
        return (a.mantissa == 0) ? (b.mantissa == 0 ? 0 : -1) : 1;
    if (a.expoente != b.expoente) return a.expoente < b.expoente ? -1 : 1;
    if (a.mantissa != b.mantissa) return a.mantissa < b.mantissa ? -1 : 1;
    return 0;
}

}  // namespace

Estendido estendido_de_float(float x) {
    uint32_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    bool negativo = (bits >> 31) != 0;
    int campo = static_cast<int>((bits >> 23) & 0xff);
    uint64_t fracao = bits & 0x7fffff;
    if (campo == 0) return normaliza(negativo, fracao, -149);
    return normaliza(negativo, fracao | (uint64_t{1} << 23), campo - 150);
}

Estendido estendido_de_double(double x) {
    uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    bool negativo = (bits >> 63) != 0;
    int campo = static_cast<int>((bits >> 52) & 0x7ff);
    uint64_t fracao = bits & ((uint64_t{1} << 52) - 1);
    if (campo == 0) return normaliza(negativo, fracao, -1074);
    return normaliza(negativo, fracao | (uint64_t{1} << 52), campo - 1075);
}

Estendido estendido_de_int(int x) {
    // Through int64_t: -INT_MIN does not fit in an int.
    int64_t v = x;
    return normaliza(v < 0, static_cast<uint64_t>(v < 0 ? -v : v), 0);
}

Estendido soma_estendido(Estendido a, Estendido b) {
    if (a.mantissa == 0) return b.mantissa == 0 ? Estendido{0, 0, a.negativo && b.negativo} : b;
    if (b.mantissa == 0) return a;
    if (compara_magnitude(a, b) < 0) {
        Estendido t = a;
        a = b;
        b = t;
    }
    // b aligned under a in 128 bits; what falls below is folded into the
    // lowest bit. Folding happens only for a distance above 64, where a
    // difference loses at most one leading bit: the fold stays far below the
    // rounding position, and results are the exact sum's rounding.
    int distancia = a.expoente - b.expoente;
    uint64_t b_alto = 0, b_baixo = 0;
    if (distancia == 0) {
        b_alto = b.mantissa;
    } else if (distancia < 64) {
        b_alto = b.mantissa >> distancia;
        b_baixo = b.mantissa << (64 - distancia);
    } else if (distancia == 64) {
        b_baixo = b.mantissa;
    } else if (distancia < 128) {
        b_baixo = b.mantissa >> (distancia - 64);
        if (b.mantissa << (128 - distancia)) b_baixo |= 1;
    } else {
        b_baixo = 1;
    }
    int expoente = a.expoente - 64;
    uint64_t alto, baixo;
    if (a.negativo == b.negativo) {
        baixo = b_baixo;
        alto = a.mantissa + b_alto;
        if (alto < a.mantissa) {  // carry out: one place right, the lost bit folded
            baixo = (baixo >> 1) | (alto << 63) | (baixo & 1);
            alto = (alto >> 1) | BIT_63;
            expoente++;
        }
    } else {
        baixo = 0 - b_baixo;
        alto = a.mantissa - b_alto - (b_baixo != 0 ? 1 : 0);
        if (alto == 0 && baixo == 0) return {0, 0, false};
        if (alto == 0) {  // only for distances of 0 or 1, where nothing was folded
            alto = baixo;
            baixo = 0;
            expoente -= 64;
        }
        int z = zeros_a_esquerda(alto);
        if (z > 0) {
            alto = (alto << z) | (baixo >> (64 - z));
            baixo <<= z;
            expoente -= z;
        }
    }
    return arredonda(a.negativo, alto, baixo, expoente);
}

Estendido subtrai_estendido(Estendido a, Estendido b) {
    b.negativo = !b.negativo;
    return soma_estendido(a, b);
}

Estendido multiplica_estendido(Estendido a, Estendido b) {
    bool negativo = a.negativo != b.negativo;
    if (a.mantissa == 0 || b.mantissa == 0) return {0, 0, negativo};
    // 64 x 64 bits from 32-bit halves: not every compiler has a 128-bit type.
    uint64_t a0 = a.mantissa & 0xffffffffu, a1 = a.mantissa >> 32;
    uint64_t b0 = b.mantissa & 0xffffffffu, b1 = b.mantissa >> 32;
    uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
    uint64_t meio = (p00 >> 32) + (p01 & 0xffffffffu) + (p10 & 0xffffffffu);
    uint64_t baixo = (meio << 32) | (p00 & 0xffffffffu);
    uint64_t alto = p11 + (p01 >> 32) + (p10 >> 32) + (meio >> 32);
    int expoente = a.expoente + b.expoente;
    if (!(alto & BIT_63)) {  // the product of two in [2^63, 2^64) is at least 2^126
        alto = (alto << 1) | (baixo >> 63);
        baixo <<= 1;
        expoente--;
    }
    return arredonda(negativo, alto, baixo, expoente);
}

namespace {

// x rounded to T's significand (fewer bits for a subnormal result); ldexp of
// the rounded integer is then exact, or infinite past T's largest value, as
// the rounding wants.
template <typename T>
T estendido_para(Estendido x) {
    const int digitos = std::numeric_limits<T>::digits;         // 24 or 53
    const int menor = std::numeric_limits<T>::min_exponent - 1;  // -126 or -1022
    if (x.mantissa == 0) return x.negativo ? -T(0) : T(0);
    int topo = x.expoente + 63;
    int bits = topo < menor ? topo - menor + digitos : digitos;
    int descarte = 64 - bits;
    T v = std::ldexp(static_cast<T>(arredonda_bits(x.mantissa, descarte)), x.expoente + descarte);
    return x.negativo ? -v : v;
}

}  // namespace

float estendido_para_float(Estendido x) { return estendido_para<float>(x); }

double estendido_para_double(Estendido x) { return estendido_para<double>(x); }

int estendido_para_int(Estendido x) {
    if (x.mantissa == 0 || x.expoente <= -64) return 0;
    if (x.expoente >= 0) return INT_MIN;
    uint64_t q = x.mantissa >> -x.expoente;
    if (q > (x.negativo ? uint64_t{1} << 31 : uint64_t{INT_MAX})) return INT_MIN;
    return static_cast<int>(x.negativo ? -static_cast<int64_t>(q) : static_cast<int64_t>(q));
}

int compara_estendido(Estendido x, double y) {
    if (std::isnan(y)) return 2;
    if (std::isinf(y)) return y > 0 ? -1 : 1;
    Estendido e = estendido_de_double(y);
    if (x.mantissa == 0 && e.mantissa == 0) return 0;
    if (x.negativo != e.negativo) return x.negativo ? -1 : 1;
    int m = compara_magnitude(x, e);
    return x.negativo ? -m : m;
}

Estendido::operator float() const { return estendido_para_float(*this); }
Estendido::operator double() const { return estendido_para_double(*this); }
Estendido::operator int() const { return estendido_para_int(*this); }
