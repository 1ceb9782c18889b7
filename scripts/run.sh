#!/usr/bin/env bash
# Builds the program and starts it on the embedded demo database.
#   scripts/run.sh                    opens the window with no grouping
#   scripts/run.sh 0003               opens grouping 0003
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
"$ROOT/scripts/deps.sh"
"$ROOT/scripts/build.sh"
"$ROOT/scripts/demo_db.sh"
PARAMS="@server=sqlite; @dbname=DEMO; @usuario=ADMIN; @Password=; @ParametroAdicional=${1:-}; @Caja=1;"
cd "$ROOT/build/bin"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No hay pantalla (DISPLAY): se abre en una pantalla virtual (Xvfb)."
  exec xvfb-run -a ./agrupcuentas "$PARAMS"
fi
exec ./agrupcuentas "$PARAMS"
