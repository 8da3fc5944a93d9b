// libFuzzer target: the information-file loader over arbitrary bytes.
// A refused file must come with the two-line message and hand nothing back;
// an accepted one must give a count that n = count + 1 can hold.
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "nucleo/instancia.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
    // fmemopen refuses an empty buffer on some libcs; one blank reads the same as nothing
    static const uint8_t vazio[1] = {' '};
    FILE* arquivo = tamanho == 0 ? fmemopen(const_cast<uint8_t*>(vazio), 1, "r")
                                 : fmemopen(const_cast<uint8_t*>(dados), tamanho, "r");
    if (arquivo == nullptr) abort();

    const int SENTINELA = -12345;
    int cidades = SENTINELA, inteiro = SENTINELA, x0 = SENTINELA, y0 = SENTINELA;
    std::string mensagem;
    bool correto = interpreta_info(arquivo, "c50info.txt", &cidades, &inteiro, &x0, &y0, &mensagem);
    fclose(arquivo);

    if (correto) {
        if (!mensagem.empty() || cidades < 0 || cidades == INT_MAX) abort();
    } else {
        const std::string cabecalho = "O Arquivo c50info.txt nao corresponde as especificacoes.\n";
        if (mensagem.compare(0, cabecalho.size(), cabecalho) != 0) abort();
        if (mensagem.back() != '\n') abort();
        if (cidades != SENTINELA || inteiro != SENTINELA || x0 != SENTINELA || y0 != SENTINELA)
            abort();
    }
    return 0;
}
