#ifndef FERRAMENTAS_TSPLIB_H
#define FERRAMENTAS_TSPLIB_H

#include <istream>
#include <string>

/*
 * Le de `entrada` uma instancia TSPLIB do tipo EUC_2D com coordenadas inteiras
 * e produz o texto dos dois arquivos da bancada: `info` (conteudo de
 * c50info.txt) e `coordenadas` (conteudo de c50.txt). O no 1 da TSPLIB vira a
 * cidade 0 (vai para `info`); o no k vira a cidade k-1.
 * Devolve true em caso de sucesso. Se a entrada for rejeitada, devolve false,
 * preenche `erro` com uma linha "<nome>: <problema>" e nao altera `info` nem
 * `coordenadas`. `nome` so e usado nas mensagens de erro.
 */
bool converte_tsplib(std::istream& entrada, const std::string& nome,
                     std::string& info, std::string& coordenadas,
                     std::string& erro);

#endif
