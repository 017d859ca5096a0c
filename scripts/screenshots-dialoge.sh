#!/usr/bin/env bash
# Screenshots of the dialogs (new request with the calendar and the product-
# group search, both pages of the stock-take parameters, their confirmation,
# the locked-articles list with real locks) on a fresh demo company, under a
# private X server.  Usage: scripts/screenshots-dialoge.sh [BUILD] [ZIEL] [DISPLAY-NR]
set -euo pipefail
BUILD=${1:-build}
ZIEL=${2:-$BUILD/screenshots}
NR=${3:-99}
ARBEIT=$(mktemp -d)
trap 'kill "${XVFB:-}" 2>/dev/null || true; rm -rf "$ARBEIT"' EXIT

cmake --build "$BUILD" --target wws-admin dialoge_bilder >/dev/null
export WWS_DB="$ARBEIT/demo.db" WWS_TODAY=2026-03-15 WWS_MANDANT="Modehaus Demo" WWS_LOG="$ARBEIT/wws.log"
export XDG_CONFIG_HOME="$ARBEIT/config"
"$BUILD/tools/wws-admin/wws-admin" demo --articles 400 --stichtag 2026-03-15 >/dev/null

Xvfb ":$NR" -screen 0 1280x1024x24 >/dev/null 2>&1 &
XVFB=$!
sleep 1
DISPLAY=":$NR" QT_QPA_PLATFORM=xcb "$BUILD/tests/dialogs/dialoge_bilder" "$ZIEL" "$BUILD/tools/wws-admin/wws-admin"
