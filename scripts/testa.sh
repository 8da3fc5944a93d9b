#!/usr/bin/env bash
# Builds the workbench twice (presets release and sanitize of CMakePresets.json)
# and runs every test on both builds:
# a Release build with warnings as errors, and a Debug build under
# AddressSanitizer and UndefinedBehaviorSanitizer. TSP_TESTES makes a missing
# test library stop the configure rather than leave its tests out.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)

cmake --preset release -DTSP_TESTES=ON
cmake --build --preset release -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

cmake --preset sanitize -DTSP_TESTES=ON
cmake --build --preset sanitize -j "$jobs"
ASAN_OPTIONS=allocator_may_return_null=1:detect_leaks=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-san --output-on-failure -j "$jobs"
