// gera_instancia CIDADES SEMENTE PASTA_DESTINO
// Writes a random instance of CIDADES cities (city 0 included) with integer
// coordinates from 0 to 1000, drawn from an mt19937 seeded with SEMENTE, as
// PASTA_DESTINO/c50info.txt and PASTA_DESTINO/c50.txt. The same arguments give
// the same files on every machine.
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace {

// long long: a long holds no seed above 2^31 - 1 on Windows.
bool le_numero(const char* texto, long long minimo, long long maximo, long long* valor) {
    char* fim = nullptr;
    errno = 0;
    long long numero = strtoll(texto, &fim, 10);
    if (fim == texto || *fim != '\0' || errno == ERANGE || numero < minimo || numero > maximo)
        return false;
    *valor = numero;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    long long cidades = 0, semente = 0;
    if (argc != 4 || !le_numero(argv[1], 1, 1000000, &cidades) ||
        !le_numero(argv[2], 0, UINT_MAX, &semente)) {
        fprintf(stderr, "uso: gera_instancia CIDADES(1 a 1000000) SEMENTE PASTA_DESTINO\n");
        return 1;
    }
    std::string pasta = argv[3];
    std::error_code erro;  // an existing folder is fine; a failure shows at fopen
    std::filesystem::create_directories(pasta, erro);

    std::mt19937 gerador(static_cast<unsigned>(semente));
    auto coordenada = [&gerador] { return static_cast<int>(gerador() % 1001u); };

    std::string nome_info = pasta + "/c50info.txt", nome_coord = pasta + "/c50.txt";
    FILE* info = fopen(nome_info.c_str(), "wb");
    FILE* coord = info ? fopen(nome_coord.c_str(), "wb") : nullptr;
    if (info == nullptr || coord == nullptr) {
        fprintf(stderr, "gera_instancia: nao foi possivel gravar em %s\n", pasta.c_str());
        return 1;
    }
    int x0 = coordenada(), y0 = coordenada();
    fprintf(info, "%lld 0\n0\n%d %d\n", cidades - 1, x0, y0);
    for (long long i = 1; i < cidades; i++) {
        int x = coordenada(), y = coordenada();
        fprintf(coord, "%lld %d %d 0\n", i, x, y);
    }
    bool gravou = fclose(info) == 0;
    gravou = fclose(coord) == 0 && gravou;
    if (!gravou) {
        fprintf(stderr, "gera_instancia: nao foi possivel gravar em %s\n", pasta.c_str());
        return 1;
    }
    return 0;
}
