#ifndef NUCLEO_PARAMETROS_H
#define NUCLEO_PARAMETROS_H

// The parameters of every method the menus run. The program and the benchmarks
// both read them here, so what is measured is what the menus do: a change here
// changes the program's output, and the end-to-end transcripts with it. (The
// tuning constants of the fast paths, which change no output: nucleo/ajustes.h.)

// Constructions (choice 1).
const unsigned int SEMENTE_CONSTRUCAO = 1000;  // seed before the random construction
const float ALFA_CONSTRUCAO = 0.05f;           // greediness of options 2 and 4

// GRASP (choice 7).
const unsigned int SEMENTE_GRASP = 1000;  // seed before the first iteration
const float ALFA_GRASP = 0.1f;            // greediness of each iteration's construction
const int ITERACOES_GRASP = 100;          // iterations (iter_max)

// Descents (choices 3 and 4).
const int MAX_SEM_MELHORA = 2500;        // random descent: failed draws in a row that end it
const float PERCENTUAL_AMOSTRA = 20.0f;  // partial descent: % of positions sampled

// Simulated annealing (choice 5): first the search for the starting temperature.
const float TAXA_AQUECIMENTO = 1.1f;         // heating factor per level
const float TAXA_ACEITACAO = 0.95f;          // share of trials accepted that stops the heating
const int SA_MAX_TEMPERATURA_INICIAL = 500;  // trials per level
const float TAXA_RESFRIAMENTO = 0.995f;      // cooling factor
const float TEMPERATURA_FINAL = 0.01f;       // the annealing runs while above it
const int SA_MAX = 500;                      // moves tried per temperature

// Tabu search (choice 6).
const int TAMANHO_LISTA_TABU = 10;  // moves kept tabu
const int BT_MAX = 300;             // iterations without a new best that end it

// VNS (choice 9).
const int VNS_MAX = 3;          // iterations
const int VNS_VIZINHANCAS = 5;  // neighbourhoods: k random swaps, k = 1..5

// Genetic algorithm (choice 10).
const unsigned int SEMENTE_AG = 1500;  // seed before the initial population
const int AG_TAMANHO_POPULACAO = 200;  // individuals kept per generation
const float AG_ALFA_POPULACAO = 0.05f;  // greediness of every initial individual
const float AG_CV_MINIMO = 0.01f;      // generations go on while the fo's CV is above it
const double AG_PROB_CROSSOVER = 0.8;  // chance of crossing a drawn pair
const double AG_PROB_MUTACAO = 0.01;   // chance of a swap, per row and generation

// 2-opt and Or-opt descents (the experiment program's --vizinhanca; no menu).
// Candidates per city of the fast search, 0 for the full neighbourhood. Of
// 5, 6, 8, 10, 12, 16 and 20, 16 gave the least mean gap over the ten TSPLIB
// files from the nearest-neighbour tour, 4.54 % with 2-opt and 3.59 % with
// 2-opt + Or-opt (docs/vizinhancas.md).
const int VIZINHOS = 16;

#endif
