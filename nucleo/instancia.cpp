#include "nucleo/instancia.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstdlib>

#include "nucleo/alocacao.h"
#include "nucleo/entrada.h"
#include "nucleo/saida_padrao.h"

namespace {

const int TAMANHO_MAXIMO_PALAVRA = 64;

enum Palavra { PALAVRA_LIDA, PALAVRA_FIM, PALAVRA_LONGA };

// One whitespace-separated word; over-long words are consumed and refused.
Palavra le_palavra(FILE* arquivo, char* palavra) {
    int c = getc(arquivo);
    while (c != EOF && isspace(c)) c = getc(arquivo);
    if (c == EOF) return PALAVRA_FIM;
    int tamanho = 0;
    bool longa = false;
    while (c != EOF && !isspace(c)) {
        if (tamanho < TAMANHO_MAXIMO_PALAVRA) palavra[tamanho++] = static_cast<char>(c);
        else longa = true;
        c = getc(arquivo);
    }
    palavra[tamanho] = '\0';
    return longa ? PALAVRA_LONGA : PALAVRA_LIDA;
}

bool converte_inteiro(const char* palavra, int* valor) {
    char* fim = nullptr;
    errno = 0;
    long numero = strtol(palavra, &fim, 10);
    if (fim == palavra || *fim != '\0' || errno == ERANGE || numero < INT_MIN || numero > INT_MAX)
        return false;
    *valor = static_cast<int>(numero);
    return true;
}

bool converte_real(const char* palavra) {
    char* fim = nullptr;
    (void)strtod(palavra, &fim);
    return fim != palavra && *fim == '\0';
}

bool le_inteiro_arquivo(FILE* arquivo, int* valor) {
    char palavra[TAMANHO_MAXIMO_PALAVRA + 1];
    return le_palavra(arquivo, palavra) == PALAVRA_LIDA && converte_inteiro(palavra, valor);
}

// Words shown in messages may hold any byte: keep them printable and short.
std::string palavra_visivel(const char* palavra) {
    std::string visivel;
    for (int i = 0; palavra[i] != '\0' && i < 20; i++) {
        unsigned char c = static_cast<unsigned char>(palavra[i]);
        visivel += isprint(c) ? static_cast<char>(c) : '?';
    }
    return visivel;
}

// Every fault is told in two lines: the general one, then what is wrong.
bool falha(std::string* mensagem, const char* nome, const char* formato, ...) {
    char linha[512];
    snprintf(linha, sizeof linha, "O Arquivo %s nao corresponde as especificacoes.\n", nome);
    *mensagem += linha;
    va_list argumentos;
    va_start(argumentos, formato);
    vsnprintf(linha, sizeof linha, formato, argumentos);
    va_end(argumentos);
    *mensagem += linha;
    return false;
}

FILE* abre_instancia(const char* nome) {
    FILE* arquivo = fopen(nome, "rb");  // bytes as they are on every platform
    if (arquivo == nullptr) {
        termina_com_falha(ESPERA_TECLA, "O Arquivo %s nao pode ser aberto.\n", nome);
    }
    return arquivo;
}

void termina_com(const std::string& mensagem) {
    termina_com_falha(ESPERA_TECLA, "%s", mensagem.c_str());
}

}  // namespace

void calcula_distancias(int n, const int* x, const int* y, float** d) {
    for (int i = 0; i < n; i++) {
        for (int j = i + 1; j < n; j++) {
            // 64-bit differences: coordinates of any int range cannot overflow
            double dx = static_cast<double>(static_cast<long long>(x[i]) - x[j]);
            double dy = static_cast<double>(static_cast<long long>(y[i]) - y[j]);
            float distancia = static_cast<float>(sqrt(dx * dx + dy * dy));
            d[i][j] = distancia;
            d[j][i] = distancia;
        }
    }
    for (int i = 0; i < n; i++) d[i][i] = 0;
}

