// experimenta: os metodos da bancada sem menus, para experimentos (sementes,
// parametros, limite de tempo, repeticoes), uma linha CSV por execucao.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "experimenta/execucao.h"
#include "experimenta/opcoes.h"
#include "experimenta/saida.h"
#include "nucleo/acompanhamento.h"
#include "nucleo/formato.h"
#include "nucleo/plataforma.h"
#include "versao_experimenta.h"

namespace fs = std::filesystem;

namespace {

volatile std::sig_atomic_t sinal_recebido = 0;

extern "C" void ao_receber_sinal(int sinal) { sinal_recebido = sinal; }

int falha(int status, const std::string& mensagem) {
    fprintf(stderr, "experimenta: %s\n", mensagem.c_str());
    return status;
}

// Uma linha inteira de uma vez, e ja no disco: uma interrupcao nao deixa meia linha.
bool grava_linha(FILE* csv, const std::string& linha) {
    return fputs(linha.c_str(), csv) >= 0 && fflush(csv) == 0;
}

bool grava_arquivo_inteiro(const fs::path& caminho, const std::string& texto) {
    FILE* f = fopen(caminho.string().c_str(), "wb");
    if (f == nullptr) return false;
    bool ok = fputs(texto.c_str(), f) >= 0;
    return fclose(f) == 0 && ok;
}

void mostra_progresso(long long feitas, long long total,
                      std::chrono::steady_clock::time_point inicio) {
    double segundos =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
    fprintf(stderr, "\rexperimenta: %lld de %lld execucoes, faltam %lld, %s s ", feitas, total,
            total - feitas, texto_real(segundos, 0, 1).texto);
    if (feitas == total) fputc('\n', stderr);
}

}  // namespace

int main(int argc, char** argv) {
    prepara_console();  // LF line ends on every platform
    std::vector<std::string> argumentos(argv + 1, argv + argc);
    Opcoes opcoes;
    std::string erro, aviso;
    if (!interpreta_opcoes(argumentos, &opcoes, &erro)) return falha(2, erro);
    if (opcoes.ajuda) {
        fputs(texto_de_ajuda().c_str(), stdout);
        return 0;
    }

    InstanciaExperimento instancia;
    if (!carrega_instancia(opcoes, &instancia, &erro, &aviso)) return falha(1, erro);
    if (!aviso.empty()) fprintf(stderr, "experimenta: aviso: %s\n", aviso.c_str());
    if (opcoes.escala == "auto")
        fprintf(stderr, "experimenta: %s: escala auto: %s\n", opcoes.instancia.c_str(),
                instancia.escala == "1" ? "coordenadas inteiras, sem escala"
                                        : ("fator " + instancia.escala).c_str());

    FILE* csv = stdout;
    if (!opcoes.csv.empty() && (csv = fopen(opcoes.csv.c_str(), "wb")) == nullptr) {
        libera_instancia(&instancia);
        return falha(1, opcoes.csv + ": nao pode ser criado");
    }
    std::error_code criacao;
    if (!opcoes.saida.empty() && !fs::create_directories(opcoes.saida, criacao) && criacao) {
        libera_instancia(&instancia);
        return falha(1, opcoes.saida + ": a pasta nao pode ser criada");
    }

    std::signal(SIGINT, ao_receber_sinal);
    std::signal(SIGTERM, ao_receber_sinal);
    bool progresso = erro_padrao_e_terminal();
    auto inicio = std::chrono::steady_clock::now();
    long long total = static_cast<long long>(opcoes.semente_final) - opcoes.semente_inicial + 1;
    int status = 0;
    if (!grava_linha(csv, cabecalho_csv(opcoes))) status = falha(1, "o CSV nao pode ser gravado");
    for (long long k = 0; status == 0 && k < total && sinal_recebido == 0; k++) {
        unsigned int semente = static_cast<unsigned int>(opcoes.semente_inicial + k);
        std::string base = base_dos_arquivos(opcoes, instancia, semente);
        FILE* traco = nullptr;
        if (!opcoes.saida.empty()) {
            fs::path caminho = fs::path(opcoes.saida) / (base + ".traco.csv");
            traco = fopen(caminho.string().c_str(), "wb");
            if (traco == nullptr) {
                status = falha(1, caminho.string() + ": nao pode ser criado");
                break;
            }
            fputs(CABECALHO_TRACO, traco);
        }
        ResultadoExecucao r = executa(opcoes, instancia, semente, traco, &sinal_recebido);
        if (traco != nullptr) {
            bool gravado = !ferror(traco);
            if (fclose(traco) != 0 || !gravado)
                status = falha(1, base + ".traco.csv: nao pode ser gravado");
            std::string comentario = instancia.nome + ", fo " + texto_real(r.fo).texto + ", " +
                                     r.estado + ", experimenta " + VERSAO_EXPERIMENTA;
            fs::path tour = fs::path(opcoes.saida) / (base + ".tour");
            if (!grava_arquivo_inteiro(tour, texto_tour(instancia.nome, comentario, r.s)))
                status = falha(1, tour.string() + ": nao pode ser gravado");
        }
        if (!grava_linha(csv, linha_csv(VERSAO_EXPERIMENTA, opcoes, instancia, semente, r)))
            status = falha(1, "o CSV nao pode ser gravado");
        if (progresso) mostra_progresso(k + 1, total, inicio);
    }

    libera_instancia(&instancia);
    if (csv != stdout && fclose(csv) != 0 && status == 0)
        status = falha(1, opcoes.csv + ": nao pode ser gravado");
    if (sinal_recebido != 0) {
        if (progresso) fputc('\n', stderr);
        return falha(128 + sinal_recebido, "interrompido; o CSV tem so linhas completas");
    }
    return status;
}
