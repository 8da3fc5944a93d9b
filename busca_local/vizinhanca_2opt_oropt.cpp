#include "busca_local/vizinhanca_2opt_oropt.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "busca_local/vizinhos_proximos.h"
#include "nucleo/alocacao.h"
#include "nucleo/aleatorio.h"

namespace {

// x mod n for x in [-n, 2n).
inline int mod(int x, int n) { return x >= n ? x - n : (x < 0 ? x + n : x); }

// Whether position q lies among the l positions from i (both in [0, n)).
inline bool no_segmento(int q, int i, int l, int n) { return mod(q - i, n) < l; }

// The same sums, in the same order, for avalia and both searches, so that a
// move found by a search is the move avalia measures, to the last bit.
inline double delta_2opt(float** d, int a, int b, int c, int e, double* removidas) {
    *removidas = static_cast<double>(d[a][b]) + static_cast<double>(d[c][e]);
    return (static_cast<double>(d[a][c]) + static_cast<double>(d[b][e])) - *removidas;
}

// Segment f..e between p and q, to go between x and y.
inline double delta_oropt(float** d, int p, int f, int e, int q, int x, int y, bool inverte,
                          double* removidas) {
    *removidas = (static_cast<double>(d[p][f]) + static_cast<double>(d[e][q])) +
                 static_cast<double>(d[x][y]);
    double novas = inverte ? static_cast<double>(d[x][e]) + static_cast<double>(d[f][y])
                           : static_cast<double>(d[x][f]) + static_cast<double>(d[e][y]);
    return (static_cast<double>(d[p][q]) + novas) - *removidas;
}

inline bool com_2opt(const Vizinhanca2optOropt* v) { return v->tipo & VIZINHANCA_2OPT; }
inline bool com_oropt(const Vizinhanca2optOropt* v) { return v->tipo & VIZINHANCA_OROPT; }

void enfileira(Vizinhanca2optOropt* v, int c) {
    if (v->na_fila[c]) return;
    v->na_fila[c] = 1;
    v->fila[mod(v->frente + v->quantos, v->n)] = c;
    v->quantos++;
}

inline void renova_aresta(Vizinhanca2optOropt* v, int q) {
    int n = v->n;
    q = mod(q, n);
    v->arestas[q] = v->d[v->s[q]][v->s[q + 1 == n ? 0 : q + 1]];
}

// Reverses the cyclic stretch of comprimento positions from inicio: its
// inner edges are the same, read backwards (d symmetric); the two at its ends
// are new.
void inverte_trecho(Vizinhanca2optOropt* v, int inicio, int comprimento) {
    int n = v->n;
    int* s = v->s;
    int a = inicio, b = mod(inicio + comprimento - 1, n);
    for (int t = 0; t < comprimento / 2; t++) {
        int ca = s[a], cb = s[b];
        s[a] = cb;
        s[b] = ca;
        v->posicao[cb] = a;
        v->posicao[ca] = b;
        a = a + 1 == n ? 0 : a + 1;
        b = b == 0 ? n - 1 : b - 1;
    }
    float* arestas = v->arestas;
    a = inicio;
    b = mod(inicio + comprimento - 2, n);
    for (int t = 0; t < (comprimento - 1) / 2; t++) {
        std::swap(arestas[a], arestas[b]);
        a = a + 1 == n ? 0 : a + 1;
        b = b == 0 ? n - 1 : b - 1;
    }
    renova_aresta(v, inicio - 1 + n);
    renova_aresta(v, inicio + comprimento - 1);
}

// Whether a move whose added edges include one of length dac and whose
// removed edges sum to removidas may still come under corte: the other added
// edges count at least 0 where no distance is negative.
inline bool pode_ficar_abaixo(const Vizinhanca2optOropt* v, float dac, double removidas,
                              double corte) {
    return !v->vizinhos->nao_negativa || static_cast<double>(dac) - removidas < corte;
}

// The 2-opt moves that add an edge (a, c), c a candidate of a, in list order,
// on the side after a then before it: visita(m, delta, removidas) for each
// until it returns true. With poda only the candidates nearer to a than its
// tour neighbour on that side (a move that gains needs one).
// The moves whose lower bound is not below corte are passed over: they could
// not be taken.
template <class Visita>
bool percorre_2opt(const Vizinhanca2optOropt* v, int a, bool poda, const double& corte,
                   Visita&& visita) {
    int n = v->n;
    const int* s = v->s;
    const int* posicao = v->posicao;
    const float* arestas = v->arestas;
    float** d = v->d;
    const int* lista = vizinhos_de(v->vizinhos, a);
    const float* distancia = distancias_de(v->vizinhos, a);
    int k = v->vizinhos->k;
    int pa = posicao[a];
    for (int lado = 0; lado < 2; lado++) {
        // lado 0: b after a, e after c; lado 1: both before
        int b = lado == 0 ? s[mod(pa + 1, n)] : s[mod(pa - 1, n)];
        float dab = arestas[lado == 0 ? pa : mod(pa - 1, n)];
        for (int r = 0; r < k; r++) {
            int c = lista[r];
            float dac = distancia[r];
            if (poda && !(dac < dab)) break;
            int pc = posicao[c];
            int e = lado == 0 ? s[mod(pc + 1, n)] : s[mod(pc - 1, n)];
            if (e == a || c == b) continue;  // the two edges meet at a
            // the same sums as delta_2opt, from the kept edges
            double removidas = static_cast<double>(dab) +
                               static_cast<double>(arestas[lado == 0 ? pc : mod(pc - 1, n)]);
            if (!pode_ficar_abaixo(v, dac, removidas, corte)) continue;
            double dt = (static_cast<double>(dac) + static_cast<double>(d[b][e])) - removidas;
            Movimento m = lado == 0 ? Movimento{VIZINHANCA_2OPT, pa, pc, 0, false}
                                    : Movimento{VIZINHANCA_2OPT, posicao[b], posicao[e], 0, false};
            if (visita(m, dt, removidas)) return true;
        }
    }
    return false;
}

// The Or-opt moves that put a, at one end of a segment of 1 to 3 cities, next
// to c, a candidate of a outside the segment: visita(m, delta, removidas) for
// each until it returns true. With poda only the candidates nearer to a than
// its neighbour outside the segment.
template <class Visita>
bool percorre_oropt(const Vizinhanca2optOropt* v, int a, bool poda, const double& corte,
                    Visita&& visita) {
    int n = v->n;
    const int* s = v->s;
    const int* posicao = v->posicao;
    const float* arestas = v->arestas;
    float** d = v->d;
    const int* lista = vizinhos_de(v->vizinhos, a);
    const float* distancia = distancias_de(v->vizinhos, a);
    int k = v->vizinhos->k;
    int pa = posicao[a];
    for (int l = 1; l <= 3 && n >= l + 2; l++) {
        for (int lado = 0; lado < (l == 1 ? 1 : 2); lado++) {
            // lado 0: the segment runs forward from a; lado 1: it ends at a
            int i = lado == 0 ? pa : mod(pa - l + 1, n);
            int f = s[i], e = s[mod(i + l - 1, n)];
            int p = s[mod(i - 1, n)], q = s[mod(i + l, n)];
            float dpf = arestas[mod(i - 1, n)], deq = arestas[mod(i + l - 1, n)];
            float limite = lado == 0 ? dpf : deq;  // a's edge out of the segment
            float dpq = -1.0f;  // read once per segment, at the first candidate that needs it
            for (int r = 0; r < k; r++) {
                int c = lista[r];
                float dac = distancia[r];
                if (poda && !(dac < limite)) break;
                int pc = posicao[c];
                if (no_segmento(pc, i, l, n)) continue;
                for (int sentido = 0; sentido < 2; sentido++) {
                    // the edge (x, y) = (c, after c) or (before c, c)
                    int px = sentido == 0 ? pc : mod(pc - 1, n);
                    int x = s[px], y = s[mod(px + 1, n)];
                    if (no_segmento(px, i, l, n) || no_segmento(mod(px + 1, n), i, l, n)) continue;
                    // a next to c: first after x, or last before y
                    bool inverte = sentido == 0 ? f != a : e != a;
                    // the same sum as delta_oropt's, from the kept edges
                    double removidas = (static_cast<double>(dpf) + static_cast<double>(deq)) +
                                       static_cast<double>(arestas[px]);
                    if (!pode_ficar_abaixo(v, dac, removidas, corte)) continue;
                    // tighter with the edge that closes the gap: only the
                    // other new edge is left out
                    if (v->vizinhos->nao_negativa) {
                        if (dpq < 0.0f) dpq = d[p][q];
                        if (!((static_cast<double>(dpq) + static_cast<double>(dac)) - removidas <
                              corte))
                            continue;
                    }
                    double dt = delta_oropt(d, p, f, e, q, x, y, inverte, &removidas);
                    if (visita(Movimento{VIZINHANCA_OROPT, i, px, l, inverte}, dt, removidas))
                        return true;
                }
            }
        }
    }
    return false;
}

// From city a, the first improving move its candidates lead to.
bool procura(const Vizinhanca2optOropt* v, int a, Movimento* m, double* delta) {
    auto primeiro = [&](const Movimento& candidato, double dt, double removidas) {
        if (!melhora(dt, removidas)) return false;
        *m = candidato;
        *delta = dt;
        return true;
    };
    const double corte = 0.0;  // an improving move gains
    return (com_2opt(v) && v->n >= 4 && percorre_2opt(v, a, true, corte, primeiro)) ||
           (com_oropt(v) && percorre_oropt(v, a, true, corte, primeiro));
}

// Every move of the full neighbourhood of v->tipo, in the order melhor_2opt_oropt
// breaks ties by.
template <class Visita>
void percorre_tudo(const Vizinhanca2optOropt* v, Visita&& visita) {
    int n = v->n;
    if (com_2opt(v) && n >= 4)
        for (int i = 0; i < n; i++)
            for (int j = i + 2; j < n - (i == 0 ? 1 : 0); j++)
                visita(Movimento{VIZINHANCA_2OPT, i, j, 0, false});
    if (com_oropt(v))
        for (int i = 0; i < n; i++)
            for (int l = 1; l <= 3 && n >= l + 2; l++)
                for (int t = 0; t <= n - l - 2; t++)
                    for (int inverte = 0; inverte < (l == 1 ? 1 : 2); inverte++)
                        visita(Movimento{VIZINHANCA_OROPT, i, mod(i + l + t, n), l, inverte == 1});
}

void aplica_2opt(Vizinhanca2optOropt* v, int i, int j) {
    int n = v->n;
    int dentro = mod(j - i + n, n);  // s[i+1..j]
    if (dentro <= n - dentro)
        inverte_trecho(v, mod(i + 1, n), dentro);
    else
        inverte_trecho(v, mod(j + 1, n), n - dentro);  // s[j+1..i]: the same tour, read backwards
}

void aplica_oropt(Vizinhanca2optOropt* v, int i, int l, int j, bool inverte) {
    int n = v->n;
    int* s = v->s;
    int* posicao = v->posicao;
    float* arestas = v->arestas;
    int segmento[3];
    float internas[2];  // the segment's own edges travel with it
    for (int t = 0; t < l; t++) segmento[inverte ? l - 1 - t : t] = s[mod(i + t, n)];
    for (int t = 0; t + 1 < l; t++) internas[inverte ? l - 2 - t : t] = arestas[mod(i + t, n)];
    int depois = mod(mod(j - i, n) - l, n) + 1;  // cities from after the segment to s[j]
    int antes = n - l - depois;                    // from s[j+1] to before the segment
    int inicio;
    if (depois <= antes) {
        // s[i+l..j] moves back by l
        for (int t = 0; t < depois; t++) {
            int para = mod(i + t, n), c = s[mod(i + l + t, n)];
            s[para] = c;
            posicao[c] = para;
            if (t + 1 < depois) arestas[para] = arestas[mod(i + l + t, n)];
        }
        inicio = mod(i + depois, n);
        renova_aresta(v, i - 1 + n);  // p and the first city moved
    } else {
        // s[j+1..i-1] moves forward by l, last first
        for (int t = 0; t < antes; t++) {
            int para = mod(i + l - 1 - t, n), c = s[mod(i - 1 - t + n, n)];
            s[para] = c;
            posicao[c] = para;
            if (t + 1 < antes) arestas[mod(para - 1 + n, n)] = arestas[mod(i - 2 - t + n, n)];
        }
        inicio = mod(j + 1, n);
        renova_aresta(v, i + l - 1);  // the last city moved and q
    }
    for (int t = 0; t < l; t++) {
        int para = mod(inicio + t, n);
        s[para] = segmento[t];
        posicao[segmento[t]] = para;
        if (t + 1 < l) arestas[para] = internas[t];
    }
    renova_aresta(v, inicio - 1 + n);
    renova_aresta(v, inicio + l - 1);
}

}  // namespace

