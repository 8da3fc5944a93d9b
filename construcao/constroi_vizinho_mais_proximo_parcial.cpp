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
        Registro* lrc_inicio = nullptr;
        Registro* lrc_fim = nullptr;
        for (Registro* r = inicio; r != nullptr; r = r->prox)
            insere_ordenado_lista(novo_registro(r->campo1, r->campo2, d[u][r->campo1]), lrc_inicio,
                                  lrc_fim);
        s[j] = busca_posicao_lista(sorteia_inteiro(tamanho_sorteio(t, alfa)), lrc_inicio)->campo1;
        libera_lista(lrc_inicio, lrc_fim);
        retira_candidato(s[j], inicio, fim);
    }
}
