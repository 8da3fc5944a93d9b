#include "tsplib.h"

#include <climits>
#include <map>
#include <utility>
#include <vector>

namespace {

bool eh_espaco(char c) {
    // '\r' incluido para aceitar arquivos com fim de linha CRLF.
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string apara(const std::string& s) {
    std::size_t ini = 0, fim = s.size();
    while (ini < fim && eh_espaco(s[ini])) ++ini;
    while (fim > ini && eh_espaco(s[fim - 1])) --fim;
    return s.substr(ini, fim - ini);
}

std::vector<std::string> separa(const std::string& s) {
    std::vector<std::string> campos;
    std::size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && eh_espaco(s[i])) ++i;
        std::size_t ini = i;
        while (i < s.size() && !eh_espaco(s[i])) ++i;
        if (i > ini) campos.push_back(s.substr(ini, i - ini));
    }
    return campos;
}

enum class Numero { ok, invalido, fracionario, fora_do_int };

// Interpreta "[+-]digitos" ou "[+-]digitos.zeros". Sem expoente: "5e2" e
// invalido. Parte fracionaria com algum digito nao nulo e "fracionario".
Numero le_inteiro(const std::string& s, long long minimo, long long maximo,
                  long long& valor) {
    std::size_t i = 0;
    bool negativo = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negativo = s[i++] == '-';
    std::size_t ini_digitos = i;
    long long v = 0;
    bool estourou = false;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        // Para de acumular cedo para nao estourar long long.
        if (v > LLONG_MAX / 100) estourou = true;
        else v = v * 10 + (s[i] - '0');
    }
    if (i == ini_digitos) return Numero::invalido;
    bool fracao_nao_nula = false;
    if (i < s.size() && s[i] == '.') {
        for (++i; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i)
            if (s[i] != '0') fracao_nao_nula = true;
    }
    if (i != s.size()) return Numero::invalido;
    if (fracao_nao_nula) return Numero::fracionario;
    if (negativo) v = -v;
    if (estourou || v < minimo || v > maximo) return Numero::fora_do_int;
    valor = v;
    return Numero::ok;
}

}  // namespace

bool converte_tsplib(std::istream& entrada, const std::string& nome,
                     std::string& info, std::string& coordenadas,
                     std::string& erro) {
    auto falha = [&](const std::string& problema) {
        erro = nome + ": " + problema;
        return false;
    };

    std::string linha;
    long long numero_linha = 0;
    std::map<std::string, std::string> cabecalho;
    bool achou_secao = false;

    // Cabecalho: linhas "CHAVE : VALOR" ate NODE_COORD_SECTION.
    while (std::getline(entrada, linha)) {
        ++numero_linha;
        std::string texto = apara(linha);
        if (texto.empty()) continue;
        std::string chave = texto, valor;
        std::size_t dois_pontos = texto.find(':');
        if (dois_pontos != std::string::npos) {
            chave = apara(texto.substr(0, dois_pontos));
            valor = apara(texto.substr(dois_pontos + 1));
        }
        if (chave == "NODE_COORD_SECTION" && valor.empty()) {
            achou_secao = true;
            break;
        }
        if (chave == "EOF" && valor.empty()) break;
        if (dois_pontos == std::string::npos || chave.empty())
            return falha("linha de cabecalho malformada na linha " +
                         std::to_string(numero_linha) + ": " + texto);
        if (cabecalho.count(chave))
            return falha("chave " + chave + " repetida na linha " +
                         std::to_string(numero_linha));
        cabecalho[chave] = valor;
    }
    if (entrada.bad()) return falha("erro de leitura");

    auto tipo = cabecalho.find("TYPE");
    if (tipo != cabecalho.end() && tipo->second != "TSP")
        return falha("TYPE deve ser TSP, encontrado: " + tipo->second);
    auto peso = cabecalho.find("EDGE_WEIGHT_TYPE");
    if (peso == cabecalho.end()) return falha("EDGE_WEIGHT_TYPE ausente");
    if (peso->second != "EUC_2D")
        return falha("EDGE_WEIGHT_TYPE deve ser EUC_2D, encontrado: " +
                     peso->second);
    auto dim = cabecalho.find("DIMENSION");
    if (dim == cabecalho.end()) return falha("DIMENSION ausente");
    long long dimensao = 0;
    if (le_inteiro(dim->second, 1, INT_MAX, dimensao) != Numero::ok ||
        dim->second.find('.') != std::string::npos)
        return falha("DIMENSION invalida: " + dim->second);
    if (!achou_secao) return falha("NODE_COORD_SECTION ausente");

    // Mapa em vez de vetor: uma DIMENSION enorme nao deve reservar memoria
    // antes de os nos existirem de fato.
    std::map<long long, std::pair<long long, long long>> nos;
    bool achou_eof = false;
    while (std::getline(entrada, linha)) {
        ++numero_linha;
        const std::string onde = " na linha " + std::to_string(numero_linha);
        std::vector<std::string> campos = separa(linha);
        if (campos.empty()) continue;
        if (achou_eof)
            return falha("conteudo depois de EOF" + onde + ": " + apara(linha));
        if (campos.size() == 1 && campos[0] == "EOF") {
            achou_eof = true;
            continue;
        }
        if (campos.size() != 3)
            return falha("linha malformada" + onde + ": " + apara(linha));
        long long no = 0;
        bool so_digitos =
            campos[0].find_first_not_of("0123456789") == std::string::npos;
        Numero r = le_inteiro(campos[0], LLONG_MIN, LLONG_MAX, no);
        if (!so_digitos || r == Numero::invalido)
            return falha("numero de no invalido" + onde + ": " + campos[0]);
        if (r != Numero::ok || no < 1 || no > dimensao)
            return falha("no fora do intervalo 1.." + std::to_string(dimensao) +
                         onde + ": " + campos[0]);
        if (nos.count(no))
            return falha("no " + std::to_string(no) + " repetido" + onde);
        long long xy[2];
        for (int c = 0; c < 2; ++c) {
            const std::string& campo = campos[1 + c];
            switch (le_inteiro(campo, INT_MIN, INT_MAX, xy[c])) {
                case Numero::ok:
                    break;
                case Numero::invalido:
                    return falha("coordenada invalida" + onde + ": " + campo);
                case Numero::fracionario:
                    return falha("coordenada nao inteira" + onde + ": " + campo);
                case Numero::fora_do_int:
                    return falha("coordenada fora do intervalo de int 32 bits" +
                                 onde + ": " + campo);
            }
        }
        nos[no] = {xy[0], xy[1]};
    }
    if (entrada.bad()) return falha("erro de leitura");

    // Todos os nos estao em 1..dimensao e sem repeticao; basta achar o
    // primeiro buraco.
    if (static_cast<long long>(nos.size()) != dimensao) {
        long long esperado = 1;
        for (const auto& par : nos) {
            if (par.first != esperado) break;
            ++esperado;
        }
        return falha("no " + std::to_string(esperado) + " ausente (DIMENSION " +
                     std::to_string(dimensao) + ")");
    }

    std::string novo_info = std::to_string(dimensao - 1) + " 0\n0\n" +
                            std::to_string(nos[1].first) + " " +
                            std::to_string(nos[1].second) + "\n";
    std::string novas_coordenadas;
    for (const auto& par : nos) {
        if (par.first == 1) continue;
        novas_coordenadas += std::to_string(par.first - 1) + " " +
                             std::to_string(par.second.first) + " " +
                             std::to_string(par.second.second) + " 0\n";
    }
    info = std::move(novo_info);
    coordenadas = std::move(novas_coordenadas);
    return true;
}