void cria_2opt_oropt(int n, int* s, float** d, int tipo, const VizinhosProximos* vizinhos,
                     Vizinhanca2optOropt* v) {
    v->n = n;
    v->s = s;
    v->d = d;
    v->tipo = tipo;
    v->vizinhos = vizinhos;
    v->posicao = cria_vetor_int(n);
    v->arestas = cria_vetor_float(n);
    v->fila = cria_vetor_int(n);
    v->na_fila = cria_vetor_int(n);
    v->frente = 0;
    v->quantos = n;
    for (int q = 0; q < n; q++) {
        v->posicao[s[q]] = q;
        v->fila[q] = s[q];
        v->na_fila[q] = 1;
        v->arestas[q] = d[s[q]][s[q + 1 == n ? 0 : q + 1]];
    }
}

double avalia_2opt_oropt(const Vizinhanca2optOropt* v, const Movimento& m, double* removidas) {
    int n = v->n;
    const int* s = v->s;
    if (m.tipo == VIZINHANCA_2OPT)
        return delta_2opt(v->d, s[m.i], s[mod(m.i + 1, n)], s[m.j], s[mod(m.j + 1, n)],
                          removidas);
    return delta_oropt(v->d, s[mod(m.i - 1 + n, n)], s[m.i], s[mod(m.i + m.comprimento - 1, n)],
                       s[mod(m.i + m.comprimento, n)], s[m.j], s[mod(m.j + 1, n)], m.inverte,
                       removidas);
}

