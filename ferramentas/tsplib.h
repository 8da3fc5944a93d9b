#ifndef FERRAMENTAS_TSPLIB_H
#define FERRAMENTAS_TSPLIB_H

#include <istream>
#include <string>
#include <vector>

// Resultado de uma conversao bem-sucedida.
struct Conversao {
    std::string info;         // conteudo de c50info.txt
    std::string coordenadas;  // conteudo de c50.txt
    long long cidades = 0;
    long long x_min = 0, x_max = 0, y_min = 0, y_max = 0;  // ja na escala
    // Com escala: a maior variacao relativa |d' - K d| / (K d) de uma distancia
    // entre duas cidades distintas, d no arquivo e d' entre as coordenadas
    // arredondadas. Zero sem escala (coordenadas inteiras nao mudam).
    double maior_variacao = 0.0;
    // O fator aplicado as coordenadas: o K dado, ou, com "auto", a potencia de
    // 10 escolhida ("1" quando todas ja sao inteiras). Vazio sem escala.
    std::string escala;
    // As coordenadas ja na escala, do no 1 ao no `cidades` (cidade 0 primeiro).
    std::vector<int> x, y;
};

/*
 * Le de `entrada` uma instancia TSPLIB (TYPE TSP, EDGE_WEIGHT_TYPE EUC_2D ou
 * CEIL_2D) e produz o texto dos dois arquivos da bancada. O no 1 da TSPLIB
 * vira a cidade 0 (vai para c50info.txt); o no k vira a cidade k-1.
 * Numeros inteiros sao aceitos em qualquer notacao decimal (565.0, 1.0e+03).
 * `escala` vazia: coordenadas nao inteiras sao rejeitadas. `escala` com um
 * numero K > 0: cada coordenada e multiplicada por K e arredondada para o
 * inteiro mais proximo (meio para longe do zero), em aritmetica decimal exata.
 * `escala` "auto": a menor potencia de 10 (ate 10^6) que torna inteiras todas
 * as coordenadas do arquivo, sem arredondar; recusa o arquivo em que nenhuma
 * serve ou em que o resultado nao cabe em int 32 bits.
 * Devolve true em caso de sucesso. Se a entrada for rejeitada, devolve false,
 * preenche `erro` com uma linha "<nome>: <problema>" e nao altera `saida`.
 * `nome` so e usado nas mensagens de erro.
 */
bool converte_tsplib(std::istream& entrada, const std::string& nome, const std::string& escala,
                     Conversao& saida, std::string& erro);

/*
 * Le um percurso TSPLIB (TOUR_SECTION, nos de 1 a n terminados por -1 ou EOF)
 * de uma instancia de n cidades e devolve em `cidades` as cidades da bancada
 * (no - 1) na ordem do arquivo. Um percurso que nao e uma permutacao das n
 * cidades, ou cuja DIMENSION difere de n, devolve false com uma linha em `erro`.
 */
bool le_percurso_tsplib(std::istream& entrada, const std::string& nome, int n,
                        std::vector<int>& cidades, std::string& erro);

// Confere o texto de uma escala (numero decimal maior que zero, ou "auto").
bool escala_valida(const std::string& escala);

// O texto com os bytes nao imprimiveis como \xHH, cortado em `maximo` bytes
// (seguido de "..."): para repetir numa mensagem um trecho da entrada.
std::string texto_visivel(const std::string& texto, std::size_t maximo);

#endif
