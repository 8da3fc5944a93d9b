#include "tsplib.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
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

// Numero decimal exato: (-1)^negativo x digitos x 10^expoente, com `digitos`
// sem zeros nas pontas; vazio e o zero.
struct Decimal {
    bool negativo = false;
    std::string digitos;
    long long expoente = 0;
};

bool eh_digito(char c) { return c >= '0' && c <= '9'; }

// Aceita [+-]digitos[.digitos][e[+-]digitos], com digitos antes ou depois do
// ponto. O expoente satura em +-10^12: alem disso o valor ja nao cabe em nada.
bool le_decimal(const std::string& s, Decimal& d) {
    std::size_t i = 0;
    Decimal r;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) r.negativo = s[i++] == '-';
    std::string inteira, fracao;
    while (i < s.size() && eh_digito(s[i])) inteira += s[i++];
    if (i < s.size() && s[i] == '.')
        for (++i; i < s.size() && eh_digito(s[i]);) fracao += s[i++];
    if (inteira.empty() && fracao.empty()) return false;
    long long expoente = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        bool negativo = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) negativo = s[i++] == '-';
        if (i == s.size() || !eh_digito(s[i])) return false;
        for (; i < s.size() && eh_digito(s[i]); ++i)
            if (expoente < 1000000000000LL) expoente = expoente * 10 + (s[i] - '0');
        if (negativo) expoente = -expoente;
    }
    if (i != s.size()) return false;
    r.digitos = inteira + fracao;
    r.expoente = expoente - static_cast<long long>(fracao.size());
    std::size_t ini = r.digitos.find_first_not_of('0');
    if (ini == std::string::npos) {
        r.digitos.clear();
        r.expoente = 0;
        r.negativo = false;
    } else {
        r.digitos.erase(0, ini);
        std::size_t fim = r.digitos.find_last_not_of('0');
        r.expoente += static_cast<long long>(r.digitos.size() - 1 - fim);
        r.digitos.erase(fim + 1);
    }
    d = r;
    return true;
}

Decimal multiplica(const Decimal& a, const Decimal& b) {
    Decimal r;
    if (a.digitos.empty() || b.digitos.empty()) return r;
    std::vector<int> soma(a.digitos.size() + b.digitos.size(), 0);
    for (std::size_t i = a.digitos.size(); i-- > 0;)
        for (std::size_t j = b.digitos.size(); j-- > 0;) {
            int p = (a.digitos[i] - '0') * (b.digitos[j] - '0') + soma[i + j + 1];
            soma[i + j + 1] = p % 10;
            soma[i + j] += p / 10;
        }
    for (int v : soma) r.digitos += static_cast<char>('0' + v);
    r.negativo = a.negativo != b.negativo;
    r.expoente = a.expoente + b.expoente;
    // Renormaliza: tira zeros das pontas.
    Decimal normal;
    le_decimal(std::string(r.negativo ? "-" : "") + r.digitos + "e" +
                   std::to_string(r.expoente),
               normal);
    return normal;
}

enum class Numero { ok, fracionario, fora_do_int };

// Arredonda para o inteiro mais proximo (meio para longe do zero) quando
// `arredonda`; senao so aceita valores inteiros.
Numero para_int(const Decimal& d, bool arredonda, long long& valor) {
    if (d.digitos.empty()) {
        valor = 0;
        return Numero::ok;
    }
    std::string inteira;
    bool sobe = false;
    if (d.expoente >= 0) {
        if (static_cast<long long>(d.digitos.size()) + d.expoente > 12)
            return Numero::fora_do_int;
        inteira = d.digitos + std::string(static_cast<std::size_t>(d.expoente), '0');
    } else {
        if (!arredonda) return Numero::fracionario;
        long long casas = -d.expoente;
        long long tamanho = static_cast<long long>(d.digitos.size());
        if (casas > tamanho) {
            inteira = "0";  // abaixo de 0.1: o primeiro digito da fracao e 0
        } else {
            inteira = d.digitos.substr(0, static_cast<std::size_t>(tamanho - casas));
            sobe = d.digitos[static_cast<std::size_t>(tamanho - casas)] >= '5';
        }
        if (inteira.empty()) inteira = "0";
        if (inteira.size() > 12) return Numero::fora_do_int;
    }
    long long v = std::stoll(inteira) + (sobe ? 1 : 0);
    if (d.negativo) v = -v;
    if (v < INT_MIN || v > INT_MAX) return Numero::fora_do_int;
    valor = v;
    return Numero::ok;
}

// Inteiro sem sinal so com digitos (numeros de no e DIMENSION).
bool le_natural(const std::string& s, long long maximo, long long& valor) {
    if (s.empty() || s.find_first_not_of("0123456789") != std::string::npos)
        return false;
    long long v = 0;
    for (char c : s) {
        v = v * 10 + (c - '0');
        if (v > maximo) return false;
    }
    valor = v;
    return true;
}

