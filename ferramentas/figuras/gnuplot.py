"""O gnuplot: o cabecalho dos scripts e a chamada que grava o PNG."""
import os
import shutil
import subprocess

from .erro import ErroEntrada


def _aspas(texto):
    return "'" + str(texto).replace("'", "''") + "'"


def _gnuplot(script, saida):
    executavel = shutil.which("gnuplot")
    if executavel is None:
        raise ErroEntrada("gnuplot nao encontrado (Debian: apt-get install gnuplot-nox)")
    if os.path.exists(saida):
        os.remove(saida)  # para nao confundir um PNG antigo com o novo
    r = subprocess.run([executavel], input=script, text=True, capture_output=True)
    if r.returncode != 0 or not os.path.isfile(saida) or os.path.getsize(saida) == 0:
        raise ErroEntrada(f"o gnuplot falhou ao gravar {saida}: {r.stderr.strip()}")


def _cabecalho(saida, largura, altura, titulo):
    return (f"set terminal pngcairo size {largura},{altura} noenhanced font ',10'\n"
            f"set output {_aspas(saida)}\n"
            f"set title {_aspas(titulo)}\n"
            "set grid lc rgb '#dddddd'\n")