bool melhor_2opt_oropt(const Vizinhanca2optOropt* v, Movimento* m, double* delta) {
    bool achou = false;
    double menor = 0;
    percorre_tudo(v, [&](const Movimento& candidato) {
        double removidas;
        double dt = avalia_2opt_oropt(v, candidato, &removidas);
        if (melhora(dt, removidas) && (!achou || dt < menor)) {
            achou = true;
            menor = dt;
            *m = candidato;
        }
    });
    if (achou) *delta = menor;
    return achou;
}

bool primeiro_2opt_oropt(Vizinhanca2optOropt* v, Movimento* m, double* delta) {
    while (v->quantos > 0) {
        int a = v->fila[v->frente];
        if (procura(v, a, m, delta)) return true;
        v->na_fila[a] = 0;
        v->frente = v->frente + 1 == v->n ? 0 : v->frente + 1;
        v->quantos--;
    }
    return false;
}

void aplica_2opt_oropt(Vizinhanca2optOropt* v, const Movimento& m) {
    int n = v->n;
    const int* s = v->s;
    // the cities of the removed edges, which are those of the added ones
    int extremos[6];
    int quantos = 0;
    if (m.tipo == VIZINHANCA_2OPT) {
        for (int q : {m.i, m.i + 1, m.j, m.j + 1}) extremos[quantos++] = s[mod(q, n)];
        aplica_2opt(v, m.i, m.j);
    } else {
        for (int q : {m.i - 1 + n, m.i, m.i + m.comprimento - 1, m.i + m.comprimento, m.j, m.j + 1})
            extremos[quantos++] = s[q % n];
        aplica_oropt(v, m.i, m.comprimento, m.j, m.inverte);
    }
    for (int t = 0; t < quantos; t++) enfileira(v, extremos[t]);
}

