#include "nucleo/formato.h"

#include <charconv>
#include <cmath>
#include <cstring>

TextoReal texto_real(double valor, int largura, int casas) {
    TextoReal t;
    char digitos[sizeof t.texto];
    int tamanho;
    if (std::isnan(valor) || std::isinf(valor)) {
        // Spelled here: runtimes disagree on a NaN's text ("-nan(ind)").
        const char* nome = std::isnan(valor) ? "nan" : "inf";
        tamanho = 0;
        if (std::signbit(valor)) digitos[tamanho++] = '-';
        memcpy(digitos + tamanho, nome, 3);
        tamanho += 3;
    } else {
        // The longest double with ten decimals takes 309 + 1 + 10 + sign characters.
        std::to_chars_result r = std::to_chars(digitos, digitos + sizeof digitos - 1, valor,
                                               std::chars_format::fixed, casas);
        tamanho = r.ec == std::errc() ? static_cast<int>(r.ptr - digitos) : 0;
    }
    int espacos = largura > tamanho ? largura - tamanho : 0;
    if (espacos + tamanho >= static_cast<int>(sizeof t.texto)) espacos = 0;
    memset(t.texto, ' ', static_cast<size_t>(espacos));
    memcpy(t.texto + espacos, digitos, static_cast<size_t>(tamanho));
    t.texto[espacos + tamanho] = '\0';
    return t;
}
