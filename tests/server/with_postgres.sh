#!/usr/bin/env bash
# Runs a command against a PostgreSQL of its own: a cluster made with initdb
# in a temporary folder, listening on a unix socket in that folder and on no
# TCP port, removed afterwards. The command finds it through PGHOST and
# PGDATABASE. As root, PostgreSQL runs as the postgres user (initdb refuses
# root).
#   with_postgres.sh COMMAND [ARG...]
set -euo pipefail
bin=/usr/lib/postgresql/15/bin
scratch=$(mktemp -d "${TMPDIR:-/tmp}/vizazuv-pg.XXXXXX")
as_owner=()
if [[ $(id -u) -eq 0 ]]; then
  chown postgres: "$scratch"
  as_owner=(runuser -u postgres --)
fi
stop() {
  "${as_owner[@]}" "$bin/pg_ctl" -D "$scratch/data" -m immediate stop >/dev/null 2>&1 || true
  rm -rf "$scratch"
}
trap stop EXIT
"${as_owner[@]}" "$bin/initdb" -D "$scratch/data" -A trust -U postgres --no-sync >"$scratch/initdb.log" 2>&1 ||
  { cat "$scratch/initdb.log"; exit 1; }
"${as_owner[@]}" "$bin/pg_ctl" -D "$scratch/data" -w -l "$scratch/server.log" \
  -o "-c listen_addresses='' -k $scratch -c fsync=off -c synchronous_commit=off -c full_page_writes=off" \
  start >/dev/null || { cat "$scratch/server.log"; exit 1; }
export PGHOST=$scratch PGUSER=postgres PGDATABASE=postgres
unset PGPORT PGHOSTADDR PGSERVICE
"$@"
