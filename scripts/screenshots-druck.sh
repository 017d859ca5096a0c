#!/usr/bin/env bash
# Pictures of printing for looking at them: the count lists in every shipped
# layout (the scanner layouts with their barcodes also at 150 dpi) and the overview of a demo company as PNG pages, and the options
# dialog, the layout dialog and the report viewer under Xvfb.
#
#   bash scripts/screenshots-druck.sh [BUILD-FOLDER] [OUT-FOLDER]   (defaults: build, screenshots-druck)
#
# Needs xvfb, imagemagick (import) and poppler-utils (pdftoppm).
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
out=$(realpath -m "${2:-screenshots-druck}")
mkdir -p "$out"
tmp=$(mktemp -d /tmp/wws-druck-bilder.XXXXXX)
display=${WWS_DISPLAY:-:16}
xvfb=""
cleanup() { [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null; rm -rf "$tmp"; }
trap cleanup EXIT

export WWS_DB="$tmp/demo.db" WWS_HOME="$tmp/wws" WWS_TODAY=2026-03-15 WWS_MANDANT="Modehaus Demo" WWS_LOG="$tmp/wws.log"
admin="$build/tools/wws-admin/wws-admin"
cli="$build/tools/invanf-cli/invanf-cli"
"$admin" demo --articles 2000 --stichtag 2026-03-15 >/dev/null
# Two requests completed: a product group of one branch, and all groups of another.
"$cli" complete --year 2026-01-01 --date 2026-03-01 --wg 2 --branch 2 >/dev/null
"$cli" complete --year 2026-01-01 --date 2026-04-12 --branch 1 >/dev/null

for layout in Standard Groessen Kompakt Blindliste Scanner BlindlisteScanner; do
  "$cli" print-ial --year 2026-01-01 --date 2026-03-01 --wg 2 --branch 2 --layout "$layout" --all-sizes \
    --pdf "$out/ial-$layout.pdf"
  pdftoppm -r 60 -f 1 -l 2 -png "$out/ial-$layout.pdf" "$out/ial-$layout"
done
# The scanner layout as a hand scanner's user sees it: a page at 150 dpi.
pdftoppm -r 150 -f 1 -l 1 -png "$out/ial-Scanner.pdf" "$out/ial-Scanner-150dpi"
"$cli" print-list --year 2026-01-01 --pdf "$out/liste.pdf"
pdftoppm -r 60 -png "$out/liste.pdf" "$out/liste"

# The windows, on a real X server.
Xvfb "$display" -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
sleep 1
DISPLAY="$display" QT_QPA_PLATFORM=xcb "$build/tools/bilder/druck_bilder" "$out"
DISPLAY="$display" import -window root "$out/bildschirm-ende.png" || true
echo "Bilder in $out"
