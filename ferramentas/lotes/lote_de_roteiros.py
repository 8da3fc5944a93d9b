"""Roda cada roteiro de menu sobre cada instancia, aqui ou no Dask, e monta as
linhas do CSV."""
import os
import shutil
import tempfile
from dataclasses import dataclass

import graficos
import percurso_tsplib

from .execucao import TEMPO_LIMITE_PADRAO, Execucao, prepara_pasta, roda_programa
from .execucao_dask import _execucoes_dask
from .execucao_local import _execucoes_locais
from .instancias import Instancia, _confere_nomes, conversor_padrao, e_tsplib, prepara_instancia
from .menu import METODOS
from .progresso import Progresso, relata_escalas
from .relatorios import Relatorio, analisa_saida
from .resultados_roteiros import linhas_da_execucao
from .roteiros import ErroRoteiro, entrada_do_roteiro
from .trabalhador import tarefa_remota


@dataclass
class Tarefa:
    instancia: Instancia
    roteiro: str
    passos: list
    pasta: str       # pasta de trabalho guardada; vazia sem --trabalho
    arquivos: dict   # o que a execucao recebe: a instancia e a entrada.txt


def _roda_local(programa, tarefa, tempo_limite):
    pasta = tarefa.pasta or tempfile.mkdtemp(prefix="lote.")
    try:
        prepara_pasta(pasta, tarefa.arquivos)
        status, saida = roda_programa(programa, pasta, tempo_limite)
    finally:
        if not tarefa.pasta:
            shutil.rmtree(pasta, ignore_errors=True)
    return Execucao(status, saida.decode("latin-1")), {}


def grava_percurso_final(nome, roteiro, passos, relatorios, pasta):
    """Guarda o percurso do ultimo relatorio lido da execucao em percurso.tour,
    ao lado da saida.txt, medido na copia da instancia que a pasta guarda; uma
    execucao sem relatorio nao deixa arquivo."""
    for i in range(len(relatorios) - 1, -1, -1):
        if relatorios[i].estado == "ok" and relatorios[i].percurso:
            break
    else:
        return
    try:
        pontos = graficos.le_instancia(pasta)
        cidades = graficos.le_percurso(relatorios[i].percurso, len(pontos))
    except graficos.ErroEntrada:
        return  # a instancia ou o percurso ja aparecem como problema no CSV
    percurso_tsplib.grava_tour(os.path.join(pasta, "percurso.tour"), pontos, cidades,
                               f"{nome}, roteiro {roteiro}, passo {i + 1} "
                               f"({METODOS[passos[i]].nome})", nome)


_FALHAS = ("falha", "tempo_esgotado")


def executa_lote(programa, instancias, roteiros, trabalho=None, tempo_limite=None,
                 progresso=None, paralelas=1, dask=None, conversor=None, escala=None):
    """Roda cada roteiro sobre cada instancia (pasta ou .tsp) e devolve as
    linhas do CSV, na ordem das instancias e dos roteiros. Ate `paralelas`
    execucoes ao mesmo tempo nesta maquina, ou, com `dask` (o endereco de um
    escalonador), nos trabalhadores do Dask. `progresso`: fluxo onde vai a
    linha de progresso."""
    if tempo_limite is None:
        tempo_limite = TEMPO_LIMITE_PADRAO
    _confere_nomes(instancias)
    if any(e_tsplib(p) for p in instancias):
        conversor = conversor or conversor_padrao(programa)
        if not os.access(conversor, os.X_OK):
            raise ErroRoteiro(f"{conversor}: conversor de .tsp nao encontrado (compile o alvo "
                              "converte_tsplib ou indique --conversor)")
    with tempfile.TemporaryDirectory(prefix="lote.") as temporaria:
        preparadas = [prepara_instancia(p, conversor, escala, temporaria) for p in instancias]
    if progresso:
        relata_escalas([(i.nome, i.escala) for i in preparadas if i.escala], progresso)

    tarefas = []
    for instancia in preparadas:
        for roteiro, passos in roteiros:
            pasta = ""
            if trabalho is not None:
                pasta = os.path.join(trabalho, instancia.nome, roteiro)
                shutil.rmtree(pasta, ignore_errors=True)
                if not instancia.recusa:
                    os.makedirs(pasta)
            arquivos = dict(instancia.arquivos)
            arquivos["entrada.txt"] = entrada_do_roteiro(passos).encode()
            tarefas.append(Tarefa(instancia, roteiro, passos, pasta, arquivos))

    linhas_por_tarefa = [None] * len(tarefas)
    andamento = Progresso(len(tarefas), progresso) if progresso else None

    def conclui(i, relatorios):
        t = tarefas[i]
        if t.pasta and os.path.isdir(t.pasta):
            grava_percurso_final(t.instancia.nome, t.roteiro, t.passos, relatorios, t.pasta)
        linhas_por_tarefa[i] = linhas_da_execucao(t.instancia, t.roteiro, t.passos, relatorios,
                                                  t.pasta if os.path.isdir(t.pasta) else "")
        if andamento:
            estados = ", ".join(r.estado for r in relatorios)
            andamento.avanca(f"{t.instancia.nome} {t.roteiro}: {estados}",
                             any(r.estado in _FALHAS for r in relatorios))

    try:
        indices = []
        for i, t in enumerate(tarefas):
            if t.instancia.recusa:
                conclui(i, [Relatorio("falha", detalhe=t.instancia.recusa) for _ in t.passos])
            else:
                indices.append(i)
        if dask:
            execucoes = _execucoes_dask(
                dask, programa, tarefa_remota,
                lambda i: (tarefas[i].arquivos, tempo_limite, trabalho is not None), indices)
        else:
            execucoes = _execucoes_locais(
                lambda i: _roda_local(programa, tarefas[i], tempo_limite), indices, paralelas)
        for i, resultado in execucoes:
            t = tarefas[i]
            if isinstance(resultado, str):
                conclui(i, [Relatorio("falha", detalhe=resultado) for _ in t.passos])
                continue
            if dask:
                status, saida, novos = resultado
                execucao = Execucao(status, saida.decode("latin-1"))
            else:
                execucao, novos = resultado
            if t.pasta and dask:
                # A pasta fica como a de uma execucao local.
                prepara_pasta(t.pasta, t.arquivos)
                prepara_pasta(t.pasta, novos)
            conclui(i, analisa_saida(execucao, t.passos))
    finally:
        if andamento:
            andamento.encerra()
    return [linha for linhas in linhas_por_tarefa for linha in linhas]
