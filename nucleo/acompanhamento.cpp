#include "nucleo/acompanhamento.h"

#include <cmath>

#include "nucleo/formato.h"
#include "nucleo/plataforma.h"

const char* const CABECALHO_TRACO =
    "passo,metodo,evento,iteracao,tempo,fo,fo_star,temperatura,media\n";

Acompanhamento inicia_acompanhamento(FILE* traco, int passo, const char* metodo,
                                     double segundos_limite,
                                     const volatile std::sig_atomic_t* interrupcao) {
    Acompanhamento a;
    a.inicio = relogio_cpu();
    a.limite = SEM_LIMITE;
    // Whole ticks, rounded up: the method never stops before its budget.
    if (segundos_limite >= 0.0)
        a.limite = a.inicio + static_cast<clock_t>(std::ceil(segundos_limite * CLOCKS_PER_SEC));
    a.interrupcao = interrupcao;
    a.traco = traco;
    a.passo = passo;
    a.metodo = metodo;
    a.iteracoes = 0;
    a.parou = false;
    return a;
}

bool deve_parar(Acompanhamento* a) {
    if (a == nullptr) return false;
    if (a->parou) return true;
    if (a->interrupcao != nullptr && *a->interrupcao != 0) a->parou = true;
    if (a->limite != SEM_LIMITE && relogio_cpu() >= a->limite) a->parou = true;
    return a->parou;
}

namespace {
void coluna(FILE* f, double valor) {
    if (!std::isnan(valor)) fputs(texto_real(valor).texto, f);
}
}  // namespace

void anota(Acompanhamento* a, const char* evento, long long iteracao, float fo, float fo_star,
           double temperatura, double media) {
    if (a == nullptr || a->traco == nullptr) return;
    FILE* f = a->traco;
    double tempo = static_cast<double>(relogio_cpu() - a->inicio) / CLOCKS_PER_SEC;
    fprintf(f, "%d,%s,%s,%lld,", a->passo, a->metodo, evento, iteracao);
    coluna(f, tempo);
    fputc(',', f);
    coluna(f, fo);
    fputc(',', f);
    coluna(f, fo_star);
    fputc(',', f);
    coluna(f, temperatura);
    fputc(',', f);
    coluna(f, media);
    fputc('\n', f);
}

Acompanhamento* acompanhamento_interno(const Acompanhamento* a, Acompanhamento* interno) {
    if (a == nullptr) return nullptr;
    *interno = *a;
    interno->traco = nullptr;
    interno->iteracoes = 0;
    return interno;
}

bool parou_dentro(Acompanhamento* a, const Acompanhamento* interno) {
    if (a == nullptr || interno == nullptr || !interno->parou) return false;
    a->parou = true;
    return true;
}
