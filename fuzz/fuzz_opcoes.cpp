// libFuzzer target: the experiment program's option parser over arbitrary
// arguments, one per line of the input.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "experimenta/opcoes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
    std::vector<std::string> argumentos(1);
    for (size_t k = 0; k < tamanho; k++) {
        if (dados[k] == '\n')
            argumentos.emplace_back();
        else
            argumentos.back() += static_cast<char>(dados[k]);
    }
    Opcoes opcoes;
    std::string erro;
    if (!interpreta_opcoes(argumentos, &opcoes, &erro)) {
        // one line of printable text that says what is wrong
        if (erro.empty() || erro.size() > 400) abort();
        for (char c : erro)
            if (c < 32 || c > 126) abort();
        return 0;
    }
    if (opcoes.ajuda) return 0;
    // an accepted call can run: an instance, seeds in order, values the methods take as they are
    const Parametros& p = opcoes.parametros;
    if (opcoes.instancia.empty() || opcoes.semente_final < opcoes.semente_inicial) abort();
    if (p.ag_tamanho_populacao < 2 || p.ag_tamanho_populacao % 2 != 0) abort();
    if (!(p.taxa_resfriamento > 0.0f && p.taxa_resfriamento < 1.0f)) abort();
    if (!(p.temperatura_final > 0.0f) || std::isinf(p.temperatura_final)) abort();
    if (!(p.taxa_aquecimento > 1.0f) || !(p.taxa_aceitacao <= 1.0f)) abort();
    if (!(p.ag_prob_crossover > 0.0) || !(p.ag_prob_crossover <= 1.0)) abort();
    if (p.iteracoes_grasp < 1 || p.bt_max < 1 || p.sa_max < 1 || p.vns_max < 1) abort();
    if (!(opcoes.tempo_limite < 0 || std::isfinite(opcoes.tempo_limite))) abort();
    if (p.vizinhos < 0 || p.vizinhos > 1000) abort();  // n x VIZINHOS ints in one vector
    if (opcoes.vizinhanca < TROCA || opcoes.vizinhanca > DOIS_OPT_OR_OPT) abort();
    return 0;
}
