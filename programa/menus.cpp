#include "programa/menus.h"

#include "nucleo/entrada.h"
#include "nucleo/saida_padrao.h"

namespace {

const char* const LINHAS_PRINCIPAL[] = {
    "\n*******************Menu Principal************************* \n",
    "ATENCAO: Necessario gerar solucao inicial antes de refinar\n",
    "                1. Gere solucao inicial \n",
    "                2. Descida \n",
    "                3. Descida randomica \n",
    "                4. Descida parcial \n",
    "                5. Simulated Annealing \n",
    "                6. Busca Tabu \n",
    "                7. GRASP \n",
    "                8. VND \n",
    "                9. VNS \n",
    "               10. Algoritmos Geneticos \n",
    "                0. Sair \n",
    "                Escolha: ",
    nullptr};

const char* const LINHAS_SOLUCAO_INICIAL[] = {
    "\n************Geracao da Solucao Inicial**************** \n",
    "                1. Gulosa (Vizinho mais proximo) \n",
    "                2. Parcialmente gulosa (Vizinho mais proximo) \n",
    "                3. Gulosa (Insercao Mais Barata) \n",
    "                4. Parcialmente gulosa (Insercao Mais Barata) \n",
    "                5. Aleatoria \n",
    "                escolha: ",
    nullptr};

const char* const LINHAS_GRASP[] = {
    "\n*******************Menu GRASP************************* \n",
    "                1. Vizinho Mais Proximo \n",
    "                2. Insercao Mais Barata \n",
    "                Escolha: ",
    nullptr};

const char* const LINHAS_AG[] = {
    "\n****************Menu Algoritmos Geneticos********************** \n",
    "                1. Operador OX \n",
    "                2. Operador ERX \n",
    "                Escolha: ",
    nullptr};

// Prints the lines (one print call each) until a number within [menor, maior] is read.
// Every failed reading consumes input, so the loop cannot spin on the same bytes,
// and a menu lost by standard output ends the run, so it cannot spin on a dead reader.
int le_opcao(const char* const* linhas, int menor, int maior, FILE* entrada) {
    for (;;) {
        for (int i = 0; linhas[i] != nullptr; i++) printf("%s", linhas[i]);
        confere_saida_padrao();
        int opcao = 0;
        ResultadoLeitura resultado = le_inteiro(entrada, &opcao);
        if (resultado == LIDO_FIM) return FIM_DA_ENTRADA;
        if (resultado == LIDO_NUMERO && opcao >= menor && opcao <= maior) return opcao;
    }
}

}  // namespace

int le_menu(Menu menu, FILE* entrada) {
    switch (menu) {
        case MENU_PRINCIPAL:
            return le_opcao(LINHAS_PRINCIPAL, 0, 10, entrada);
        case MENU_SOLUCAO_INICIAL:
            return le_opcao(LINHAS_SOLUCAO_INICIAL, 1, 5, entrada);
        case MENU_GRASP:
            return le_opcao(LINHAS_GRASP, 1, 2, entrada);
        case MENU_AG:
            return le_opcao(LINHAS_AG, 1, 2, entrada);
    }
    return FIM_DA_ENTRADA;
}

int menu_principal() { return le_menu(MENU_PRINCIPAL, stdin); }

int menu_solucao_inicial() { return le_menu(MENU_SOLUCAO_INICIAL, stdin); }

int menu_grasp() { return le_menu(MENU_GRASP, stdin); }

int menu_ag() { return le_menu(MENU_AG, stdin); }
