"""O erro de entrada dos graficos (e do percurso_tsplib.py)."""


class ErroEntrada(Exception):
    """Entrada que o usuario precisa corrigir; a mensagem diz o que esta errado."""
