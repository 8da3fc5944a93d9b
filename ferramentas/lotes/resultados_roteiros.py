"""As linhas do CSV do lote de roteiros, o CSV e a tabela resumo em Markdown."""
import csv
from dataclasses import dataclass

from .menu import METODOS
from .roteiros import texto_do_passo


COLUNAS = ["instancia", "cidades", "roteiro", "passo", "caminho_menu", "metodo", "fo",
           "tempo_cpu_s", "otimo", "gap_pct", "referencia", "estado", "detalhe"]


@dataclass
class Linha:
    valores: dict
    percurso: str = ""            # a linha de percurso do relatorio, para os graficos
    pasta: str = ""               # pasta de trabalho (vazia se foi apagada)


def _gap(fo, otimo):
    try:
        valor, referencia = float(fo), float(otimo)
    except ValueError:
        return ""
    gap = f"{100.0 * (valor - referencia) / referencia:.2f}"
    return "0.00" if gap == "-0.00" else gap


def linhas_da_execucao(instancia, roteiro, passos, relatorios, pasta):
    linhas = []
    for i, (passo, rel) in enumerate(zip(passos, relatorios)):
        caminho = " ".join(texto_do_passo(p) for p in passos[:i + 1])
        valores = {
            "instancia": instancia.nome,
            "cidades": "" if instancia.cidades is None else instancia.cidades,
            "roteiro": roteiro,
            "passo": i + 1,
            "caminho_menu": caminho,
            "metodo": METODOS[passo].nome,
            "fo": rel.fo,
            "tempo_cpu_s": rel.tempo,
            "otimo": instancia.otimo,
            "gap_pct": _gap(rel.fo, instancia.otimo) if rel.fo and instancia.otimo else "",
            "referencia": instancia.referencia,
            "estado": rel.estado,
            "detalhe": rel.detalhe,
        }
        linhas.append(Linha(valores, rel.percurso, pasta))
    return linhas


def grava_csv(caminho, linhas):
    with open(caminho, "w", newline="", encoding="utf-8") as f:
        w = csv.DictWriter(f, fieldnames=COLUNAS, lineterminator="\n")
        w.writeheader()
        for linha in linhas:
            w.writerow(linha.valores)


def tabela_resumo(linhas):
    """Tabela Markdown: um caminho de menu por linha, uma instancia por coluna,
    com 'fo / gap / tempo' (o primeiro resultado de cada caminho)."""
    instancias, caminhos, celulas = [], [], {}
    for linha in linhas:
        v = linha.valores
        if v["instancia"] not in instancias:
            instancias.append(v["instancia"])
        chave = (v["caminho_menu"], v["metodo"])
        if chave not in caminhos:
            caminhos.append(chave)
        if v["estado"] == "ok":
            texto = f"{float(v['fo']):.2f}"
            if v["gap_pct"]:
                texto += f" / {v['gap_pct']}%"
            if v["tempo_cpu_s"]:
                texto += f" / {float(v['tempo_cpu_s']):.3f} s"
        else:
            texto = v["estado"]
        atual = celulas.get((chave, v["instancia"]))
        if atual is None or (atual[0] != "ok" and v["estado"] == "ok"):
            celulas[(chave, v["instancia"])] = (v["estado"], texto)
    cab = ["caminho", "metodo"] + instancias
    saida = ["| " + " | ".join(cab) + " |", "|" + "---|" * len(cab)]
    for chave in caminhos:
        cel = [celulas.get((chave, inst), ("", ""))[1] for inst in instancias]
        saida.append("| " + " | ".join([chave[0], chave[1]] + cel) + " |")
    return "\n".join(saida) + "\n"
