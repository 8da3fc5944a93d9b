#include "busca_local/vizinhos_proximos.h"

#include "nucleo/alocacao.h"

namespace {

// Whether x at distance dx comes before y at distance dy in a list.
inline bool antes(float dx, int x, float dy, int y) { return dx < dy || (dx == dy && x < y); }

}  // namespace

void cria_vizinhos_proximos(int n, float** d, int k, VizinhosProximos* v) {
    if (k > n - 1) k = n - 1;
    if (k < 1) k = 1;
    v->n = n;
    v->k = k;
    v->lista = cria_vetor_int(n * k);
    float* dist = cria_vetor_float(k);
    for (int c = 0; c < n; c++) {
        int* lista = v->lista + static_cast<long long>(c) * k;
        const float* linha = d[c];
        int cheios = 0;
        // Sorted insertion into a list of k: most of a row fails the single
        // comparison with the current last entry.
        for (int x = 0; x < n; x++) {
            if (x == c) continue;
            float dx = linha[x];
            if (cheios == k && !antes(dx, x, dist[k - 1], lista[k - 1])) continue;
            int r = cheios < k ? cheios++ : k - 1;
            while (r > 0 && antes(dx, x, dist[r - 1], lista[r - 1])) {
                dist[r] = dist[r - 1];
                lista[r] = lista[r - 1];
                r--;
            }
            dist[r] = dx;
            lista[r] = x;
        }
    }
    libera_vetor(dist);
}

void libera_vizinhos_proximos(VizinhosProximos* v) {
    libera_vetor(v->lista);
    v->lista = nullptr;
}
