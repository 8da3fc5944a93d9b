#include "construcao/constroi_vizinho_mais_proximo_parcial.h"

#include "construcao/candidatos.h"
#include "nucleo/lista.h"
#include "nucleo/aleatorio.h"

void constroi_vizinho_mais_proximo_parcial(int n, int* s, float** d, float alfa) {
    if (n < 1) return;
    Registro* inicio = nullptr;
    Registro* fim = nullptr;
    monta_lista_candidatos(n, inicio, fim);

    Ofertas lrc;
    cria_ofertas(lrc, n);
    s[0] = 0;
    for (int j = 1; j < n; j++) {
        int u = s[j - 1];
        lrc.quantas = 0;
        for (Registro* r = inicio; r != nullptr; r = r->prox)
            oferece(lrc, r->campo1, r->campo2, d[u][r->campo1]);
        int posicao = sorteia_inteiro(tamanho_sorteio(lrc.quantas, alfa));
        s[j] = lrc.campo1[oferta_na_posicao(lrc, posicao)];
        retira_candidato(s[j], inicio, fim);
    }
    libera_ofertas(lrc);
}
