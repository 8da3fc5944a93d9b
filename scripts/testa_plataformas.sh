#!/usr/bin/env bash
# Runs the whole end-to-end suite on builds that stand for the other platforms
# (the presets of the same names in CMakePresets.json),
# on this Linux x86-64 machine, and prints each one's pass count:
#   clang    the native build with clang++ (clang++-14 when that is the name)
#   ld64     long double = double (the format of MSVC and macOS on ARM)
#   ld128    long double = IEEE quadruple (the format of Linux on ARM)
#            (both also run the unit tests: the software extended arithmetic)
#   aarch64  a static ARM build run under qemu-aarch64
#   mingw    a static Windows build (MinGW-w64) run under wine
#   scripts/testa_plataformas.sh [clang ld64 ld128 aarch64 mingw]
# Needs Debian's crossbuild-essential-arm64, qemu-user, g++-mingw-w64-x86-64
# and wine64 for the last two. The companion tools are built too (not run).
# Exits 1 when any case differs.
set -uo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)
builds=("$@")
[ ${#builds[@]} -eq 0 ] && builds=(clang ld64 ld128 aarch64 mingw)

# constroi PRESET [cmake options...]: the program and its tools, in build-PRESET;
# with UNITARIOS=1 everything, unit tests included.
constroi() {
    local preset=$1; shift
    local pasta="$raiz/build-$preset"
    local log="$pasta/construcao.log"
    local alvos=(--target bancada converte_tsplib gera_instancia experimenta)
    [ "${UNITARIOS:-0}" = 1 ] && alvos=()
    mkdir -p "$pasta"
    (cd "$raiz" && cmake --preset "$preset" "$@" && cmake --build --preset "$preset" -j "$jobs" "${alvos[@]}") \
        > "$log" 2>&1 ||
        { echo "falha ao construir $pasta"; tail -20 "$log"; return 1; }
}

# The experiment program's rows, processor times and the build's version aside,
# against the native Release build's (scripts/testa.sh builds it first): seeded
# chains through every random stream and the extended arithmetic.
sem_tempos() {
    awk -F, -v OFS=, 'NR == 1 { for (i = 1; i <= NF; i++) if ($i ~ /^tempo(_[0-9]+)?$/) m[i] = 1 }
                      { for (i in m) $i = "-"; $1 = "-"; print }'
}
compara_experimenta() {
    local b=$1 pasta=$2 nativo=$raiz/build/ferramentas/experimenta
    local programa=$pasta/ferramentas/experimenta
    [ -f "$pasta/roda_experimenta" ] && programa=$pasta/roda_experimenta
    if [ ! -x "$nativo" ]; then
        echo "$b: experimenta nao comparado (falta $nativo)"
        return 0
    fi
    local args=(--instancia "$raiz/instancias/eil51" --inicial aleatoria
                --metodos sa,descida-randomica,tabu,vns,descida-parcial --sementes 1-3)
    # and the 2-opt/Or-opt descents, with candidate lists and without
    local outros=(--instancia "$raiz/instancias/aleatoria200" --inicial aleatoria
                  --metodos descida,grasp-vmp --param ITERACOES_GRASP=5
                  --vizinhanca 2opt+oropt --sementes 1-2)
    # the same chain of methods in 2-opt + Or-opt: draws, acceptance, tabu edges
    local moves=(--vizinhanca 2opt+oropt --sementes 1-2)
    if diff <("$nativo" "${args[@]}" | sem_tempos; "$nativo" "${outros[@]}" | sem_tempos;
              "$nativo" "${outros[@]}" --param VIZINHOS=0 | sem_tempos;
              "$nativo" "${args[@]:0:6}" "${moves[@]}" | sem_tempos) \
            <("$programa" "${args[@]}" | sem_tempos; "$programa" "${outros[@]}" | sem_tempos;
              "$programa" "${outros[@]}" --param VIZINHOS=0 | sem_tempos;
              "$programa" "${args[@]:0:6}" "${moves[@]}" | sem_tempos) \
        > "$pasta/experimenta.log" 2>&1; then
        echo "$b: experimenta igual ao nativo"
    else
        echo "$b: experimenta difere do nativo"; head -20 "$pasta/experimenta.log"
        return 1
    fi
}

falhou=0
for b in "${builds[@]}"; do
    pasta="$raiz/build-$b"
    programa="$pasta/bancada"
    case $b in
        clang) constroi clang "-DCMAKE_CXX_COMPILER=$(command -v clang++ || command -v clang++-14)" ;;
        ld64 | ld128) UNITARIOS=1 constroi "$b" ;;
        aarch64)
            constroi aarch64 &&
                for p in bancada ferramentas/experimenta; do
                    printf '#!/bin/sh\nexec qemu-aarch64 "%s" "$@"\n' "$pasta/$p" \
                        > "$pasta/roda_${p##*/}"
                done ;;
        mingw)
            wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
            constroi mingw &&
                for p in bancada ferramentas/experimenta; do
                    printf '#!/bin/sh\nWINEPREFIX="%s" WINEDEBUG=-all exec "%s" "%s" "$@"\n' \
                        "$pasta/wine" "$wine" "$pasta/$p.exe" > "$pasta/roda_${p##*/}"
                done &&
                WINEPREFIX="$pasta/wine" WINEDEBUG=-all "$wine" wineboot -i > /dev/null 2>&1 ;;
        *) echo "plataforma desconhecida: $b"; exit 2 ;;
    esac || { falhou=1; continue; }
    [ -f "$pasta/roda_bancada" ] && chmod +x "$pasta"/roda_* && programa="$pasta/roda_bancada"

    total=0; iguais=0
    for caso in "$raiz"/tests/ponta_a_ponta/casos/*/; do
        total=$((total + 1))
        if bash "$raiz/tests/ponta_a_ponta/executa_caso.sh" "$programa" "${caso%/}" \
            "$raiz/instancias" > "$pasta/caso.log" 2>&1; then
            iguais=$((iguais + 1))
        else
            echo "$b: $(basename "$caso") difere"; head -20 "$pasta/caso.log"
        fi
    done
    echo "$b: $iguais de $total casos iguais byte a byte"
    [ "$iguais" -eq "$total" ] || falhou=1
    compara_experimenta "$b" "$pasta" || falhou=1
    # The long double builds take the software extended arithmetic: its unit
    # tests run there too (the comparisons with native x87 are skipped).
    if [ "$b" = ld64 ] || [ "$b" = ld128 ]; then
        ctest --test-dir "$pasta" -E '^ponta_a_ponta[.]' -j "$jobs" > "$pasta/unitarios.log" 2>&1 ||
            { falhou=1; grep -F '(Failed)' "$pasta/unitarios.log" | head -20; }
        echo "$b: unitarios: $(grep 'tests passed' "$pasta/unitarios.log")," \
             "$(grep -c '(Skipped)$' "$pasta/unitarios.log") pulados"
    fi
done
exit $falhou
