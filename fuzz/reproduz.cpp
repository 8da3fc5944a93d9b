// Replays fuzz inputs through a target without libFuzzer, so the ordinary
// builds (g++, plain and sanitized) run every committed corpus entry as a test.
//   <alvo>_reproducao ARQUIVO_OU_PASTA...
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {

bool reproduz(const std::filesystem::path& caminho) {
    std::ifstream arquivo(caminho, std::ios::binary);
    if (!arquivo) {
        fprintf(stderr, "nao foi possivel ler %s\n", caminho.c_str());
        return false;
    }
    std::vector<char> bytes((std::istreambuf_iterator<char>(arquivo)), std::istreambuf_iterator<char>());
    // an exact-size heap copy, so a read past the end is caught by the sanitizers
    std::vector<uint8_t> dados(bytes.begin(), bytes.end());
    dados.shrink_to_fit();
    LLVMFuzzerTestOneInput(dados.data(), dados.size());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (LLVMFuzzerInitialize != nullptr) LLVMFuzzerInitialize(&argc, &argv);
    std::vector<std::filesystem::path> entradas;
    for (int i = 1; i < argc; i++) {
        std::filesystem::path caminho(argv[i]);
        if (std::filesystem::is_directory(caminho)) {
            for (const auto& item : std::filesystem::directory_iterator(caminho))
                if (item.is_regular_file()) entradas.push_back(item.path());
        } else {
            entradas.push_back(caminho);
        }
    }
    std::sort(entradas.begin(), entradas.end());
    if (entradas.empty()) {
        fprintf(stderr, "nenhuma entrada para reproduzir\n");
        return 1;
    }
    for (const auto& caminho : entradas)
        if (!reproduz(caminho)) return 1;
    fprintf(stderr, "%zu entradas reproduzidas\n", entradas.size());
    return 0;
}
