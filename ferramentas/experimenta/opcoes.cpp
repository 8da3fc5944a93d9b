#include "opcoes.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace {

const char* const CONSTRUCOES[] = {"vizinho", "vizinho-parcial", "insercao", "insercao-parcial",
                                   "aleatoria"};
const char* const METODOS[] = {"descida",
                               "descida-randomica",
                               "descida-parcial",
                               "sa",
                               "tabu",
                               "grasp-vmp",
                               "grasp-imb",
                               "vns",
                               "ag-ox",
                               "ag-erx"};
const char* const VIZINHANCAS[] = {"troca", "2opt", "oropt", "2opt+oropt"};
const int NUM_CONSTRUCOES = 5, NUM_METODOS = 10, NUM_VIZINHANCAS = 4;

// Um texto vindo da linha de comando, cortado e sem bytes de controle, para
// caber numa linha de erro.
std::string visivel(const std::string& texto) {
    std::string r;
    for (char c : texto.substr(0, 64)) r += (c >= 32 && c < 127) ? c : '?';
    if (texto.size() > 64) r += "...";
    return r;
}

bool semente_de(const std::string& texto, unsigned int* valor) {
    if (texto.empty() || texto.size() > 10) return false;
    for (char c : texto)
        if (c < '0' || c > '9') return false;
    unsigned long long v = std::strtoull(texto.c_str(), nullptr, 10);
    if (v > 4294967295ull) return false;
    *valor = static_cast<unsigned int>(v);
    return true;
}

bool segundos_de(const std::string& texto, double* valor) {
    if (texto.empty() || texto.size() > 32) return false;
    for (char c : texto)
        if (!((c >= '0' && c <= '9') || c == '.')) return false;
    char* fim = nullptr;
    *valor = std::strtod(texto.c_str(), &fim);
    return *fim == '\0' && std::isfinite(*valor) && *valor > 0;
}

bool metodos_de(const std::string& lista, std::vector<Metodo>* metodos, std::string* erro) {
    metodos->clear();
    std::size_t inicio = 0;
    for (;;) {
        std::size_t virgula = lista.find(',', inicio);
        std::string nome = lista.substr(inicio, virgula - inicio);
        int k = 0;
        while (k < NUM_METODOS && nome != METODOS[k]) k++;
        if (k == NUM_METODOS) {
            *erro = "metodo desconhecido em --metodos: \"" + visivel(nome) +
                    "\" (use descida, descida-randomica, descida-parcial, sa, tabu, grasp-vmp, "
                    "grasp-imb, vns, ag-ox ou ag-erx, separados por virgulas)";
            return false;
        }
        metodos->push_back(static_cast<Metodo>(k));
        if (virgula == std::string::npos) return true;
        inicio = virgula + 1;
    }
}

}  // namespace

const char* nome_da_construcao(Construcao c) { return CONSTRUCOES[c - 1]; }
const char* nome_do_metodo(Metodo m) { return METODOS[m]; }
const char* nome_da_vizinhanca(Vizinhanca v) { return VIZINHANCAS[v]; }

