#!/usr/bin/env bash
# Installs what is needed, builds only the programs it starts and starts the
# desktop program on the demo company, an embedded SQLite database in
# ~/.local/share/wws/demo.db that the program builds at its first start
# (WWS_DB chooses another company). Tests and benchmarks are built by
# scripts/test-all.sh, not here.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
# A build of its own without debug information: the shortest way to a
# running program (the test builds keep theirs in build/).
bau=build-demo
cmake -S . -B "$bau" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  cmake --build "$bau" -j "$(nproc)" --target invanf
  if [ -n "${WWS_DB:-}" ]; then
    exec "$bau"/app/invanf
  fi
  exec "$bau"/app/invanf --demo
fi

echo "Keine grafische Anzeige (DISPLAY ist nicht gesetzt): die Wirtschaftsjahre und Inventuranforderungen zeigt invanf-cli."
cmake --build "$bau" -j "$(nproc)" --target invanf-cli wws-admin
export WWS_DB=${WWS_DB:-${XDG_DATA_HOME:-$HOME/.local/share}/wws/demo.db}
case "$WWS_DB" in
  postgresql://* | postgres://*) ;;
  *)
    mkdir -p "$(dirname "$WWS_DB")"
    if [ ! -f "$WWS_DB" ]; then
      echo "Lege die Demo-Firma an: $WWS_DB"
      "$bau"/tools/wws-admin/wws-admin demo
    fi
    ;;
esac
cli=$bau/tools/invanf-cli/invanf-cli
jahre=$("$cli" years)
echo "$jahre"
# The preselected year (marked "*") or else the last one offered.
jahr=$(echo "$jahre" | sed -n 's/^\* \([0-9.]*\) - .*/\1/p')
[ -n "$jahr" ] || jahr=$(echo "$jahre" | tail -n 1 | sed -n 's/^ *\([0-9.]*\) - .*/\1/p')
[ -z "$jahr" ] || "$cli" list --year "$jahr"