Movimento sorteia_2opt_oropt(const Vizinhanca2optOropt* v) {
    int n = v->n;
    bool dois_opt = v->tipo == VIZINHANCA_2OPT ||
                    (v->tipo == VIZINHANCA_2OPT_OROPT && sorteia_inteiro(2) == 0);
    if (dois_opt) {
        for (;;) {
            int i, j;
            sorteia_par(n, &i, &j);
            if (i > j) std::swap(i, j);
            // neighbours on the cycle share a city: no 2-opt move removes both edges
            if (j - i >= 2 && !(i == 0 && j == n - 1)) return Movimento{VIZINHANCA_2OPT, i, j, 0, false};
        }
    }
    int i = sorteia_inteiro(n);
    int l = 1 + sorteia_inteiro(std::min(3, n - 2));
    int j = mod(i + l + sorteia_inteiro(n - l - 1), n);
    bool inverte = l > 1 && sorteia_inteiro(2) == 1;
    return Movimento{VIZINHANCA_OROPT, i, j, l, inverte};
}

bool melhor_2opt_oropt_amostra(const Vizinhanca2optOropt* v, const int* posicoes, int m,
                               Movimento* mv, double* delta) {
    int n = v->n;
    bool achou = false;
    double menor = 0;
    auto considera = [&](const Movimento& candidato) {
        double removidas;
        double dt = avalia_2opt_oropt(v, candidato, &removidas);
        if (melhora(dt, removidas) && (!achou || dt < menor)) {
            achou = true;
            menor = dt;
            *mv = candidato;
        }
    };
    if (com_2opt(v) && n >= 4)
        for (int a = 0; a < m; a++)
            for (int b = a + 1; b < m; b++) {
                int i = std::min(posicoes[a], posicoes[b]), j = std::max(posicoes[a], posicoes[b]);
                if (j - i >= 2 && !(i == 0 && j == n - 1))
                    considera(Movimento{VIZINHANCA_2OPT, i, j, 0, false});
            }
    if (com_oropt(v))
        for (int a = 0; a < m; a++)
            for (int l = 1; l <= 3 && n >= l + 2; l++)
                for (int b = 0; b < m; b++) {
                    int i = posicoes[a], j = posicoes[b];
                    int t = mod(j - i, n);  // j from i + l to i - 2
                    if (t < l || t > n - 2) continue;
                    for (int inverte = 0; inverte < (l == 1 ? 1 : 2); inverte++)
                        considera(Movimento{VIZINHANCA_OROPT, i, j, l, inverte == 1});
                }
    if (achou) *delta = menor;
    return achou;
}

