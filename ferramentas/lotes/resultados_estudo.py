"""As linhas do CSV de um estudo, o resumo por grupo e a sua tabela em Markdown."""
import csv
import io
import statistics

from .parametros import rotulo_dos_parametros
from .relatorios import _ultima_linha


COLUNAS_ESTUDO = ["roteiro", "instancia", "cidades", "inicial", "cadeia", "parametros",
                  "vizinhanca", "semente", "tempo_limite", "fo_inicial", "fo", "referencia",
                  "origem_referencia", "gap", "tempo", "estado", "detalhe", "versao"]
COLUNAS_DO_PASSO = ("fo_{}", "tempo_{}", "iteracoes_{}", "parada_{}")
# Colunas copiadas da linha que o experimenta grava.
_DO_EXPERIMENTA = ("cidades", "tempo_limite", "fo_inicial", "fo", "referencia", "gap", "tempo",
                   "estado", "versao")
ESTADOS_COM_VALOR = ("ok", "tempo_limite")  # parada pelo orcamento ainda e resultado
ESTATISTICAS = ("media", "dp", "min", "mediana", "max")
COLUNAS_RESUMO = (["instancia", "roteiro", "inicial", "cadeia", "parametros", "vizinhanca",
                   "execucoes", "falhas"]
                  + [f"{c}_{e}" for c in ("fo", "gap", "tempo") for e in ESTATISTICAS]
                  + ["melhor_semente"])


def _motivo(status, erros, saida):
    texto = erros.decode("latin-1").strip()
    linha = texto.splitlines()[0] if texto else _ultima_linha(saida.decode("latin-1"))
    if status in (130, 143):
        return "interrompida", f"interrompido por sinal (status {status}): {linha}"
    if status < 0:
        return "falha", f"terminado pelo sinal {-status}: {linha}"
    return "falha", f"status de saida {status}: {linha}"


def linha_do_estudo(c, tempo_limite, guarda, resultado):
    """A linha do CSV de uma chamada: a linha que o experimenta gravou, com o
    roteiro e o conjunto de parametros pedido; ou a falha, com o motivo."""
    v = dict.fromkeys(COLUNAS_ESTUDO, "")
    v.update(roteiro=c.roteiro, instancia=c.instancia.nome, inicial=c.inicial,
             cadeia="+".join(c.metodos), parametros=rotulo_dos_parametros(c.parametros),
             vizinhanca=c.vizinhanca or "",
             semente="" if c.semente is None else c.semente,
             tempo_limite="" if tempo_limite is None else f"{tempo_limite:g}",
             cidades="" if c.instancia.cidades is None else c.instancia.cidades)
    if isinstance(resultado, str):
        v.update(estado="falha", detalhe=resultado)
        return v
    status, saida, erros = resultado
    if status is None:
        v.update(estado="tempo_esgotado",
                 detalhe=f"chamada interrompida apos {guarda:g} s de relogio")
        return v
    if status != 0:
        estado, detalhe = _motivo(status, erros, saida)
        v.update(estado=estado, detalhe=detalhe)
        return v
    linhas = list(csv.DictReader(io.StringIO(saida.decode("latin-1"))))
    passos = [col.format(m) for m in range(1, len(c.metodos) + 1) for col in COLUNAS_DO_PASSO]
    if len(linhas) != 1 or any(col not in linhas[0] for col in (*_DO_EXPERIMENTA, *passos)):
        v.update(estado="falha", detalhe="saida do experimenta fora do formato: esperava o "
                 f"cabecalho e uma linha, veio {len(linhas)} linha(s)")
        return v
    r = linhas[0]
    v.update({col: r[col] for col in (*_DO_EXPERIMENTA, *passos)})
    if r["referencia"]:
        v["origem_referencia"] = c.instancia.referencia
    if v["estado"] not in ESTADOS_COM_VALOR:
        v["detalhe"] = "o experimenta nao concluiu a execucao"
    return v


def descreve_chamada(v):
    """'eil76 sa 2opt TAXA_RESFRIAMENTO=0.99 s3', de uma linha do CSV do estudo."""
    semente = f"s{v['semente']}" if v["semente"] != "" else ""
    return " ".join(filter(None, [v["instancia"], v["roteiro"], v["vizinhanca"],
                                  v["parametros"], semente]))


