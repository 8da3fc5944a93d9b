#ifndef CONSTRUCAO_GRASP_H
#define CONSTRUCAO_GRASP_H

// GRASP: iter_max times, builds a tour in s with a partially greedy
// construction (metodo 1 nearest neighbour, 2 cheapest insertion, both with
// alfa), takes it down to a swap-local optimum with descida and keeps the best.
// Each strict improvement prints "Iteracao GRASP = %3d \t  fo_star = %8.2f \n".
//   n, s (its content on entry is not used; holds the best tour on return), d,
//   alfa, iter_max, metodo.
// Returns the best value as the descent reported it, not recomputed.
// Random draws: only the constructions draw, iteration after iteration:
// n-1 numbers per iteration with metodo 1, n-3 with metodo 2.
// With iter_max below 1, another metodo, or metodo 2 on fewer than 3 cities
// (which prints the insertion's one-line refusal), s is left as it was and
// its calcula_fo value is returned.
// With an Acompanhamento (nucleo/acompanhamento.h) nothing is printed and the
// descents write no file; the trace gets one iteracao per iteration (the
// descent's fo, fo_star) and fim; a spent budget ends the search inside the
// current descent, whose tour still competes; iteracoes counts the iterations.
// vizinhanca 0 (the default) descends with descida as above; a TipoVizinhanca
// (busca_local/vizinhanca_2opt_oropt.h) descends with descida_vizinhanca in
// that neighbourhood instead, with candidate lists of vizinhos cities built
// once (0: the full neighbourhood).
struct Acompanhamento;
float grasp(int n, int* s, float** d, float alfa, int iter_max, int metodo,
            Acompanhamento* acompanhamento = nullptr, int vizinhanca = 0, int vizinhos = 0);

#endif
