#include "busca_local/vizinhanca_2opt_oropt.h"

#include <initializer_list>

#include "busca_local/vizinhos_proximos.h"
#include "nucleo/alocacao.h"

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

// Reverses the cyclic stretch of comprimento positions from inicio.
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
}

// From city a, the first improving 2-opt move that adds (a, c), c a candidate
// of a nearer than a's tour neighbour on that side.
bool procura_2opt(const Vizinhanca2optOropt* v, int a, Movimento* m, double* delta) {
    int n = v->n;
    const int* s = v->s;
    const int* posicao = v->posicao;
    float** d = v->d;
    const int* lista = vizinhos_de(v->vizinhos, a);
    int k = v->vizinhos->k;
    int pa = posicao[a];
    for (int lado = 0; lado < 2; lado++) {
        // lado 0: b after a, e after c; lado 1: both before
        int b = lado == 0 ? s[mod(pa + 1, n)] : s[mod(pa - 1, n)];
        float dab = d[a][b];
        for (int r = 0; r < k; r++) {
            int c = lista[r];
            if (!(d[a][c] < dab)) break;
            int pc = posicao[c];
            int e = lado == 0 ? s[mod(pc + 1, n)] : s[mod(pc - 1, n)];
            if (e == a || c == b) continue;  // the two edges meet at a
            double removidas;
            double dt = lado == 0 ? delta_2opt(d, a, b, c, e, &removidas)
                                  : delta_2opt(d, b, a, e, c, &removidas);
            if (melhora(dt, removidas)) {
                *m = lado == 0 ? Movimento{VIZINHANCA_2OPT, pa, pc, 0, false}
                               : Movimento{VIZINHANCA_2OPT, posicao[b], posicao[e], 0, false};
                *delta = dt;
                return true;
            }
        }
    }
    return false;
}

// From city a at one end of a segment of 1 to 3 cities, the first improving
// Or-opt move that puts a next to c, a candidate nearer than a's neighbour
// outside the segment.
bool procura_oropt(const Vizinhanca2optOropt* v, int a, Movimento* m, double* delta) {
    int n = v->n;
    const int* s = v->s;
    const int* posicao = v->posicao;
    float** d = v->d;
    const int* lista = vizinhos_de(v->vizinhos, a);
    int k = v->vizinhos->k;
    int pa = posicao[a];
    for (int l = 1; l <= 3 && n >= l + 2; l++) {
        for (int lado = 0; lado < (l == 1 ? 1 : 2); lado++) {
            // lado 0: the segment runs forward from a; lado 1: it ends at a
            int i = lado == 0 ? pa : mod(pa - l + 1, n);
            int f = s[i], e = s[mod(i + l - 1, n)];
            int p = s[mod(i - 1, n)], q = s[mod(i + l, n)];
            int fora_a = lado == 0 ? p : q;
            float limite = d[a][fora_a];
            for (int r = 0; r < k; r++) {
                int c = lista[r];
                if (!(d[a][c] < limite)) break;
                int pc = posicao[c];
                if (no_segmento(pc, i, l, n)) continue;
                for (int sentido = 0; sentido < 2; sentido++) {
                    // the edge (x, y) = (c, after c) or (before c, c)
                    int px = sentido == 0 ? pc : mod(pc - 1, n);
                    int x = s[px], y = s[mod(px + 1, n)];
                    if (no_segmento(px, i, l, n) || no_segmento(mod(px + 1, n), i, l, n)) continue;
                    // a next to c: first after x, or last before y
                    bool inverte = sentido == 0 ? f != a : e != a;
                    double removidas;
                    double dt = delta_oropt(d, p, f, e, q, x, y, inverte, &removidas);
                    if (melhora(dt, removidas)) {
                        *m = Movimento{VIZINHANCA_OROPT, i, px, l, inverte};
                        *delta = dt;
                        return true;
                    }
                }
            }
        }
    }
    return false;
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
    int segmento[3];
    for (int t = 0; t < l; t++) segmento[inverte ? l - 1 - t : t] = s[mod(i + t, n)];
    int depois = mod(mod(j - i, n) - l, n) + 1;  // cities from after the segment to s[j]
    int antes = n - l - depois;                    // from s[j+1] to before the segment
    int inicio;
    if (depois <= antes) {
        // s[i+l..j] moves back by l
        for (int t = 0; t < depois; t++) {
            int para = mod(i + t, n), c = s[mod(i + l + t, n)];
            s[para] = c;
            posicao[c] = para;
        }
        inicio = mod(i + depois, n);
    } else {
        // s[j+1..i-1] moves forward by l, last first
        for (int t = 0; t < antes; t++) {
            int para = mod(i + l - 1 - t, n), c = s[mod(i - 1 - t + n, n)];
            s[para] = c;
            posicao[c] = para;
        }
        inicio = mod(j + 1, n);
    }
    for (int t = 0; t < l; t++) {
        int para = mod(inicio + t, n);
        s[para] = segmento[t];
        posicao[segmento[t]] = para;
    }
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
    v->fila = cria_vetor_int(n);
    v->na_fila = cria_vetor_int(n);
    v->frente = 0;
    v->quantos = n;
    for (int q = 0; q < n; q++) {
        v->posicao[s[q]] = q;
        v->fila[q] = s[q];
        v->na_fila[q] = 1;
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
    int n = v->n;
    bool achou = false;
    double menor = 0;
    auto considera = [&](const Movimento& candidato) {
        double removidas;
        double dt = avalia_2opt_oropt(v, candidato, &removidas);
        if (melhora(dt, removidas) && (!achou || dt < menor)) {
            achou = true;
            menor = dt;
            *m = candidato;
        }
    };
    if (com_2opt(v) && n >= 4)
        for (int i = 0; i < n; i++)
            for (int j = i + 2; j < n - (i == 0 ? 1 : 0); j++)
                considera(Movimento{VIZINHANCA_2OPT, i, j, 0, false});
    if (com_oropt(v))
        for (int i = 0; i < n; i++)
            for (int l = 1; l <= 3 && n >= l + 2; l++)
                for (int t = 0; t <= n - l - 2; t++)
                    for (int inverte = 0; inverte < (l == 1 ? 1 : 2); inverte++)
                        considera(Movimento{VIZINHANCA_OROPT, i, mod(i + l + t, n), l,
                                            inverte == 1});
    if (achou) *delta = menor;
    return achou;
}

bool primeiro_2opt_oropt(Vizinhanca2optOropt* v, Movimento* m, double* delta) {
    while (v->quantos > 0) {
        int a = v->fila[v->frente];
        if (com_2opt(v) && v->n >= 4 && procura_2opt(v, a, m, delta)) return true;
        if (com_oropt(v) && procura_oropt(v, a, m, delta)) return true;
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

void libera_2opt_oropt(Vizinhanca2optOropt* v) {
    libera_vetor(v->posicao);
    libera_vetor(v->fila);
    libera_vetor(v->na_fila);
    v->posicao = v->fila = v->na_fila = nullptr;
}
