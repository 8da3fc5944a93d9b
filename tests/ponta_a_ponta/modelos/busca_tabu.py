"""Independent model of the tabu search, written from its description and not
from the program, to review the expected files of the end-to-end cases.

A carried value below fo_star is a new best only when the tour measures
shorter than the best one; with --sem-confirmacao every such value counts (the
search before that rule, which reproduces the cases' older expected files).
Arithmetic in integers scaled by 2^23: every distance of an integer instance is
0 or at least 1, so every float involved is a whole multiple of 2^-23 and the
extended sums are exact (asserted).

  busca_tabu.py PASTA_INSTANCIA SAIDA_DO_PROGRAMA N_BUSCA PASTA_RESULTADO [--sem-confirmacao]

The starting tour is the last tour the saved output printed before its
N_BUSCA-th search. Writes PASTA_RESULTADO/busca.txt (the search's console text,
from "Iniciando" to the closing block) and the two trace files with the time
column as <t>, to compare with the masked expected files."""
import math, struct, sys, re

ESC = 1 << 23
SEM_CONFIRMACAO = "--sem-confirmacao" in sys.argv[5:]

def f32(i):  # round a scaled integer to 24 significant bits, ties to even
    if i == 0: return 0
    neg = i < 0; a = -i if neg else i
    sobra = a.bit_length() - 24
    if sobra > 0:
        m, r = divmod(a, 1 << sobra); meio = 1 << (sobra - 1)
        if r > meio or (r == meio and m & 1): m += 1
        a = m << sobra
    return -a if neg else a

def ext(i):  # the sums stay far inside 64 bits here
    assert abs(i).bit_length() <= 64
    return i

def val(i): return i / ESC

pasta, saida_prog, nbusca, destino = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4]
info = open(pasta + '/c50info.txt').read().split()
n = int(info[0]) + 1
x = [0]*n; y = [0]*n; x[0], y[0] = int(info[3]), int(info[4])
reg = open(pasta + '/c50.txt').read().split()
for k in range(0, len(reg) - 3, 4):
    c = int(reg[k]); x[c], y[c] = int(reg[k+1]), int(reg[k+2])
d = [[0]*n for _ in range(n)]
for i in range(n):
    for j in range(n):
        if i != j:
            f = struct.unpack('f', struct.pack('f', math.sqrt((x[i]-x[j])**2 + (y[i]-y[j])**2)))[0]
            assert f == 0 or f >= 1.0
            d[i][j] = int(f * ESC)

texto = open(saida_prog).read()
inicio = [m.start() for m in re.finditer(r'\nIniciando a Busca Tabu', texto)][nbusca - 1]
tour = re.findall(r'^((?:\d+ -> )+\d+) \n', texto[:inicio], flags=re.M)[-1]
s = [int(c) for c in tour.split(' -> ')][:n]

def calcula_fo(s):
    soma = 0
    for i in range(n-1): soma = f32(d[s[i]][s[i+1]] + soma)
    return f32(d[s[n-1]][s[0]] + soma)

def soma_arestas(s, i, j):
    p, q = (i-1) % n, (i+1) % n; pj, qj = (j-1) % n, (j+1) % n
    return f32(ext(d[s[p]][s[i]] + d[s[i]][s[q]] + d[s[pj]][s[j]] + d[s[j]][s[qj]]))

out = []
fo = calcula_fo(s); fo_star = fo; comp_star = fo
out.append("\nIniciando a Busca Tabu com fo = %8.2f\n" % val(fo))
bt = [(0, fo)]; btm = [(0, fo_star)]
lista = []; it = 0; melhor = 0; falsos = 0
while it - melhor < 300:
    it += 1
    fo_melhor = 1 << 60; mi = mj = -1
    for i in range(n-1):
        for j in range(i+1, n):
            ca = soma_arestas(s, i, j); s[i], s[j] = s[j], s[i]
            cd = soma_arestas(s, i, j); s[i], s[j] = s[j], s[i]
            fv = f32(ext(ext(fo - ca) + cd))
            tabu = (i, j) in lista
            adm = (not tabu) or fv < fo_star
            if tabu and adm:
                out.append("\nAspirando, isto e, realizando o movimento tabu que troca %2d com %2d\n" % (i, j))
                out.append("fo_viz = %10.4f fo_star = %10.4f \n\n" % (val(fv), val(fo_star)))
            if adm and fv < fo_melhor: mi, mj, fo_melhor = i, j, fv
    lista.append((mi, mj))
    if len(lista) > 10: lista.pop(0)
    s[mi], s[mj] = s[mj], s[mi]; fo = fo_melhor
    bt.append((it, fo))
    if fo < fo_star and SEM_CONFIRMACAO:
        comp_star = fo; melhor = it; fo_star = fo
        out.append("fo_star = %8.2f \n" % val(fo_star))
    elif fo < fo_star:
        comp = calcula_fo(s)
        if comp < comp_star:
            comp_star = comp; melhor = it; fo_star = fo
            out.append("fo_star = %8.2f \n" % val(fo_star))
        else:
            falsos += 1
    btm.append((it, fo_star))
bt.append((it, fo)); btm.append((it, fo_star))
out.append("********** Melhor Solucao Obtida *************** \n")
out.append("Saindo da Busca Tabu com fo_star = %8.2f\n" % val(fo_star))
out.append("Numero de iteracoes realizadas = %d \n" % it)
out.append("******************************************** \n")
open(destino + '/busca.txt', 'w').write(''.join(out))
for nome, linhas in (('BTsaida.txt', bt), ('BTsaidaMelhorfo.txt', btm)):
    open(destino + '/' + nome, 'w').write(''.join("<t>\t  %4d\t  %7.2f\n" % (k, val(y)) for k, y in linhas))
print("iteracoes %d, falsos melhores recusados %d, fo_star %.6f" % (it, falsos, val(fo_star)))
