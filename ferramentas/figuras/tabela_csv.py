"""CSV lido com as colunas conferidas, e os numeros das suas celulas."""
import csv

from .erro import ErroEntrada


def le_csv(caminho, colunas):
    """As linhas (dicts) de um CSV que precisa das `colunas`."""
    try:
        with open(caminho, newline="", encoding="utf-8") as f:
            leitor = csv.DictReader(f)
            linhas = list(leitor)
            cabecalho = leitor.fieldnames or []
    except OSError as e:
        raise ErroEntrada(f"{caminho}: {e.strerror}") from None
    faltam = [c for c in colunas if c not in cabecalho]
    if faltam:
        raise ErroEntrada(f"{caminho}: falta a coluna {faltam[0]}")
    return linhas


def _numero(texto, origem):
    try:
        return float(texto)
    except ValueError:
        raise ErroEntrada(f"{origem}: '{texto}' nao e um numero") from None