bool interpreta_info(FILE* arquivo, const char* nome, int* num_cidades, int* inteiro, int* x0,
                     int* y0, std::string* mensagem) {
    char palavra[TAMANHO_MAXIMO_PALAVRA + 1];
    int cidades = 0, linha2 = 0, cx = 0, cy = 0;
    if (le_palavra(arquivo, palavra) != PALAVRA_LIDA || !converte_inteiro(palavra, &cidades) ||
        le_palavra(arquivo, palavra) != PALAVRA_LIDA || !converte_real(palavra) ||
        !le_inteiro_arquivo(arquivo, &linha2) || !le_inteiro_arquivo(arquivo, &cx) ||
        !le_inteiro_arquivo(arquivo, &cy))
        return falha(mensagem, nome,
                     "O Arquivo %s deve conter o numero de cidades, um numero real, um inteiro "
                     "e as coordenadas x e y da cidade 0.\n",
                     nome);
    // n = cidades + 1 must itself be an int
    if (cidades < 0 || cidades == INT_MAX)
        return falha(mensagem, nome,
                     "O Arquivo %s informa %d cidades alem da cidade 0; o numero deve ficar entre "
                     "0 e %d.\n",
                     nome, cidades, INT_MAX - 1);
    *num_cidades = cidades;
    *inteiro = linha2;
    *x0 = cx;
    *y0 = cy;
    return true;
}

bool interpreta_coordenadas(FILE* arquivo, const char* nome, int n, int x0, int y0, float** d,
                            int* quarto_valor, std::string* mensagem) {
    int* x = cria_vetor_int(n);
    int* y = cria_vetor_int(n);
    int* presente = cria_vetor_int(n);
    for (int i = 0; i < n; i++) presente[i] = 0;
    x[0] = x0;
    y[0] = y0;
    quarto_valor[0] = 0;
    presente[0] = 1;

    bool correto = true;
    int registros = 0;
    int ultima_cidade = -1;
    char palavra[TAMANHO_MAXIMO_PALAVRA + 1];
    while (correto) {
        int campos[4];
        int lidos = 0;
        Palavra situacao = PALAVRA_LIDA;
        while (lidos < 4) {
            situacao = le_palavra(arquivo, palavra);
            if (situacao != PALAVRA_LIDA || !converte_inteiro(palavra, &campos[lidos])) break;
            lidos++;
        }
        if (lidos == 0 && situacao == PALAVRA_FIM) break;
        if (lidos < 4) {
            if (situacao == PALAVRA_FIM)
                correto = falha(mensagem, nome, "O Arquivo %s termina no meio do registro %d.\n",
                                nome, registros + 1);
            else
                correto = falha(mensagem, nome,
                                "O Arquivo %s possui um valor que nao e um numero inteiro no "
                                "registro %d: %s\n",
                                nome, registros + 1, palavra_visivel(palavra).c_str());
            break;
        }
        int cidade = campos[0];
        if (cidade < 0 || cidade >= n) {
            correto = falha(mensagem, nome,
                            "O Arquivo %s possui um registro da cidade %d, fora do intervalo de 0 "
                            "a %d.\n",
                            nome, cidade, n - 1);
            break;
        }
        x[cidade] = campos[1];
        y[cidade] = campos[2];
        quarto_valor[cidade] = campos[3];
        presente[cidade] = 1;
        registros++;
        ultima_cidade = cidade;
    }

    if (correto && registros == 0)
        correto = falha(mensagem, nome, "O Arquivo %s nao possui nenhum registro.\n", nome);
    if (correto && ultima_cidade != n - 1)
        correto = falha(mensagem, nome,
                        "O Arquivo %s possui %d registros enquanto o problema tem %d cidades.\n",
                        nome, ultima_cidade, n);
    for (int i = 1; correto && i < n; i++)
        if (!presente[i])
            correto = falha(mensagem, nome, "O Arquivo %s nao possui o registro da cidade %d.\n",
                            nome, i);

    if (correto) calcula_distancias(n, x, y, d);
    libera_vetor(presente);
    libera_vetor(y);
    libera_vetor(x);
    return correto;
}

void le_arquivo_info(const char* nome, int* num_cidades, int* inteiro, int* x0, int* y0) {
    FILE* arquivo = abre_instancia(nome);
    std::string mensagem;
    bool correto = interpreta_info(arquivo, nome, num_cidades, inteiro, x0, y0, &mensagem);
    fclose(arquivo);
    if (!correto) termina_com(mensagem);
}

void le_arquivo_coordenadas(const char* nome, int n, int x0, int y0, float** d, int* quarto_valor) {
    FILE* arquivo = abre_instancia(nome);
    std::string mensagem;
    bool correto = interpreta_coordenadas(arquivo, nome, n, x0, y0, d, quarto_valor, &mensagem);
    fclose(arquivo);
    if (!correto) termina_com(mensagem);
}