int arestas_do_movimento(const Vizinhanca2optOropt* v, const Movimento& m, Aresta* removidas,
                         Aresta* adicionadas) {
    int n = v->n;
    const int* s = v->s;
    auto em = [&](int q) { return s[mod(q % n, n)]; };
    if (m.tipo == VIZINHANCA_2OPT) {
        int a = em(m.i), b = em(m.i + 1), c = em(m.j), e = em(m.j + 1);
        removidas[0] = {a, b};
        removidas[1] = {c, e};
        adicionadas[0] = {a, c};
        adicionadas[1] = {b, e};
        return 2;
    }
    int p = em(m.i - 1 + n), f = em(m.i), e = em(m.i + m.comprimento - 1),
        q = em(m.i + m.comprimento), x = em(m.j), y = em(m.j + 1);
    removidas[0] = {p, f};
    removidas[1] = {e, q};
    removidas[2] = {x, y};
    adicionadas[0] = {p, q};
    adicionadas[1] = m.inverte ? Aresta{x, e} : Aresta{x, f};
    adicionadas[2] = m.inverte ? Aresta{f, y} : Aresta{e, y};
    return 3;
}

namespace {

bool adiciona_marcada(const Vizinhanca2optOropt* v, const Movimento& m, const Aresta* marcadas,
                      int quantas) {
    Aresta fora[3], novas[3];
    int k = arestas_do_movimento(v, m, fora, novas);
    for (int t = 0; t < k; t++)
        for (int r = 0; r < quantas; r++)
            if (mesma_aresta(novas[t], marcadas[r])) return true;
    return false;
}

// Takes candidato as the best so far when it comes under it and may be taken:
// a move that adds a marked edge only below aspiracao. Marked edges are looked
// up only then, so the scan itself costs what the descent's does.
inline void toma_se_melhor(const Vizinhanca2optOropt* v, const Movimento& candidato, double dt,
                           const Aresta* marcadas, int quantas, double aspiracao, bool* achou,
                           double* menor, Movimento* m) {
    if ((!*achou || dt < *menor) &&
        (quantas == 0 || dt < aspiracao || !adiciona_marcada(v, candidato, marcadas, quantas))) {
        *achou = true;
        *menor = dt;
        *m = candidato;
    }
}

// The moves the lists lead to from city a, in the scan's order.
template <class Visita>
void percorre_cidade(const Vizinhanca2optOropt* v, int a, const double& corte, Visita&& visita) {
    if (com_2opt(v) && v->n >= 4) percorre_2opt(v, a, false, corte, visita);
    if (com_oropt(v)) percorre_oropt(v, a, false, corte, visita);
}

// The first admissible move of least delta from city a, below *menor.
void melhor_da_cidade(const Vizinhanca2optOropt* v, int a, const Aresta* marcadas, int quantas,
                      double aspiracao, bool* achou, double* menor, Movimento* m) {
    percorre_cidade(v, a, *menor, [&](const Movimento& candidato, double dt, double) {
        toma_se_melhor(v, candidato, dt, marcadas, quantas, aspiracao, achou, menor, m);
        return false;
    });
}

}  // namespace

