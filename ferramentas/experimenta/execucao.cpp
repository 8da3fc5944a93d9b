#include "execucao.h"

#include <ctime>
#include <filesystem>
#include <fstream>

#include "busca_local/descida.h"
#include "busca_local/descida_parcial.h"
#include "busca_local/descida_randomica.h"
#include "busca_local/descida_vizinhanca.h"
#include "busca_local/vizinhanca_2opt_oropt.h"
#include "busca_tabu/busca_tabu.h"
#include "construcao/constroi_aleatoria.h"
#include "construcao/constroi_insercao_mais_barata.h"
#include "construcao/constroi_insercao_mais_barata_parcial.h"
#include "construcao/constroi_vizinho_mais_proximo.h"
#include "construcao/constroi_vizinho_mais_proximo_parcial.h"
#include "construcao/grasp.h"
#include "genetico/algoritmo_genetico.h"
#include "nucleo/acompanhamento.h"
#include "nucleo/aleatorio.h"
#include "nucleo/alocacao.h"
#include "nucleo/instancia.h"
#include "nucleo/plataforma.h"
#include "nucleo/solucao.h"
#include "simulated_annealing/simulated_annealing.h"
#include "simulated_annealing/temperatura_inicial.h"
#include "tsplib.h"
#include "vns/vns.h"

namespace fs = std::filesystem;

