"""As cidades de uma pasta de instancia ou de um .tsp, o nome e a referencia do gap."""
import os
import shutil
import subprocess
import tempfile

from .erro import ErroEntrada
from .medida import comprimento


def _inteiros(caminho, texto):
    try:
        return [int(t) for t in texto.split()]
    except ValueError as e:
        raise ErroEntrada(f"{caminho}: esperava apenas numeros inteiros ({e})") from None


def le_instancia(pasta):
    """Devolve a lista de coordenadas (x, y) das cidades 0 a n-1 da pasta."""
    info = os.path.join(pasta, "c50info.txt")
    coords = os.path.join(pasta, "c50.txt")
    try:
        with open(info, encoding="latin-1") as f:
            campos = f.read().split()
        with open(coords, encoding="latin-1") as f:
            registros = f.read()
    except OSError as e:
        raise ErroEntrada(f"instancia invalida: {e.filename}: {e.strerror}") from None
    # c50info.txt: numero de cidades alem da 0, um real e um inteiro sem uso, x0 y0.
    if len(campos) < 5:
        raise ErroEntrada(f"instancia invalida: {info}: esperava 5 valores")
    try:
        n = int(campos[0]) + 1
        x0, y0 = int(campos[3]), int(campos[4])
    except ValueError:
        raise ErroEntrada(f"instancia invalida: {info}: valores nao inteiros") from None
    if n < 1:
        raise ErroEntrada(f"instancia invalida: {info}: numero de cidades negativo")
    valores = _inteiros(coords, registros)
    if len(valores) % 4 != 0:
        raise ErroEntrada(f"instancia invalida: {coords}: registro incompleto")
    pontos = [None] * n
    pontos[0] = (x0, y0)
    for i in range(0, len(valores), 4):
        cidade, x, y = valores[i:i + 3]
        if not 1 <= cidade < n:
            raise ErroEntrada(f"instancia invalida: {coords}: cidade {cidade} fora de 1..{n - 1}")
        pontos[cidade] = (x, y)
    faltam = [c for c in range(n) if pontos[c] is None]
    if faltam:
        raise ErroEntrada(f"instancia invalida: {coords}: falta a cidade {faltam[0]}")
    return pontos


# ferramentas/figuras/ fica dois niveis abaixo da raiz do projeto.
RAIZ = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


def nome_da_instancia(caminho):
    """O nome que vai nos titulos: o .tsp sem a extensao; a pasta de uma
    execucao do lote (PASTA/INSTANCIA/ROTEIRO) da o nome da instancia."""
    caminho = os.path.normpath(caminho)
    if caminho.lower().endswith(".tsp"):
        return os.path.basename(caminho)[:-4]
    if all(os.path.isfile(os.path.join(caminho, a)) for a in ("entrada.txt", "saida.txt")):
        return os.path.basename(os.path.dirname(caminho))
    return os.path.basename(caminho)


def conversor_padrao():
    """O converte_tsplib do build/ do projeto, ou o do PATH."""
    compilado = os.path.join(RAIZ, "build", "ferramentas", "converte_tsplib")
    return compilado if os.access(compilado, os.X_OK) else shutil.which("converte_tsplib")


def pontos_da_instancia(caminho, escala=None, conversor=None):
    """As coordenadas de uma pasta de instancia ou de um .tsp, que o conversor
    do projeto converte numa pasta de rascunho, apagada em seguida."""
    if os.path.isdir(caminho):
        return le_instancia(caminho)
    if not (caminho.lower().endswith(".tsp") and os.path.isfile(caminho)):
        raise ErroEntrada(f"{caminho}: nao e pasta de instancia (c50info.txt e c50.txt) nem "
                          "arquivo .tsp")
    conversor = conversor or conversor_padrao()
    if not conversor:
        raise ErroEntrada(f"{caminho}: o conversor converte_tsplib nao foi encontrado; "
                          f"converta primeiro (converte_tsplib {caminho} PASTA) e passe a PASTA")
    with tempfile.TemporaryDirectory(prefix="graficos.") as tmp:
        pasta = os.path.join(tmp, "instancia")
        comando = [conversor] + (["--escala", escala] if escala else []) + [caminho, pasta]
        r = subprocess.run(comando, capture_output=True)
        if r.returncode != 0:
            erros = r.stderr.decode("latin-1").strip().splitlines()
            raise ErroEntrada(erros[0] if erros else f"{conversor}: status {r.returncode}")
        return le_instancia(pasta)


def referencia_da_instancia(caminho, pontos):
    """(comprimento, origem) da referencia do gap, como o experimenta a acha:
    o NOME.opt.tour ao lado do .tsp, medido como o programa mede, ou o arquivo
    OTIMO da pasta; None sem nenhum."""
    if caminho.lower().endswith(".tsp"):
        tour = caminho[:-4] + ".opt.tour"
        if os.path.isfile(tour):
            import percurso_tsplib
            return comprimento(percurso_tsplib.le_tour(tour, len(pontos)), pontos), "opt.tour"
        return None
    otimo = os.path.join(caminho, "OTIMO")
    try:
        with open(otimo) as f:
            return float(f.read().split()[0]), "OTIMO"
    except (OSError, ValueError, IndexError):
        return None


def texto_do_gap(fo, referencia):
    if not referencia:
        return ""
    valor, origem = referencia
    return f", gap {100 * (fo - valor) / valor:.2f}% sobre {origem} ({valor:.2f})"


def opcoes_do_tsp(p):
    """As opcoes de quem aceita um .tsp no lugar da pasta da instancia."""
    p.add_argument("--escala", metavar="K", help="com um .tsp: repassado ao conversor "
                   "(K ou auto), para coordenadas reais")
    p.add_argument("--conversor", metavar="EXE", help="com um .tsp: o converte_tsplib "
                   "(padrao: o de build/ferramentas, ou o do PATH)")