bool melhor_2opt_oropt_marcado(const Vizinhanca2optOropt* v, const Aresta* marcadas,
                               int quantas, double aspiracao, Movimento* m, double* delta) {
    bool achou = false;
    double menor = HUGE_VAL;  // no bound before the first move
    if (v->vizinhos == nullptr) {
        percorre_tudo(v, [&](const Movimento& candidato) {
            double removidas;
            double dt = avalia_2opt_oropt(v, candidato, &removidas);
            toma_se_melhor(v, candidato, dt, marcadas, quantas, aspiracao, &achou, &menor, m);
        });
    } else {
        // The best so far is the cut of every later city.
        for (int a = 0; a < v->n; a++)
            melhor_da_cidade(v, a, marcadas, quantas, aspiracao, &achou, &menor, m);
    }
    if (achou) *delta = menor;
    return achou;
}

void cria_melhores_por_cidade(const Vizinhanca2optOropt* v, MelhoresPorCidade* g) {
    int n = v->n, k = v->vizinhos->k;
    g->n = n;
    g->todos = cria_vetor_double(n);
    g->livres = cria_vetor_double(n);
    g->todos_marcado = cria_vetor_int(n);
    g->sujo = cria_vetor_int(n);
    g->antes = cria_vetor_int(n);
    g->depois = cria_vetor_int(n);
    for (int c = 0; c < n; c++) {
        g->sujo[c] = 1;
        g->antes[c] = g->depois[c] = -1;
    }
    // Reverse lists: who has c among its candidates.
    g->inicio_reversa = cria_vetor_int(n + 1);
    g->reversa = cria_vetor_int(n * k);
    for (int c = 0; c <= n; c++) g->inicio_reversa[c] = 0;
    for (int a = 0; a < n; a++)
        for (int r = 0; r < k; r++) g->inicio_reversa[vizinhos_de(v->vizinhos, a)[r] + 1]++;
    for (int c = 0; c < n; c++) g->inicio_reversa[c + 1] += g->inicio_reversa[c];
    int* cheio = cria_vetor_int(n);
    for (int c = 0; c < n; c++) cheio[c] = g->inicio_reversa[c];
    for (int a = 0; a < n; a++)
        for (int r = 0; r < k; r++) g->reversa[cheio[vizinhos_de(v->vizinhos, a)[r]]++] = a;
    libera_vetor(cheio);
    g->marcas.clear();
}

namespace {

// City c and the cities within 3 places of it: every move from them may
// touch an edge at c.
void suja_em_volta(const Vizinhanca2optOropt* v, MelhoresPorCidade* g, int c) {
    int n = v->n, pc = v->posicao[c];
    for (int t = -3; t <= 3; t++) g->sujo[v->s[((pc + t) % n + n) % n]] = 1;
}

}  // namespace

