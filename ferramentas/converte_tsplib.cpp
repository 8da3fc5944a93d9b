// converte_tsplib ARQUIVO.tsp PASTA_DESTINO
// Converte uma instancia TSPLIB EUC_2D para c50info.txt e c50.txt da bancada.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <system_error>

#include "tsplib.h"

namespace fs = std::filesystem;

namespace {

const char* const programa = "converte_tsplib";

int erro(const std::string& mensagem) {
    std::cerr << programa << ": " << mensagem << "\n";
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
    if (argc != 3) {
        std::cerr << "uso: " << programa << " ARQUIVO.tsp PASTA_DESTINO\n"
                  << "converte uma instancia TSPLIB EUC_2D de coordenadas "
                     "inteiras para PASTA_DESTINO/c50info.txt e "
                     "PASTA_DESTINO/c50.txt\n";
        return 1;
    }
    const std::string arquivo = argv[1];
    const fs::path destino = argv[2];

    std::error_code ec;
    // Uma pasta abre com sucesso como ifstream; a leitura e que falharia.
    if (fs::is_directory(arquivo, ec))
        return erro(arquivo + ": e uma pasta, nao um arquivo");
    std::ifstream entrada(arquivo, std::ios::binary);
    if (!entrada) return erro(arquivo + ": nao foi possivel abrir o arquivo");

    std::string info, coordenadas, mensagem;
    if (!converte_tsplib(entrada, arquivo, info, coordenadas, mensagem))
        return erro(mensagem);

    // So toca no destino depois de a entrada inteira ter sido validada.
    fs::create_directories(destino, ec);
    if (ec || !fs::is_directory(destino))
        return erro(destino.string() + ": nao foi possivel criar a pasta");
    if (!grava(destino / "c50info.txt", info) ||
        !grava(destino / "c50.txt", coordenadas))
        return 1;
    return 0;
}
