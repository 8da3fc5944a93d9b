#include "parametros.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

enum Tipo { SEMENTE, INTEIRO, REAL_FLOAT, REAL_DOUBLE };

// A faixa de cada parametro: a que o metodo percorre sem recusar nem remendar
// (uma populacao impar o metodo aumentaria depois de esperar uma tecla).
struct Descricao {
    const char* nome;
    Tipo tipo;
    double minimo, maximo;
    bool minimo_aberto, maximo_aberto;
    bool par;
    const char* significado;
    unsigned int Parametros::*semente;
    int Parametros::*inteiro;
    float Parametros::*real;
    double Parametros::*duplo;
};

const double SEM_TETO = HUGE_VAL;
// Pais e filhos ocupam 2 x populacao linhas, contadas em int.
const int POPULACAO_MAXIMA = 1000000;
// As listas guardam n x VIZINHOS cidades num vetor de int.
const int MAXIMO_VIZINHOS = 1000;

Descricao descricao(const char* nome, Tipo tipo, double minimo, double maximo,
                    const char* significado) {
    Descricao d{};
    d.nome = nome;
    d.tipo = tipo;
    d.minimo = minimo;
    d.maximo = maximo;
    d.significado = significado;
    return d;
}
Descricao semente(const char* nome, unsigned int Parametros::*campo, const char* significado) {
    Descricao d = descricao(nome, SEMENTE, 0, 4294967295.0, significado);
    d.semente = campo;
    return d;
}
Descricao inteiro(const char* nome, int Parametros::*campo, int minimo, const char* significado,
                  bool par = false, int maximo = INT_MAX) {
    Descricao d = descricao(nome, INTEIRO, minimo, maximo, significado);
    d.inteiro = campo;
    d.par = par;
    return d;
}
Descricao real(const char* nome, float Parametros::*campo, double minimo, bool minimo_aberto,
               double maximo, bool maximo_aberto, const char* significado) {
    Descricao d = descricao(nome, REAL_FLOAT, minimo, maximo, significado);
    d.real = campo;
    d.minimo_aberto = minimo_aberto;
    d.maximo_aberto = maximo_aberto;
    return d;
}
Descricao probabilidade(const char* nome, double Parametros::*campo, bool zero_aberto,
                        const char* significado) {
    Descricao d = descricao(nome, REAL_DOUBLE, 0.0, 1.0, significado);
    d.duplo = campo;
    d.minimo_aberto = zero_aberto;
    return d;
}