bool melhor_2opt_oropt_guardado(const Vizinhanca2optOropt* v, MelhoresPorCidade* g,
                                const Aresta* marcadas, int quantas, double aspiracao,
                                Movimento* m, double* delta) {
    int n = v->n;
    const int* s = v->s;
    // What changed since the last call. A city whose neighbours are the same
    // pair has its edges; the same pair the other way round, its side of the
    // tour turned (a reversed path): its moves, and those of the cities that
    // have it as a candidate, pair it with other sides now.
    for (int q = 0; q < n; q++) {
        int c = s[q], antes = s[q == 0 ? n - 1 : q - 1], depois = s[q + 1 == n ? 0 : q + 1];
        if (antes == g->antes[c] && depois == g->depois[c]) continue;
        bool mesmas_arestas = antes == g->depois[c] && depois == g->antes[c];
        g->antes[c] = antes;
        g->depois[c] = depois;
        g->sujo[c] = 1;
        for (int t = g->inicio_reversa[c]; t < g->inicio_reversa[c + 1]; t++)
            g->sujo[g->reversa[t]] = 1;
        if (!mesmas_arestas) suja_em_volta(v, g, c);
    }
    // Marks that came or went: the moves that add those edges.
    auto em = [](const Aresta& a, const Aresta* lista, int quantas) {
        for (int t = 0; t < quantas; t++)
            if (mesma_aresta(a, lista[t])) return true;
        return false;
    };
    int antigas = static_cast<int>(g->marcas.size());
    for (int t = 0; t < quantas; t++)
        if (!em(marcadas[t], g->marcas.data(), antigas)) {
            suja_em_volta(v, g, marcadas[t].a);
            suja_em_volta(v, g, marcadas[t].b);
        }
    for (int t = 0; t < antigas; t++)
        if (!em(g->marcas[t], marcadas, quantas)) {
            suja_em_volta(v, g, g->marcas[t].a);
            suja_em_volta(v, g, g->marcas[t].b);
        }
    g->marcas.assign(marcadas, marcadas + quantas);

    // Each city's least delta over all its moves, and over those that add no
    // marked edge: the move of a city that may be taken is the first of
    // these when it is marked and below aspiracao, else the second.
    int escolhida = -1;
    double menor = HUGE_VAL;
    for (int a = 0; a < n; a++) {
        if (g->sujo[a]) {
            g->sujo[a] = 0;
            double todos = HUGE_VAL, livres = HUGE_VAL;
            bool achou = false, marcado = false;
            percorre_cidade(v, a, livres, [&](const Movimento& candidato, double dt, double) {
                if (achou && !(dt < livres)) return false;
                bool este_marcado = quantas > 0 && adiciona_marcada(v, candidato, marcadas, quantas);
                if (!achou || dt < todos) {
                    todos = dt;
                    marcado = este_marcado;
                }
                if (!este_marcado) livres = dt;
                achou = true;
                return false;
            });
            g->todos[a] = todos;
            g->todos_marcado[a] = marcado;
            g->livres[a] = livres;
        }
        double valor = g->todos_marcado[a] && g->todos[a] < aspiracao ? g->todos[a] : g->livres[a];
        if (valor < menor) {
            menor = valor;
            escolhida = a;
        }
    }
    if (escolhida < 0) return false;
    // The move itself, as the full scan would have it from that city.
    bool achou = false;
    double d_escolhida = HUGE_VAL;
    melhor_da_cidade(v, escolhida, marcadas, quantas, aspiracao, &achou, &d_escolhida, m);
    *delta = d_escolhida;
    return achou;
}

void libera_melhores_por_cidade(MelhoresPorCidade* g) {
    libera_vetor(g->todos);
    libera_vetor(g->livres);
    libera_vetor(g->todos_marcado);
    libera_vetor(g->sujo);
    g->marcas.clear();
    libera_vetor(g->antes);
    libera_vetor(g->depois);
    libera_vetor(g->inicio_reversa);
    libera_vetor(g->reversa);
}

void comeca_em(int n, int* s, int cidade) { std::rotate(s, std::find(s, s + n, cidade), s + n); }

void libera_2opt_oropt(Vizinhanca2optOropt* v) {
    libera_vetor(v->posicao);
    libera_vetor(v->fila);
    libera_vetor(v->na_fila);
    libera_vetor(v->arestas);
    v->posicao = v->fila = v->na_fila = nullptr;
    v->arestas = nullptr;
}