namespace {

// O genetico com OX e o que mais cidades pede; abaixo disso nenhuma cadeia roda inteira.
const int CIDADES_MINIMAS = 5;

bool e_tsplib(const fs::path& caminho) {
    return caminho.extension() == ".tsp" && fs::is_regular_file(caminho);
}

bool carrega_pasta(const fs::path& pasta, InstanciaExperimento* inst, std::string* erro) {
    fs::path info = pasta / "c50info.txt", coordenadas = pasta / "c50.txt";
    FILE* arquivo = fopen(info.string().c_str(), "rb");
    if (arquivo == nullptr) {
        *erro = info.string() + ": nao pode ser aberto";
        return false;
    }
    int cidades = 0, inteiro = 0, x0 = 0, y0 = 0;
    bool lido = interpreta_info(arquivo, info.string().c_str(), &cidades, &inteiro, &x0, &y0, erro);
    fclose(arquivo);
    if (!lido) return false;
    if (cidades + 1 < CIDADES_MINIMAS) {
        *erro = info.string() + ": a instancia precisa de pelo menos " +
                std::to_string(CIDADES_MINIMAS) + " cidades";
        return false;
    }
    arquivo = fopen(coordenadas.string().c_str(), "rb");
    if (arquivo == nullptr) {
        *erro = coordenadas.string() + ": nao pode ser aberto";
        return false;
    }
    inst->n = cidades + 1;
    inst->d = cria_matriz_float(inst->n, inst->n);
    int* quarto_valor = cria_vetor_int(inst->n);
    lido = interpreta_coordenadas(arquivo, coordenadas.string().c_str(), inst->n, x0, y0, inst->d,
                                  quarto_valor, erro);
    libera_vetor(quarto_valor);
    fclose(arquivo);
    return lido;
}

bool carrega_tsplib(const fs::path& tsp, const std::string& escala, InstanciaExperimento* inst,
                    std::string* erro) {
    std::ifstream entrada(tsp, std::ios::binary);
    if (!entrada) {
        *erro = tsp.string() + ": nao pode ser aberto";
        return false;
    }
    Conversao conversao;
    if (!converte_tsplib(entrada, tsp.filename().string(), escala, conversao, *erro)) return false;
    if (conversao.cidades < CIDADES_MINIMAS) {
        *erro = tsp.string() + ": a instancia precisa de pelo menos " +
                std::to_string(CIDADES_MINIMAS) + " cidades";
        return false;
    }
    inst->n = static_cast<int>(conversao.cidades);
    inst->escala = conversao.escala;
    inst->d = cria_matriz_float(inst->n, inst->n);
    calcula_distancias(inst->n, conversao.x.data(), conversao.y.data(), inst->d);
    return true;
}

// O percurso NOME.opt.tour ao lado do .tsp, medido como a bancada mede.
void le_referencia_tour(const fs::path& tour, InstanciaExperimento* inst, std::string* aviso) {
    std::ifstream entrada(tour, std::ios::binary);
    std::vector<int> cidades;
    std::string erro;
    if (!entrada || !le_percurso_tsplib(entrada, tour.string(), inst->n, cidades, erro)) {
        *aviso = (erro.empty() ? tour.string() + ": nao pode ser lido" : erro) +
                 "; sem referencia para o gap";
        return;
    }
    inst->com_referencia = true;
    inst->referencia = calcula_fo(inst->n, cidades.data(), inst->d);
}

// O arquivo OTIMO de uma pasta: um numero, o comprimento de referencia.
void le_referencia_otimo(const fs::path& otimo, InstanciaExperimento* inst, std::string* aviso) {
    std::ifstream entrada(otimo);
    double valor = 0;
    if (!(entrada >> valor) || !(valor > 0)) {
        *aviso = otimo.string() + ": nao contem um comprimento positivo; sem referencia para o gap";
        return;
    }
    inst->com_referencia = true;
    inst->referencia = static_cast<float>(valor);
}

unsigned int semente_de(const Opcoes& o, int parametro, unsigned int fixa, unsigned int semente) {
    return o.com_semente && !o.definido[parametro] ? semente : fixa;
}

void constroi(const Opcoes& o, int n, int* s, float** d, unsigned int semente) {
    const Parametros& p = o.parametros;
    switch (o.inicial) {
        case VIZINHO:
            constroi_vizinho_mais_proximo(n, s, d, false);
            break;
        case VIZINHO_PARCIAL:
            constroi_vizinho_mais_proximo_parcial(n, s, d, p.alfa_construcao);
            break;
        case INSERCAO:
            constroi_insercao_mais_barata(n, s, d, false);
            break;
        case INSERCAO_PARCIAL:
            constroi_insercao_mais_barata_parcial(n, s, d, p.alfa_construcao);
            break;
        case ALEATORIA:
            semeia_gerador(semente_de(o, indice_do_parametro("SEMENTE_CONSTRUCAO"),
                                      p.semente_construcao, semente));
            constroi_aleatoria(n, s, d);
            break;
    }
}

// 0 para a troca dos menus.
int tipo_da_vizinhanca(Vizinhanca v) {
    switch (v) {
        case TROCA: return 0;
        case DOIS_OPT: return VIZINHANCA_2OPT;
        case OR_OPT: return VIZINHANCA_OROPT;
        case DOIS_OPT_OR_OPT: return VIZINHANCA_2OPT_OROPT;
    }
    return 0;
}

// O que o menu faz antes da primeira leitura do relogio: a semente do metodo e,
// para o annealing, a busca da temperatura inicial, cujo valor devolve.
float prepara(const Opcoes& o, Metodo m, int n, int* s, float** d, unsigned int semente) {
    const Parametros& p = o.parametros;
    switch (m) {
        case SA:
            return temperatura_inicial(n, s, d, p.taxa_aquecimento, p.taxa_aceitacao,
                                       p.sa_max_temperatura_inicial, tipo_da_vizinhanca(o.vizinhanca));
        case GRASP_VMP:
        case GRASP_IMB:
            semeia_gerador(
                semente_de(o, indice_do_parametro("SEMENTE_GRASP"), p.semente_grasp, semente));
            break;
        case AG_OX:
        case AG_ERX:
            semeia_gerador(semente_de(o, indice_do_parametro("SEMENTE_AG"), p.semente_ag, semente));
            break;
        default:
            break;
    }
    return 0.0f;
}


// A chamada do metodo, com os parametros das opcoes.
float refina(const Opcoes& o, Metodo m, int n, int* s, float** d, float T0, Acompanhamento* a) {
    const Parametros& p = o.parametros;
    int tipo = tipo_da_vizinhanca(o.vizinhanca);
    switch (m) {
        case DESCIDA:
            if (tipo != 0) return descida_vizinhanca(n, s, d, tipo, p.vizinhos, a);
            return descida(n, s, d, a);
        case DESCIDA_RANDOMICA:
            return descida_randomica(n, s, d, p.max_sem_melhora, a, tipo);
        case DESCIDA_PARCIAL:
            return descida_parcial(n, s, d, p.percentual_amostra, a, tipo);
        case SA:
            return simulated_annealing(n, s, d, p.taxa_resfriamento, T0, p.temperatura_final,
                                       p.sa_max, a, tipo);
        case TABU:
            return busca_tabu(n, s, d, p.tamanho_lista_tabu, p.bt_max, a, tipo, p.vizinhos);
        case GRASP_VMP:
        case GRASP_IMB:
            return grasp(n, s, d, p.alfa_grasp, p.iteracoes_grasp, m == GRASP_VMP ? 1 : 2, a, tipo,
                         p.vizinhos);
        case VNS:
            return vns(n, s, d, p.vns_max, p.vns_vizinhancas, a, tipo, p.vizinhos);
        case AG_OX:
        case AG_ERX:
            return algoritmo_genetico(n, s, d, p.ag_tamanho_populacao, p.ag_cv_minimo,
                                      p.ag_prob_crossover, p.ag_prob_mutacao, m == AG_OX ? 1 : 2,
                                      a, p.ag_alfa_populacao);
    }
    return calcula_fo(n, s, d);
}

}  // namespace

