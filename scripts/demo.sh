#!/usr/bin/env bash
# Installs what is needed, builds, creates a demo company in an embedded SQLite
# database and starts the program on it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)"

export WWS_DB=${WWS_DB:-$HOME/.local/share/wws/demo.db}
case "$WWS_DB" in
  postgresql://* | postgres://*) ;;
  *)
    mkdir -p "$(dirname "$WWS_DB")"
    if [ ! -f "$WWS_DB" ]; then
      echo "Lege die Demo-Firma an: $WWS_DB"
      build/tools/wws-admin/wws-admin demo
    fi
    ;;
esac

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Keine grafische Anzeige (DISPLAY ist nicht gesetzt): die Wirtschaftsjahre und Inventuranforderungen zeigt invanf-cli."
  cli=build/tools/invanf-cli/invanf-cli
  jahre=$("$cli" years)
  echo "$jahre"
  # The preselected year (marked "*") or else the last one offered.
  jahr=$(echo "$jahre" | sed -n 's/^\* \([0-9.]*\) - .*/\1/p')
  [ -n "$jahr" ] || jahr=$(echo "$jahre" | tail -n 1 | sed -n 's/^ *\([0-9.]*\) - .*/\1/p')
  [ -z "$jahr" ] || "$cli" list --year "$jahr"
  exit 0
fi
exec build/app/invanf
