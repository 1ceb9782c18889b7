#!/usr/bin/env bash
# Builds the program and runs the benchmarks against the engines' own floor
# (SQLite, and PostgreSQL on a throwaway cluster), printing each ratio with
# its target. Exits with 1 when a target is not met.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
"$ROOT/scripts/deps.sh"
"$ROOT/scripts/build.sh"
# shellcheck disable=SC1091
source "$ROOT/scripts/pg_temporal.sh"
"$ROOT/build/bench/agr_bench" 2> >(grep -v -e XDG_RUNTIME_DIR -e propagateSizeHints >&2)
