#!/usr/bin/env bash
# A private PostgreSQL cluster for the tests, on loopback and an unusual port.
#   pg-test-server.sh start DIR [PORT]  -> prints the URI to use as WWS_TEST_PG
#   pg-test-server.sh stop DIR
set -euo pipefail
cmd=${1:?start|stop}; dir=${2:?folder}; port=${3:-55432}
bin=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -1)
as_pg() { if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi; }
case "$cmd" in
  start)
    mkdir -p "$dir"; [ "$(id -u)" -eq 0 ] && chown postgres: "$dir"
    if [ ! -f "$dir/data/PG_VERSION" ]; then
      as_pg "$bin/initdb" -D "$dir/data" -A trust -U postgres -E UTF8 --locale=C.UTF-8 >"$dir/initdb.log" 2>&1 \
        || { cat "$dir/initdb.log" >&2; exit 1; }
    fi
    as_pg "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w \
      -o "-p $port -k $dir -c listen_addresses=127.0.0.1 -c fsync=off -c synchronous_commit=off -c max_connections=200" start >/dev/null \
      || { cat "$dir/server.log" >&2; exit 1; }
    echo "postgresql://postgres@127.0.0.1:$port/postgres"
    ;;
  stop)
    [ -f "$dir/data/postmaster.pid" ] && as_pg "$bin/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null || true
    ;;
  *) echo "usage: $0 start|stop DIR [PORT]" >&2; exit 2 ;;
esac
