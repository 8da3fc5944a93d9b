"""O que o lote diz na saida de erros enquanto roda: o progresso e as escalas."""
import shutil
import time

from . import PROGRAMA


def _duracao(segundos):
    s = int(round(segundos))
    h, m, s = s // 3600, s // 60 % 60, s % 60
    return f"{h}:{m:02d}:{s:02d}" if h else f"{m}:{s:02d}"


class Progresso:
    """Uma linha a cada execucao terminada: feitas/total, falhas, tempo
    decorrido e estimativa do restante. Num terminal, a mesma linha reescrita;
    fora dele (arquivo, pipe), uma linha por execucao."""

    def __init__(self, total, fluxo):
        self.total, self.fluxo = total, fluxo
        self.feitas = self.falhas = 0
        self.inicio = time.monotonic()
        self.terminal = fluxo.isatty()

    def avanca(self, descricao, falhou):
        self.feitas += 1
        self.falhas += bool(falhou)
        decorrido = time.monotonic() - self.inicio
        restante = decorrido / self.feitas * (self.total - self.feitas)
        linha = (f"[{self.feitas}/{self.total}] {self.falhas} falha(s), "
                 f"{_duracao(decorrido)} decorrido, ~{_duracao(restante)} restante; "
                 f"{descricao}")
        if self.terminal:
            # Cortada a largura do terminal: uma linha que quebra nao e reescrita.
            largura = shutil.get_terminal_size().columns - 1
            self.fluxo.write("\r" + linha[:largura] + "\x1b[K")
            if self.feitas == self.total:
                self.fluxo.write("\n")
        else:
            self.fluxo.write(linha + "\n")
        self.fluxo.flush()

    def encerra(self):
        if self.terminal and self.feitas < self.total:
            self.fluxo.write("\n")
            self.fluxo.flush()


def relata_escalas(escalas, fluxo):
    """Uma linha por arquivo convertido com --escala auto: o fator escolhido."""
    for nome, escala in escalas:
        print(f"{PROGRAMA}: {nome}.tsp: escala auto: {escala}", file=fluxo)
