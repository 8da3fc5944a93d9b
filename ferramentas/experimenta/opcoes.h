#ifndef FERRAMENTAS_EXPERIMENTA_OPCOES_H
#define FERRAMENTAS_EXPERIMENTA_OPCOES_H

#include <string>
#include <vector>

#include "parametros.h"

// As construcoes e os metodos pelo nome que tem na linha de comando, na ordem
// das opcoes dos menus.
enum Construcao { VIZINHO = 1, VIZINHO_PARCIAL, INSERCAO, INSERCAO_PARCIAL, ALEATORIA };
enum Metodo {
    DESCIDA,
    DESCIDA_RANDOMICA,
    DESCIDA_PARCIAL,
    SA,
    TABU,
    GRASP_VMP,
    GRASP_IMB,
    VNS,
    AG_OX,
    AG_ERX
};
// A vizinhanca dos metodos que buscam numa: troca (a de sempre), 2-opt, Or-opt
// ou as duas.
enum Vizinhanca { TROCA, DOIS_OPT, OR_OPT, DOIS_OPT_OR_OPT };
const char* nome_da_construcao(Construcao c);
const char* nome_do_metodo(Metodo m);
const char* nome_da_vizinhanca(Vizinhanca v);

// Uma chamada do experimenta, como a linha de comando a pede.
struct Opcoes {
    bool ajuda = false;
    std::string instancia;
    std::string escala;  // vazia: coordenadas inteiras
    Construcao inicial = VIZINHO;
    std::vector<Metodo> metodos;
    Vizinhanca vizinhanca = TROCA;
    bool com_vizinhanca = false;  // --vizinhanca dada: o CSV ganha a coluna
    bool com_semente = false;  // sem: as sementes fixas do programa
    unsigned int semente_inicial = 0, semente_final = 0;
    Parametros parametros;
    std::vector<bool> definido;       // por parametro: dado por --param
    std::vector<std::string> textos;  // por parametro: o valor como foi dado
    double tempo_limite = -1;         // segundos de processador por metodo; <0 sem limite
    std::string texto_tempo_limite;
    std::string csv;    // vazio: saida padrao
    std::string saida;  // vazio: nenhum arquivo alem do CSV
};

// Interpreta os argumentos (sem o nome do programa). Devolve false com uma linha
// em `erro` quando algo nao serve; nada e executado entao.
bool interpreta_opcoes(const std::vector<std::string>& argumentos, Opcoes* opcoes,
                       std::string* erro);

// O texto de --help.
std::string texto_de_ajuda();

#endif