bool eh_secao(const std::string& chave) {
    const std::string fim = "_SECTION";
    return chave.size() > fim.size() &&
           chave.compare(chave.size() - fim.size(), fim.size(), fim) == 0;
}

}  // namespace

bool escala_valida(const std::string& escala) {
    if (escala == "auto") return true;
    Decimal d;
    if (!le_decimal(escala, d) || d.digitos.empty() || d.negativo) return false;
    // Fora disso a escala so produziria estouros ou coordenadas todas nulas.
    double k = std::strtod(escala.c_str(), nullptr);
    return k >= 1e-9 && k <= 1e9;
}

std::string texto_visivel(const std::string& texto, std::size_t maximo) {
    // Bytes de controle ou fora do ASCII viram \xHH: a mensagem fica numa linha
    // e nao manda sequencias de escape ao terminal.
    static const char hexa[] = "0123456789abcdef";
    std::string r;
    for (std::size_t i = 0; i < texto.size(); ++i) {
        if (i == maximo) return r + "...";
        unsigned char c = static_cast<unsigned char>(texto[i]);
        if (c >= 32 && c < 127) {
            r += static_cast<char>(c);
        } else {
            r += "\\x";
            r += hexa[c >> 4];
            r += hexa[c & 15];
        }
    }
    return r;
}

