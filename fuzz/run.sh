#!/usr/bin/env bash
# Runs every fuzz target of a build folder made with -DAGR_FUZZ=ON.
#   fuzz/run.sh BUILD-FOLDER [SECONDS-EACH]    (default 10; two at a time)
# Each target starts from its seed corpus in fuzz/corpus/TARGET (read only
# here; new inputs go to a scratch folder). A crash, leak, time-out (5 s per
# input) or broken property fails the run; the input that did it is copied to
# fuzz/corpus/TARGET/ as a regression input and its report printed.
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="$(cd "$1" && pwd)"
SECS="${2:-10}"
WORK="$(mktemp -d /tmp/agr-fuzz.XXXXXX)"
trap 'rm -rf "$WORK"' EXIT
TARGETS=(fuzz_parametros fuzz_ini fuzz_bases fuzz_mascaras fuzz_anchos fuzz_dialecto fuzz_reescritura fuzz_literales)
# The targets' scratch files go under the work folder, removed at the end.
export TMPDIR="$WORK"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:symbolize=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

uno() {
  local t="$1"
  mkdir -p "$WORK/$t/nuevos" "$WORK/$t/fallos"
  "$BUILD/fuzz/$t" -max_total_time="$SECS" -timeout=5 -rss_limit_mb=2048 -max_len=16384 -print_final_stats=1 \
    -artifact_prefix="$WORK/$t/fallos/" "$WORK/$t/nuevos" "$ROOT/fuzz/corpus/$t" > "$WORK/$t/log" 2>&1
  local rc=$?
  local runs
  runs="$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$WORK/$t/log" | grep -o '[0-9]*$' | tail -1)"
  if [ "$rc" -ne 0 ]; then
    echo "FALLO $t (salida $rc)"
    tail -40 "$WORK/$t/log"
    for f in "$WORK/$t/fallos"/*; do
      [ -f "$f" ] && cp "$f" "$ROOT/fuzz/corpus/$t/regresion-$(basename "$f")" && echo "  entrada guardada: fuzz/corpus/$t/regresion-$(basename "$f")"
    done
    return 1
  fi
  echo "bien  $t: ${runs:-?} ejecuciones en ${SECS} s, sin fallos"
}

fallos=0
for ((i = 0; i < ${#TARGETS[@]}; i += 2)); do
  uno "${TARGETS[i]}" > "$WORK/r$i" 2>&1 &
  p1=$!
  p2=""
  if [ $((i + 1)) -lt ${#TARGETS[@]} ]; then uno "${TARGETS[i + 1]}" > "$WORK/r$((i + 1))" 2>&1 & p2=$!; fi
  wait $p1 || fallos=$((fallos + 1))
  [ -n "$p2" ] && { wait $p2 || fallos=$((fallos + 1)); }
  cat "$WORK/r$i"; [ -n "$p2" ] && cat "$WORK/r$((i + 1))"
done
[ "$fallos" -eq 0 ] || { echo "$fallos objetivos fallaron"; exit 1; }
