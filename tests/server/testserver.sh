#!/bin/sh
# Starts and stops the PostgreSQL servers the tests use. FILE receives a server's connection string.
#   start FILE [OPTION...]   a new server in its own scratch folder under /tmp
#   stop FILE                stops it at once and removes its folder
#   halt FILE [MODE]         stops it (pg_ctl's fast, smart or immediate) and keeps its files
#   resume FILE              starts a halted server again, with the options it was started with
#   standby FILE PRIMARY [OPTION...]  a streaming standby of the server whose FILE is PRIMARY (pg_basebackup -R)
#   promote FILE             makes a standby the primary
#   freeze FILE              stops every process of the server (SIGSTOP): it accepts connections and
#                            answers nothing, as a hung machine would
#   thaw FILE                lets a frozen server go on (SIGCONT)
#   pooler FILE SERVER [--replica STANDBY] [--database NAME] [--pool-size N] [--login NAME...]
#                            pgbouncer in transaction mode in front of the server whose FILE is SERVER
#                            (each database by its own name); with --replica the standby whose FILE is
#                            STANDBY as database NAME_replica (NAME: --database, else SERVER's database),
#                            whose connection string goes to FILE.replica.
#                            Logins pass as they are (never a forced user=) and connect without a password;
#                            postgres and the NAMEs may connect. stop FILE stops it.
# Options: --durable keeps fsync and synchronous_commit on (servers that must survive a crash);
# --tcp listens on 127.0.0.1 too, and the connection string uses it; --hba FILE replaces pg_hba.conf;
# --ssl DIR serves TLS with DIR's server.crt and server.key; anything else is a postgres -c setting.
# PostgreSQL refuses to run as root, so as root the server runs as the postgres system user.
set -eu
action=$1
info=$2
shift 2
bindir=${ZELVIK_PG_BINDIR:-$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)}

as_server_user() {
  if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}
scratch_of() { sed -n 's/^host=\([^ ]*\) .*/\1/p' "$1.scratch" 2>/dev/null || true; }

new_scratch() {
  scratch=$(mktemp -d /tmp/zelvik-pg.XXXXXX)
  [ "$(id -u)" -eq 0 ] && chown postgres "$scratch"
  chmod 700 "$scratch"
}

# Reads the options into $scratch/options (one postgres argument a line) and $scratch/tcp.
take_options() {
  : >"$scratch/options"
  safe=1
  while [ $# -gt 0 ]; do
    case $1 in
    --durable) safe=0 ;;
    --tcp) echo "-c listen_addresses=127.0.0.1" >>"$scratch/options"; touch "$scratch/tcp" ;;
    --hba) cp "$2" "$scratch/pg_hba.conf"; shift ;;
    --ssl)
      cp "$2/server.crt" "$2/server.key" "$scratch/"
      chmod 600 "$scratch/server.key"
      echo "-c ssl=on -c ssl_cert_file=$scratch/server.crt -c ssl_key_file=$scratch/server.key" >>"$scratch/options"
      shift ;;
    *) echo "-c $1" >>"$scratch/options" ;;
    esac
    shift
  done
  [ $safe -eq 1 ] && echo "-c fsync=off -c synchronous_commit=off" >>"$scratch/options"
  [ -f "$scratch/tcp" ] || echo "-c listen_addresses=" >>"$scratch/options"
  [ "$(id -u)" -eq 0 ] && chown -R postgres "$scratch"
  return 0
}

run_server() {
  port=$(cat "$scratch/port")
  options="-k $scratch -p $port -c max_connections=200 $(tr '\n' ' ' <"$scratch/options")"
  [ -f "$scratch/pg_hba.conf" ] && cp "$scratch/pg_hba.conf" "$scratch/data/pg_hba.conf"
  as_server_user "$bindir/pg_ctl" -D "$scratch/data" -l "$scratch/server.log" -w -t 60 -o "$options" start >/dev/null \
    || { cat "$scratch/server.log" >&2; exit 1; }
  host=$scratch
  [ -f "$scratch/tcp" ] && host=127.0.0.1
  echo "host=$host port=$port user=postgres dbname=postgres" >"$info"
  echo "host=$scratch port=$port" >"$info.scratch"
}

# Any port number will do on a socket in the server's own folder; on 127.0.0.1 the process id keeps
# the servers of one run apart.
pick_port() {
  if [ -f "$scratch/tcp" ]; then
    echo $((40000 + $$ % 20000)) >"$scratch/port"
  else
    echo $((20000 + $$ % 20000)) >"$scratch/port"
  fi
}

conninfo_value() { sed -n "s/.*\b$2=\([^ ]*\).*/\1/p" "$1"; }

