#include "construcao/constroi_insercao_mais_barata_parcial.h"

#include "construcao/candidatos.h"
#include "construcao/insercao.h"
#include "construcao/lista.h"
#include "nucleo/aleatorio.h"

void constroi_insercao_mais_barata_parcial(int n, int* s, float** d, float alfa) {
    if (!insercao_possivel(n)) return;
    Registro* inicio = nullptr;
    Registro* fim = nullptr;
    monta_lista_candidatos(n, inicio, fim);

    s[0] = 0;
    // Two nearest-neighbour steps make the initial subtour 0, a, b; no draw.
    for (int k = 1; k < CIDADES_MINIMAS_INSERCAO; k++) {
        Registro* escolhido = candidato_mais_proximo(s[k - 1], inicio, d);
        s[k] = escolhido->campo1;
        remove_registro_lista(escolhido, inicio, fim);
    }

    LugaresMaisBaratos lugares;
    inicia_lugares(lugares, n, s, CIDADES_MINIMAS_INSERCAO, d, inicio);
    for (int k = CIDADES_MINIMAS_INSERCAO; k < n; k++) {
        int t = tamanho_lista(inicio, fim);
        // Negated cost as the key: the ascending list puts the dearest insertion first.
        ListaRestrita lrc;
        inicia_lista_restrita(lrc, tamanho_sorteio(t, alfa));
        for (Registro* r = inicio; r != nullptr; r = r->prox) {
            int antecessor = 0;
            float custo = lugar_mais_barato(lugares, r->campo1, s, &antecessor);
            oferece_lista_restrita(lrc, r->campo1, antecessor, -custo);
        }
        Registro* sorteado = busca_posicao_lista(sorteia_inteiro(lrc.tamanho), lrc.inicio);
        int cidade = sorteado->campo1;
        int antecessor = sorteado->campo2;
        libera_lista(lrc.inicio, lrc.fim);

        retira_candidato(cidade, inicio, fim);
        insere_e_atualiza(lugares, s, k, d, cidade, antecessor, inicio);
    }
    libera_lugares(lugares);
}
