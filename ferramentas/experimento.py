#!/usr/bin/env python3
"""Experimento pronto: compara todos os metodos nas instancias da bancada.

  python3 ferramentas/experimento.py [--resultados PASTA] [--programa EXECUTAVEL]
                                     [--tempo-limite S] [-j N | --dask ENDERECO]
                                     [INSTANCIA...]

Compila o programa e o conversor de .tsp (Release, pasta build/) a menos que
--programa seja dado, roda os roteiros de ferramentas/experimento/roteiros.txt
sobre cada instancia (padrao: as pastas de instancias/ que registram um otimo
conhecido no arquivo OTIMO, isto e, o conjunto TSPLIB, da menor para a maior;
tambem aceita arquivos .tsp, ver lote.py) com ate N execucoes ao mesmo tempo
(-j, padrao: o numero de nucleos) ou nos trabalhadores do Dask (--dask) e
grava em PASTA (padrao: resultados/):
  resultados.csv          uma linha por passo de cada execucao (ver lote.py)
  tabela.md               a tabela resumo, tambem impressa na saida
  execucoes/INST/ROTEIRO  a pasta de trabalho de cada execucao: entrada,
                          saida do programa e arquivos de traco
  figuras/percurso_INST.png
                          o melhor percurso relatado na instancia
  figuras/convergencia_INST_ROTEIRO_GRUPO.png
                          as curvas dos arquivos de traco de cada execucao;
                          para GRASP e VNS, a fo ao fim de cada descida e a
                          melhor ate ela
"""
import argparse
import os
import subprocess
import sys

AQUI = os.path.dirname(os.path.abspath(__file__))
RAIZ = os.path.dirname(AQUI)
sys.path.insert(0, AQUI)

import graficos  # noqa: E402
import lote  # noqa: E402

ROTEIROS = os.path.join(AQUI, "experimento", "roteiros.txt")
TAMANHO = (640, 480)

# Arquivos de traco que formam um grafico, e o eixo horizontal que lhes serve:
# as descidas e o annealing nao contam iteracoes (coluna sempre 0), e o relogio
# do annealing, com duas casas, faria de todo o seu curso poucos degraus.
GRUPOS = [
    ("descida", ["Descidasaida.txt"], "evento"),
    ("descida_parcial", ["Descidaparcialsaida.txt"], "evento"),
    ("sa", ["SAsaida.txt"], "evento"),
    ("bt", ["BTsaida.txt", "BTsaidaMelhorfo.txt"], "iteracao"),
]
# GRASP e VNS chamam a descida a cada iteracao: em vez de uma curva por
# chamada, a fo ao fim de cada uma e a melhor ate ela.
METODOS_DE_DESCIDAS = ("GRASP", "VNS")


def compila():
    build = os.path.join(RAIZ, "build")
    subprocess.run(["cmake", "-S", RAIZ, "-B", build, "-DCMAKE_BUILD_TYPE=Release"],
                   check=True, stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", build, "-j", "2", "--target", "bancada",
                    "converte_tsplib"],
                   check=True, stdout=subprocess.DEVNULL)
    return os.path.join(build, "bancada")


def instancias_padrao():
    base = os.path.join(RAIZ, "instancias")
    # The random and hostile instances are for benchmarks and tests, not for
    # comparing against published optima.
    pastas = [os.path.join(base, n) for n in os.listdir(base)
              if os.path.isfile(os.path.join(base, n, "c50info.txt"))
              and os.path.isfile(os.path.join(base, n, "OTIMO"))]
    return sorted(pastas, key=lambda p: (lote.le_cidades(p) or 0, p))


def melhor_por_instancia(linhas):
    """A linha ok de menor fo de cada instancia (a primeira, no empate)."""
    melhores = {}
    for linha in linhas:
        v = linha.valores
        if v["estado"] != "ok" or not linha.percurso:
            continue
        atual = melhores.get(v["instancia"])
        if atual is None or float(v["fo"]) < float(atual.valores["fo"]):
            melhores[v["instancia"]] = linha
    return melhores


