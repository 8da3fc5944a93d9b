#include "comum.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

#include "construcao/constroi_aleatoria.h"
#include "nucleo/aleatorio.h"
#include "nucleo/alocacao.h"
#include "nucleo/instancia.h"

InstanciaBench carrega_instancia(const std::string& nome) {
    std::string pasta = std::string(BANCADA_INSTANCIAS) + "/" + nome;
    int cidades = 0, inteiro = 0, x0 = 0, y0 = 0;
    le_arquivo_info((pasta + "/c50info.txt").c_str(), &cidades, &inteiro, &x0, &y0);
    InstanciaBench inst;
    inst.n = cidades + 1;
    inst.s = cria_vetor_int(inst.n);
    inst.d = cria_matriz_float(inst.n, inst.n);
    int* quarto_valor = cria_vetor_int(inst.n);
    le_arquivo_coordenadas((pasta + "/c50.txt").c_str(), inst.n, x0, y0, inst.d, quarto_valor);
    libera_vetor(quarto_valor);
    semeia_gerador(1000);
    constroi_aleatoria(inst.n, inst.s, inst.d);
    return inst;
}

void libera_instancia(InstanciaBench& inst) {
    libera_vetor(inst.s);
    libera_matriz_float(inst.d, inst.n);
    inst = InstanciaBench();
}

std::string instancia_de_tamanho(long n) {
    if (n <= 51) return "eil51";
    if (n <= 200) return "aleatoria200";
    return "aleatoria1000";
}

Silencio::Silencio() {
    fflush(stdout);
    saida_original_ = dup(STDOUT_FILENO);
    int nulo = open("/dev/null", O_WRONLY);
    dup2(nulo, STDOUT_FILENO);
    close(nulo);
}

Silencio::~Silencio() {
    fflush(stdout);
    dup2(saida_original_, STDOUT_FILENO);
    close(saida_original_);
}

// Trace files land in a scratch folder, not where the benchmark was started.
int main(int argc, char** argv) {
    char modelo[] = "/tmp/bancada_bench.XXXXXX";
    if (mkdtemp(modelo) == nullptr || chdir(modelo) != 0) {
        perror("bancada_bench");
        return 1;
    }
    if (freopen("/dev/null", "r", stdin) == nullptr) return 1;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (system((std::string("rm -rf ") + modelo).c_str()) != 0) return 1;
    return 0;
}