bool converte_tsplib(std::istream& entrada, const std::string& nome,
                     const std::string& escala, Conversao& saida,
                     std::string& erro) {
    auto falha = [&](const std::string& problema) {
        erro = nome + ": " + problema;
        return false;
    };
    auto vis = [](const std::string& s) { return texto_visivel(s, 60); };
    const bool automatica = escala == "auto";
    const bool com_escala = !escala.empty() && !automatica;
    Decimal fator;
    if (!escala.empty() && !escala_valida(escala))
        return falha("escala invalida: " + vis(escala));
    if (com_escala) le_decimal(escala, fator);

    std::string linha;
    long long numero_linha = 0;
    std::map<std::string, std::string> cabecalho;
    std::string secao;
    const std::string fixas =
        ": arestas fixas nao sao suportadas (a bancada nao tem como manter arestas "
        "fixas no percurso)";

    // Cabecalho: linhas "CHAVE : VALOR" ate a primeira secao (NOME_SECTION).
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
        if (eh_secao(chave) && valor.empty()) {
            secao = chave;
            break;
        }
        if (chave == "EOF" && valor.empty()) break;
        if (dois_pontos == std::string::npos || chave.empty())
            return falha("linha de cabecalho malformada na linha " +
                         std::to_string(numero_linha) + ": " + vis(texto));
        // Varios COMMENT sao comuns na TSPLIB; as outras chaves, uma vez so.
        if (chave == "COMMENT") continue;
        if (cabecalho.count(chave))
            return falha("chave " + vis(chave) + " repetida na linha " +
                         std::to_string(numero_linha));
        cabecalho[chave] = valor;
    }
    if (entrada.bad()) return falha("erro de leitura");

    // Os tipos vem antes da secao: um arquivo EXPLICIT e recusado pelo tipo,
    // nao pela secao de pesos que ele traz.
    auto tipo = cabecalho.find("TYPE");
    if (tipo != cabecalho.end() && tipo->second != "TSP")
        return falha("TYPE " + vis(tipo->second) +
                     ": nao e um TSP simetrico sobre pontos no plano com "
                     "distancias euclidianas; so TYPE TSP e convertido");
    auto peso = cabecalho.find("EDGE_WEIGHT_TYPE");
    if (peso == cabecalho.end()) return falha("EDGE_WEIGHT_TYPE ausente");
    if (peso->second != "EUC_2D" && peso->second != "CEIL_2D")
        return falha("EDGE_WEIGHT_TYPE " + vis(peso->second) +
                     ": nao e um plano com distancias euclidianas; so EUC_2D e "
                     "CEIL_2D sao convertidos");
    auto dim = cabecalho.find("DIMENSION");
    if (dim == cabecalho.end()) return falha("DIMENSION ausente");
    long long dimensao = 0;
    if (!le_natural(dim->second, INT_MAX, dimensao) || dimensao < 1)
        return falha("DIMENSION invalida: " + vis(dim->second));
    if (secao.empty()) return falha("NODE_COORD_SECTION ausente");
    if (secao == "FIXED_EDGES_SECTION")
        return falha(secao + " na linha " + std::to_string(numero_linha) + fixas);
    if (secao != "NODE_COORD_SECTION")
        return falha(vis(secao) + " na linha " + std::to_string(numero_linha) +
                     ": esperava NODE_COORD_SECTION");

    struct No {
        long long x, y;
        double x_arquivo, y_arquivo;  // para medir a variacao da escala
        Decimal d[2];                 // so com escala auto, convertidas no fim
        long long linha;
    };
    // Mapa em vez de vetor: uma DIMENSION enorme nao deve reservar memoria
    // antes de os nos existirem de fato.
    std::map<long long, No> nos;
    bool achou_eof = false;
    // Escala auto: as casas decimais que a coordenada mais exigente pede.
    long long casas = 0, linha_casas = 0;
    std::string campo_casas;
    auto converte_coordenada = [&](const Decimal& d, bool arredonda, const std::string& campo,
                                   const std::string& onde, long long& valor,
                                   std::string& problema) {
        switch (para_int(d, arredonda, valor)) {
            case Numero::ok:
                return true;
            case Numero::fracionario:
                problema = "coordenada nao inteira" + onde + ": " + vis(campo) +
                           " (a bancada so usa coordenadas inteiras; --escala K "
                           "multiplica as coordenadas por K e arredonda, por exemplo "
                           "--escala 1000; --escala auto usa a menor potencia de 10 "
                           "que as torna inteiras)";
                return false;
            case Numero::fora_do_int:
                problema = "coordenada fora do intervalo de int 32 bits" +
                           std::string(com_escala ? " depois da escala" : "") + onde +
                           ": " + vis(campo);
                return false;
        }
        return false;
    };
    while (std::getline(entrada, linha)) {
        ++numero_linha;
        const std::string onde = " na linha " + std::to_string(numero_linha);
        std::vector<std::string> campos = separa(linha);
        if (campos.empty()) continue;
        if (achou_eof)
            return falha("conteudo depois de EOF" + onde + ": " + vis(apara(linha)));
        if (campos.size() == 1 && campos[0] == "EOF") {
            achou_eof = true;
            continue;
        }
        if (campos.size() == 1 && eh_secao(campos[0])) {
            if (campos[0] == "FIXED_EDGES_SECTION") return falha(campos[0] + onde + fixas);
            return falha(vis(campos[0]) + onde +
                         ": secao nao suportada (so NODE_COORD_SECTION e lida)");
        }
        if (campos.size() != 3)
            return falha("linha malformada" + onde + ": " + vis(apara(linha)));
        long long no = 0;
        if (campos[0].find_first_not_of("0123456789") != std::string::npos)
            return falha("numero de no invalido" + onde + ": " + vis(campos[0]));
        if (!le_natural(campos[0], dimensao, no) || no < 1)
            return falha("no fora do intervalo 1.." + std::to_string(dimensao) +
                         onde + ": " + vis(campos[0]));
        if (nos.count(no))
            return falha("no " + std::to_string(no) + " repetido" + onde);
        No p{};
        p.linha = numero_linha;
        long long xy[2] = {0, 0};
        double original[2];
        for (int c = 0; c < 2; ++c) {
            const std::string& campo = campos[1 + c];
            Decimal d;
            if (!le_decimal(campo, d))
                return falha("coordenada invalida" + onde + ": " + vis(campo));
            original[c] = std::strtod(campo.c_str(), nullptr);
            if (automatica) {
                if (-d.expoente > casas) {
                    casas = -d.expoente;
                    linha_casas = numero_linha;
                    campo_casas = campo;
                }
                p.d[c] = d;
                continue;
            }
            if (com_escala) d = multiplica(d, fator);
            std::string problema;
            if (!converte_coordenada(d, com_escala, campo, onde, xy[c], problema))
                return falha(problema);
        }
        p.x = xy[0];
        p.y = xy[1];
        p.x_arquivo = original[0];
        p.y_arquivo = original[1];
        nos[no] = std::move(p);
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

    std::string fator_usado = com_escala ? escala : "";
    if (automatica) {
        const long long maximo = 6;
        const std::string pedida =
            " (" + vis(campo_casas) + ", linha " + std::to_string(linha_casas) + ")";
        if (casas > maximo)
            return falha("escala auto: nenhuma potencia de 10 ate 10^6 torna inteira a "
                         "coordenada " + vis(campo_casas) + " da linha " +
                         std::to_string(linha_casas) + " (" + std::to_string(casas) +
                         " casas decimais); use --escala K, que arredonda (por exemplo "
                         "--escala 1000)");
        fator_usado = "1" + std::string(static_cast<std::size_t>(casas), '0');
        for (auto& par : nos) {
            No& p = par.second;
            long long xy[2];
            for (int c = 0; c < 2; ++c) {
                Decimal d = p.d[c];
                if (!d.digitos.empty()) d.expoente += casas;  // exato: so desloca a virgula
                if (para_int(d, false, xy[c]) != Numero::ok)
                    return falha("escala auto: o fator " + fator_usado +
                                 (casas > 0 ? ", que a coordenada" + pedida + " pede," : "") +
                                 " leva uma coordenada da linha " + std::to_string(p.linha) +
                                 " para fora do intervalo de int 32 bits" +
                                 (casas > 0 ? "; use --escala K menor, que arredonda" : ""));
            }
            p.x = xy[0];
            p.y = xy[1];
        }
    }

    Conversao r;
    r.cidades = dimensao;
    r.escala = fator_usado;
    const No& primeiro = nos.begin()->second;
    r.x_min = r.x_max = primeiro.x;
    r.y_min = r.y_max = primeiro.y;
    r.info = std::to_string(dimensao - 1) + " 0\n0\n" + std::to_string(primeiro.x) +
             " " + std::to_string(primeiro.y) + "\n";
    std::vector<const No*> lista;
    lista.reserve(nos.size());
    for (const auto& par : nos) {
        const No& p = par.second;
        lista.push_back(&p);
        // para_int ja confirmou que cabem em int
        r.x.push_back(static_cast<int>(p.x));
        r.y.push_back(static_cast<int>(p.y));
        r.x_min = std::min(r.x_min, p.x);
        r.x_max = std::max(r.x_max, p.x);
        r.y_min = std::min(r.y_min, p.y);
        r.y_max = std::max(r.y_max, p.y);
        if (par.first == 1) continue;
        r.coordenadas += std::to_string(par.first - 1) + " " + std::to_string(p.x) +
                         " " + std::to_string(p.y) + " 0\n";
    }
    // A escala auto e exata: so a escala dada arredonda.
    if (com_escala) {
        // Todos os pares: a maior variacao costuma vir dos vizinhos mais
        // proximos, mas so a conta completa garante o maximo. Em double, sem
        // depender do formato de long double de cada plataforma.
        const double k = std::strtod(escala.c_str(), nullptr);
        double maior = 0.0;
        for (std::size_t i = 0; i < lista.size(); ++i)
            for (std::size_t j = i + 1; j < lista.size(); ++j) {
                double d = std::hypot(lista[i]->x_arquivo - lista[j]->x_arquivo,
                                      lista[i]->y_arquivo - lista[j]->y_arquivo);
                if (d == 0.0) continue;
                double dx = static_cast<double>(lista[i]->x - lista[j]->x);
                double dy = static_cast<double>(lista[i]->y - lista[j]->y);
                double variacao =
                    std::fabs(std::sqrt(dx * dx + dy * dy) - k * d) / (k * d);
                maior = std::max(maior, variacao);
            }
        r.maior_variacao = maior;
    }
    saida = std::move(r);
    return true;
}

