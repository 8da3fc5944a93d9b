"""Estudos de sementes e parametros: com --sementes ou --param, cada roteiro
roda pelo experimenta (construcao e cadeia de metodos numa so chamada, com
semente e parametros escolhidos), uma chamada por instancia, roteiro,
vizinhanca, conjunto de parametros e semente."""
import itertools
import os
import shutil
from dataclasses import dataclass

from .execucao import TEMPO_LIMITE_PADRAO, prepara_pasta, roda_experimenta
from .execucao_dask import _execucoes_dask
from .execucao_local import _execucoes_locais
from .instancias import (ARQUIVOS_DA_INSTANCIA, Instancia, _confere_nomes, e_tsplib,
                         escala_escolhida, le_cidades, nome_da_instancia)
from .parametros import cadeia_do_roteiro, rotulo_dos_parametros
from .progresso import Progresso, relata_escalas
from .resultados_estudo import ESTADOS_COM_VALOR, descreve_chamada, linha_do_estudo
from .trabalhador import PASTA_REMOTA, tarefa_experimenta_remota


def experimenta_padrao(programa):
    """O experimenta compilado junto com o programa (build/ferramentas/experimenta)."""
    return os.path.join(os.path.dirname(programa), "ferramentas", "experimenta")


def instancia_do_estudo(caminho):
    """A instancia como o experimenta a recebe: os arquivos que um trabalhador
    do Dask precisa (o .tsp e o .opt.tour ao lado, ou a pasta com o OTIMO) e de
    onde vem a referencia do gap, que o proprio experimenta mede ou le."""
    nome = nome_da_instancia(caminho)
    if e_tsplib(caminho):
        origens = {nome + s: caminho[:-4] + s for s in (".tsp", ".opt.tour")}
        referencia = "opt.tour"
    else:
        origens = {f"{nome}/{a}": os.path.join(caminho, a)
                   for a in (*ARQUIVOS_DA_INSTANCIA, "OTIMO")}
        referencia = "OTIMO"
    arquivos = {}
    for destino, origem in origens.items():
        if os.path.isfile(origem):
            with open(origem, "rb") as f:
                arquivos[destino] = f.read()
    return Instancia(nome, arquivos, le_cidades(caminho), referencia=referencia)


@dataclass
class Chamada:
    caminho: str          # a instancia como dada (pasta ou .tsp)
    instancia: Instancia
    roteiro: str
    inicial: str
    metodos: list
    parametros: list      # [(nome, valor)]
    semente: int | None
    pasta: str            # --saida do experimenta; vazia sem --trabalho
    vizinhanca: str | None = None  # None: sem --vizinhanca, o CSV de sempre

    def base(self):
        """O nome que o experimenta da ao .tour e ao .traco.csv da execucao."""
        semente = "programa" if self.semente is None else self.semente
        # O experimenta so poe no nome as vizinhancas que nao sao a dos menus.
        vizinhanca = f"-{self.vizinhanca}" if self.vizinhanca not in (None, "troca") else ""
        return (f"{self.instancia.nome}-{self.inicial}"
                + "".join("+" + m for m in self.metodos) + f"{vizinhanca}-s{semente}")

    def argumentos(self, instancia, saida, escala, tempo_limite):
        args = ["--instancia", instancia, "--inicial", self.inicial]
        if escala:
            args += ["--escala", escala]
        if self.metodos:
            args += ["--metodos", ",".join(self.metodos)]
        if self.vizinhanca is not None:
            args += ["--vizinhanca", self.vizinhanca]
        if self.semente is not None:
            args += ["--semente", str(self.semente)]
        for nome, valor in self.parametros:
            args += ["--param", f"{nome}={valor}"]
        if tempo_limite is not None:
            args += ["--tempo-limite", f"{tempo_limite:g}"]
        if saida:
            args += ["--saida", saida]
        return args


