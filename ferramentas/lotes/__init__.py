"""O lote da bancada (ferramentas/lote.py), um modulo por tarefa."""

PROGRAMA = "lote.py"
