"""Os graficos da bancada (ferramentas/graficos.py), um modulo por tarefa."""
