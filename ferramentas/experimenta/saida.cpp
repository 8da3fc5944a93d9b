#include "saida.h"

#include <algorithm>

#include "nucleo/formato.h"

namespace {

// Um campo com virgula, aspas ou quebra de linha vai entre aspas, as aspas dobradas.
std::string campo(const std::string& texto) {
    if (texto.find_first_of(",\"\r\n") == std::string::npos) return texto;
    std::string r = "\"";
    for (char c : texto) r += c == '"' ? std::string("\"\"") : std::string(1, c);
    return r + "\"";
}

std::string real(double valor) { return texto_real(valor).texto; }

std::string cadeia(const Opcoes& o) {
    std::string r;
    for (Metodo m : o.metodos) r += (r.empty() ? "" : "+") + std::string(nome_do_metodo(m));
    return r;
}

// Os dados que diferem do padrao; com --semente, uma semente dada vale sempre,
// pois o padrao dela passa a ser a semente da execucao.
std::string parametros(const Opcoes& o) {
    std::string r;
    for (int k = 0; k < numero_de_parametros(); k++)
        if (o.definido[k] &&
            (difere_do_padrao(o.parametros, k) || (o.com_semente && e_semente(k))))
            r += (r.empty() ? "" : ";") + std::string(nome_do_parametro(k)) + "=" + o.textos[k];
    return r;
}

}  // namespace

std::string cabecalho_csv(const Opcoes& o) {
    std::string r =
        "versao,instancia,cidades,inicial,cadeia,semente,parametros,tempo_limite,fo_inicial";
    for (std::size_t k = 1; k <= o.metodos.size(); k++) {
        std::string i = std::to_string(k);
        r += ",fo_" + i + ",tempo_" + i + ",iteracoes_" + i + ",parada_" + i;
    }
    // A coluna nova so quando pedida: sem --vizinhanca as linhas sao as de sempre.
    return r + ",fo,referencia,gap,tempo,estado" + (o.com_vizinhanca ? ",vizinhanca" : "") + "\n";
}

std::string linha_csv(const char* versao, const Opcoes& o, const InstanciaExperimento& inst,
                      unsigned int semente, const ResultadoExecucao& r) {
    std::string l = campo(versao) + "," + campo(inst.nome) + "," + std::to_string(inst.n) + "," +
                    nome_da_construcao(o.inicial) + "," + cadeia(o) + "," +
                    (o.com_semente ? std::to_string(semente) : "") + "," + campo(parametros(o)) +
                    "," + o.texto_tempo_limite + "," + real(r.fo_inicial);
    double tempo = 0;
    for (std::size_t k = 0; k < o.metodos.size(); k++) {
        if (k < r.metodos.size()) {
            const ResultadoMetodo& m = r.metodos[k];
            l += "," + real(m.fo) + "," + real(m.tempo) + "," + std::to_string(m.iteracoes) + "," +
                 m.parada;
            tempo += m.tempo;
        } else {
            l += ",,,,";  // nao rodou: a cadeia foi interrompida antes
        }
    }
    l += "," + real(r.fo) + ",";
    if (inst.com_referencia) {
        // O gap em double a partir dos dois valores em float.
        double gap = 100.0 * (static_cast<double>(r.fo) - inst.referencia) / inst.referencia;
        l += real(inst.referencia) + "," + real(gap);
    } else {
        l += ",";
    }
    l += "," + real(tempo) + "," + r.estado;
    if (o.com_vizinhanca) l += "," + campo(nome_da_vizinhanca(o.vizinhanca));
    return l + "\n";
}

std::string base_dos_arquivos(const Opcoes& o, const InstanciaExperimento& inst,
                              unsigned int semente) {
    std::string r = inst.nome + "-" + nome_da_construcao(o.inicial);
    for (Metodo m : o.metodos) r += "+" + std::string(nome_do_metodo(m));
    if (o.vizinhanca != TROCA) r += "-" + std::string(nome_da_vizinhanca(o.vizinhanca));
    return r + "-s" + (o.com_semente ? std::to_string(semente) : std::string("programa"));
}

std::string texto_tour(const std::string& nome, const std::string& comentario,
                       const std::vector<int>& s) {
    std::string r = "NAME : " + nome + "\nCOMMENT : " + comentario +
                    "\nTYPE : TOUR\nDIMENSION : " + std::to_string(s.size()) + "\nTOUR_SECTION\n";
    std::size_t inicio = std::find(s.begin(), s.end(), 0) - s.begin();
    for (std::size_t k = 0; k < s.size(); k++)
        r += std::to_string(s[(inicio + k) % s.size()] + 1) + "\n";
    return r + "-1\nEOF\n";
}
