#ifndef FERRAMENTAS_EXPERIMENTA_SAIDA_H
#define FERRAMENTAS_EXPERIMENTA_SAIDA_H

#include <string>

#include "execucao.h"

// A linha de cabecalho do CSV para a cadeia das opcoes (colunas por metodo).
std::string cabecalho_csv(const Opcoes& opcoes);

// A linha CSV inteira de uma execucao, terminada em '\n'. `semente` vale so
// com opcoes.com_semente.
std::string linha_csv(const char* versao, const Opcoes& opcoes,
                      const InstanciaExperimento& instancia, unsigned int semente,
                      const ResultadoExecucao& resultado);

// O nome de base dos arquivos de uma execucao em --saida:
// instancia-inicial[+metodo...]-sSEMENTE (ou -sprograma sem semente).
std::string base_dos_arquivos(const Opcoes& opcoes, const InstanciaExperimento& instancia,
                              unsigned int semente);

// O percurso no formato .tour da TSPLIB, comecando pelo no 1 (a cidade 0).
std::string texto_tour(const std::string& nome, const std::string& comentario,
                       const std::vector<int>& s);

#endif
