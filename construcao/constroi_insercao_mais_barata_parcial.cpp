#include "construcao/constroi_insercao_mais_barata_parcial.h"

#include "construcao/candidatos.h"
#include "construcao/insercao.h"
#include "nucleo/lista.h"
#include "nucleo/aleatorio.h"

void constroi_insercao_mais_barata_parcial(int n, int* s, float** d, float alfa) {
    if (!insercao_possivel(n)) return;
    Registro* inicio = nullptr;
    Registro* fim = nullptr;
    inicia_subpercurso(n, s, d, inicio, fim, false);

    LugaresMaisBaratos lugares;
    inicia_lugares(lugares, n, s, CIDADES_MINIMAS_INSERCAO, d, inicio);
    Ofertas lrc;
    cria_ofertas(lrc, n);
    for (int k = CIDADES_MINIMAS_INSERCAO; k < n; k++) {
        // Negated cost as the key: the ascending order puts the dearest insertion first.
        lrc.quantas = 0;
        for (Registro* r = inicio; r != nullptr; r = r->prox) {
            int antecessor = 0;
            float custo = lugar_mais_barato(lugares, r->campo1, s, &antecessor);
            oferece(lrc, r->campo1, antecessor, -custo);
        }
        int escolhida = oferta_na_posicao(lrc, sorteia_inteiro(tamanho_sorteio(lrc.quantas, alfa)));
        int cidade = lrc.campo1[escolhida];
        int antecessor = lrc.campo2[escolhida];

        retira_candidato(cidade, inicio, fim);
        insere_e_atualiza(lugares, s, k, d, cidade, antecessor, inicio);
    }
    libera_ofertas(lrc);
    libera_lugares(lugares);
}
