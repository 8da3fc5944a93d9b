#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "nucleo/alocacao.h"
#include "nucleo/arquivo_saida.h"
#include "nucleo/instancia.h"

namespace {

std::string le_tudo(const char* nome) {
    std::string texto;
    FILE* f = fopen(nome, "r");
    if (f == nullptr) return "<ausente>";
    int c;
    while ((c = getc(f)) != EOF) texto += static_cast<char>(c);
    fclose(f);
    return texto;
}

TEST(ArquivoSaida, formato_da_linha_e_acrescimo) {
    const char* nome = "traco_teste.txt";
    remove(nome);
    grava_arquivo(nome, 0.0f, 617.25f, 0);
    EXPECT_EQ(le_tudo(nome), "0.00\t     0\t   617.25\n");
    grava_arquivo(nome, 1.5f, 617.25f, 12);
    grava_arquivo(nome, 123.456f, 123456.5f, 12345);
    EXPECT_EQ(le_tudo(nome),
              "0.00\t     0\t   617.25\n"
              "1.50\t    12\t   617.25\n"
              "123.46\t  12345\t  123456.50\n");
    limpa_arquivo(nome);
    EXPECT_EQ(le_tudo(nome), "");
    remove(nome);
    limpa_arquivo(nome);
    EXPECT_EQ(le_tudo(nome), "");
    remove(nome);
}

TEST(ArquivoSaida, arquivo_que_nao_abre_termina_com_status_1) {
    EXPECT_EXIT(grava_arquivo("pasta_que_nao_existe/x.txt", 0, 0, 0), testing::ExitedWithCode(1), "");
    EXPECT_EXIT(limpa_arquivo("pasta_que_nao_existe/x.txt"), testing::ExitedWithCode(1), "");
}

TEST(ArquivoSaida, linha_que_nao_grava_termina_com_status_1) {
    EXPECT_EXIT(grava_arquivo("/dev/full", 0, 0, 0), testing::ExitedWithCode(1), "");
}

// Reads the given texts through the loaders' stream interface.
struct Leitura {
    bool correto;
    std::string mensagem;
};

Leitura le_info(const std::string& texto, int* valores) {
    FILE* f = fmemopen(const_cast<char*>(texto.data()), texto.size(), "r");
    Leitura r;
    r.correto = interpreta_info(f, "c50info.txt", &valores[0], &valores[1], &valores[2],
                                &valores[3], &r.mensagem);
    fclose(f);
    return r;
}

struct Coordenadas {
    int n;
    float** d;
    int* quarto;
    explicit Coordenadas(int n_) : n(n_), d(cria_matriz_float(n_, n_)), quarto(cria_vetor_int(n_)) {
        for (int i = 0; i < n; i++)
            for (int j = 0; j < n; j++) d[i][j] = -7.0f;  // any leftover is visible
    }
    ~Coordenadas() {
        libera_vetor(quarto);
        libera_matriz_float(d, n);
    }
    Leitura le(const std::string& texto, int x0 = 0, int y0 = 0) {
        std::string copia = texto.empty() ? std::string(" ") : texto;
        FILE* f = fmemopen(const_cast<char*>(copia.data()), copia.size(), "r");
        Leitura r;
        r.correto = interpreta_coordenadas(f, "c50.txt", n, x0, y0, d, quarto, &r.mensagem);
        fclose(f);
        return r;
    }
};

const std::string CABECALHO = "O Arquivo c50.txt nao corresponde as especificacoes.\n";

TEST(Instancia, informacao_valida_ignora_o_real_e_o_inteiro) {
    int v[4] = {0, 0, 0, 0};
    Leitura r = le_info("50 3.75\n-8\n37 52\n", v);
    EXPECT_TRUE(r.correto);
    EXPECT_EQ(v[0], 50);
    EXPECT_EQ(v[1], -8);
    EXPECT_EQ(v[2], 37);
    EXPECT_EQ(v[3], 52);
    EXPECT_TRUE(le_info("0 0 0 -3 -4", v).correto);  // line breaks carry no meaning
    EXPECT_EQ(v[0], 0);
    EXPECT_EQ(v[3], -4);
}

TEST(Instancia, informacao_malformada_e_recusada) {
    const char* casos[] = {"",           "50 0\n0\n37",  "50 0\n0\n37 x", "abc 0 0 1 1",
                           "50 zz 0 1 1", "50 0 0 1 1.5", "-1 0 0 1 1",   "2147483647 0 0 1 1",
                           "99999999999 0 0 1 1"};
    for (const char* texto : casos) {
        int v[4] = {11, 11, 11, 11};
        Leitura r = le_info(texto, v);
        EXPECT_FALSE(r.correto) << texto;
        EXPECT_EQ(r.mensagem.rfind("O Arquivo c50info.txt nao corresponde as especificacoes.\n", 0), 0u)
            << texto;
        EXPECT_EQ(v[0], 11) << "nothing is handed back from a refused file: " << texto;
    }
    int v[4];
    EXPECT_EQ(le_info("-1 0 0 1 1", v).mensagem,
              "O Arquivo c50info.txt nao corresponde as especificacoes.\n"
              "O Arquivo c50info.txt informa -1 cidades alem da cidade 0; o numero deve ficar "
              "entre 0 e 2147483646.\n");
}

TEST(Instancia, distancias_euclidianas_simetricas_com_diagonal_zero) {
    Coordenadas c(4);
    // records out of order, duplicate of city 1 replaced, no final newline
    Leitura r = c.le("2 3 4 7\n1 9 9 1\n1 0 0 5\n3 3 4 8", 0, 0);
    ASSERT_TRUE(r.correto) << r.mensagem;
    EXPECT_EQ(c.d[0][2], 5.0f);
    EXPECT_EQ(c.d[2][0], 5.0f);
    EXPECT_EQ(c.d[0][1], 0.0f);  // same position
    EXPECT_EQ(c.d[2][3], 0.0f);
    EXPECT_EQ(c.d[1][3], 5.0f);
    for (int i = 0; i < 4; i++) EXPECT_EQ(c.d[i][i], 0.0f);
    EXPECT_EQ(c.quarto[0], 0);
    EXPECT_EQ(c.quarto[1], 5);
    EXPECT_EQ(c.quarto[3], 8);

    Coordenadas e(4);
    ASSERT_TRUE(e.le("2 3 4 7\n1 0 0 5\n3 3 4 8\n\n").correto);
    for (int i = 0; i < 4; i++)
        for (int j = 0; j < 4; j++) EXPECT_EQ(e.d[i][j], c.d[i][j]);
}

TEST(Instancia, registro_da_cidade_0_substitui_a_posicao_da_informacao) {
    Coordenadas c(2);
    ASSERT_TRUE(c.le("0 6 8 9\n1 0 0 0\n", 100, 100).correto);
    EXPECT_EQ(c.d[0][1], 10.0f);
    EXPECT_EQ(c.quarto[0], 9);
}

TEST(Instancia, coordenadas_enormes_nao_transbordam) {
    Coordenadas c(2);
    ASSERT_TRUE(c.le("1 2147483647 2147483647 0\n", -2147483647 - 1, -2147483647 - 1).correto);
    double lado = 4294967295.0;
    EXPECT_EQ(c.d[0][1], static_cast<float>(__builtin_sqrt(lado * lado + lado * lado)));
}

TEST(Instancia, ultimo_registro_diferente_de_n_menos_1_usa_as_mensagens_do_sistema) {
    Coordenadas c(51);
    std::string texto;
    for (int i = 1; i <= 49; i++) texto += std::to_string(i) + " " + std::to_string(i) + " 0 0\n";
    Leitura r = c.le(texto);
    EXPECT_FALSE(r.correto);
    EXPECT_EQ(r.mensagem,
              CABECALHO + "O Arquivo c50.txt possui 49 registros enquanto o problema tem 51 cidades.\n");
}

TEST(Instancia, arquivo_de_coordenadas_malformado_e_recusado) {
    struct Caso {
        const char* texto;
        const char* segunda_linha;
    } casos[] = {
        {"", "O Arquivo c50.txt nao possui nenhum registro.\n"},
        {"\n\n", "O Arquivo c50.txt nao possui nenhum registro.\n"},
        {"1 0 0 0\n3 1 1 0\n", "O Arquivo c50.txt nao possui o registro da cidade 2.\n"},
        {"1 0 0 0\n2 1 1 0\n4 1 1 0\n3 0 0 0\n",
         "O Arquivo c50.txt possui um registro da cidade 4, fora do intervalo de 0 a 3.\n"},
        {"-1 0 0 0\n", "O Arquivo c50.txt possui um registro da cidade -1, fora do intervalo de 0 a 3.\n"},
        {"1 0 0 0\n2 1 1 0\n3 4", "O Arquivo c50.txt termina no meio do registro 3.\n"},
        {"1 0 0 0\n2 x 1 0\n3 0 0 0\n",
         "O Arquivo c50.txt possui um valor que nao e um numero inteiro no registro 2: x\n"},
        {"1 0 0 0\n2 1.5 1 0\n3 0 0 0\n",
         "O Arquivo c50.txt possui um valor que nao e um numero inteiro no registro 2: 1.5\n"},
        {"1 0 0 0\n2 99999999999 1 0\n3 0 0 0\n",
         "O Arquivo c50.txt possui um valor que nao e um numero inteiro no registro 2: 99999999999\n"},
        {"1 0 0 0\n2\x01\x02 1 1 0\n3 0 0 0\n",
         "O Arquivo c50.txt possui um valor que nao e um numero inteiro no registro 2: 2??\n"},
    };
    for (const Caso& caso : casos) {
        Coordenadas c(4);
        Leitura r = c.le(caso.texto);
        EXPECT_FALSE(r.correto) << caso.texto;
        EXPECT_EQ(r.mensagem, CABECALHO + caso.segunda_linha) << caso.texto;
        EXPECT_EQ(c.d[1][2], -7.0f) << "no distance from a refused file: " << caso.texto;
    }
}

TEST(Instancia, arquivo_ausente_termina_com_status_1) {
    int a, b, x, y;
    EXPECT_EXIT(le_arquivo_info("nao_existe_info.txt", &a, &b, &x, &y), testing::ExitedWithCode(1), "");
}

}  // namespace
