// libFuzzer target: the menu reader over arbitrary bytes.
// First le_inteiro is walked over the whole input and checked, reading by
// reading, against a plain model of "%d" with the workbench's rules (result,
// value and where the input is left). Then the same bytes drive the menus in
// the order the main program shows them, until the input ends.
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "nucleo/entrada.h"
#include "programa/menus.h"

namespace {

struct Esperado {
    ResultadoLeitura resultado;
    int valor;
    size_t posicao;  // where the next reading starts
};

Esperado modelo(const uint8_t* dados, size_t tamanho, size_t p) {
    while (p < tamanho && isspace(dados[p])) p++;
    if (p == tamanho) return {LIDO_FIM, 0, p};
    size_t q = p;
    bool negativo = false;
    if (dados[q] == '+' || dados[q] == '-') {
        negativo = dados[q] == '-';
        q++;
    }
    if (q == tamanho || !isdigit(dados[q])) {
        // not a number: the rest of the line goes, its newline included
        while (q < tamanho && dados[q] != '\n') q++;
        return {LIDO_TEXTO, 0, q < tamanho ? q + 1 : q};
    }
    size_t fim = q;
    while (fim < tamanho && isdigit(dados[fim])) fim++;
    size_t primeiro = q;
    while (primeiro + 1 < fim && dados[primeiro] == '0') primeiro++;
    if (fim - primeiro > 10) return {LIDO_FORA_DE_INT, 0, fim};
    long long magnitude = 0;
    for (size_t i = primeiro; i < fim; i++) magnitude = magnitude * 10 + (dados[i] - '0');
    long long numero = negativo ? -magnitude : magnitude;
    if (numero < -2147483648LL || numero > 2147483647LL) return {LIDO_FORA_DE_INT, 0, fim};
    return {LIDO_NUMERO, static_cast<int>(numero), fim};
}

FILE* abre(const uint8_t* dados, size_t tamanho) {
    static const uint8_t vazio[1] = {' '};
    FILE* f = tamanho == 0 ? fmemopen(const_cast<uint8_t*>(vazio), 1, "r")
                           : fmemopen(const_cast<uint8_t*>(dados), tamanho, "r");
    if (f == nullptr) abort();
    return f;
}

void confere_le_inteiro(const uint8_t* dados, size_t tamanho) {
    FILE* f = abre(dados, tamanho);
    size_t posicao = 0;
    for (;;) {
        Esperado esperado = modelo(dados, tamanho, posicao);
        int valor = -99;
        ResultadoLeitura obtido = le_inteiro(f, &valor);
        if (obtido != esperado.resultado) abort();
        if (obtido == LIDO_NUMERO && valor != esperado.valor) abort();
        if (obtido == LIDO_FIM) break;
        long onde = ftell(f);
        if (onde < 0 || static_cast<size_t>(onde) != esperado.posicao) abort();
        // every reading short of the end consumes input
        if (esperado.posicao <= posicao) abort();
        posicao = esperado.posicao;
    }
    fclose(f);
}

void confere_menus(const uint8_t* dados, size_t tamanho) {
    FILE* f = abre(dados, tamanho);
    size_t escolhas = 0;
    for (;;) {
        int escolha = le_menu(MENU_PRINCIPAL, f);
        if (escolha == FIM_DA_ENTRADA) break;
        if (escolha < 0 || escolha > 10) abort();
        int opcao = 0;
        if (escolha == 1) {
            opcao = le_menu(MENU_SOLUCAO_INICIAL, f);
            if (opcao != FIM_DA_ENTRADA && (opcao < 1 || opcao > 5)) abort();
        } else if (escolha == 7 || escolha == 10) {
            opcao = le_menu(escolha == 7 ? MENU_GRASP : MENU_AG, f);
            if (opcao != FIM_DA_ENTRADA && (opcao < 1 || opcao > 2)) abort();
        }
        if (opcao == FIM_DA_ENTRADA) break;
        // each accepted choice took at least one byte
        if (++escolhas > tamanho) abort();
    }
    if (getc(f) != EOF) abort();  // the run ends only where the input does
    fclose(f);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // the menus print on standard output; keep it out of the fuzzer's log
    if (freopen("/dev/null", "w", stdout) == nullptr) abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
    confere_le_inteiro(dados, tamanho);
    confere_menus(dados, tamanho);
    return 0;
}
