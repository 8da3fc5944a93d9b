#ifndef BENCH_COMUM_H
#define BENCH_COMUM_H

#include <string>

// An instance loaded by the program's own loaders, with a random starting tour.
struct InstanciaBench {
    int n = 0;
    float** d = nullptr;
    int* s = nullptr;
};

// "eil51", "aleatoria200", "aleatoria1000": folders under instancias/.
InstanciaBench carrega_instancia(const std::string& nome);
void libera_instancia(InstanciaBench& inst);

// Name of the bundled instance with about n cities.
std::string instancia_de_tamanho(long n);

// Where choice 1, option 5 of the menu leaves a run: the generator seeded with
// 1000 and s built by constroi_aleatoria, which took n - 1 numbers.
void percurso_do_menu(InstanciaBench& inst);

// Methods print progress and the tabu search waits for a key: while one of
// these lives, standard output goes to `arquivo` (stdin is already empty).
class Silencio {
public:
    explicit Silencio(const char* arquivo = "/dev/null");
    ~Silencio();
    Silencio(const Silencio&) = delete;
    Silencio& operator=(const Silencio&) = delete;

private:
    int saida_original_;
};

// Whole text of a file of the scratch folder ("" when absent).
std::string le_texto(const char* nome);
// Lines of a file ("\n" count); 0 when absent.
long conta_linhas(const char* nome);
// Times the text occurs in a file.
long conta_ocorrencias(const char* nome, const char* trecho);
// Empties the folder's trace files, so each timed call's lines can be counted.
void apaga_tracos();

// Numbers the program's stream gave since it was seeded with `semente`,
// found by replaying a private mt19937 until it reaches the stream's next two
// numbers (which this call takes from the stream). The stream is the standard
// mt19937, so the replay is exact; -1 if not found within `limite` numbers.
long numeros_sorteados_desde(unsigned semente, long limite);

#endif
