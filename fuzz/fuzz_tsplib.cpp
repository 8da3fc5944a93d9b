// libFuzzer target: the TSPLIB reader (the one parser that takes files from
// anywhere). The first byte picks the scale, or, with its top bit, a tour of
// (byte & 0x7f) + 1 cities; the rest is the file.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "tsplib.h"

namespace {

// one line of printable text, bounded, that names the file
void confere_erro(const std::string& erro) {
    if (erro.rfind("f.tsp: ", 0) != 0 || erro.size() > 600) abort();
    for (char c : erro)
        if (c < 32 || c > 126) abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
    if (tamanho == 0) return 0;
    const uint8_t seletor = dados[0];
    std::istringstream entrada(std::string(reinterpret_cast<const char*>(dados) + 1, tamanho - 1));
    std::string erro;
    if (seletor & 0x80) {
        const int n = (seletor & 0x7f) + 1;
        std::vector<int> cidades;
        if (!le_percurso_tsplib(entrada, "f.tsp", n, cidades, erro)) {
            confere_erro(erro);
            return 0;
        }
        // a permutation of the n cities
        std::vector<int> ordem = cidades;
        std::sort(ordem.begin(), ordem.end());
        for (int k = 0; k < n; k++)
            if (static_cast<int>(ordem.size()) != n || ordem[k] != k) abort();
        return 0;
    }
    static const char* const escalas[] = {"", "auto", "1000", "0.001"};
    const std::string escala = escalas[seletor % 4];
    Conversao c;
    if (!converte_tsplib(entrada, "f.tsp", escala, c, erro)) {
        confere_erro(erro);
        return 0;
    }
    // what the workbench will read: n cities, each inside the reported box
    const std::size_t n = static_cast<std::size_t>(c.cidades);
    if (c.cidades < 1 || c.x.size() != n || c.y.size() != n) abort();
    if (static_cast<std::size_t>(std::count(c.coordenadas.begin(), c.coordenadas.end(), '\n')) !=
        n - 1)
        abort();
    for (std::size_t k = 0; k < n; k++)
        if (c.x[k] < c.x_min || c.x[k] > c.x_max || c.y[k] < c.y_min || c.y[k] > c.y_max) abort();
    if (escala == "auto" && (c.escala.size() > 7 || c.escala[0] != '1' ||
                             c.escala.find_first_not_of('0', 1) != std::string::npos))
        abort();
    if (escala.empty() != c.escala.empty()) abort();
    return 0;
}
