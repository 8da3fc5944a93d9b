// Console workbench of heuristics for the symmetric travelling salesman problem.
// Loads the instance of the working directory, then serves the menus until choice 0.
#include <cstdio>
#include <ctime>

#include "busca_local/descida.h"
#include "construcao/constroi_aleatoria.h"
#include "genetico/algoritmo_genetico.h"
#include "nucleo/aleatorio.h"
#include "nucleo/alocacao.h"
#include "nucleo/instancia.h"
#include "nucleo/menus.h"
#include "nucleo/relatorio.h"
#include "nucleo/solucao.h"

namespace {

// Every parameter of a run, as the menus use them.
const char* const ARQUIVO_INFO = "c50info.txt";         // city count and city 0
const char* const ARQUIVO_COORDENADAS = "c50.txt";      // the other cities
const unsigned int SEMENTE_CONSTRUCAO = 1000;           // before the random construction
const unsigned int SEMENTE_AG = 1500;                   // before the genetic algorithm
const int AG_TAMANHO_POPULACAO = 200;                   // individuals kept per generation
const float AG_CV_MINIMO = 0.01f;                       // go on while the fo CV is above it
const double AG_PROB_CROSSOVER = 0.8;                   // chance of crossing a drawn pair
const double AG_PROB_MUTACAO = 0.01;                    // chance of a swap, per row and generation

struct Instancia {
    int n;
    int* s;
    float** d;
    bool tem_solucao;  // s holds a tour only after the first construction
};

// Times one refinement call and reports it.
template <typename Metodo>
void refina(Instancia& inst, const char* cabecalho, Metodo metodo) {
    clock_t inicio = clock();
    float fo = metodo();
    clock_t fim = clock();
    relata_refinamento(cabecalho, inst.s, inst.n, fo, inicio, fim);
}

// Returns false when standard input ended inside the submenu.
bool gera_solucao_inicial(Instancia& inst) {
    int opcao = menu_solucao_inicial();
    if (opcao == FIM_DA_ENTRADA) return false;
    const char* cabecalho = nullptr;
    switch (opcao) {
        case 5:
            semeia_gerador(SEMENTE_CONSTRUCAO);
            constroi_aleatoria(inst.n, inst.s, inst.d);
            cabecalho = "\nSolucao construida de forma aleatoria:\n";
            break;
        default:
            return true;
    }
    inst.tem_solucao = true;
    relata_construcao(cabecalho, inst.s, inst.n, calcula_fo(inst.n, inst.s, inst.d));
    return true;
}

// Returns false when standard input ended inside a submenu.
bool executa_escolha(Instancia& inst, int escolha) {
    if (escolha == 1) return gera_solucao_inicial(inst);
    if (escolha == 8) {
        printf("\n VND ainda nao implementado ... \n");
        return true;
    }
    if (!inst.tem_solucao) {
        printf("\nGere uma solucao inicial (opcao 1) antes de refinar.\n");
        return true;
    }
    switch (escolha) {
        case 2:
            refina(inst, "\nSolucao construida usando o Metodo da Descida:\n",
                   [&] { return descida(inst.n, inst.s, inst.d); });
            break;
        case 10: {
            int operador = menu_ag();  // 1 OX, 2 ERX
            if (operador == FIM_DA_ENTRADA) return false;
            semeia_gerador(SEMENTE_AG);
            refina(inst, "\nSolucao construida usando Algoritmos Geneticos:\n", [&] {
                return algoritmo_genetico(inst.n, inst.s, inst.d, AG_TAMANHO_POPULACAO,
                                          AG_CV_MINIMO, AG_PROB_CROSSOVER, AG_PROB_MUTACAO,
                                          operador);
            });
            break;
        }
        default:
            break;
    }
    return true;
}

}  // namespace

int main() {
    int num_cidades = 0, inteiro = 0, x0 = 0, y0 = 0;
    le_arquivo_info(ARQUIVO_INFO, &num_cidades, &inteiro, &x0, &y0);
    Instancia inst;
    inst.n = num_cidades + 1;
    inst.s = cria_vetor_int(inst.n);
    int* quarto_valor = cria_vetor_int(inst.n);
    inst.d = cria_matriz_float(inst.n, inst.n);
    inst.tem_solucao = false;
    le_arquivo_coordenadas(ARQUIVO_COORDENADAS, inst.n, x0, y0, inst.d, quarto_valor);

    for (;;) {
        int escolha = menu_principal();
        if (escolha == 0 || escolha == FIM_DA_ENTRADA || !executa_escolha(inst, escolha)) break;
    }

    libera_vetor(inst.s);
    libera_vetor(quarto_valor);
    libera_matriz_float(inst.d, inst.n);
    return 0;
}