bool carrega_instancia(const Opcoes& opcoes, InstanciaExperimento* inst, std::string* erro,
                       std::string* aviso) {
    fs::path caminho = opcoes.instancia;
    std::error_code falha;
    if (e_tsplib(caminho)) {
        if (!opcoes.escala.empty() && !escala_valida(opcoes.escala)) {
            *erro =
                "--escala " + opcoes.escala.substr(0, 32) + " invalida: use um numero maior que 0";
            return false;
        }
        inst->nome = caminho.stem().string();
        if (!carrega_tsplib(caminho, opcoes.escala, inst, erro)) return false;
        fs::path tour = caminho;
        tour.replace_extension(".opt.tour");
        if (fs::is_regular_file(tour, falha)) le_referencia_tour(tour, inst, aviso);
        return true;
    }
    if (!fs::is_directory(caminho, falha)) {
        *erro = opcoes.instancia + ": nao e uma pasta de instancia nem um arquivo .tsp";
        return false;
    }
    if (!opcoes.escala.empty()) {
        *erro = "--escala vale so para arquivos .tsp";
        return false;
    }
    inst->nome = fs::absolute(caminho, falha).lexically_normal().filename().string();
    if (inst->nome.empty())
        inst->nome = fs::absolute(caminho, falha).parent_path().filename().string();
    if (!carrega_pasta(caminho, inst, erro)) return false;
    if (fs::is_regular_file(caminho / "OTIMO", falha))
        le_referencia_otimo(caminho / "OTIMO", inst, aviso);
    return true;
}

void libera_instancia(InstanciaExperimento* inst) {
    if (inst->d != nullptr) libera_matriz_float(inst->d, inst->n);
    inst->d = nullptr;
}

ResultadoExecucao executa(const Opcoes& o, const InstanciaExperimento& inst, unsigned int semente,
                          FILE* traco, const volatile std::sig_atomic_t* interrupcao) {
    ResultadoExecucao r;
    int n = inst.n;
    r.s.assign(n, 0);
    int* s = r.s.data();
    // Como um programa recem-aberto: o gerador no estado de uma semeadura com 1.
    semeia_gerador(o.com_semente ? semente : 1);
    constroi(o, n, s, inst.d, semente);
    r.fo_inicial = r.fo = calcula_fo(n, s, inst.d);

    for (std::size_t k = 0; k < o.metodos.size(); k++) {
        if (*interrupcao != 0) {
            r.estado = "interrompida";
            break;
        }
        Metodo m = o.metodos[k];
        float T0 = prepara(o, m, n, s, inst.d, semente);
        Acompanhamento a = inicia_acompanhamento(traco, static_cast<int>(k + 1), nome_do_metodo(m),
                                                 o.tempo_limite, interrupcao);
        float fo = refina(o, m, n, s, inst.d, T0, &a);
        clock_t fim = relogio_cpu();
        ResultadoMetodo rm{fo, segundos_decorridos(a.inicio, fim), a.iteracoes, "fim"};
        if (a.parou) {
            rm.parada = *interrupcao != 0 ? "interrompida" : "tempo_limite";
            // Uma interrupcao pesa mais que um limite de tempo de um metodo anterior.
            if (r.estado != std::string("interrompida")) r.estado = rm.parada;
        }
        r.metodos.push_back(rm);
        r.fo = fo;
    }
    return r;
}
