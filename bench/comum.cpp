#include "comum.h"

#include <benchmark/benchmark.h>

#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "construcao/constroi_aleatoria.h"
#include "nucleo/aleatorio.h"
#include "nucleo/alocacao.h"
#include "nucleo/instancia.h"
#include "nucleo/parametros.h"

InstanciaBench carrega_instancia(long n) {
    std::string pasta = n <= 51     ? BANCADA_INSTANCIAS "/eil51"
                        : n <= 200  ? BANCADA_INSTANCIAS "/aleatoria200"
                        : n <= 1000 ? BANCADA_INSTANCIAS "/aleatoria1000"
                                    : BANCADA_GERADAS "/aleatoria10000";
    int cidades = 0, inteiro = 0, x0 = 0, y0 = 0;
    le_arquivo_info((pasta + "/c50info.txt").c_str(), &cidades, &inteiro, &x0, &y0);
    InstanciaBench inst;
    inst.n = cidades + 1;
    inst.s = cria_vetor_int(inst.n);
    inst.d = cria_matriz_float(inst.n, inst.n);
    int* quarto_valor = cria_vetor_int(inst.n);
    le_arquivo_coordenadas((pasta + "/c50.txt").c_str(), inst.n, x0, y0, inst.d, quarto_valor);
    libera_vetor(quarto_valor);
    semeia_gerador(SEMENTE_CONSTRUCAO);
    constroi_aleatoria(inst.n, inst.s, inst.d);
    return inst;
}

void libera_instancia(InstanciaBench& inst) {
    libera_vetor(inst.s);
    libera_matriz_float(inst.d, inst.n);
    inst = InstanciaBench();
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
