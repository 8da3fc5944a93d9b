#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tsplib.h"

namespace {

const std::string kCabecalho =
    "NAME : teste\nTYPE : TSP\nDIMENSION : 3\nEDGE_WEIGHT_TYPE : EUC_2D\n"
    "NODE_COORD_SECTION\n";

struct Resultado {
    bool ok;
    std::string info, coordenadas, erro;
};

Resultado converte(const std::string& texto, const std::string& escala = "") {
    std::istringstream entrada(texto);
    // Sentinelas: a conversao rejeitada nao pode alterar as saidas.
    Conversao c;
    c.info = c.coordenadas = "intacto";
    Resultado r{false, "", "", ""};
    r.ok = converte_tsplib(entrada, "t.tsp", escala, c, r.erro);
    r.info = c.info;
    r.coordenadas = c.coordenadas;
    return r;
}

// Confere rejeicao, saidas intactas e mensagem com o arquivo e o problema.
void espera_rejeicao(const std::string& texto, const std::string& problema,
                     const std::string& escala = "") {
    SCOPED_TRACE(texto);
    Resultado r = converte(texto, escala);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.info, "intacto");
    EXPECT_EQ(r.coordenadas, "intacto");
    EXPECT_EQ(r.erro.rfind("t.tsp: ", 0), 0u) << r.erro;
    EXPECT_NE(r.erro.find(problema), std::string::npos) << r.erro;
    EXPECT_EQ(r.erro.find('\n'), std::string::npos) << r.erro;
}

}  // namespace

TEST(ConverteTsplib, converte_nos_fora_de_ordem_com_inteiros_e_forma_x_0) {
    Resultado r = converte(kCabecalho + "3 -5 1150.00\n1 37 52\n2 565.0 7.0e+03\nEOF\n");
    ASSERT_TRUE(r.ok) << r.erro;
    EXPECT_EQ(r.info, "2 0\n0\n37 52\n");
    EXPECT_EQ(r.coordenadas, "1 565 7000 0\n2 -5 1150 0\n");
}

TEST(ConverteTsplib, aceita_variacoes_de_cabecalho_e_eof_opcional) {
    Resultado r = converte(
        "NAME: x\r\nCOMMENT :  a: b\r\nDIMENSION:1\r\n"
        "EDGE_WEIGHT_TYPE   :   EUC_2D\r\n\r\nNODE_COORD_SECTION\r\n  1\t4 5\r\n");
    ASSERT_TRUE(r.ok) << r.erro;
    EXPECT_EQ(r.info, "0 0\n0\n4 5\n");
    EXPECT_EQ(r.coordenadas, "");
}

TEST(ConverteTsplib, rejeita_coordenada_fracionaria) {
    espera_rejeicao(kCabecalho + "1 1 2\n2 1.5 2\n3 0 0\n",
                    "coordenada nao inteira na linha 7: 1.5 (a bancada so usa "
                    "coordenadas inteiras; --escala K");
    espera_rejeicao(kCabecalho + "1 1 2\n2 1 2.001\n3 0 0\n",
                    "coordenada nao inteira");
    espera_rejeicao(kCabecalho + "1 1 2\n2 1 25e-1\n3 0 0\n", "coordenada nao inteira");
}

TEST(ConverteTsplib, escala_multiplica_e_arredonda_meio_para_longe_do_zero) {
    Resultado r = converte(kCabecalho + "1 0.0005 -0.0005\n2 1.2344 -2.5e-3\n3 7 0\n",
                           "1000");
    ASSERT_TRUE(r.ok) << r.erro;
    EXPECT_EQ(r.info, "2 0\n0\n1 -1\n");
    EXPECT_EQ(r.coordenadas, "1 1234 -3 0\n2 7000 0 0\n");
    espera_rejeicao(kCabecalho + "1 3000000 0\n2 0 0\n3 0 0\n",
                    "fora do intervalo de int 32 bits depois da escala", "1000");
}

