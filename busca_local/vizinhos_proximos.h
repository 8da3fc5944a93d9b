#ifndef BUSCA_LOCAL_VIZINHOS_PROXIMOS_H
#define BUSCA_LOCAL_VIZINHOS_PROXIMOS_H

// Candidate lists: for every city its k nearest other cities, nearest first,
// ties to the smaller city number, read from the rows of d (d[c][x] for city
// c). Built once per matrix and shared by every search on it.
struct VizinhosProximos {
    int n;
    int k;             // entries per city: min(k asked, n - 1)
    int* lista;        // lista[c * k + r]: the r-th nearest city of c
    float* distancia;  // distancia[c * k + r]: d[c][lista[c * k + r]]
    bool nao_negativa;  // no entry of d off the diagonal below 0 (the searches' lower bounds need it)
};

// Fills v for the k nearest (k >= 1, n >= 2). O(n^2) reads of d, O(k) per
// entry only when it enters a list.
void cria_vizinhos_proximos(int n, float** d, int k, VizinhosProximos* v);

inline const int* vizinhos_de(const VizinhosProximos* v, int cidade) {
    return v->lista + static_cast<long long>(cidade) * v->k;
}
inline const float* distancias_de(const VizinhosProximos* v, int cidade) {
    return v->distancia + static_cast<long long>(cidade) * v->k;
}

void libera_vizinhos_proximos(VizinhosProximos* v);

#endif
