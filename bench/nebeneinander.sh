#!/usr/bin/env bash
# The goals of completion and deletion, measured for several builds side by
# side in one run: bench_engine_buchung (SQLite and PostgreSQL), then
# bench_gleichzeitig (SQLite and PostgreSQL), each build in turn, so that
# the machine's load falls on all of them alike.
#
#   nebeneinander.sh SERVER BUILD [BUILD ...]
#
# SERVER: a PostgreSQL server as postgresql://user@host:port (every run gets
# a new, empty database on it, dropped again at the end). BUILD: Release build
# folders (bench_engine_buchung, bench_gleichzeitig built). ARTIKEL, FILIALEN
# and RUNDEN in the environment change the defaults 40000, 4 and 3.
set -euo pipefail
server=${1:?SERVER}; shift
[ $# -ge 1 ] || { echo "Aufruf: $0 SERVER BUILD [BUILD ...]" >&2; exit 2; }
artikel=${ARTIKEL:-40000}; filialen=${FILIALEN:-4}; runden=${RUNDEN:-3}
dbs=()
ziel=""
# Sets ziel: "" for SQLite (the benchmark makes its own file), else a new database.
ziel_fuer() {
  ziel=""
  [ "$1" = pg ] || return 0
  local name="nebeneinander_$$_${#dbs[@]}"
  psql "$server/postgres" -qAtX -c "CREATE DATABASE $name" >/dev/null
  dbs+=("$name")
  ziel="$server/$name"
}
aufraeumen() {
  for d in "${dbs[@]}"; do psql "$server/postgres" -qAtX -c "DROP DATABASE IF EXISTS $d" >/dev/null || true; done
}
trap aufraeumen EXIT
echo "Last zu Beginn: $(cut -d' ' -f1-3 /proc/loadavg)"
for ort in sqlite pg; do
  for b in "$@"; do
    echo "=== bench_engine_buchung $ort $b"
    ziel_fuer $ort
    "$b/bench/engine/bench_engine_buchung" "$artikel" "$ziel" "$runden"
  done
done
for ort in sqlite pg; do
  for b in "$@"; do
    echo "=== bench_gleichzeitig $ort $b"
    ziel_fuer $ort
    "$b/bench/engine/bench_gleichzeitig" "$artikel" "$filialen" 1 ${ziel:+"$ziel"}
  done
done
echo "Last am Ende: $(cut -d' ' -f1-3 /proc/loadavg)"
