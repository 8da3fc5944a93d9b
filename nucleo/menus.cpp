#include "nucleo/menus.h"

#include <cstdio>

#include "nucleo/entrada.h"

namespace {

// Prints the lines (one print call each) until a number within [menor, maior] is read.
int le_opcao(const char* const* linhas, int menor, int maior) {
    for (;;) {
        for (int i = 0; linhas[i] != nullptr; i++) printf("%s", linhas[i]);
        fflush(stdout);
        int opcao = 0;
        ResultadoLeitura resultado = le_inteiro(stdin, &opcao);
        if (resultado == LIDO_FIM) return FIM_DA_ENTRADA;
        if (resultado == LIDO_NUMERO && opcao >= menor && opcao <= maior) return opcao;
    }
}

}  // namespace

int menu_principal() {
    static const char* const linhas[] = {
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
    return le_opcao(linhas, 0, 10);
}

int menu_solucao_inicial() {
    static const char* const linhas[] = {
        "\n************Geracao da Solucao Inicial**************** \n",
        "                1. Gulosa (Vizinho mais proximo) \n",
        "                2. Parcialmente gulosa (Vizinho mais proximo) \n",
        "                3. Gulosa (Insercao Mais Barata) \n",
        "                4. Parcialmente gulosa (Insercao Mais Barata) \n",
        "                5. Aleatoria \n",
        "                escolha: ",
        nullptr};
    return le_opcao(linhas, 1, 5);
}

int menu_grasp() {
    static const char* const linhas[] = {
        "\n*******************Menu GRASP************************* \n",
        "                1. Vizinho Mais Proximo \n",
        "                2. Insercao Mais Barata \n",
        "                Escolha: ",
        nullptr};
    return le_opcao(linhas, 1, 2);
}

int menu_ag() {
    static const char* const linhas[] = {
        "\n****************Menu Algoritmos Geneticos********************** \n",
        "                1. Operador OX \n",
        "                2. Operador ERX \n",
        "                Escolha: ",
        nullptr};
    return le_opcao(linhas, 1, 2);
}
