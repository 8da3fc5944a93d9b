#ifndef BUSCA_LOCAL_DESCIDA_PARCIAL_H
#define BUSCA_LOCAL_DESCIDA_PARCIAL_H

// Partial descent in the swap neighbourhood: every iteration shuffles the
// positions, examines the swaps among the first num_posicoes of them, applies
// the best strictly improving one, and stops at the first sample without one.
//   n, s, d     instance and tour (s is improved in place)
//   percentual  share of the positions sampled, in percent; truncated to an int
//               first, so the sample holds (int(percentual) * n) / 100 positions.
//               Above 100 every position is sampled; 0 or less samples none.
// Empties "Descida.txt" and appends to "Descidaparcialsaida.txt" one line at the
// start, one per applied swap and one at the end (elapsed seconds, 0, fo).
// Returns the carried fo of the tour left in s.
// Random draws: only the shuffles, one embaralha_vetor(posicoes, n) per scan.
// With an Acompanhamento (nucleo/acompanhamento.h) no file is written; the trace
// gets inicio, one melhora per applied swap and fim; a spent budget ends the
// descent before its next scan; iteracoes counts the scans.
// tipo_vizinhanca 0 (the default) is the swap above; a TipoVizinhanca
// (busca_local/vizinhanca_2opt_oropt.h) takes instead the best move of that
// neighbourhood among the sample's positions (melhor_2opt_oropt_amostra) that
// gains more than the guard melhora asks; the tour left in s starts at the
// city it started at, and calcula_fo is returned.
struct Acompanhamento;
float descida_parcial(int n, int* s, float** d, float percentual,
                      Acompanhamento* acompanhamento = nullptr, int tipo_vizinhanca = 0);

// The positions of one scan's sample: the identity shuffled by
// embaralha_vetor(posicoes, n); the scan takes the first num_posicoes.
void sorteia_amostra(int n, int* posicoes);

#endif