// Na ordem de nucleo/parametros.h.
const Descricao PARAMETROS[] = {
    semente("SEMENTE_CONSTRUCAO", &Parametros::semente_construcao,
            "semente antes da construcao aleatoria"),
    real("ALFA_CONSTRUCAO", &Parametros::alfa_construcao, 0, false, 1, false,
         "gula das construcoes parcialmente gulosas"),
    semente("SEMENTE_GRASP", &Parametros::semente_grasp, "semente antes do GRASP"),
    real("ALFA_GRASP", &Parametros::alfa_grasp, 0, false, 1, false,
         "gula da construcao de cada iteracao do GRASP"),
    inteiro("ITERACOES_GRASP", &Parametros::iteracoes_grasp, 1, "iteracoes do GRASP"),
    inteiro("MAX_SEM_MELHORA", &Parametros::max_sem_melhora, 1,
            "descida randomica: sorteios seguidos sem melhora que a encerram"),
    real("PERCENTUAL_AMOSTRA", &Parametros::percentual_amostra, 0, true, 100, false,
         "descida parcial: % das posicoes sorteadas a cada passo"),
    real("TAXA_AQUECIMENTO", &Parametros::taxa_aquecimento, 1, true, 1000, false,
         "annealing: fator de aquecimento na busca da temperatura inicial"),
    real("TAXA_ACEITACAO", &Parametros::taxa_aceitacao, 0, true, 1, false,
         "annealing: fracao de aceitos que encerra o aquecimento"),
    inteiro("SA_MAX_TEMPERATURA_INICIAL", &Parametros::sa_max_temperatura_inicial, 1,
            "annealing: tentativas por nivel no aquecimento"),
    real("TAXA_RESFRIAMENTO", &Parametros::taxa_resfriamento, 0, true, 1, true,
         "annealing: fator de resfriamento"),
    real("TEMPERATURA_FINAL", &Parametros::temperatura_final, 0, true, SEM_TETO, true,
         "annealing: roda enquanto a temperatura esta acima dela"),
    inteiro("SA_MAX", &Parametros::sa_max, 1, "annealing: movimentos por temperatura"),
    inteiro("TAMANHO_LISTA_TABU", &Parametros::tamanho_lista_tabu, 0,
            "busca tabu: movimentos mantidos tabu"),
    inteiro("BT_MAX", &Parametros::bt_max, 1,
            "busca tabu: iteracoes sem nova melhor que a encerram"),
    inteiro("VNS_MAX", &Parametros::vns_max, 1, "VNS: iteracoes"),
    inteiro("VNS_VIZINHANCAS", &Parametros::vns_vizinhancas, 1,
            "VNS: vizinhancas (k trocas aleatorias, k = 1..r)"),
    semente("SEMENTE_AG", &Parametros::semente_ag, "semente antes do algoritmo genetico"),
    inteiro("AG_TAMANHO_POPULACAO", &Parametros::ag_tamanho_populacao, 2,
            "genetico: individuos por geracao", true, POPULACAO_MAXIMA),
    real("AG_ALFA_POPULACAO", &Parametros::ag_alfa_populacao, 0, false, 1, false,
         "genetico: gula da insercao parcialmente gulosa da populacao inicial"),
    real("AG_CV_MINIMO", &Parametros::ag_cv_minimo, 0, true, SEM_TETO, true,
         "genetico: as geracoes seguem enquanto o CV das fo passa dele"),
    probabilidade("AG_PROB_CROSSOVER", &Parametros::ag_prob_crossover, true,
                  "genetico: probabilidade de cruzar um par sorteado"),
    probabilidade("AG_PROB_MUTACAO", &Parametros::ag_prob_mutacao, false,
                  "genetico: probabilidade de mutacao por individuo e geracao"),
    inteiro("VIZINHOS", &Parametros::vizinhos, 0,
            "2-opt e Or-opt: candidatos por cidade da busca rapida (0: vizinhanca completa)",
            false, MAXIMO_VIZINHOS),
};
const int NUMERO = static_cast<int>(sizeof PARAMETROS / sizeof PARAMETROS[0]);

std::string numero(double v) {
    if (v == SEM_TETO) return "inf";
    char texto[32];
    snprintf(texto, sizeof texto, "%.15g", v);
    return texto;
}

std::string faixa(const Descricao& p) {
    switch (p.tipo) {
        case SEMENTE:
            return "um inteiro de 0 a 4294967295";
        case INTEIRO:
            return std::string(p.par ? "um inteiro par" : "um inteiro") + " de " +
                   numero(p.minimo) + " a " + numero(p.maximo);
        default:
            return "um real em " + std::string(p.minimo_aberto ? "(" : "[") + numero(p.minimo) +
                   ", " + numero(p.maximo) + (p.maximo_aberto ? ")" : "]");
    }
}

bool dentro(const Descricao& p, double v) {
    if (std::isnan(v) || std::isinf(v)) return false;
    if (v < p.minimo || (p.minimo_aberto && v == p.minimo)) return false;
    if (v > p.maximo || (p.maximo_aberto && v == p.maximo)) return false;
    return true;
}

