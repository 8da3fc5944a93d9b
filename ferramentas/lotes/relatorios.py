"""Os relatorios que o programa imprime, lidos passo a passo do roteiro."""
import re
from dataclasses import dataclass

from .menu import METODOS, TITULO_MENU_PRINCIPAL, TITULOS_SUBMENU


_PROMPT = re.compile(r"^ {16}[Ee]scolha: ")
_PERCURSO = re.compile(r"^-?\d+( -> -?\d+)+ $")
_FUNCAO_OBJETIVO = re.compile(r"^Funcao objetivo = (\S+)$")
_MELHOR_FO = re.compile(r"^Melhor fo encontrada = (\S+) $")
_TEMPO = re.compile(r"^Tempo de CPU = (\S+) segundos$")


@dataclass
class Relatorio:
    estado: str
    fo: str = ""
    tempo: str = ""
    percurso: str = ""
    detalhe: str = ""


def _linhas(texto):
    return [_PROMPT.sub("", l) for l in texto.split("\n")]


def _le_relatorio(trecho, metodo):
    """Procura, no que o programa imprimiu durante um passo, o relatorio do metodo."""
    linhas = _linhas(trecho)
    if metodo.cabecalho not in linhas:
        # O que o passo imprimiu depois do ultimo prompt explica a falta.
        depois = re.split(r"[Ee]scolha: ", trecho)[-1]
        return Relatorio("sem_relatorio",
                         detalhe=f"sem o relatorio do metodo; ultima linha: {_ultima_linha(depois)}")
    i = len(linhas) - 1 - linhas[::-1].index(metodo.cabecalho)
    resto = linhas[i + 1:] + [""] * 4
    fora = Relatorio("sem_relatorio", detalhe="relatorio fora do formato")
    if not _PERCURSO.match(resto[0]):
        return fora
    if metodo.construcao:
        m = _FUNCAO_OBJETIVO.match(resto[1])
        if not m:
            return fora
        return Relatorio("ok", fo=m.group(1), percurso=resto[0])
    m_fo, m_tempo = _MELHOR_FO.match(resto[2]), _TEMPO.match(resto[3])
    if resto[1] != "" or not m_fo or not m_tempo:
        return fora
    return Relatorio("ok", fo=m_fo.group(1), tempo=m_tempo.group(1), percurso=resto[0])


def _ultima_linha(texto):
    for linha in reversed(_linhas(texto)):
        if linha.strip():
            return linha.strip()
    return "(nada impresso)"


def analisa_saida(execucao, passos):
    """Um relatorio por passo. O menu principal reaparece antes de cada escolha,
    entao o que vem entre duas aparicoes e o que o passo imprimiu."""
    if execucao.status is None:
        return [Relatorio("tempo_esgotado", detalhe="execucao interrompida por tempo")
                for _ in passos]
    if execucao.status != 0:
        motivo = (f"status de saida {execucao.status}" if execucao.status > 0
                  else f"terminado pelo sinal {-execucao.status}")
        detalhe = f"{motivo}: {_ultima_linha(execucao.saida)}"
        return [Relatorio("falha", detalhe=detalhe) for _ in passos]
    trechos = execucao.saida.split("\n" + TITULO_MENU_PRINCIPAL + "\n")[1:]
    relatorios = []
    for i, passo in enumerate(passos):
        trecho = trechos[i] if i < len(trechos) else ""
        escolha = passo[0]
        if relatorios and relatorios[-1].estado == "fora_do_roteiro":
            relatorios.append(Relatorio("fora_do_roteiro",
                                        detalhe="um passo anterior saiu do roteiro"))
        elif escolha in TITULOS_SUBMENU and TITULOS_SUBMENU[escolha] not in _linhas(trecho):
            # Sem o submenu, a opcao seguinte foi lida como escolha do menu principal.
            relatorios.append(Relatorio("fora_do_roteiro",
                                        detalhe="o programa nao mostrou o submenu da escolha "
                                                f"{escolha}"))
        else:
            relatorios.append(_le_relatorio(trecho, METODOS[passo]))
    return relatorios