bool le_percurso_tsplib(std::istream& entrada, const std::string& nome, int n,
                        std::vector<int>& cidades, std::string& erro) {
    auto falha = [&](const std::string& problema) {
        erro = nome + ": " + problema;
        return false;
    };
    std::string linha;
    bool na_secao = false;
    std::vector<int> lidas;
    std::vector<char> visto(static_cast<std::size_t>(n), 0);
    while (std::getline(entrada, linha)) {
        std::vector<std::string> campos = separa(linha);
        if (campos.empty()) continue;
        if (!na_secao) {
            std::string chave = apara(linha.substr(0, linha.find(':')));
            if (chave == "TOUR_SECTION") {
                na_secao = true;
            } else if (chave == "DIMENSION") {
                std::string valor = apara(linha.substr(linha.find(':') + 1));
                if (valor != std::to_string(n))
                    return falha("DIMENSION " + texto_visivel(valor, 20) + ", a instancia tem " +
                                 std::to_string(n) + " cidades");
            } else if (chave == "EOF") {
                break;
            }
            continue;
        }
        for (const std::string& campo : campos) {
            if (campo == "-1" || campo == "EOF") {
                na_secao = false;
                break;
            }
            long long no = 0;
            if (campo.find_first_not_of("0123456789") != std::string::npos ||
                !le_natural(campo, n, no) || no < 1)
                return falha("no invalido no percurso: " + texto_visivel(campo, 20));
            if (visto[no - 1]) return falha("no repetido no percurso: " + texto_visivel(campo, 20));
            visto[no - 1] = 1;
            lidas.push_back(static_cast<int>(no - 1));
        }
        if (!na_secao) break;
    }
    if (static_cast<int>(lidas.size()) != n)
        return falha("o percurso tem " + std::to_string(lidas.size()) + " nos, a instancia " +
                     std::to_string(n));
    cidades = std::move(lidas);
    return true;
}
