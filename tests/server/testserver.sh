#!/bin/sh
# Starts (start FILE) or stops (stop FILE) the PostgreSQL server the tests use. FILE receives the
# connection string. The server's files live in a scratch folder under /tmp that its user can reach:
# PostgreSQL refuses to run as root, so as root it runs as the postgres system user.
set -eu
action=$1
info=$2
bindir=${ZELVIK_PG_BINDIR:-$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)}

as_server_user() {
  if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

case $action in
start)
  [ -x "$bindir/initdb" ] || { echo "PostgreSQL server programs not found (apt-get install postgresql-15)" >&2; exit 1; }
  rm -f "$info"
  scratch=$(mktemp -d /tmp/zelvik-pg.XXXXXX)
  [ "$(id -u)" -eq 0 ] && chown postgres "$scratch"
  chmod 700 "$scratch"
  as_server_user "$bindir/initdb" -D "$scratch/data" -A trust -U postgres -E UTF8 --locale=C.UTF-8 >"$scratch/initdb.log" 2>&1 \
    || { cat "$scratch/initdb.log" >&2; exit 1; }
  # The server listens only on a socket in its own folder, so any port number is free there.
  port=$((20000 + $$ % 20000))
  as_server_user "$bindir/pg_ctl" -D "$scratch/data" -l "$scratch/server.log" -w -t 60 \
    -o "-k $scratch -p $port -c listen_addresses='' -c fsync=off -c synchronous_commit=off -c max_connections=200" start >/dev/null \
    || { cat "$scratch/server.log" >&2; exit 1; }
  echo "host=$scratch port=$port user=postgres dbname=postgres" >"$info"
  echo "server in $scratch, port $port"
  ;;
stop)
  [ -f "$info" ] || exit 0
  scratch=$(sed -n 's/^host=\([^ ]*\) .*/\1/p' "$info")
  as_server_user "$bindir/pg_ctl" -D "$scratch/data" -m immediate -w stop >/dev/null || true
  case $scratch in /tmp/zelvik-pg.*) rm -rf "$scratch" ;; esac
  rm -f "$info"
  ;;
esac