case $action in
pooler)
  server=$1
  shift
  new_scratch
  replica='' pool_size=1 logins=postgres database=$(conninfo_value "$server" dbname)
  while [ $# -gt 0 ]; do
    case $1 in
    --replica) replica=$2 ;;
    --database) database=$2 ;;
    --pool-size) pool_size=$2 ;;
    --login) logins="$logins $2" ;;
    *) echo "testserver.sh pooler: unknown option $1" >&2; exit 2 ;;
    esac
    shift 2
  done
  {
    echo '[databases]'
    [ -n "$replica" ] && echo "${database}_replica = host=$(conninfo_value "$replica" host) port=$(conninfo_value "$replica" port) dbname=$database"
    echo "* = host=$(conninfo_value "$server" host) port=$(conninfo_value "$server" port)"
    echo '[pgbouncer]'
    echo "listen_addr =" # sockets only
    echo "listen_port = 6432"
    echo "unix_socket_dir = $scratch"
    echo "auth_type = trust"
    echo "auth_file = $scratch/userlist.txt"
    echo "pool_mode = transaction"
    echo "default_pool_size = $pool_size"
    echo "max_client_conn = 1000"
    echo "pidfile = $scratch/pgbouncer.pid"
    echo "logfile = $scratch/pgbouncer.log"
  } >"$scratch/pgbouncer.ini"
  for login in $logins; do echo "\"$login\" \"\""; done >"$scratch/userlist.txt"
  [ "$(id -u)" -eq 0 ] && chown -R postgres "$scratch"
  as_server_user /usr/sbin/pgbouncer -d "$scratch/pgbouncer.ini" >"$scratch/start.log" 2>&1 \
    || { cat "$scratch/start.log" "$scratch/pgbouncer.log" >&2 2>/dev/null; exit 1; }
  tries=0
  until [ -S "$scratch/.s.PGSQL.6432" ]; do
    tries=$((tries + 1))
    [ $tries -lt 300 ] || { echo "pgbouncer did not start" >&2; cat "$scratch/pgbouncer.log" >&2; exit 1; }
    sleep 0.1
  done
  echo "host=$scratch port=6432 user=postgres dbname=$database" >"$info"
  [ -n "$replica" ] && echo "host=$scratch port=6432 user=postgres dbname=${database}_replica" >"$info.replica"
  echo "host=$scratch port=6432" >"$info.scratch"
  ;;
start)
  [ -x "$bindir/initdb" ] || { echo "PostgreSQL server programs not found (apt-get install postgresql-15)" >&2; exit 1; }
  rm -f "$info"
  new_scratch
  take_options "$@"
  as_server_user "$bindir/initdb" -D "$scratch/data" -A trust -U postgres -E UTF8 --locale=C.UTF-8 >"$scratch/initdb.log" 2>&1 \
    || { cat "$scratch/initdb.log" >&2; exit 1; }
  pick_port
  run_server
  echo "server in $scratch, port $(cat "$scratch/port")"
  ;;
standby)
  primary=$1
  shift
  primary_conninfo=$(cat "$primary")
  rm -f "$info"
  new_scratch
  take_options "$@"
  as_server_user "$bindir/pg_basebackup" -d "$primary_conninfo" -D "$scratch/data" -R -X stream -c fast >"$scratch/basebackup.log" 2>&1 \
    || { cat "$scratch/basebackup.log" >&2; exit 1; }
  pick_port
  run_server
  ;;
halt)
  scratch=$(scratch_of "$info")
  as_server_user "$bindir/pg_ctl" -D "$scratch/data" -m "${1:-fast}" -w stop >/dev/null
  ;;
resume)
  scratch=$(scratch_of "$info")
  run_server
  ;;
promote)
  scratch=$(scratch_of "$info")
  as_server_user "$bindir/pg_ctl" -D "$scratch/data" -w promote >/dev/null
  ;;
freeze | thaw)
  scratch=$(scratch_of "$info")
  postmaster=$(head -n 1 "$scratch/data/postmaster.pid")
  children=$(ps -o pid= --ppid "$postmaster")
  # The postmaster first when freezing, so that it starts no child meanwhile; last when thawing.
  if [ "$action" = freeze ]; then kill -STOP "$postmaster" $children; else kill -CONT $children "$postmaster"; fi
  ;;
stop)
  [ -f "$info" ] || exit 0
  scratch=$(scratch_of "$info")
  [ -n "$scratch" ] || scratch=$(sed -n 's/^host=\([^ ]*\) .*/\1/p' "$info")
  if [ -f "$scratch/pgbouncer.ini" ]; then
    pid=$(cat "$scratch/pgbouncer.pid" 2>/dev/null || true)
    if [ -n "$pid" ]; then
      kill "$pid" 2>/dev/null || true
      tries=0
      while kill -0 "$pid" 2>/dev/null && [ $tries -lt 100 ]; do tries=$((tries + 1)); sleep 0.1; done
    fi
  else
    as_server_user "$bindir/pg_ctl" -D "$scratch/data" -m immediate -w stop >/dev/null 2>&1 || true
  fi
  case $scratch in /tmp/zelvik-pg.*) rm -rf "$scratch" ;; esac
  rm -f "$info" "$info.scratch" "$info.replica"
  ;;
esac
