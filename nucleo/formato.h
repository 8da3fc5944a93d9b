#ifndef NUCLEO_FORMATO_H
#define NUCLEO_FORMATO_H

// Fixed-point text of a real number, as "%<largura>.<casas>f" writes it with
// glibc: the digits of the exact binary value, a halfway case rounded to even,
// "inf" and "nan" as they are, padded on the left to largura. Formed here so
// that no C runtime can change a printed digit (some round halfway cases up).
struct TextoReal {
    char texto[400];
};
TextoReal texto_real(double valor, int largura, int casas);

// "%f": six decimals, no padding.
inline TextoReal texto_real(double valor) { return texto_real(valor, 0, 6); }

#endif
