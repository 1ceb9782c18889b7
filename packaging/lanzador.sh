#!/bin/sh
# Starts an installed program of the package with a program folder of the
# user's own: the program keeps its query masks, column widths, registered
# connections, error log and the embedded databases in its folder, and the
# installed folder is not the user's to write.
#   AGRUPCUENTAS_CARPETA   that folder (default ~/.local/share/agrupcuentas)
set -e
PROG="$(basename "$0")"
LIB="$(cd "$(dirname "$(readlink -f "$0")")/../lib/agrupcuentas" && pwd)"
case "$1" in
  --help|-h|--version) exec "$LIB/$PROG" "$@" ;;
esac
CARPETA="${AGRUPCUENTAS_CARPETA:-${XDG_DATA_HOME:-$HOME/.local/share}/agrupcuentas}"
mkdir -p "$CARPETA"
ln -sfn "$LIB/Styles" "$CARPETA/Styles"
# The demo databases, the first time.
if [ ! -f "$CARPETA/DEMO.db" ]; then
  "$LIB/agrdb" preparar --demo "Provider=SQLite;Data Source=$CARPETA/DEMO.db.tmp" > /dev/null
  mv "$CARPETA/DEMO.db.tmp" "$CARPETA/DEMO.db"
fi
if [ ! -f "$CARPETA/VM_ESTADISTICAS.db" ]; then
  "$LIB/agrdb" preparar --demo --estadisticas "Provider=SQLite;Data Source=$CARPETA/VM_ESTADISTICAS.db.tmp" > /dev/null
  mv "$CARPETA/VM_ESTADISTICAS.db.tmp" "$CARPETA/VM_ESTADISTICAS.db"
fi
export AGRUPCUENTAS_CARPETA="$CARPETA"
exec "$LIB/$PROG" "$@"
