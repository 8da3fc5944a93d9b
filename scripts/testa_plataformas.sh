#!/usr/bin/env bash
# Runs the whole end-to-end suite on builds that stand for the other platforms,
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

# constroi PASTA [cmake options...]: the program and its tools; with
# UNITARIOS=1 everything, unit tests included.
constroi() {
    local pasta=$1; shift
    local log="$pasta/construcao.log"
    local alvos=(--target bancada converte_tsplib gera_instancia)
    [ "${UNITARIOS:-0}" = 1 ] && alvos=()
    mkdir -p "$pasta"
    cmake -S "$raiz" -B "$pasta" -DCMAKE_BUILD_TYPE=Release -DTSP_WERROR=ON "$@" > "$log" 2>&1 &&
        cmake --build "$pasta" -j "$jobs" "${alvos[@]}" >> "$log" 2>&1 ||
        { echo "falha ao construir $pasta"; tail -20 "$log"; return 1; }
}

falhou=0
for b in "${builds[@]}"; do
    pasta="$raiz/build-$b"
    programa="$pasta/bancada"
    case $b in
        clang) constroi "$pasta" "-DCMAKE_CXX_COMPILER=$(command -v clang++ || command -v clang++-14)" ;;
        ld64) UNITARIOS=1 constroi "$pasta" -DCMAKE_CXX_FLAGS=-mlong-double-64 ;;
        ld128) UNITARIOS=1 constroi "$pasta" -DCMAKE_CXX_FLAGS=-mlong-double-128 ;;
        aarch64)
            constroi "$pasta" "-DCMAKE_TOOLCHAIN_FILE=$raiz/cmake/aarch64-linux-gnu.cmake" &&
                printf '#!/bin/sh\nexec qemu-aarch64 "%s" "$@"\n' "$pasta/bancada" \
                    > "$pasta/roda" ;;
        mingw)
            wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
            constroi "$pasta" "-DCMAKE_TOOLCHAIN_FILE=$raiz/cmake/mingw-w64.cmake" &&
                printf '#!/bin/sh\nWINEPREFIX="%s" WINEDEBUG=-all exec "%s" "%s" "$@"\n' \
                    "$pasta/wine" "$wine" "$pasta/bancada.exe" > "$pasta/roda" &&
                WINEPREFIX="$pasta/wine" WINEDEBUG=-all "$wine" wineboot -i > /dev/null 2>&1 ;;
        *) echo "plataforma desconhecida: $b"; exit 2 ;;
    esac || { falhou=1; continue; }
    [ -f "$pasta/roda" ] && chmod +x "$pasta/roda" && programa="$pasta/roda"

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
