#!/usr/bin/env bash
# Where one completion's time goes on PostgreSQL: the client's CPU (perf),
# the server's statements (pg_stat_statements), the round trips (strace).
#
#   profil-vervollstaendigen.sh URI [BUILD [AUSGABE]]
#
# URI: a company on a server started with
#   -c shared_preload_libraries=pg_stat_statements
# whose branch 1 carries the stock, e.g. the one bench_engine_buchung filled
# (one on the day a week ahead is deleted first). Completes and deletes that
# branch's all-groups request three times: plain (wall and CPU time), under
# perf with the server backend's samples beside the client's, under strace.
# Writes the raw output to AUSGABE (default /tmp/profil-vervollstaendigen).
set -euo pipefail
uri=${1:?URI}; build=${2:-build}; aus=${3:-/tmp/profil-vervollstaendigen}
cli="$build/tools/invanf-cli/invanf-cli"
mkdir -p "$aus"
# A day ahead: the program refuses to request a count for a day gone by.
anf=(--year 2026-01-01 --date "$(date -d "+7 days" +%F)" --branch 1)
sql() { psql "$uri" -qAtX -c "$1"; }

sql "CREATE EXTENSION IF NOT EXISTS pg_stat_statements"
sql "ALTER SYSTEM SET pg_stat_statements.track_planning = on"
sql "SELECT pg_reload_conf()" >/dev/null

# The server backend of the program under measure, found while it runs.
backend_merken() {
  : >"$aus/backend"
  while sleep 0.1; do
    sql "SELECT pid FROM pg_stat_activity WHERE backend_type = 'client backend' AND pid <> pg_backend_pid()
         AND datname = current_database() AND application_name <> 'psql'" >>"$aus/backend" 2>/dev/null || true
  done
}

lauf() {  # NAME PRAEFIX...: one completion and its deletion; only the completion is measured
  local name=$1; shift
  "$cli" --db "$uri" --yes create "${anf[@]}" >/dev/null
  sql "SELECT pg_stat_statements_reset()" >/dev/null
  local start; start=$(date +%s.%N)
  "$@" "$cli" --db "$uri" complete "${anf[@]}" >"$aus/$name.out" 2>&1
  echo "$name: $(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.2f", b - a }') s," \
    "$(uptime | sed 's/.*load/load/')" | tee -a "$aus/zeiten"
  sql "COPY (SELECT calls, round(total_exec_time::numeric, 1), round(total_plan_time::numeric, 1), rows,
        left(regexp_replace(query, '\s+', ' ', 'g'), 160) FROM pg_stat_statements
        WHERE query NOT LIKE '%pg_stat%' ORDER BY total_exec_time + total_plan_time DESC)
        TO STDOUT WITH (FORMAT csv, HEADER)" >"$aus/$name.statements.csv"
  "$cli" --db "$uri" --yes delete "${anf[@]}" >/dev/null
}

: >"$aus/zeiten"
"$cli" --db "$uri" --yes delete "${anf[@]}" >/dev/null 2>&1 || true  # what the benchmark left
lauf einfach /usr/bin/time -f "client user %U s, sys %S s, wall %e s" -a -o "$aus/zeiten"
backend_merken &
merker=$!
lauf perf perf record -a -g -F 499 -o "$aus/perf.data" --
kill "$merker"
backend=$(sort "$aus/backend" | uniq -c | sort -rn | awk 'NR == 1 { print $2 }')
# Samples per process (499 a second); the client is the invanf-cli with the
# most (other programs of that name may run meanwhile). Then by library and
# function within the client and its server backend, read from the samples
# themselves (perf report's filter by process mixed in others of the name).
perf report -i "$aus/perf.data" --no-children -n --sort pid --stdio -g none 2>/dev/null \
  | grep -E "invanf-cli| $backend:" | head -2 >"$aus/perf.prozesse" || true
client=$(awk '/invanf-cli/ { sub(":.*", "", $3); print $3; exit }' "$aus/perf.prozesse")
perf script -i "$aus/perf.data" -G -F pid,ip,sym,dso 2>/dev/null >"$aus/perf.proben" || true
for p in "client $client" "server $backend"; do
  set -- $p
  awk -v p="$2" '$1 == p { n++; d[$NF]++; s[$3 " " $NF]++ }
    END { for (k in d) printf "%6d %5.1f %%  %s\n", d[k], 100 * d[k] / n, k | "sort -rn"; close("sort -rn")
          print ""; for (k in s) printf "%6d %5.1f %%  %s\n", s[k], 100 * s[k] / n, k | "sort -rn | head -40" }' \
    "$aus/perf.proben" >"$aus/perf.$1"
done
rm -f "$aus/perf.proben"
lauf strace strace -f -c -o "$aus/strace.txt"
echo "Ausgabe in $aus"
