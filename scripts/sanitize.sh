#!/usr/bin/env bash
# Builds everything with clang, AddressSanitizer and UndefinedBehaviorSanitizer
# in build-san/ (with the fuzz targets), runs the whole test suite there and a
# short run of every fuzz target. Expects the environment of scripts/test.sh
# (the PostgreSQL cluster's variables); scripts/test.sh calls it.
#   scripts/sanitize.sh [FUZZ-SECONDS-EACH]     (default 10)
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="${AGR_SAN_BUILD_DIR:-$ROOT/build-san}"
CC=clang CXX=clang++ cmake -S "$ROOT" -B "$BUILD" -DAGR_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo > "$BUILD.cmake.log" 2>&1 \
  || { cat "$BUILD.cmake.log"; exit 1; }
cmake --build "$BUILD" -j"$(nproc)"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# The kill test proves its point in the main run (200 kills); here it checks the build.
export AGR_MUERTES="${AGR_MUERTES:-40}"
export LSAN_OPTIONS="suppressions=$ROOT/tests/lsan.supp:print_suppressions=0"
# Its figures are not the report's (fewer kills).
export AGR_INFORME_FIABILIDAD="$BUILD/fiabilidad.txt"
echo "== Pruebas con AddressSanitizer y UndefinedBehaviorSanitizer =="
(cd "$BUILD" && ctest --output-on-failure -j2 --timeout 600)
echo "== Fuzzing: ${1:-10} s por objetivo =="
"$ROOT/fuzz/run.sh" "$BUILD" "${1:-10}"
