"""O menu do programa: as escolhas, os submenus e o relatorio de cada metodo."""
from dataclasses import dataclass


@dataclass(frozen=True)
class Metodo:
    nome: str
    cabecalho: str    # a linha de titulo do relatorio, sem as quebras de linha
    construcao: bool  # relatorio com "Funcao objetivo" e sem tempo


_DESCIDA = "Solucao construida usando o Metodo da Descida:"
_GENETICO = "Solucao construida usando Algoritmos Geneticos:"

# (escolha do menu principal, opcao do submenu ou None) -> metodo
METODOS = {
    (1, 1): Metodo("Gulosa (Vizinho mais proximo)",
                   "Solucao construida de forma gulosa:", True),
    (1, 2): Metodo("Parcialmente gulosa (Vizinho mais proximo)",
                   "Solucao construida de forma parcialmente gulosa pelo Metodo do "
                   "Vizinho Mais Proximo :", True),
    (1, 3): Metodo("Gulosa (Insercao Mais Barata)",
                   "Solucao construida de forma gulosa pelo Metodo da Insercao Mais Barata:",
                   True),
    (1, 4): Metodo("Parcialmente gulosa (Insercao Mais Barata)",
                   "Solucao construida de forma parcialmente gulosa pelo Metodo da "
                   "Insercao Mais Barata:", True),
    (1, 5): Metodo("Aleatoria", "Solucao construida de forma aleatoria:", True),
    (2, None): Metodo("Descida", _DESCIDA, False),
    (3, None): Metodo("Descida randomica",
                      "Solucao construida usando o Metodo da Descida Randomica:", False),
    (4, None): Metodo("Descida parcial", _DESCIDA, False),
    (5, None): Metodo("Simulated Annealing",
                      "Solucao construida usando o Metodo Simulated Annealing:", False),
    (6, None): Metodo("Busca Tabu", "Solucao construida usando o Metodo Busca Tabu:", False),
    (7, 1): Metodo("GRASP (Vizinho Mais Proximo)",
                   "Solucao construida usando o Metodo GRASP baseado no Vizinho mais proximo:",
                   False),
    (7, 2): Metodo("GRASP (Insercao Mais Barata)",
                   "Solucao construida usando o Metodo GRASP baseado em Insercao mais barata:",
                   False),
    (9, None): Metodo("VNS", "Solucao construida usando o Metodo VNS:", False),
    (10, 1): Metodo("Algoritmos Geneticos (OX)", _GENETICO, False),
    (10, 2): Metodo("Algoritmos Geneticos (ERX)", _GENETICO, False),
}
SUBMENUS = {1: range(1, 6), 7: range(1, 3), 10: range(1, 3)}
TITULOS_SUBMENU = {
    1: "************Geracao da Solucao Inicial**************** ",
    7: "*******************Menu GRASP************************* ",
    10: "****************Menu Algoritmos Geneticos********************** ",
}
ESCOLHA_TABU = 6

TITULO_MENU_PRINCIPAL = "*******************Menu Principal************************* "
