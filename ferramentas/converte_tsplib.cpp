// converte_tsplib [--escala K] [--substitui] ARQUIVO.tsp PASTA_DESTINO
// Converte uma instancia TSPLIB EUC_2D para c50info.txt e c50.txt da bancada.
// --escala auto: a menor potencia de 10 que torna as coordenadas inteiras.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "tsplib.h"

namespace fs = std::filesystem;

namespace {

const char* const programa = "converte_tsplib";

const char* const uso =
    "uso: converte_tsplib [--escala K|auto] [--substitui] ARQUIVO.tsp PASTA_DESTINO\n"
    "converte uma instancia TSPLIB (TYPE TSP, EDGE_WEIGHT_TYPE EUC_2D ou CEIL_2D)\n"
    "para PASTA_DESTINO/c50info.txt e PASTA_DESTINO/c50.txt; o no 1 vira a\n"
    "cidade 0 e o no k a cidade k-1.\n"
    "  --escala K    multiplica cada coordenada por K e arredonda para o inteiro\n"
    "                mais proximo (necessario quando ha coordenadas nao inteiras,\n"
    "                por exemplo --escala 1000); as distancias ficam K vezes\n"
    "                maiores e a linha final diz a maior variacao relativa que\n"
    "                uma distancia sofreu com o arredondamento\n"
    "  --escala auto  a menor potencia de 10 (ate 10^6) que torna inteiras todas as\n"
    "                coordenadas do arquivo, sem arredondar; um arquivo de\n"
    "                coordenadas inteiras nao muda; a linha final diz o fator\n"
    "  --substitui   substitui os arquivos de uma instancia ja existente na pasta\n"
    "  --help        mostra esta ajuda\n";

int erro(const std::string& mensagem) {
    std::cerr << programa << ": " << mensagem << "\n";
    return 1;
}

int erro_de_uso(const std::string& mensagem) {
    std::cerr << programa << ": " << mensagem << "\n" << uso;
    return 1;
}

bool grava(const fs::path& caminho, const std::string& conteudo) {
    std::ofstream saida(caminho, std::ios::binary | std::ios::trunc);
    saida << conteudo;
    saida.close();
    if (saida) return true;
    erro(caminho.string() + ": nao foi possivel gravar o arquivo");
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> posicionais;
    std::string escala;
    bool substitui = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << uso;
            return 0;
        } else if (arg == "--substitui") {
            substitui = true;
        } else if (arg == "--escala" || arg.rfind("--escala=", 0) == 0) {
            if (arg == "--escala") {
                if (i + 1 == argc) return erro_de_uso("--escala pede um numero");
                escala = argv[++i];
            } else {
                escala = arg.substr(9);
            }
            if (!escala_valida(escala))
                return erro("escala invalida: " + texto_visivel(escala, 40) +
                            " (use um numero maior que zero, por exemplo 1000, ou auto)");
        } else if (arg.size() > 1 && arg[0] == '-') {
            return erro_de_uso("opcao desconhecida: " + texto_visivel(arg, 40));
        } else {
            posicionais.push_back(arg);
        }
    }
    if (posicionais.size() != 2)
        return erro_de_uso("esperava ARQUIVO.tsp e PASTA_DESTINO");
    const std::string arquivo = posicionais[0];
    const fs::path destino = posicionais[1];

    std::error_code ec;
    // Uma pasta abre com sucesso como ifstream; a leitura e que falharia.
    if (fs::is_directory(arquivo, ec))
        return erro(arquivo + ": e uma pasta, nao um arquivo");
    std::ifstream entrada(arquivo, std::ios::binary);
    if (!entrada) return erro(arquivo + ": nao foi possivel abrir o arquivo");

    Conversao conversao;
    std::string mensagem;
    if (!converte_tsplib(entrada, arquivo, escala, conversao, mensagem))
        return erro(mensagem);

    // So toca no destino depois de a entrada inteira ter sido validada.
    const fs::path info = destino / "c50info.txt", coordenadas = destino / "c50.txt";
    if (!substitui && (fs::exists(info, ec) || fs::exists(coordenadas, ec)))
        return erro(destino.string() +
                    ": ja tem uma instancia (c50info.txt ou c50.txt); use "
                    "--substitui para substitui-la");
    fs::create_directories(destino, ec);
    if (ec || !fs::is_directory(destino))
        return erro(destino.string() + ": nao foi possivel criar a pasta");
    if (!grava(info, conversao.info) || !grava(coordenadas, conversao.coordenadas))
        return 1;

    std::string linha = arquivo + ": " + std::to_string(conversao.cidades) +
                        " cidades, x de " + std::to_string(conversao.x_min) + " a " +
                        std::to_string(conversao.x_max) + ", y de " +
                        std::to_string(conversao.y_min) + " a " +
                        std::to_string(conversao.y_max);
    if (escala == "auto" && conversao.escala == "1") {
        linha += "; escala auto: coordenadas inteiras, sem escala";
    } else if (escala == "auto") {
        const std::string& k = conversao.escala;
        linha += "; escala auto: fator " + k + " (a menor potencia de 10 que torna inteiras "
                 "todas as coordenadas): distancias " + k +
                 " vezes as do arquivo, sem arredondamento";
    } else if (!escala.empty()) {
        char variacao[64];
        std::snprintf(variacao, sizeof variacao, "%.3e (%.6f%%)",
                      conversao.maior_variacao, 100.0 * conversao.maior_variacao);
        linha += "; escala " + escala + ": distancias " + escala +
                 " vezes as do arquivo, maior variacao relativa de uma distancia "
                 "pelo arredondamento " + variacao;
    }
    std::cout << linha << "; gravados " << info.string() << " e "
              << coordenadas.string() << "\n";
    return 0;
}