def guarda_melhores(chamadas, linhas):
    """Copia o .tour da melhor execucao de cada grupo para melhor.tour na
    pasta do grupo (trabalho/INSTANCIA/ROTEIRO[/PARAMETROS])."""
    melhores = {}
    for c, v in zip(chamadas, linhas):
        if not c.pasta or v["estado"] not in ESTADOS_COM_VALOR:
            continue
        atual = melhores.get(c.pasta)
        if atual is None or float(v["fo"]) < float(atual[1]["fo"]):
            melhores[c.pasta] = (c, v)
    for pasta, (c, _) in melhores.items():
        origem = os.path.join(pasta, c.base() + ".tour")
        if os.path.isfile(origem):
            shutil.copyfile(origem, os.path.join(pasta, "melhor.tour"))


def executa_estudo(experimenta, instancias, roteiros, sementes, conjuntos, trabalho=None,
                   tempo_limite=None, progresso=None, paralelas=1, dask=None, escala=None,
                   vizinhancas=(None,)):
    """Roda cada roteiro sobre cada instancia pelo experimenta, uma chamada por
    vizinhanca, conjunto de parametros e semente (`sementes` [None]: as
    sementes fixas do programa; `vizinhancas` [None]: sem --vizinhanca).
    Devolve as linhas do CSV, na ordem de instancias, roteiros, vizinhancas,
    conjuntos e sementes. `tempo_limite`: o orcamento de tempo de
    processador de cada metodo, repassado ao experimenta."""
    _confere_nomes(instancias)
    cadeias = {nome: cadeia_do_roteiro(nome, passos) for nome, passos in roteiros}
    chamadas = []
    for caminho in instancias:
        instancia = instancia_do_estudo(caminho)
        for roteiro, _ in roteiros:
            inicial, metodos = cadeias[roteiro]
            for vizinhanca, parametros in itertools.product(vizinhancas, conjuntos):
                pasta = ""
                if trabalho is not None:
                    pasta = os.path.join(trabalho, instancia.nome, roteiro, vizinhanca or "",
                                         rotulo_dos_parametros(parametros, ","))
                    shutil.rmtree(pasta, ignore_errors=True)
                    os.makedirs(pasta)
                chamadas += [Chamada(caminho, instancia, roteiro, inicial, metodos, parametros,
                                     s, pasta, vizinhanca) for s in sementes]

    def guarda(c):
        # Um metodo para sozinho no orcamento; a guarda so pega o que travou.
        orcamento = 2 * len(c.metodos) * tempo_limite if tempo_limite else 0
        return TEMPO_LIMITE_PADRAO + orcamento

    def local(i):
        c = chamadas[i]
        args = c.argumentos(c.caminho, c.pasta, escala, tempo_limite)
        return roda_experimenta(experimenta, args, guarda(c))

    def remotos(i):
        c = chamadas[i]
        instancia = c.instancia.nome + (".tsp" if e_tsplib(c.caminho) else "")
        args = c.argumentos(instancia, PASTA_REMOTA if c.pasta else "", escala, tempo_limite)
        return c.instancia.arquivos, args, guarda(c), bool(c.pasta)

    linhas = [None] * len(chamadas)
    andamento = Progresso(len(chamadas), progresso) if progresso else None
    indices = range(len(chamadas))
    if dask:
        execucoes = _execucoes_dask(dask, experimenta, tarefa_experimenta_remota, remotos, indices)
    else:
        execucoes = _execucoes_locais(local, indices, paralelas)
    escalas = {}
    try:
        for i, resultado in execucoes:
            c = chamadas[i]
            if dask and not isinstance(resultado, str):
                *resultado, novos = resultado
                if c.pasta:
                    prepara_pasta(c.pasta, novos)
            if escala == "auto" and not isinstance(resultado, str) and resultado[0] == 0:
                escalas.setdefault(c.instancia.nome,
                                   escala_escolhida(resultado[2].decode("latin-1")))
            v = linhas[i] = linha_do_estudo(c, tempo_limite, guarda(c), resultado)
            if andamento:
                andamento.avanca(f"{descreve_chamada(v)}: {v['estado']}",
                                 v["estado"] not in ESTADOS_COM_VALOR)
    finally:
        if andamento:
            andamento.encerra()
    if progresso:
        relata_escalas([(n, e) for n, e in escalas.items() if e], progresso)
    guarda_melhores(chamadas, linhas)
    return linhas