namespace {

bool interpreta(const std::vector<std::string>& argumentos, Opcoes* o, std::string* erro) {
    o->definido.assign(numero_de_parametros(), false);
    o->textos.assign(numero_de_parametros(), "");
    bool tem_semente = false;
    for (std::size_t a = 0; a < argumentos.size(); a++) {
        std::string opcao = argumentos[a];
        if (opcao == "--help" || opcao == "-h") {
            o->ajuda = true;
            return true;
        }
        std::string valor;
        std::size_t igual = opcao.find('=');
        if (opcao.compare(0, 2, "--") == 0 && igual != std::string::npos) {
            valor = opcao.substr(igual + 1);
            opcao = opcao.substr(0, igual);
        } else if (opcao.compare(0, 2, "--") == 0) {
            if (a + 1 >= argumentos.size()) {
                *erro = "falta o valor de " + visivel(opcao);
                return false;
            }
            valor = argumentos[++a];
        } else {
            *erro = "argumento inesperado: " + visivel(opcao) + " (experimenta --help)";
            return false;
        }

        if (opcao == "--instancia") {
            o->instancia = valor;
        } else if (opcao == "--escala") {
            o->escala = valor;
        } else if (opcao == "--inicial") {
            int k = 0;
            while (k < NUM_CONSTRUCOES && valor != CONSTRUCOES[k]) k++;
            if (k == NUM_CONSTRUCOES) {
                *erro =
                    "construcao desconhecida em --inicial: \"" + visivel(valor) +
                    "\" (use vizinho, vizinho-parcial, insercao, insercao-parcial ou aleatoria)";
                return false;
            }
            o->inicial = static_cast<Construcao>(k + 1);
        } else if (opcao == "--metodos") {
            if (!metodos_de(valor, &o->metodos, erro)) return false;
        } else if (opcao == "--vizinhanca") {
            int k = 0;
            while (k < NUM_VIZINHANCAS && valor != VIZINHANCAS[k]) k++;
            if (k == NUM_VIZINHANCAS) {
                *erro = "vizinhanca desconhecida em --vizinhanca: \"" + visivel(valor) +
                        "\" (use troca, 2opt, oropt ou 2opt+oropt)";
                return false;
            }
            o->vizinhanca = static_cast<Vizinhanca>(k);
            o->com_vizinhanca = true;
        } else if (opcao == "--semente" || opcao == "--sementes") {
            if (tem_semente) {
                *erro = "de --semente ou --sementes, uma so vez";
                return false;
            }
            tem_semente = true;
            std::size_t traco = opcao == "--sementes" ? valor.find('-') : std::string::npos;
            bool lido = opcao == "--semente"
                            ? semente_de(valor, &o->semente_inicial)
                            : traco != std::string::npos &&
                                  semente_de(valor.substr(0, traco), &o->semente_inicial) &&
                                  semente_de(valor.substr(traco + 1), &o->semente_final);
            if (opcao == "--semente") o->semente_final = o->semente_inicial;
            if (!lido || o->semente_final < o->semente_inicial) {
                *erro = opcao + " " + visivel(valor) + " invalida: use " +
                        (opcao == "--semente" ? "S" : "A-B, com A <= B,") +
                        " inteiros de 0 a 4294967295";
                return false;
            }
            o->com_semente = true;
        } else if (opcao == "--param") {
            int k = define_parametro(valor, &o->parametros, erro);
            if (k < 0) return false;
            if (o->definido[k]) {
                *erro = std::string("parametro repetido: ") + nome_do_parametro(k);
                return false;
            }
            o->definido[k] = true;
            o->textos[k] = valor.substr(valor.find('=') + 1);
        } else if (opcao == "--tempo-limite") {
            if (!segundos_de(valor, &o->tempo_limite)) {
                *erro = "--tempo-limite " + visivel(valor) +
                        " invalido: use segundos de processador, um numero maior que 0";
                return false;
            }
            o->texto_tempo_limite = valor;
        } else if (opcao == "--csv") {
            o->csv = valor;
        } else if (opcao == "--saida") {
            o->saida = valor;
        } else {
            *erro = "opcao desconhecida: " + visivel(opcao) + " (experimenta --help)";
            return false;
        }
    }
    if (o->instancia.empty()) {
        *erro = "falta --instancia PASTA ou ARQUIVO.tsp (experimenta --help)";
        return false;
    }
    return true;
}

}  // namespace

bool interpreta_opcoes(const std::vector<std::string>& argumentos, Opcoes* o, std::string* erro) {
    if (interpreta(argumentos, o, erro)) return true;
    // Texto da linha de comando vai para o terminal: bytes de controle como '?'.
    for (char& c : *erro)
        if (!(c >= 32 && c < 127)) c = '?';
    return false;
}

