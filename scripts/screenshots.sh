#!/usr/bin/env bash
# Takes the README's screenshots from the real program on a fresh demo
# database, under a virtual screen (Xvfb), at 100% and 200% scale:
#   docs/ventana.png, docs/consulta.png          (100%)
#   docs/ventana-200.png, docs/consulta-200.png  (200%)
#   scripts/screenshots.sh
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
if [ -z "${AGR_CAPTURA:-}" ]; then
  "$ROOT/scripts/deps.sh"
  missing=()
  for p in x11-apps imagemagick xdotool xvfb xauth fonts-dejavu-core; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO="sudo"
    $SUDO apt-get update -qq && DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
  fi
  "$ROOT/scripts/build.sh"
  export AGR_CAPTURA=1
  exec xvfb-run -a -s "-screen 0 2400x1800x24" "$0" "$@"
fi

BIN="$ROOT/build/bin"
WORK="$(mktemp -d /tmp/agr-capturas.XXXXXX)"
trap 'kill "${PID:-0}" 2>/dev/null || true; rm -rf "$WORK"' EXIT
"$BIN/agrdb" preparar --demo "Provider=SQLite;Data Source=$WORK/DEMO.db" > /dev/null
"$BIN/agrdb" preparar --demo --estadisticas "Provider=SQLite;Data Source=$WORK/VM_ESTADISTICAS.db" > /dev/null
ln -s "$BIN/Styles" "$WORK/Styles"
export AGRUPCUENTAS_CARPETA="$WORK"
mkdir -p "$ROOT/docs"
CONVERT="$(command -v convert-im6.q16 || command -v convert)"

ventana() {   # waits for a visible top-level window of the program with this title
  local id
  for _ in $(seq 1 100); do
    id="$(xdotool search --all --onlyvisible --pid "$PID" --name "$1" 2>/dev/null | tail -1 || true)"
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.2
  done
  echo "no apareció la ventana \"$1\"" >&2
  return 1
}
captura() { sleep 1.5; xwd -silent -id "$1" | "$CONVERT" xwd:- "$2"; echo "$2"; }

for escala in 1 2; do
  sufijo=""; [ "$escala" = 1 ] || sufijo="-${escala}00"
  QT_SCALE_FACTOR="$escala" "$BIN/agrupcuentas" \
    "@server=sqlite; @dbname=DEMO; @usuario=ADMIN; @Password=; @ParametroAdicional=0003; @Caja=1;" &
  PID=$!
  W="$(ventana "Agrupación de Cuentas")"
  captura "$W" "$ROOT/docs/ventana$sufijo.png"
  # Keys go through XTEST to the focused window, as a user's would.
  xdotool windowfocus --sync "$W"
  xdotool key alt+a
  C="$(ventana "^Consulta\.\.\.$")"
  xdotool windowfocus --sync "$C"
  sleep 0.5; xdotool type --delay 120 "1102"
  captura "$C" "$ROOT/docs/consulta$sufijo.png"
  kill "$PID"; wait "$PID" 2>/dev/null || true
done
