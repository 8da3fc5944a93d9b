#include "comum.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <random>
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
    percurso_do_menu(inst);
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

void percurso_do_menu(InstanciaBench& inst) {
    semeia_gerador(1000);
    constroi_aleatoria(inst.n, inst.s, inst.d);
}

Silencio::Silencio(const char* arquivo) {
    fflush(stdout);
    saida_original_ = dup(STDOUT_FILENO);
    int destino = open(arquivo, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(destino, STDOUT_FILENO);
    close(destino);
}

Silencio::~Silencio() {
    fflush(stdout);
    dup2(saida_original_, STDOUT_FILENO);
    close(saida_original_);
}

std::string le_texto(const char* nome) {
    std::string texto;
    FILE* f = fopen(nome, "r");
    if (f == nullptr) return texto;
    char bloco[65536];
    size_t lidos;
    while ((lidos = fread(bloco, 1, sizeof bloco, f)) > 0) texto.append(bloco, lidos);
    fclose(f);
    return texto;
}

long conta_linhas(const char* nome) {
    long linhas = 0;
    for (char c : le_texto(nome))
        if (c == '\n') linhas++;
    return linhas;
}

long conta_ocorrencias(const char* nome, const char* trecho) {
    std::string texto = le_texto(nome);
    long vezes = 0;
    for (size_t p = texto.find(trecho); p != std::string::npos; p = texto.find(trecho, p + 1))
        vezes++;
    return vezes;
}

void apaga_tracos() {
    const char* tracos[] = {"Descida.txt", "Descidasaida.txt", "Descidaparcialsaida.txt",
                            "SAsaida.txt", "BTsaida.txt",      "BTsaidaMelhorfo.txt"};
    for (const char* nome : tracos) remove(nome);
}

long numeros_sorteados_desde(unsigned semente, long limite) {
    const int m = 1 << 30;
    int a = sorteia_inteiro(m), b = sorteia_inteiro(m);
    std::mt19937 replay(semente);
    uint32_t anterior = replay();
    for (long k = 0; k < limite; k++) {
        uint32_t atual = replay();
        if (static_cast<int>(anterior % m) == a && static_cast<int>(atual % m) == b) return k;
        anterior = atual;
    }
    return -1;
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
