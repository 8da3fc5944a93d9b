#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "nucleo/lista.h"

namespace {

// campo1 of every record from inicio, checking the links both ways.
std::vector<int> conteudo(Registro* inicio, Registro* fim) {
    std::vector<int> valores;
    Registro* anterior = nullptr;
    for (Registro* x = inicio; x != nullptr; x = x->prox) {
        EXPECT_EQ(x->ant, anterior);
        valores.push_back(x->campo1);
        anterior = x;
    }
    EXPECT_EQ(anterior, fim);
    return valores;
}

TEST(Lista, insercao_no_fim_e_em_lista_vazia) {
    Registro *inicio = nullptr, *fim = nullptr;
    Registro* r = novo_registro(7, 0, 0.0f);
    insere_fim_lista(r, inicio, fim);
    EXPECT_EQ(inicio, r);
    EXPECT_EQ(fim, r);
    EXPECT_EQ(r->prox, nullptr);
    EXPECT_EQ(r->ant, nullptr);
    insere_fim_lista(novo_registro(8, 0, 0.0f), inicio, fim);
    insere_fim_lista(novo_registro(9, 0, 0.0f), inicio, fim);
    EXPECT_EQ(conteudo(inicio, fim), (std::vector<int>{7, 8, 9}));
    EXPECT_EQ(tamanho_lista(inicio, fim), 3);
    libera_lista(inicio, fim);
    EXPECT_EQ(inicio, nullptr);
    EXPECT_EQ(fim, nullptr);
    libera_lista(inicio, fim);
    EXPECT_EQ(tamanho_lista(inicio, fim), 0);
}

TEST(Lista, insercao_ordenada_mantem_empates_na_ordem_de_chegada) {
    Registro *inicio = nullptr, *fim = nullptr;
    float chaves[] = {3, 1, 2, 1};
    for (int i = 0; i < 4; i++) insere_ordenado_lista(novo_registro(i, 0, chaves[i]), inicio, fim);
    EXPECT_EQ(conteudo(inicio, fim), (std::vector<int>{1, 3, 2, 0}));
    insere_ordenado_lista(novo_registro(4, 0, 3.0f), inicio, fim);  // equal to the last: after it
    EXPECT_EQ(fim->campo1, 4);
    insere_ordenado_lista(novo_registro(5, 0, -1.0f), inicio, fim);  // smallest: new inicio
    EXPECT_EQ(inicio->campo1, 5);
    EXPECT_EQ(conteudo(inicio, fim), (std::vector<int>{5, 1, 3, 2, 0, 4}));
    libera_lista(inicio, fim);
}

TEST(Lista, buscas_e_registro_nao_encontrado) {
    Registro *inicio = nullptr, *fim = nullptr;
    for (int i = 0; i < 3; i++) insere_fim_lista(novo_registro(10 + i, i % 2, 0.0f), inicio, fim);
    EXPECT_EQ(busca_posicao_lista(0, inicio), inicio);
    EXPECT_EQ(busca_posicao_lista(2, inicio), fim);
    EXPECT_EQ(busca_registro_lista(11, 1, inicio)->campo1, 11);

    testing::internal::CaptureStdout();
    EXPECT_EQ(busca_posicao_lista(3, inicio), nullptr);
    EXPECT_EQ(busca_registro_lista(11, 0, inicio), nullptr);  // campo2 must match too
    fflush(stdout);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Registro nao encontrado.\nRegistro nao encontrado.\n");
    libera_lista(inicio, fim);
}

TEST(Lista, remocao_do_primeiro_do_ultimo_do_meio_e_do_unico) {
    Registro *inicio = nullptr, *fim = nullptr;
    for (int i = 0; i < 4; i++) insere_fim_lista(novo_registro(i, 0, 0.0f), inicio, fim);
    remove_registro_lista(nullptr, inicio, fim);
    remove_registro_lista(busca_posicao_lista(1, inicio), inicio, fim);
    EXPECT_EQ(conteudo(inicio, fim), (std::vector<int>{0, 2, 3}));
    remove_registro_lista(fim, inicio, fim);
    EXPECT_EQ(conteudo(inicio, fim), (std::vector<int>{0, 2}));
    EXPECT_EQ(fim->prox, nullptr);
    remove_registro_lista(inicio, inicio, fim);
    EXPECT_EQ(conteudo(inicio, fim), (std::vector<int>{2}));
    EXPECT_EQ(inicio->ant, nullptr);
    remove_registro_lista(inicio, inicio, fim);
    EXPECT_EQ(inicio, nullptr);
    EXPECT_EQ(fim, nullptr);
}

}  // namespace
