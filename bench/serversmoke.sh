#!/bin/sh
# The server benchmarks once on a tiny directory: on the test server alone, and scaled out through a
# streaming standby of it and pgbouncer, which this script starts and stops. Measures nothing.
# usage: serversmoke.sh BENCH-PROGRAM DIRECTORY SERVER-FILE TESTSERVER-SCRIPT
set -eu
bench=$1 directory=$2 server=$3 servers=$4
scratch=$(mktemp -d)
trap 'sh "$servers" stop "$scratch/pooler"; sh "$servers" stop "$scratch/standby"; rm -rf "$scratch"' EXIT
sh "$servers" standby "$scratch/standby" "$server"
sh "$servers" pooler "$scratch/pooler" "$server" --replica "$scratch/standby" --pool-size 2
# With a warm-up, as scripts/bench runs them, each operator load runs twice, and the second run must
# still account for every entry it stored.
"$bench" --directory="$directory" --server="$(cat "$server")" \
  --pooled-server="$(cat "$scratch/pooler")" --pooled-replica="$(cat "$scratch/pooler.replica")" \
  --operators=2 --searches=20 --benchmark_min_time=0 --benchmark_min_warmup_time=0.01
