#!/usr/bin/env bash
# A private PostgreSQL cluster that asks every client for its password
# (scram-sha-256), reached only through a socket in DIR: no TCP port that
# could collide with the test server or another engineer's.
#   pg-kennwort-server.sh start DIR KENNWORT  -> the cluster runs; superuser postgres has KENNWORT
#   pg-kennwort-server.sh stop DIR
set -euo pipefail
cmd=${1:?start|stop}; dir=${2:?folder}
bin=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -1)
as_pg() { if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi; }
case "$cmd" in
  start)
    kennwort=${3:?password}
    mkdir -p "$dir"; [ "$(id -u)" -eq 0 ] && chown postgres: "$dir"
    printf '%s\n' "$kennwort" >"$dir/kennwort"; [ "$(id -u)" -eq 0 ] && chown postgres: "$dir/kennwort"
    as_pg "$bin/initdb" -D "$dir/data" -A scram-sha-256 -U postgres --pwfile="$dir/kennwort" -E UTF8 \
      --locale=C.UTF-8 >"$dir/initdb.log" 2>&1 || { cat "$dir/initdb.log" >&2; exit 1; }
    rm -f "$dir/kennwort"
    as_pg "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w \
      -o "-k $dir -c listen_addresses= -c fsync=off -c synchronous_commit=off" start >/dev/null \
      || { cat "$dir/server.log" >&2; exit 1; }
    ;;
  stop)
    [ -f "$dir/data/postmaster.pid" ] && as_pg "$bin/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null || true
    ;;
  *) echo "usage: $0 start DIR KENNWORT | stop DIR" >&2; exit 2 ;;
esac
