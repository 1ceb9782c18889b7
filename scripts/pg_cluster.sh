#!/usr/bin/env bash
# A throwaway PostgreSQL cluster on loopback for the tests.
#   scripts/pg_cluster.sh start DIR   starts it and writes DIR/env (variables for the tests)
#   scripts/pg_cluster.sh stop DIR    stops it and removes DIR
#   scripts/pg_cluster.sh halt DIR    stops the server only (the tests of a lost server)
#   scripts/pg_cluster.sh resume DIR  starts it again on its port
# PostgreSQL refuses to run as root: as root the cluster belongs to "postgres".
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
cmd="$1"; DIR="$2"
export PGOPTIONS="-c client_min_messages=warning"
PGBIN="$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -n 1)"
as_owner() { if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi; }

case "$cmd" in
start)
  mkdir -p "$DIR"
  [ "$(id -u)" -eq 0 ] && chown postgres:postgres "$DIR"
  PORT=""
  for p in $(shuf -i 40000-59999 -n 20); do
    if ! (exec 3<>/dev/tcp/127.0.0.1/$p) 2>/dev/null; then PORT=$p; break; fi
  done
  [ -n "$PORT" ] || { echo "no free port" >&2; exit 1; }
  as_owner "$PGBIN/initdb" -D "$DIR/data" -A trust -U postgres -E UTF8 --locale=C.UTF-8 --no-sync > "$DIR/initdb.log" 2>&1 \
    || { cat "$DIR/initdb.log" >&2; exit 1; }
  as_owner "$PGBIN/pg_ctl" -D "$DIR/data" -l "$DIR/server.log" -w -t 60 \
    -o "-p $PORT -k $DIR -c listen_addresses=127.0.0.1 -c fsync=off -c synchronous_commit=off -c full_page_writes=off -c max_connections=200" \
    start > /dev/null || { cat "$DIR/server.log" >&2; exit 1; }
  cat > "$DIR/pg_service.conf" <<CONF
[agrtest]
host=127.0.0.1
port=$PORT
CONF
  cat > "$DIR/odbc.ini" <<CONF
[AGR_PG_ODBC]
Driver=PostgreSQL Unicode
Servername=127.0.0.1
Port=$PORT
Database=agr_template
CONF
  chmod 644 "$DIR/pg_service.conf" "$DIR/odbc.ini"
  PSQL=("$PGBIN/psql" -X -q -v ON_ERROR_STOP=1 -h 127.0.0.1 -p "$PORT" -U postgres)
  "${PSQL[@]}" -d postgres -c 'CREATE ROLE "ADMIN" LOGIN SUPERUSER' -c 'CREATE ROLE "OPERADOR" LOGIN' \
    -c 'CREATE ROLE "VM_ESTADISTICAS" LOGIN' -c 'CREATE DATABASE agr_template' -c 'CREATE DATABASE "VM_ESTADISTICAS" OWNER "VM_ESTADISTICAS"'
  "${PSQL[@]}" -d agr_template -f "$ROOT/schema/postgres.sql" -f "$ROOT/schema/demo_postgres.sql" \
    -c 'GRANT ALL ON ALL TABLES IN SCHEMA public TO "OPERADOR"' -c 'GRANT ALL ON ALL SEQUENCES IN SCHEMA public TO "OPERADOR"' > /dev/null
  # The statistics database belongs to its own user, as on the suite's servers.
  "${PSQL[@]}" -d VM_ESTADISTICAS -c 'CREATE EXTENSION IF NOT EXISTS citext'
  "$PGBIN/psql" -X -q -v ON_ERROR_STOP=1 -h 127.0.0.1 -p "$PORT" -U VM_ESTADISTICAS -d VM_ESTADISTICAS -f "$ROOT/schema/estadisticas_postgres.sql" -f "$ROOT/schema/estadisticas_demo_postgres.sql" > /dev/null
  cat > "$DIR/env" <<ENV
export AGR_PG_DIR=$DIR
export AGR_PG_PORT=$PORT
export AGR_PG_SERVICE=agrtest
export AGR_PG_ODBC_DSN=AGR_PG_ODBC
export PGSERVICEFILE=$DIR/pg_service.conf
export ODBCINI=$DIR/odbc.ini
ENV
  ;;
halt)
  as_owner "$PGBIN/pg_ctl" -D "$DIR/data" -m fast -w stop > /dev/null
  ;;
resume)
  PORT="$(sed -n 's/^export AGR_PG_PORT=//p' "$DIR/env")"
  as_owner "$PGBIN/pg_ctl" -D "$DIR/data" -l "$DIR/server.log" -w -t 60 \
    -o "-p $PORT -k $DIR -c listen_addresses=127.0.0.1 -c fsync=off -c synchronous_commit=off -c full_page_writes=off -c max_connections=200" \
    start > /dev/null
  ;;
stop)
  [ -d "$DIR/data" ] && as_owner "$PGBIN/pg_ctl" -D "$DIR/data" -m immediate -w stop > /dev/null 2>&1 || true
  rm -rf "$DIR"
  ;;
esac
