#ifndef FERRAMENTAS_EXPERIMENTA_PARAMETROS_H
#define FERRAMENTAS_EXPERIMENTA_PARAMETROS_H

#include <string>

#include "nucleo/parametros.h"

// Os parametros dos metodos numa execucao do experimenta: de saida os mesmos
// valores dos menus (nucleo/parametros.h), e cada um pode ser trocado por
// --param NOME=VALOR com o nome que tem la.
struct Parametros {
    unsigned int semente_construcao = SEMENTE_CONSTRUCAO;
    float alfa_construcao = ALFA_CONSTRUCAO;
    unsigned int semente_grasp = SEMENTE_GRASP;
    float alfa_grasp = ALFA_GRASP;
    int iteracoes_grasp = ITERACOES_GRASP;
    int max_sem_melhora = MAX_SEM_MELHORA;
    float percentual_amostra = PERCENTUAL_AMOSTRA;
    float taxa_aquecimento = TAXA_AQUECIMENTO;
    float taxa_aceitacao = TAXA_ACEITACAO;
    int sa_max_temperatura_inicial = SA_MAX_TEMPERATURA_INICIAL;
    float taxa_resfriamento = TAXA_RESFRIAMENTO;
    float temperatura_final = TEMPERATURA_FINAL;
    int sa_max = SA_MAX;
    int tamanho_lista_tabu = TAMANHO_LISTA_TABU;
    int bt_max = BT_MAX;
    int vns_max = VNS_MAX;
    int vns_vizinhancas = VNS_VIZINHANCAS;
    unsigned int semente_ag = SEMENTE_AG;
    int ag_tamanho_populacao = AG_TAMANHO_POPULACAO;
    float ag_alfa_populacao = AG_ALFA_POPULACAO;
    float ag_cv_minimo = AG_CV_MINIMO;
    double ag_prob_crossover = AG_PROB_CROSSOVER;
    double ag_prob_mutacao = AG_PROB_MUTACAO;
    int vizinhos = VIZINHOS;
};

// Le "NOME=VALOR" e troca o valor em `p`; devolve o indice do parametro. Um nome
// desconhecido, um valor que nao e numero ou fora da faixa que o metodo aceita
// sem remendo devolvem -1 com uma linha em `erro` que nomeia o parametro e a faixa.
int define_parametro(const std::string& atribuicao, Parametros* p, std::string* erro);

// Se o k-esimo parametro e uma das sementes fixas.
bool e_semente(int k);
// Se o k-esimo parametro de `p` difere do padrao.
bool difere_do_padrao(const Parametros& p, int k);

// Quantos parametros ha; o nome do k-esimo e a linha de ajuda dele.
int numero_de_parametros();
const char* nome_do_parametro(int k);
std::string ajuda_do_parametro(int k);
// O indice do parametro chamado `nome`, ou -1.
int indice_do_parametro(const std::string& nome);

#endif
