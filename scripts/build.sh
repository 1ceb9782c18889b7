#!/usr/bin/env bash
# Configures and builds the program, its tools and its tests in build/.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="${AGR_BUILD_DIR:-$ROOT/build}"
cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE="${AGR_BUILD_TYPE:-RelWithDebInfo}" > "$BUILD.cmake.log" 2>&1 \
  || { cat "$BUILD.cmake.log"; exit 1; }
cmake --build "$BUILD" -j"$(nproc)"
