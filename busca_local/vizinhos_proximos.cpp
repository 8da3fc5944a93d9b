#include "busca_local/vizinhos_proximos.h"

#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "nucleo/alocacao.h"

namespace {

// Whether x at distance dx comes before y at distance dy in a list.
inline bool antes(float dx, int x, float dy, int y) { return dx < dy || (dx == dy && x < y); }

// Whether one of the 8 values from v is at most teto. The lists come out the
// same either way: this only passes blocks over.
inline bool algum_ate(const float* v, float teto) {
#if defined(__SSE2__)
    __m128 t = _mm_set1_ps(teto);
    __m128 menores = _mm_or_ps(_mm_cmple_ps(_mm_loadu_ps(v), t), _mm_cmple_ps(_mm_loadu_ps(v + 4), t));
    return _mm_movemask_ps(menores) != 0;
#else
    bool algum = false;
    for (int j = 0; j < 8; j++) algum |= v[j] <= teto;
    return algum;
#endif
}

}  // namespace

void cria_vizinhos_proximos(int n, float** d, int k, VizinhosProximos* v) {
    if (k > n - 1) k = n - 1;
    if (k < 1) k = 1;
    v->n = n;
    v->k = k;
    v->lista = cria_vetor_int(n * k);
    v->distancia = cria_vetor_float(n * k);
    bool negativa = false;
    for (int c = 0; c < n; c++) {
        int* lista = v->lista + static_cast<long long>(c) * k;
        float* dist = v->distancia + static_cast<long long>(c) * k;
        const float* linha = d[c];
        int cheios = 0;
        float teto = HUGE_VALF;  // the last entry's distance once the list is full
        // Sorted insertion into a list of k: most of a row fails the single
        // comparison with the current last entry.
        auto considera = [&](int x) {
            float dx = linha[x];
            // A negative entry passed over would be above teto, which is
            // then negative itself: one entered the list before it.
            if (dx < 0.0f) negativa = true;
            if (dx > teto) return;
            if (cheios == k && !antes(dx, x, dist[k - 1], lista[k - 1])) return;
            int r = cheios < k ? cheios++ : k - 1;
            while (r > 0 && antes(dx, x, dist[r - 1], lista[r - 1])) {
                dist[r] = dist[r - 1];
                lista[r] = lista[r - 1];
                r--;
            }
            dist[r] = dx;
            lista[r] = x;
            if (cheios == k) teto = dist[k - 1];
        };
        // Blocks of 8 with none at or below teto are passed over by one
        // vector comparison.
        auto percorre = [&](int de, int ate) {
            int x = de;
            for (; x + 8 <= ate; x += 8) {
                if (!algum_ate(linha + x, teto)) continue;
                for (int j = 0; j < 8; j++) considera(x + j);
            }
            for (; x < ate; x++) considera(x);
        };
        // From c + 1 on, round to c - 1: files list their cities in some
        // spatial order (pr1002 does), and read from 0 every city that comes
        // nearer to c would be inserted in turn.
        percorre(c + 1, n);
        percorre(0, c);
    }
    v->nao_negativa = !negativa;
}

void libera_vizinhos_proximos(VizinhosProximos* v) {
    libera_vetor(v->lista);
    libera_vetor(v->distancia);
    v->lista = nullptr;
    v->distancia = nullptr;
}
