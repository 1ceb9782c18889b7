#!/usr/bin/env bash
# Builds the program and runs every test: on the embedded SQLite engine and on
# a throwaway PostgreSQL cluster started here on loopback (directly and
# through ODBC).
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
"$ROOT/scripts/deps.sh"
"$ROOT/scripts/build.sh"
# shellcheck disable=SC1091
source "$ROOT/scripts/pg_temporal.sh"
cd "$ROOT/build"
export AGR_INFORME_FIABILIDAD="$ROOT/build/fiabilidad.txt"
rm -f "$AGR_INFORME_FIABILIDAD"
ctest --output-on-failure -j2 --timeout 300 "$@"
echo "== Fiabilidad (cifras de esta ejecución) =="
sort "$AGR_INFORME_FIABILIDAD" 2>/dev/null || echo "(sin cifras: no corrieron las pruebas de fiabilidad)"
# The same suite again under the sanitizers, and the fuzz targets
# (AGR_SIN_SANITIZERS=1 skips this for a quick local run).
[ -n "${AGR_SIN_SANITIZERS:-}" ] || "$ROOT/scripts/sanitize.sh"