TEST(ConverteTsplib, rejeita_tipo_de_distancia_ou_problema_errado) {
    espera_rejeicao("DIMENSION : 1\nEDGE_WEIGHT_TYPE : GEO\nNODE_COORD_SECTION\n1 1 1\n",
                    "EDGE_WEIGHT_TYPE GEO: nao e um plano com distancias euclidianas");
    espera_rejeicao("DIMENSION : 2\nEDGE_WEIGHT_TYPE : EXPLICIT\n"
                    "EDGE_WEIGHT_FORMAT : FULL_MATRIX\nEDGE_WEIGHT_SECTION\n0 1\n1 0\n",
                    "EDGE_WEIGHT_TYPE EXPLICIT: nao e um plano");
    espera_rejeicao("DIMENSION : 1\nEDGE_WEIGHT_TYPE : EUC_2D\nDISPLAY_DATA_SECTION\n",
                    "DISPLAY_DATA_SECTION na linha 3: esperava NODE_COORD_SECTION");
    espera_rejeicao("DIMENSION : 1\nNODE_COORD_SECTION\n1 1 1\n",
                    "EDGE_WEIGHT_TYPE ausente");
    espera_rejeicao("TYPE : ATSP\nDIMENSION : 1\nEDGE_WEIGHT_TYPE : EUC_2D\n"
                    "NODE_COORD_SECTION\n1 1 1\n", "TYPE ATSP: nao e um TSP simetrico");
}

TEST(ConverteTsplib, rejeita_dimensao_ausente_ou_invalida) {
    espera_rejeicao("EDGE_WEIGHT_TYPE : EUC_2D\nNODE_COORD_SECTION\n1 1 1\n",
                    "DIMENSION ausente");
    espera_rejeicao("DIMENSION : 0\nEDGE_WEIGHT_TYPE : EUC_2D\nNODE_COORD_SECTION\n",
                    "DIMENSION invalida");
    espera_rejeicao("DIMENSION : 1\nEDGE_WEIGHT_TYPE : EUC_2D\n",
                    "NODE_COORD_SECTION ausente");
}

TEST(ConverteTsplib, rejeita_no_ausente_fora_do_intervalo_ou_repetido) {
    espera_rejeicao(kCabecalho + "1 0 0\n3 0 0\nEOF\n", "no 2 ausente");
    espera_rejeicao(kCabecalho + "1 0 0\n4 0 0\n3 0 0\n", "no fora do intervalo 1..3");
    espera_rejeicao(kCabecalho + "0 0 0\n", "no fora do intervalo");
    espera_rejeicao(kCabecalho + "1 0 0\n2 0 0\n1 5 5\n", "no 1 repetido na linha 8");
}

TEST(ConverteTsplib, rejeita_linha_malformada) {
    espera_rejeicao(kCabecalho + "1 0\n", "linha malformada na linha 6");
    espera_rejeicao(kCabecalho + "1 0 0 0\n", "linha malformada");
    espera_rejeicao(kCabecalho + "x 0 0\n", "numero de no invalido");
    espera_rejeicao(kCabecalho + "1 5e 0\n", "coordenada invalida");
    espera_rejeicao(kCabecalho + "1 1.2.3 0\n", "coordenada invalida");
    espera_rejeicao("DIMENSION 3\n", "linha de cabecalho malformada");
    espera_rejeicao(kCabecalho + "1 0 0\n2 0 0\n3 0 0\nEOF\n4 0 0\n",
                    "conteudo depois de EOF");
}

TEST(ConverteTsplib, rejeita_coordenada_fora_do_int_32_bits) {
    espera_rejeicao(kCabecalho + "1 2147483648 0\n", "fora do intervalo de int 32 bits");
    espera_rejeicao(kCabecalho + "1 0 -2147483649\n", "fora do intervalo de int 32 bits");
    espera_rejeicao(kCabecalho + "1 0 99999999999999999999999\n", "fora do intervalo");
    Resultado r = converte(kCabecalho + "1 2147483647 -2147483648\n2 0 0\n3 0 0\n");
    ASSERT_TRUE(r.ok) << r.erro;
    EXPECT_EQ(r.info, "2 0\n0\n2147483647 -2147483648\n");
}

TEST(ConverteTsplib, rejeita_entrada_ilegivel) {
    std::istringstream entrada(kCabecalho + "1 0 0\n");
    entrada.setstate(std::ios::badbit);
    Conversao c;
    std::string erro;
    EXPECT_FALSE(converte_tsplib(entrada, "t.tsp", "", c, erro));
    EXPECT_EQ(erro, "t.tsp: erro de leitura");
}

