// Console workbench of heuristics for the symmetric travelling salesman problem.
// Loads the instance of the working directory, then serves the menus until choice 0.
#include <cstdio>
#include <ctime>

#include "busca_local/descida.h"
#include "busca_local/descida_parcial.h"
#include "busca_local/descida_randomica.h"
#include "busca_tabu/busca_tabu.h"
#include "construcao/constroi_aleatoria.h"
#include "construcao/constroi_insercao_mais_barata.h"
#include "construcao/constroi_insercao_mais_barata_parcial.h"
#include "construcao/constroi_vizinho_mais_proximo.h"
#include "construcao/constroi_vizinho_mais_proximo_parcial.h"
#include "construcao/grasp.h"
#include "construcao/insercao.h"
#include "genetico/algoritmo_genetico.h"
#include "nucleo/aleatorio.h"
#include "nucleo/alocacao.h"
#include "nucleo/instancia.h"
#include "programa/menus.h"
#include "nucleo/parametros.h"
#include "nucleo/plataforma.h"
#include "programa/relatorio.h"
#include "nucleo/saida_padrao.h"
#include "nucleo/solucao.h"
#include "simulated_annealing/simulated_annealing.h"
#include "simulated_annealing/temperatura_inicial.h"
#include "vns/vns.h"

namespace {

// The instance the program loads from its working directory.
const char* const ARQUIVO_INFO = "c50info.txt";     // city count and city 0
const char* const ARQUIVO_COORDENADAS = "c50.txt";  // the other cities

struct Instancia {
    int n;
    int* s;
    float** d;
    bool tem_solucao;  // s holds a tour only after the first construction
};

// Times one refinement call and reports it.
template <typename Metodo>
void refina(Instancia& inst, const char* cabecalho, Metodo metodo) {
    clock_t inicio = relogio_cpu();
    float fo = metodo();
    clock_t fim = relogio_cpu();
    relata_refinamento(cabecalho, inst.s, inst.n, fo, inicio, fim);
}

// Returns false when standard input ended inside the submenu.
bool gera_solucao_inicial(Instancia& inst) {
    int opcao = menu_solucao_inicial();
    if (opcao == FIM_DA_ENTRADA) return false;
    const char* cabecalho = nullptr;
    switch (opcao) {
        case 1:
            constroi_vizinho_mais_proximo(inst.n, inst.s, inst.d);
            cabecalho = "\nSolucao construida de forma gulosa:\n";
            break;
        case 2:
            constroi_vizinho_mais_proximo_parcial(inst.n, inst.s, inst.d, ALFA_CONSTRUCAO);
            cabecalho =
                "\nSolucao construida de forma parcialmente gulosa pelo Metodo do Vizinho Mais "
                "Proximo :\n";
            break;
        case 3:
            constroi_insercao_mais_barata(inst.n, inst.s, inst.d);
            cabecalho =
                "\nSolucao construida de forma gulosa pelo Metodo da Insercao Mais Barata:\n";
            break;
        case 4:
            constroi_insercao_mais_barata_parcial(inst.n, inst.s, inst.d, ALFA_CONSTRUCAO);
            cabecalho =
                "\nSolucao construida de forma parcialmente gulosa pelo Metodo da Insercao Mais "
                "Barata:\n";
            break;
        case 5:
            semeia_gerador(SEMENTE_CONSTRUCAO);
            constroi_aleatoria(inst.n, inst.s, inst.d);
            cabecalho = "\nSolucao construida de forma aleatoria:\n";
            break;
        default:
            return true;
    }
    // An insertion on too few cities has said so and left s as it was: no report.
    if ((opcao == 3 || opcao == 4) && inst.n < CIDADES_MINIMAS_INSERCAO) return true;
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
        case 3:
            refina(inst, "\nSolucao construida usando o Metodo da Descida Randomica:\n",
                   [&] { return descida_randomica(inst.n, inst.s, inst.d, MAX_SEM_MELHORA); });
            break;
        case 4:
            refina(inst, "\nSolucao construida usando o Metodo da Descida:\n",
                   [&] { return descida_parcial(inst.n, inst.s, inst.d, PERCENTUAL_AMOSTRA); });
            break;
        case 5: {
            // The search for the starting temperature is not part of the timed run.
            float T0 = temperatura_inicial(inst.n, inst.s, inst.d, TAXA_AQUECIMENTO,
                                           TAXA_ACEITACAO, SA_MAX_TEMPERATURA_INICIAL);
            refina(inst, "\nSolucao construida usando o Metodo Simulated Annealing:\n", [&] {
                return simulated_annealing(inst.n, inst.s, inst.d, TAXA_RESFRIAMENTO, T0,
                                           TEMPERATURA_FINAL, SA_MAX);
            });
            break;
        }
        case 6:
            refina(inst, "\nSolucao construida usando o Metodo Busca Tabu:\n", [&] {
                return busca_tabu(inst.n, inst.s, inst.d, TAMANHO_LISTA_TABU, BT_MAX);
            });
            break;
        case 7: {
            int metodo = menu_grasp();
            if (metodo == FIM_DA_ENTRADA) return false;
            const char* cabecalho =
                "\nSolucao construida usando o Metodo GRASP baseado em Insercao mais barata:\n";
            if (metodo == 1)
                cabecalho =
                    "\nSolucao construida usando o Metodo GRASP baseado no Vizinho mais proximo:\n";
            semeia_gerador(SEMENTE_GRASP);
            refina(inst, cabecalho, [&] {
                return grasp(inst.n, inst.s, inst.d, ALFA_GRASP, ITERACOES_GRASP, metodo);
            });
            break;
        }
        case 9:
            refina(inst, "\nSolucao construida usando o Metodo VNS:\n",
                   [&] { return vns(inst.n, inst.s, inst.d, VNS_MAX, VNS_VIZINHANCAS); });
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
    prepara_console();
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
    confere_saida_padrao();
    return 0;
}
