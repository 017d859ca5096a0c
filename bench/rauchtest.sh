#!/usr/bin/env bash
# A benchmark run once at a tiny size among the tests, so none can rot: it
# must end with 0 and print a line matching each pattern (extended regular
# expressions). Its figures are never judged.
#
#   rauchtest.sh MUSTER... -- PROGRAMM [ARGUMENT...]
set -uo pipefail
muster=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do muster+=("$1"); shift; done
shift
ausgabe=$("$@" 2>&1)
rc=$?
if [ $rc -ne 0 ]; then
  printf '%s\n' "$ausgabe"
  echo "Rauchtest: $1 endete mit $rc." >&2
  exit 1
fi
for m in "${muster[@]}"; do
  if ! grep -Eq -- "$m" <<<"$ausgabe"; then
    printf '%s\n' "$ausgabe"
    echo "Rauchtest: keine Zeile wie \"$m\"." >&2
    exit 1
  fi
done
