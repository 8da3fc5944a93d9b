#ifndef BUSCA_LOCAL_DESCIDA_RANDOMICA_H
#define BUSCA_LOCAL_DESCIDA_RANDOMICA_H

// Random descent in the swap neighbourhood: draws one swap of two distinct
// positions at a time, keeps it when it strictly shortens the tour and undoes it
// otherwise, and stops after max_sem_melhora consecutive draws without an
// improvement (at least one draw is always made). Writes no file, prints nothing.
//   n, s, d          instance and tour (s is improved in place)
//   max_sem_melhora  consecutive non-improving draws that end the search
// Returns the carried fo of the tour left in s.
// Random draws, per draw: sorteia_inteiro(n) for i, then sorteia_inteiro(n) for j,
// j alone drawn again while it equals i.
// With fewer than two cities no swap exists: says so, leaves s unchanged and
// returns calcula_fo.
// With an Acompanhamento (nucleo/acompanhamento.h) nothing is printed; the trace
// gets inicio, one melhora per kept swap and fim; the budget is looked at every
// 1024 draws; iteracoes counts the draws.
// tipo_vizinhanca 0 (the default) is the swap above; a TipoVizinhanca
// (busca_local/vizinhanca_2opt_oropt.h) draws each move with sorteia_2opt_oropt
// instead and keeps it when it gains more than the guard melhora asks; the
// tour left in s starts at the city it started at, and calcula_fo is returned.
struct Acompanhamento;
float descida_randomica(int n, int* s, float** d, int max_sem_melhora,
                        Acompanhamento* acompanhamento = nullptr, int tipo_vizinhanca = 0);

#endif