def desenha(linhas, figuras):
    os.makedirs(figuras, exist_ok=True)
    desenhadas = []
    for nome, linha in melhor_por_instancia(linhas).items():
        v = linha.valores
        saida = os.path.join(figuras, f"percurso_{nome}.png")
        # A pasta da execucao guarda a copia da instancia (convertida, se veio de um .tsp).
        graficos.desenha_percurso(linha.pasta, linha.percurso, saida, *TAMANHO,
                                  legenda=f"{v['metodo']} ({v['caminho_menu']})")
        desenhadas.append(saida)
    # Os tracos de uma execucao que falhou ou saiu do roteiro nao seriam do roteiro.
    pastas_execucao, descartadas, de_descidas = [], set(), set()
    for linha in linhas:
        chave = (linha.valores["instancia"], linha.valores["roteiro"], linha.pasta)
        if linha.valores["metodo"].startswith(METODOS_DE_DESCIDAS):
            de_descidas.add(chave)
        if linha.valores["estado"] in ("falha", "tempo_esgotado", "fora_do_roteiro"):
            descartadas.add(chave)
        if linha.pasta and chave not in pastas_execucao:
            pastas_execucao.append(chave)
    pastas_execucao = [c for c in pastas_execucao if c not in descartadas]
    for nome, roteiro, pasta in pastas_execucao:
        for grupo, arquivos, eixo in GRUPOS:
            caminhos = [os.path.join(pasta, a) for a in arquivos]
            if not all(os.path.isfile(c) and os.path.getsize(c) > 0 for c in caminhos):
                continue
            saida = os.path.join(figuras, f"convergencia_{nome}_{roteiro}_{grupo}.png")
            titulo = f"{nome}, {roteiro}: " + " e ".join(arquivos)
            if grupo == "descida" and (nome, roteiro, pasta) in de_descidas:
                graficos.desenha_descidas(caminhos[0], saida, *TAMANHO,
                                          f"{nome}, {roteiro}: fo de cada descida "
                                          f"({arquivos[0]})")
            else:
                graficos.desenha_convergencia(caminhos, saida, *TAMANHO, eixo, titulo)
            desenhadas.append(saida)
    return desenhadas


def main(argv=None):
    p = argparse.ArgumentParser(description="Experimento de comparacao da bancada.")
    p.add_argument("instancias", nargs="*", metavar="INSTANCIA",
                   help="pasta de instancia ou arquivo .tsp")
    p.add_argument("--resultados", default=os.path.join(RAIZ, "resultados"))
    p.add_argument("--programa", help="executavel ja compilado (pula a compilacao)")
    lote.opcoes_de_execucao(p)
    args = p.parse_args(argv)

    programa = os.path.abspath(args.programa) if args.programa else compila()
    pastas = [os.path.abspath(i) for i in args.instancias] or instancias_padrao()
    resultados = os.path.abspath(args.resultados)
    os.makedirs(resultados, exist_ok=True)
    try:
        roteiros = lote.le_roteiros(ROTEIROS)
        conversor = os.path.abspath(args.conversor) if args.conversor else None
        linhas = lote.executa_lote(programa, pastas, roteiros,
                                   os.path.join(resultados, "execucoes"), args.tempo_limite,
                                   progresso=sys.stderr, paralelas=args.paralelas,
                                   dask=args.dask, conversor=conversor, escala=args.escala)
        lote.grava_csv(os.path.join(resultados, "resultados.csv"), linhas)
        tabela = lote.tabela_resumo(linhas)
        with open(os.path.join(resultados, "tabela.md"), "w", encoding="utf-8") as f:
            f.write(tabela)
        figuras = desenha(linhas, os.path.join(resultados, "figuras"))
    except (lote.ErroRoteiro, graficos.ErroEntrada, OSError) as e:
        print(f"experimento.py: {e}", file=sys.stderr)
        return 1
    print(tabela, end="")
    print(f"\n{len(linhas)} linhas em {os.path.join(resultados, 'resultados.csv')}; "
          f"{len(figuras)} figuras em {os.path.join(resultados, 'figuras')}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
