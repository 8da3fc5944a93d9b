#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "nucleo/entrada.h"
#include "programa/menus.h"

namespace {

// A read-only stream over a copy of the text (kept alive by the caller).
FILE* fluxo(std::string& texto) {
    if (texto.empty()) texto = " ";  // reads the same as nothing
    return fmemopen(&texto[0], texto.size(), "r");
}

std::string resto(FILE* f) {
    std::string r;
    int c;
    while ((c = getc(f)) != EOF) r += static_cast<char>(c);
    return r;
}

struct Leitura {
    ResultadoLeitura resultado;
    int valor;  // meaningful for LIDO_NUMERO only
};

std::vector<Leitura> le_todos(std::string texto) {
    FILE* f = fluxo(texto);
    std::vector<Leitura> lidos;
    for (;;) {
        int valor = 0;
        ResultadoLeitura r = le_inteiro(f, &valor);
        lidos.push_back({r, r == LIDO_NUMERO ? valor : 0});
        if (r == LIDO_FIM || lidos.size() > 100) break;
    }
    fclose(f);
    return lidos;
}

bool iguais(const std::vector<Leitura>& a, const std::vector<Leitura>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); i++)
        if (a[i].resultado != b[i].resultado || a[i].valor != b[i].valor) return false;
    return true;
}

TEST(LeInteiro, sinais_zeros_a_esquerda_e_limites_do_int) {
    EXPECT_TRUE(iguais(le_todos("+7 -0 007 -2147483648 2147483647"),
                       {{LIDO_NUMERO, 7},
                        {LIDO_NUMERO, 0},
                        {LIDO_NUMERO, 7},
                        {LIDO_NUMERO, -2147483647 - 1},
                        {LIDO_NUMERO, 2147483647},
                        {LIDO_FIM, 0}}));
    EXPECT_TRUE(iguais(le_todos("2147483648 -2147483649 " + std::string(100000, '9') + " " +
                                std::string(99999, '0') + "1"),
                       {{LIDO_FORA_DE_INT, 0},
                        {LIDO_FORA_DE_INT, 0},
                        {LIDO_FORA_DE_INT, 0},
                        {LIDO_NUMERO, 1},
                        {LIDO_FIM, 0}}));
}

TEST(LeInteiro, texto_descarta_a_linha_inteira_e_numero_deixa_o_resto) {
    // "+ 1", "--1" and a NUL byte are text: their whole line goes, the numbers on it too
    static const char com_nulo[] = "+ 1 2\n--1\n\0 5\nabc 3\n4";
    EXPECT_TRUE(iguais(le_todos(std::string(com_nulo, sizeof com_nulo - 1)),
                       {{LIDO_TEXTO, 0},
                        {LIDO_TEXTO, 0},
                        {LIDO_TEXTO, 0},
                        {LIDO_TEXTO, 0},
                        {LIDO_NUMERO, 4},
                        {LIDO_FIM, 0}}));
    std::string texto = "12abc 5\nseguinte";
    FILE* f = fluxo(texto);
    int valor = 0;
    EXPECT_EQ(le_inteiro(f, &valor), LIDO_NUMERO);
    EXPECT_EQ(valor, 12);
    EXPECT_EQ(resto(f), "abc 5\nseguinte") << "the rest of the line stays, as after %d";
    fclose(f);

    std::string longa = std::string(100000, 'x') + " 9\n8";
    f = fluxo(longa);
    EXPECT_EQ(le_inteiro(f, &valor), LIDO_TEXTO);
    EXPECT_EQ(resto(f), "8");
    fclose(f);
}

TEST(LeInteiro, sinal_ou_texto_no_fim_da_entrada) {
    EXPECT_TRUE(iguais(le_todos("-"), {{LIDO_TEXTO, 0}, {LIDO_FIM, 0}}));
    EXPECT_TRUE(iguais(le_todos("5 +"), {{LIDO_NUMERO, 5}, {LIDO_TEXTO, 0}, {LIDO_FIM, 0}}));
    EXPECT_TRUE(iguais(le_todos(" \t\v\f\r\n"), {{LIDO_FIM, 0}}));
}

int conta(const std::string& texto, const std::string& trecho) {
    int vezes = 0;
    for (size_t p = texto.find(trecho); p != std::string::npos; p = texto.find(trecho, p + 1)) vezes++;
    return vezes;
}

TEST(LeMenu, le_do_fluxo_dado_e_repete_o_menu_inteiro_ate_opcao_valida) {
    std::string texto = "0\n3\nx 1\n2 9\n";
    FILE* f = fluxo(texto);
    testing::internal::CaptureStdout();
    int grasp = le_menu(MENU_GRASP, f);
    int principal = le_menu(MENU_PRINCIPAL, f);
    int fim = le_menu(MENU_AG, f);
    std::string impresso = testing::internal::GetCapturedStdout();
    fclose(f);
    EXPECT_EQ(grasp, 2);
    EXPECT_EQ(principal, 9) << "the rest of the line is read by the next menu";
    EXPECT_EQ(fim, FIM_DA_ENTRADA);
    EXPECT_EQ(conta(impresso, "Menu GRASP"), 4);  // 0, 3 and the text line re-prompt
    EXPECT_EQ(conta(impresso, "Menu Principal"), 1);
    EXPECT_EQ(conta(impresso, "Menu Algoritmos Geneticos"), 1) << "no reprint at end of input";
}

TEST(LeMenu, cada_menu_aceita_so_o_seu_intervalo) {
    struct Caso {
        Menu menu;
        int menor, maior;
    } casos[] = {{MENU_PRINCIPAL, 0, 10}, {MENU_SOLUCAO_INICIAL, 1, 5}, {MENU_GRASP, 1, 2}, {MENU_AG, 1, 2}};
    for (const Caso& c : casos) {
        std::string texto = std::to_string(c.menor - 1) + " " + std::to_string(c.maior + 1) + " " +
                            std::to_string(c.menor) + " " + std::to_string(c.maior);
        FILE* f = fluxo(texto);
        testing::internal::CaptureStdout();
        int primeiro = le_menu(c.menu, f);
        int segundo = le_menu(c.menu, f);
        int terceiro = le_menu(c.menu, f);
        testing::internal::GetCapturedStdout();
        fclose(f);
        EXPECT_EQ(primeiro, c.menor) << texto;
        EXPECT_EQ(segundo, c.maior) << texto;
        EXPECT_EQ(terceiro, FIM_DA_ENTRADA) << texto;
    }
}

}  // namespace
