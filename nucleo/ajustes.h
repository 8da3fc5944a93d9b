#ifndef NUCLEO_AJUSTES_H
#define NUCLEO_AJUSTES_H

// The tuning constants of the fast paths, beside the methods' parameters
// (nucleo/parametros.h). Unlike those, none of these changes a single byte of
// the output: each only decides how a result is reached, and a unit test holds
// every path it switches on to the plain procedure (docs/mapa.md). Each comes
// with the figure that chose it, measured on the machine of docs/desempenho.md
// (2 cores, 96 KiB L1d, 4 MiB L2).

// From this many cities on, the matrix (n^2 floats: 1 MB at 512) leaves the
// fastest caches, and the scans ask ahead for the rows they read at scattered
// places (antecipa_linha), the row bounds gather the rows a swap changes in
// tour order (cotas_linhas), and the cheapest insertion defers its searches for
// a place to fetch each next row ahead (insercao). Below it the whole matrix
// stays in cache and the asking only costs (commit 61ce6db); above it the
// gathered rows took GRASP by nearest neighbour on 10,000 cities from 172,000
// to 254,000 swaps in 60 s of processor time (docs/dez_mil_cidades.md).
const int CIDADES_ANTECIPADAS = 512;

// The row bounds form a changed row's pairs in blocks of this many, in vector
// instructions, and look at a block pair by pair only when it holds a value
// below the row's second bound: 190,000 swaps in 60 s with the pairs one by
// one, 254,000 in blocks (GRASP by nearest neighbour, 10,000 cities,
// docs/dez_mil_cidades.md). 64 floats are four cache lines.
const int BLOCO_COTAS = 64;

// The symmetry check compares the matrix with its transpose in square tiles of
// this side: each row of a tile is 8 cache lines of one page, so the transposed
// reads cost few address translations. 0.21 s to 0.13 s per check on 10,000
// cities, against tiles of 16 (commit 35ea7e0).
const int LADO_LADRILHO = 128;

// A partially greedy draw counts the offers into this many buckets of equal
// width and selects only in the bucket that holds the place drawn; fewer offers
// go to the heap. The partially greedy nearest neighbour on 10,000 cities went
// from 0.72 s to 0.52 s (commit b18ffdc, docs/dez_mil_cidades.md).
const int BALDES = 256;

// With a follow-up, the random descent looks at its budget once every this many
// draws: a clock reading costs about as much as a few hundred draws (commit
// 8b9ee4d; no finer figure was recorded).
const long long SORTEIOS_POR_CONSULTA = 1024;

#endif
