#!/usr/bin/env bash
# Creates the embedded demo databases (DEMO.db and VM_ESTADISTICAS.db) in the
# program folder when they are absent.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BIN="${1:-$ROOT/build/bin}"
cd "$BIN"
if [ ! -f DEMO.db ]; then
  ./agrdb --create "Provider=SQLite;Data Source=DEMO.db.tmp" "$ROOT/schema/sqlite.sql" "$ROOT/schema/demo_sqlite.sql"
  mv DEMO.db.tmp DEMO.db
  echo "Base de demostración creada: $BIN/DEMO.db"
fi
if [ ! -f VM_ESTADISTICAS.db ]; then
  ./agrdb --create "Provider=SQLite;Data Source=VM_ESTADISTICAS.db.tmp" "$ROOT/schema/estadisticas_sqlite.sql" \
    "$ROOT/schema/estadisticas_demo_sqlite.sql"
  mv VM_ESTADISTICAS.db.tmp VM_ESTADISTICAS.db
fi
