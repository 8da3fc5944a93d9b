#include "construcao/candidatos.h"

#include <algorithm>
#include <cmath>

#include "nucleo/ajustes.h"
#include "nucleo/alocacao.h"
#include "nucleo/solucao.h"

namespace {
const float MINIMO_INICIAL = SENTINELA_2_31;
}

void monta_lista_candidatos(int n, Registro*& inicio, Registro*& fim) {
    for (int cidade = 1; cidade < n; cidade++)
        insere_fim_lista(novo_registro(cidade, 0, 0.0f), inicio, fim);
}

Registro* candidato_mais_proximo(int u, Registro* inicio, float** d) {
    float minimo = MINIMO_INICIAL;
    Registro* escolhido = inicio;
    for (Registro* r = inicio; r != nullptr; r = r->prox) {
        if (d[u][r->campo1] < minimo) {
            minimo = d[u][r->campo1];
            escolhido = r;
        }
    }
    return escolhido;
}

void retira_candidato(int cidade, Registro*& inicio, Registro*& fim) {
    remove_registro_lista(busca_registro_lista(cidade, 0, inicio), inicio, fim);
}

int tamanho_sorteio(int t, float alfa) {
    double produto = static_cast<double>(t) * static_cast<double>(alfa);
    if (!(produto > 1.0)) return 1;
    // compared before the cast, so a huge alfa cannot overflow the int
    if (produto >= static_cast<double>(t)) return t;
    return static_cast<int>(produto);
}

void cria_ofertas(Ofertas& o, int n) {
    o.chave = cria_vetor_float(n);
    o.campo1 = cria_vetor_int(n);
    o.campo2 = cria_vetor_int(n);
    o.ordem = cria_vetor_int(n);
    o.quantas = 0;
}

void libera_ofertas(Ofertas& o) {
    libera_vetor(o.ordem);
    libera_vetor(o.campo2);
    libera_vetor(o.campo1);
    libera_vetor(o.chave);
}

namespace {

// Key, then order of offer: a strict total order when no key is a NaN.
struct Antes {
    const float* chave;
    bool operator()(int a, int b) const {
        return chave[a] < chave[b] || (!(chave[b] < chave[a]) && a < b);
    }
};

// A heap keeps the k + 1 first offers in that order, the last of them on top;
// few offers beat the top once it has filled.
int por_heap(Ofertas& o, int k) {
    Antes antes{o.chave};
    int* heap = o.ordem;
    int cheio = 0;
    for (int i = 0; i < o.quantas; i++) {
        if (cheio <= k) {
            heap[cheio++] = i;
            std::push_heap(heap, heap + cheio, antes);
        } else if (antes(i, heap[0])) {
            std::pop_heap(heap, heap + cheio, antes);
            heap[cheio - 1] = i;
            std::push_heap(heap, heap + cheio, antes);
        }
    }
    return heap[0];
}

}  // namespace

int oferta_na_posicao(Ofertas& o, int k) {
    // The keys spread over BALDES buckets of equal width between the least and
    // the greatest: the bucket of a key never decreases as the key grows, and
    // equal keys share one, so the offer sought is the one at a known place of
    // the bucket where the counts pass k. Only that bucket is then selected in.
    const float* chave = o.chave;
    int t = o.quantas;
    if (t < BALDES) return por_heap(o, k);
    float menor = chave[0], maior = chave[0];
    bool nan = false;
    for (int i = 0; i < t; i++) {
        menor = chave[i] < menor ? chave[i] : menor;
        maior = chave[i] > maior ? chave[i] : maior;
        nan |= chave[i] != chave[i];
    }
    double largura = static_cast<double>(maior) - static_cast<double>(menor);
    double escala = BALDES / largura;
    // equal keys, or a NaN or an infinity among them
    if (nan || !(largura > 0.0) || !std::isfinite(largura) || !std::isfinite(escala))
        return por_heap(o, k);
    auto balde = [&](int i) {
        int b = static_cast<int>((static_cast<double>(chave[i]) - menor) * escala);
        return b < BALDES ? b : BALDES - 1;
    };
    int quantos[BALDES] = {};
    for (int i = 0; i < t; i++) quantos[balde(i)]++;
    int b = 0;
    while (k >= quantos[b]) k -= quantos[b++];
    int m = 0;
    for (int i = 0; i < t; i++)
        if (balde(i) == b) o.ordem[m++] = i;
    std::nth_element(o.ordem, o.ordem + k, o.ordem + m, Antes{chave});
    return o.ordem[k];
}
