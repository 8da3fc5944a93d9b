#include "construcao/constroi_insercao_mais_barata.h"

#include "construcao/candidatos.h"
#include "construcao/insercao.h"
#include "nucleo/lista.h"
#include "nucleo/solucao.h"

void constroi_insercao_mais_barata(int n, int* s, float** d, bool imprime) {
    if (!insercao_possivel(n)) return;
    // -1 marks the free positions, where the tour print stops.
    for (int i = 0; i < n; i++) s[i] = -1;
    Registro* inicio = nullptr;
    Registro* fim = nullptr;
    inicia_subpercurso(n, s, d, inicio, fim, imprime);

    LugaresMaisBaratos lugares;
    inicia_lugares(lugares, n, s, CIDADES_MINIMAS_INSERCAO, d, inicio);
    for (int k = CIDADES_MINIMAS_INSERCAO; k < n; k++) {
        // Each city's cheapest place is its earliest cheapest one, and only a
        // strictly cheaper city replaces the choice: the cheapest pair wins,
        // ties going to the smaller city. If nothing is below the running
        // minimum's start, the first candidate at its first place is taken.
        float minimo = 0.0f;
        int cidade = -1, antecessor = 0;
        for (Registro* r = inicio; r != nullptr; r = r->prox) {
            int antecessor_r = 0;
            float custo = lugar_mais_barato(lugares, r->campo1, s, &antecessor_r);
            if (cidade == -1 || custo < minimo) {
                minimo = custo;
                cidade = r->campo1;
                antecessor = antecessor_r;
            }
        }
        retira_candidato(cidade, inicio, fim);
        insere_e_atualiza(lugares, s, k, d, cidade, antecessor, inicio);
        if (imprime) imprime_solucao(s, n);
    }
    libera_lugares(lugares);
}

void constroi_insercao_mais_barata(int n, int* s, float** d) {
    constroi_insercao_mais_barata(n, s, d, true);
}
