#include "construcao/constroi_vizinho_mais_proximo_parcial.h"

#include "construcao/candidatos.h"
#include "construcao/lista.h"
#include "nucleo/aleatorio.h"

void constroi_vizinho_mais_proximo_parcial(int n, int* s, float** d, float alfa) {
    if (n < 1) return;
    Registro* inicio = nullptr;
    Registro* fim = nullptr;
    monta_lista_candidatos(n, inicio, fim);

    s[0] = 0;
    for (int j = 1; j < n; j++) {
        int u = s[j - 1];
        int t = tamanho_lista(inicio, fim);
        ListaRestrita lrc;
        inicia_lista_restrita(lrc, tamanho_sorteio(t, alfa));
        for (Registro* r = inicio; r != nullptr; r = r->prox)
            oferece_lista_restrita(lrc, r->campo1, r->campo2, d[u][r->campo1]);
        s[j] = busca_posicao_lista(sorteia_inteiro(lrc.tamanho), lrc.inicio)->campo1;
        libera_lista(lrc.inicio, lrc.fim);
        retira_candidato(s[j], inicio, fim);
    }
}