def _estatisticas(valores):
    if not valores:
        return dict.fromkeys(ESTATISTICAS)
    return {"media": statistics.fmean(valores),
            "dp": statistics.stdev(valores) if len(valores) > 1 else None,
            "min": min(valores), "mediana": statistics.median(valores), "max": max(valores)}


def resumo_do_estudo(linhas):
    """Uma linha por instancia, roteiro, vizinhanca e conjunto de parametros: execucoes com
    valor, falhas, media, desvio padrao (amostral), minimo, mediana e maximo
    de fo, gap e tempo, e a semente da melhor fo (a primeira, no empate)."""
    grupos = {}
    for v in linhas:
        chave = (v["instancia"], v["roteiro"], v["vizinhanca"], v["parametros"])
        grupos.setdefault(chave, []).append(v)
    resumo = []
    for grupo in grupos.values():
        validas = [v for v in grupo if v["estado"] in ESTADOS_COM_VALOR]
        r = {col: grupo[0][col] for col in ("instancia", "roteiro", "inicial", "cadeia",
                                              "parametros", "vizinhanca")}
        r.update(execucoes=len(validas), falhas=len(grupo) - len(validas))
        for coluna in ("fo", "gap", "tempo"):
            est = _estatisticas([float(v[coluna]) for v in validas if v[coluna] != ""])
            r.update({f"{coluna}_{e}": "" if x is None else f"{x:f}" for e, x in est.items()})
        melhor = min(validas, key=lambda v: float(v["fo"]), default=None)
        r["melhor_semente"] = "" if melhor is None else melhor["semente"]
        resumo.append(r)
    return resumo


def tabela_do_estudo(resumo):
    """Tabela Markdown do resumo; sem parametros, vizinhanca ou referencia, sem
    essas colunas."""
    com_parametros = any(r["parametros"] for r in resumo)
    com_vizinhanca = any(r["vizinhanca"] for r in resumo)
    com_gap = any(r["gap_media"] for r in resumo)

    def par(r, c, casas):
        if not r[f"{c}_media"]:
            return ""
        dp = f" ({float(r[f'{c}_dp']):.{casas}f})" if r[f"{c}_dp"] else ""
        return f"{float(r[f'{c}_media']):.{casas}f}{dp}"

    def faixa(r, c, casas):
        if not r[f"{c}_media"]:
            return ""
        return " / ".join(f"{float(r[f'{c}_{e}']):.{casas}f}" for e in ("min", "mediana", "max"))

    cab = (["instancia", "roteiro"] + (["vizinhanca"] if com_vizinhanca else [])
           + (["parametros"] if com_parametros else [])) + [
        "execucoes", "fo media (dp)", "fo min / mediana / max"]
    if com_gap:
        cab += ["gap % media (dp)", "gap % min / mediana / max"]
    cab += ["tempo s media (dp)", "melhor semente"]
    saida = ["| " + " | ".join(cab) + " |", "|" + "---|" * len(cab)]
    for r in resumo:
        execucoes = str(r["execucoes"]) + (f" ({r['falhas']} falha(s))" if r["falhas"] else "")
        cel = ([r["instancia"], r["roteiro"]] + ([r["vizinhanca"]] if com_vizinhanca else [])
               + ([r["parametros"]] if com_parametros else [])) + [
            execucoes, par(r, "fo", 2), faixa(r, "fo", 2)]
        if com_gap:
            cel += [par(r, "gap", 2), faixa(r, "gap", 2)]
        cel += [par(r, "tempo", 3), str(r["melhor_semente"])]
        saida.append("| " + " | ".join(cel) + " |")
    return "\n".join(saida) + "\n"


def colunas_do_estudo(linhas):
    """As colunas fixas e as de cada passo, ate a cadeia mais longa."""
    passos = max((len(v["cadeia"].split("+")) for v in linhas if v["cadeia"]), default=0)
    return COLUNAS_ESTUDO + [c.format(m) for m in range(1, passos + 1) for c in COLUNAS_DO_PASSO]


def grava_dicts(caminho, colunas, linhas):
    with open(caminho, "w", newline="", encoding="utf-8") as f:
        w = csv.DictWriter(f, fieldnames=colunas, restval="", lineterminator="\n")
        w.writeheader()
        w.writerows(linhas)
