#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a temporary root and starts the
# installed program on the demo database its launcher prepares.
#   tests/paquete.sh BUILD-FOLDER
set -euo pipefail
BUILD="$1"
ROOT="$(mktemp -d /tmp/agr-paquete.XXXXXX)"
trap 'kill "${PID:-0}" 2>/dev/null || true; rm -rf "$ROOT"' EXIT
cd "$BUILD"
cpack -G DEB -B "$ROOT/cpack" > "$ROOT/cpack.log" 2>&1 || { cat "$ROOT/cpack.log"; exit 1; }
DEB="$(ls "$ROOT"/cpack/agrupcuentas_*.deb)"
INFO="$(dpkg-deb -I "$DEB")"
[[ "$INFO" == *"Depends:"*libqt6widgets6* ]] || { echo "sin dependencia de Qt"; exit 1; }
dpkg-deb -x "$DEB" "$ROOT/raiz"
for f in usr/bin/agrupcuentas usr/bin/agrdb usr/bin/lbc-asiento usr/lib/agrupcuentas/Styles/Vista.cjstyles \
         usr/share/agrupcuentas/schema/postgres.sql usr/share/applications/agrupcuentas.desktop \
         usr/share/icons/hicolor/scalable/apps/agrupcuentas.svg; do
  [ -e "$ROOT/raiz/$f" ] || { echo "falta $f en el paquete"; exit 1; }
done
[[ "$("$ROOT/raiz/usr/bin/agrupcuentas" --version)" == "agrupcuentas "[0-9]* ]] || { echo "--version"; exit 1; }

export HOME="$ROOT/home" QT_QPA_PLATFORM=offscreen
unset AGRUPCUENTAS_CARPETA XDG_DATA_HOME
CARPETA="$HOME/.local/share/agrupcuentas"
"$ROOT/raiz/usr/bin/agrupcuentas" "@server=sqlite; @dbname=DEMO; @usuario=ADMIN; @Password=; @ParametroAdicional=0003; @Caja=1;" \
  > "$ROOT/salida.log" 2>&1 &
PID=$!
# Started: the audit records the access once the window has loaded.
for _ in $(seq 1 100); do
  if [ -f "$CARPETA/DEMO.db" ] && python3 - "$CARPETA/DEMO.db" <<'PY' 2>/dev/null; then break; fi
import sqlite3, sys
n = sqlite3.connect(sys.argv[1]).execute("SELECT COUNT(*) FROM Control_Acceso").fetchone()[0]
sys.exit(0 if n > 0 else 1)
PY
  sleep 0.2
done
kill -0 "$PID" 2>/dev/null || { echo "el programa instalado terminó"; cat "$ROOT/salida.log"; exit 1; }
[ -f "$CARPETA/consultas.vlm" ] || { echo "no escribió consultas.vlm en $CARPETA"; exit 1; }
[ -L "$CARPETA/Styles" ] || { echo "sin estilos en $CARPETA"; exit 1; }
python3 - "$CARPETA/DEMO.db" <<'PY'
import sqlite3, sys
n = sqlite3.connect(sys.argv[1]).execute("SELECT COUNT(*) FROM Control_Acceso").fetchone()[0]
assert n > 0, "sin registro de acceso"
PY
# The accounting services' launcher uses the same folder.
[ "$("$ROOT/raiz/usr/bin/lbc-asiento" "@server=sqlite; @dbname=DEMO; @usuario=ADMIN; @Password=;" digito 1234)" != "" ]
echo "paquete instalado en $ROOT/raiz y programa iniciado: bien"
