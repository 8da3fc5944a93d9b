#ifndef NUCLEO_ACOMPANHAMENTO_H
#define NUCLEO_ACOMPANHAMENTO_H

#include <csignal>
#include <cstdio>
#include <ctime>
#include <limits>

// What a method does besides its search. Without one (nullptr) a method does
// what the menus show: its progress lines, its trace files in the working
// directory, its pauses for a key. The experiment program hands one instead:
// then the method prints nothing, writes no file of its own and never waits;
// it stops at its next check once the budget is spent or an interruption came,
// keeping its best tour; it counts its iterations; and, given a trace, it
// writes its events there as one line each.
struct Acompanhamento {
    clock_t inicio;                                 // processor clock at the method's start
    clock_t limite;                                 // reading that stops it; SEM_LIMITE: none
    const volatile std::sig_atomic_t* interrupcao;  // nonzero: stop (may be nullptr)
    FILE* traco;                                    // uniform trace, or nullptr
    int passo;                                      // the method's place in its chain
    const char* metodo;                             // its name in the trace
    long long iteracoes;                            // out: what the method counts
    bool parou;                                     // out: the budget or an interruption stopped it
};

const clock_t SEM_LIMITE = -1;
// An empty column of the trace.
const double SEM_VALOR = std::numeric_limits<double>::quiet_NaN();

// The header of the uniform trace; every line of it comes from anota.
extern const char* const CABECALHO_TRACO;

// A follow-up for one method of a chain: the clock read now, nothing counted.
Acompanhamento inicia_acompanhamento(FILE* traco, int passo, const char* metodo,
                                     double segundos_limite,
                                     const volatile std::sig_atomic_t* interrupcao);

// True where the menus' program runs the method: lines, files and pauses as ever.
inline bool no_menu(const Acompanhamento* a) { return a == nullptr; }

// True once the budget is spent or an interruption came, and from then on.
// Without a budget only the interruption is looked at, so no clock is read.
bool deve_parar(Acompanhamento* a);

// One trace line: passo, metodo, evento, iteracao, processor seconds since the
// start, fo, fo_star, then temperatura and media, left empty when NaN. Nothing
// without a trace.
void anota(Acompanhamento* a, const char* evento, long long iteracao, float fo, float fo_star,
           double temperatura, double media);
inline void anota(Acompanhamento* a, const char* evento, long long iteracao, float fo,
                  float fo_star) {
    if (a != nullptr && a->traco != nullptr)
        anota(a, evento, iteracao, fo, fo_star, SEM_VALOR, SEM_VALOR);
}

// The same budget and interruption for a method called inside another (the
// descents of GRASP and VNS), without a trace of its own. The caller hands the
// result's address on, or nullptr when it was itself handed nullptr.
Acompanhamento* acompanhamento_interno(const Acompanhamento* a, Acompanhamento* interno);
// After the inner call: its stop becomes the caller's. True when it stopped.
bool parou_dentro(Acompanhamento* a, const Acompanhamento* interno);

#endif