std::string texto_de_ajuda() {
    std::string t =
        "uso: experimenta --instancia CAMINHO [opcoes]\n"
        "\n"
        "Roda os metodos da bancada sem menus, para experimentos: constroi uma solucao\n"
        "inicial, aplica uma cadeia de metodos sobre ela e escreve uma linha CSV por\n"
        "execucao. Com os parametros e as sementes de sempre, cada cadeia da o mesmo\n"
        "percurso e a mesma fo que o mesmo caminho nos menus do programa bancada.\n"
        "\n"
        "  --instancia CAMINHO  pasta com c50info.txt e c50.txt, ou arquivo .tsp da TSPLIB\n"
        "                       (EUC_2D ou CEIL_2D); um NOME.opt.tour ao lado do .tsp, ou um\n"
        "                       arquivo OTIMO na pasta, da a referencia do gap\n"
        "  --escala K           .tsp com coordenadas reais: multiplica-as por K e\n"
        "                       arredonda (como o conversor converte_tsplib); auto: a\n"
        "                       menor potencia de 10 que as torna inteiras, dita na\n"
        "                       saida de erros\n"
        "  --inicial NOME       construcao inicial (padrao vizinho):\n"
        "                       vizinho, vizinho-parcial, insercao, insercao-parcial,\n"
        "                       aleatoria (as opcoes 1 a 5 do menu de solucao inicial)\n"
        "  --metodos M1,M2,...  metodos aplicados em ordem ao mesmo percurso, como\n"
        "                       escolhas seguidas do menu: descida (2), descida-randomica\n"
        "                       (3), descida-parcial (4), sa (5), tabu (6), grasp-vmp (7 1),\n"
        "                       grasp-imb (7 2), vns (9), ag-ox (10 1), ag-erx (10 2);\n"
        "                       sem esta opcao, so a construcao\n"
        "  --vizinhanca V       vizinhanca dos metodos que buscam numa (padrao troca):\n"
        "                       troca (a dos menus), 2opt, oropt ou 2opt+oropt, para\n"
        "                       todos menos o genetico, que nao busca em vizinhanca;\n"
        "                       a descida (tambem a do GRASP e a do VNS) e a busca\n"
        "                       tabu usam listas de candidatos (--param VIZINHOS);\n"
        "                       dada, o CSV ganha a coluna vizinhanca no fim\n"
        "  --semente S          o gerador comeca com a semente S, e S substitui as\n"
        "                       sementes fixas da construcao aleatoria, do GRASP e do\n"
        "                       genetico; sem ela, as sementes do programa\n"
        "  --sementes A-B       uma execucao por semente, de A a B\n"
        "  --param NOME=VALOR   troca um parametro (pode repetir); os nomes e faixas\n"
        "                       estao abaixo; um valor fora da faixa encerra com status 2\n"
        "  --tempo-limite S     segundos de processador por metodo: o metodo que passa\n"
        "                       disso para na verificacao seguinte e fica com o melhor\n"
        "                       percurso que tinha (parada_k = tempo_limite)\n"
        "  --csv ARQUIVO        escreve o CSV nesse arquivo em vez da saida padrao\n"
        "  --saida PASTA        grava, por execucao, o percurso final (.tour da TSPLIB) e\n"
        "                       o traco de convergencia (.traco.csv) de todos os metodos;\n"
        "                       sem ela nenhum arquivo e gravado\n"
        "  --help               mostra esta ajuda\n"
        "\n"
        "CSV: uma linha por execucao, completa ou ausente, com\n"
        "  versao, instancia, cidades, inicial, cadeia, semente, parametros (os que\n"
        "  diferem do padrao), tempo_limite, fo_inicial, por metodo k fo_k, tempo_k\n"
        "  (segundos de processador), iteracoes_k, parada_k (fim, tempo_limite ou\n"
        "  interrompida), e fo, referencia, gap (%), tempo (total) e estado (ok,\n"
        "  tempo_limite ou interrompida); com --vizinhanca, por fim vizinhanca.\n"
        "\n"
        "Exemplos:\n"
        "  experimenta --instancia eil76.tsp --inicial aleatoria --metodos sa --sementes 1-30\n"
        "  experimenta --instancia eil76.tsp --metodos tabu --param BT_MAX=1000 --csv tabu.csv\n"
        "\n"
        "Status de saida: 0 feito; 1 instancia ilegivel ou arquivo que nao se grava;\n"
        "2 opcao invalida; 130 ou 143 interrompido (Ctrl-C, SIGTERM), so com linhas\n"
        "completas.\n"
        "\n"
        "Parametros (--param NOME=VALOR):\n";
    for (int k = 0; k < numero_de_parametros(); k++) t += "  " + ajuda_do_parametro(k) + "\n";
    return t;
}
