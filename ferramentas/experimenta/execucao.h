#ifndef FERRAMENTAS_EXPERIMENTA_EXECUCAO_H
#define FERRAMENTAS_EXPERIMENTA_EXECUCAO_H

#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "opcoes.h"

// A instancia de uma chamada, lida uma vez para todas as execucoes.
struct InstanciaExperimento {
    std::string nome;  // a pasta ou o .tsp sem a extensao
    int n = 0;
    float** d = nullptr;
    bool com_referencia = false;
    float referencia = 0;  // o comprimento do percurso de referencia, medido por calcula_fo
    std::string escala;    // de um .tsp com --escala: o fator aplicado (com auto, o escolhido)
};

// Le a pasta ou o .tsp (com a escala das opcoes) e a referencia ao lado dele.
// Devolve false com uma linha em `erro` quando nao ha instancia utilizavel; um
// percurso de referencia que nao serve so deixa um aviso em `aviso`.
bool carrega_instancia(const Opcoes& opcoes, InstanciaExperimento* instancia, std::string* erro,
                       std::string* aviso);
void libera_instancia(InstanciaExperimento* instancia);

// O que um metodo da cadeia deixou.
struct ResultadoMetodo {
    float fo;
    double tempo;  // segundos de processador da chamada
    long long iteracoes;
    const char* parada;  // "fim", "tempo_limite" ou "interrompida"
};

// Uma execucao: a construcao e a cadeia, com uma semente (ou as do programa).
struct ResultadoExecucao {
    float fo_inicial = 0;
    std::vector<ResultadoMetodo> metodos;  // os que rodaram, na ordem
    float fo = 0;
    const char* estado = "ok";  // "ok", "tempo_limite" ou "interrompida"
    std::vector<int> s;         // o percurso final
};

// Roda a construcao e a cadeia das opcoes. `semente` vale so com
// opcoes.com_semente. `traco`: onde vai o traco de convergencia, ou nullptr.
// `interrupcao` nao nula para a cadeia antes do metodo seguinte.
ResultadoExecucao executa(const Opcoes& opcoes, const InstanciaExperimento& instancia,
                          unsigned int semente, FILE* traco,
                          const volatile std::sig_atomic_t* interrupcao);

#endif
