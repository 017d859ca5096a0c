#!/usr/bin/env bash
# Pictures of the dialogs (new request with calendar, product-group search and
# an incomplete date; both pages of the stock-take parameters, a refused
# decimal, the open stock-take notice, the confirmation; the locked-articles
# list with locks that wws-admin holds in processes of its own), under Xvfb on
# a demo company of its own:
#
#   bash scripts/screenshots-dialoge.sh [ORDNER] [DISPLAY-NR]   (default build/screenshots/dialoge)
#
# Within a script that already runs an X server and a demo company it is the
# one call  build/tools/bilder/dialoge_bilder ORDNER build/tools/wws-admin/wws-admin
# (last: it creates and completes one request of branch 2).
set -euo pipefail
cd "$(dirname "$0")/.."
ziel=$(realpath -m "${1:-build/screenshots/dialoge}")
cmake --build build --target wws-admin dialoge_bilder >/dev/null

arbeit=$(mktemp -d /tmp/wws-dialoge.XXXXXX)
xpid=""
aufraeumen() {
  [ -z "$xpid" ] || kill "$xpid" 2>/dev/null || true
  rm -rf "$arbeit"
}
trap aufraeumen EXIT

export WWS_DB=$arbeit/demo.db WWS_LOG=$arbeit/wws.log XDG_CONFIG_HOME=$arbeit/config
export WWS_MANDANT=Demo-Firma WWS_TODAY=2026-03-15 XDG_RUNTIME_DIR=$arbeit/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset WWS_ANTWORT QT_QPA_PLATFORM WAYLAND_DISPLAY
build/tools/wws-admin/wws-admin demo --stichtag "$WWS_TODAY" --articles 400 >/dev/null

if [ -n "${2:-}" ]; then
  Xvfb ":$2" -screen 0 1280x1024x24 -nolisten tcp 2>"$arbeit/xvfb.log" &
  xpid=$!
  echo "$2" >"$arbeit/display"
  sleep 1
else
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$arbeit/display" 2>"$arbeit/xvfb.log" &
  xpid=$!
  for _ in $(seq 100); do [ -s "$arbeit/display" ] && break; sleep 0.1; done
fi
[ -s "$arbeit/display" ] || { echo "Xvfb ist nicht gestartet:" >&2; cat "$arbeit/xvfb.log" >&2; exit 1; }
export DISPLAY=:$(head -n 1 "$arbeit/display")

timeout 120 build/tools/bilder/dialoge_bilder "$ziel" build/tools/wws-admin/wws-admin