// Todo o texto precisa ser o numero: "12x", "" e " 3" sao recusados.
bool inteiro_inteiro(const std::string& texto, long long* valor) {
    if (texto.empty() || texto.size() > 20) return false;
    for (std::size_t k = 0; k < texto.size(); k++)
        if (!(texto[k] >= '0' && texto[k] <= '9') && !(k == 0 && texto[k] == '-')) return false;
    errno = 0;
    char* fim = nullptr;
    *valor = std::strtoll(texto.c_str(), &fim, 10);
    return errno == 0 && *fim == '\0' && fim != texto.c_str();
}

bool real_inteiro(const std::string& texto, bool simples, double* valor) {
    if (texto.empty() || texto.size() > 64) return false;
    for (char c : texto)
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'))
            return false;
    char* fim = nullptr;
    // Um float lido direto do texto, sem passar por double: um so arredondamento.
    *valor = simples ? static_cast<double>(std::strtof(texto.c_str(), &fim))
                     : std::strtod(texto.c_str(), &fim);
    return *fim == '\0' && fim != texto.c_str();
}

}  // namespace

int numero_de_parametros() { return NUMERO; }

const char* nome_do_parametro(int k) { return PARAMETROS[k].nome; }

std::string ajuda_do_parametro(int k) {
    const Descricao& p = PARAMETROS[k];
    static const Parametros padrao;
    double valor = p.tipo == SEMENTE      ? padrao.*p.semente
                   : p.tipo == INTEIRO    ? padrao.*p.inteiro
                   : p.tipo == REAL_FLOAT ? padrao.*p.real
                                          : padrao.*p.duplo;
    char texto[32];
    snprintf(texto, sizeof texto, "%g", valor);  // o padrao como o cabecalho o escreve
    return std::string(p.nome) + " (padrao " + texto + "): " + p.significado + "; " + faixa(p);
}

int indice_do_parametro(const std::string& nome) {
    for (int k = 0; k < NUMERO; k++)
        if (nome == PARAMETROS[k].nome) return k;
    return -1;
}

int define_parametro(const std::string& atribuicao, Parametros* p, std::string* erro) {
    std::size_t igual = atribuicao.find('=');
    std::string nome = atribuicao.substr(0, igual);
    int k = indice_do_parametro(nome);
    if (k < 0) {
        *erro = "parametro desconhecido: " + nome.substr(0, 64) +
                " (experimenta --help lista os nomes)";
        return -1;
    }
    const Descricao& d = PARAMETROS[k];
    std::string texto = igual == std::string::npos ? "" : atribuicao.substr(igual + 1);
    bool lido = false;
    double valor = 0;
    if (d.tipo == SEMENTE || d.tipo == INTEIRO) {
        long long v = 0;
        lido = inteiro_inteiro(texto, &v) && dentro(d, static_cast<double>(v)) &&
               (!d.par || v % 2 == 0);
        valor = static_cast<double>(v);
    } else {
        lido = real_inteiro(texto, d.tipo == REAL_FLOAT, &valor) && dentro(d, valor);
    }
    if (!lido) {
        *erro = "parametro " + nome + "=" + texto.substr(0, 64) + " invalido: use " + faixa(d);
        return -1;
    }
    switch (d.tipo) {
        case SEMENTE:
            p->*d.semente = static_cast<unsigned int>(valor);
            break;
        case INTEIRO:
            p->*d.inteiro = static_cast<int>(valor);
            break;
        case REAL_FLOAT:
            p->*d.real = static_cast<float>(valor);
            break;
        case REAL_DOUBLE:
            p->*d.duplo = valor;
            break;
    }
    return k;
}

bool e_semente(int k) { return PARAMETROS[k].tipo == SEMENTE; }

bool difere_do_padrao(const Parametros& p, int k) {
    const Descricao& d = PARAMETROS[k];
    static const Parametros padrao;
    switch (d.tipo) {
        case SEMENTE:
            return p.*d.semente != padrao.*d.semente;
        case INTEIRO:
            return p.*d.inteiro != padrao.*d.inteiro;
        case REAL_FLOAT:
            return p.*d.real != padrao.*d.real;
        default:
            return p.*d.duplo != padrao.*d.duplo;
    }
}
