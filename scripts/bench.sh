#!/usr/bin/env bash
# Builds the program and runs the benchmarks against the engines' own floor
# (SQLite, and PostgreSQL on a throwaway cluster), printing each ratio with
# its target. Exits with 1 when a target is not met.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
"$ROOT/scripts/deps.sh"
"$ROOT/scripts/build.sh"
PGDIR="$(mktemp -d /tmp/agr-pg.XXXXXX)"
trap '"$ROOT/scripts/pg_cluster.sh" stop "$PGDIR"' EXIT
"$ROOT/scripts/pg_cluster.sh" start "$PGDIR"
# shellcheck disable=SC1091
source "$PGDIR/env"
export AGR_SCHEMA_DIR="$ROOT/schema" QT_QPA_PLATFORM=offscreen
"$ROOT/build/bench/agr_bench" 2> >(grep -v -e XDG_RUNTIME_DIR -e propagateSizeHints >&2)
