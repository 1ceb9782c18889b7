# Sourced by the scripts that need the throwaway PostgreSQL cluster: starts
# it on a free loopback port, exports its variables (scripts/pg_cluster.sh
# writes them) and stops it when the calling script exits.
#   source "$ROOT/scripts/pg_temporal.sh"
PGDIR="$(mktemp -d /tmp/agr-pg.XXXXXX)"
trap '"$ROOT/scripts/pg_cluster.sh" stop "$PGDIR"' EXIT
"$ROOT/scripts/pg_cluster.sh" start "$PGDIR"
# shellcheck disable=SC1091
source "$PGDIR/env"
export AGR_SCHEMA_DIR="$ROOT/schema"
export QT_QPA_PLATFORM=offscreen