TEST(ConverteTsplib, varios_comment_sao_comentarios_e_outra_chave_repetida_e_recusada) {
    Resultado r = converte("COMMENT : a\nCOMMENT : b\n" + kCabecalho + "1 0 0\n2 1 1\n3 2 2\n");
    ASSERT_TRUE(r.ok) << r.erro;
    espera_rejeicao("TYPE : TSP\n" + kCabecalho + "1 0 0\n", "chave TYPE repetida na linha 3");
}

TEST(ConverteTsplib, arestas_fixas_sao_recusadas_pelo_nome_antes_ou_depois_das_coordenadas) {
    espera_rejeicao("DIMENSION : 3\nEDGE_WEIGHT_TYPE : EUC_2D\nFIXED_EDGES_SECTION\n1 2\n-1\n",
                    "FIXED_EDGES_SECTION na linha 3: arestas fixas nao sao suportadas");
    espera_rejeicao(kCabecalho + "1 0 0\n2 1 1\n3 2 2\nFIXED_EDGES_SECTION\n1 2\n-1\nEOF\n",
                    "FIXED_EDGES_SECTION na linha 9: arestas fixas nao sao suportadas");
}

// Bytes de controle e longas linhas nao chegam crus ao terminal.
TEST(ConverteTsplib, mensagem_mostra_bytes_nao_imprimiveis_como_escapes_e_corta_linhas_longas) {
    const std::string sujo = std::string("\x1b[2J\x07\xff", 6) + std::string(500, 'A');
    for (const std::string& texto :
         {sujo + "\n", "TYPE : " + sujo + "\n", kCabecalho + "1 0 " + sujo + "\n",
          kCabecalho + "1 0 0 " + sujo + "\n", kCabecalho + "1 0 0\n2 0 0\n3 0 0\nEOF\n" + sujo}) {
        Resultado r = converte(texto);
        SCOPED_TRACE(r.erro);
        EXPECT_FALSE(r.ok);
        EXPECT_NE(r.erro.find("\\x1b[2J\\x07\\xff"), std::string::npos);
        EXPECT_LT(r.erro.size(), 200u);
        for (char c : r.erro) EXPECT_TRUE(c >= 32 && c < 127);
    }
}

TEST(ConverteTsplib, escala_auto_usa_a_menor_potencia_de_10_que_torna_as_coordenadas_inteiras) {
    struct Caso {
        std::string coordenadas, fator, c50, problema;
    };
    const std::vector<Caso> casos = {
        {"1 1 2\n2 3.0 4e1\n3 0 0\n", "1", "1 3 40 0\n2 0 0 0\n", ""},
        {"1 0.5 2\n2 -1.25 4\n3 1e-3 7\n", "1000", "1 -1250 4000 0\n2 1 7000 0\n", ""},
        {"1 0.0000001 0\n2 0 0\n3 0 0\n", "", "", "nenhuma potencia de 10 ate 10^6 torna "
                                                  "inteira a coordenada 0.0000001 da linha 6"},
        {"1 0.5 0\n2 300000000 0\n3 0 0\n", "", "",
         "o fator 10, que a coordenada (0.5, linha 6) pede, leva uma coordenada da linha 7 "
         "para fora do intervalo de int 32 bits"},
        {"1 3000000000 0\n2 0 0\n3 0 0\n", "", "", "o fator 1 leva uma coordenada da linha 6"},
    };
    for (const Caso& c : casos) {
        if (!c.problema.empty()) {
            espera_rejeicao(kCabecalho + c.coordenadas, "escala auto: " + c.problema, "auto");
            continue;
        }
        std::istringstream entrada(kCabecalho + c.coordenadas);
        Conversao conversao;
        std::string erro;
        ASSERT_TRUE(converte_tsplib(entrada, "t.tsp", "auto", conversao, erro)) << erro;
        EXPECT_EQ(conversao.escala, c.fator);
        EXPECT_EQ(conversao.coordenadas, c.c50);
        EXPECT_EQ(conversao.maior_variacao, 0.0);
    }
}
