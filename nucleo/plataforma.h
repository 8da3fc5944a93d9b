#ifndef NUCLEO_PLATAFORMA_H
#define NUCLEO_PLATAFORMA_H

// The few services the program asks of the operating system, each behind one
// call, so that the rest of the code reads the same on every platform.

#include <cstddef>
#include <ctime>

#include "nucleo/ajustes.h"

// Compiler hints, empty where the compiler has no such thing.
#if defined(_MSC_VER) && !defined(__clang__)
#define NAO_EXPANDIR __declspec(noinline)
#define BUSCA_ANTECIPADA(endereco) ((void)(endereco))
#else
#define NAO_EXPANDIR __attribute__((noinline))
#define BUSCA_ANTECIPADA(endereco) __builtin_prefetch(endereco)
#endif

// Asks for a whole row of n floats, a cache line (16 floats) at a time, ahead of
// reads at scattered places of it that no hardware prefetcher foresees; only
// from CIDADES_ANTECIPADAS (nucleo/ajustes.h) on, where it pays.
inline void antecipa_linha(const float* linha, int n) {
    if (n < CIDADES_ANTECIPADAS) return;
    for (int c = 0; c < n; c += 16) BUSCA_ANTECIPADA(linha + c);
}

// Standard input and output as bytes: no CR LF line ends written, and a 0x1A
// byte in the input is a byte, not the end (both only ever happen on Windows).
void prepara_console();

// Processor time of the process, in ticks of CLOCKS_PER_SEC: clock() where it
// measures processor time; on Windows, where it measures wall time, the
// process's user and kernel times.
clock_t relogio_cpu();

// Seconds between two processor-clock readings: whole ticks over the clock's rate.
double segundos_decorridos(clock_t inicio, clock_t fim);

// Seconds since `inicio` for trace lines, as a single-precision float.
float segundos_desde(clock_t inicio);

// True when standard error is a terminal, where a progress line may be redrawn.
bool erro_padrao_e_terminal();
// Bytes of physical memory of the machine, or 0 when it cannot be told.
double memoria_fisica();

#endif
