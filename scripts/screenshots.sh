#!/usr/bin/env bash
# Pictures of the desktop program's windows, taken under a real X server
# (Xvfb) on a demo company of its own:
#
#   bash scripts/screenshots.sh [ORDNER]     (default build/screenshots)
#
# Each run of invanf follows a tour: WWS_FOTOS names the folder, WWS_FOTOS_TOUR
# the steps "Fenster:Knopf:Bild" (picture of the window in front, then its
# button is pressed; see app/InvAnfFotos.h). A new window joins with a step in
# a tour below or with a tour of its own.
set -euo pipefail
cd "$(dirname "$0")/.."
ziel=$(realpath -m "${1:-build/screenshots}")
if [ ! -x build/app/invanf ] || [ ! -x build/tools/wws-admin/wws-admin ] || [ ! -x build/tools/bilder/dialoge_bilder ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build -j "$(nproc)" --target invanf wws-admin dialoge_bilder
fi

arbeit=$(mktemp -d /tmp/wws-fotos.XXXXXX)
xpid=""
halter=""
aufraeumen() {
  [ -z "$xpid" ] || kill "$xpid" 2>/dev/null || true
  [ -z "$halter" ] || kill "$halter" 2>/dev/null || true
  rm -rf "$arbeit"
}
trap aufraeumen EXIT

export WWS_DB=$arbeit/demo.db WWS_LOG=$arbeit/wws.log XDG_CONFIG_HOME=$arbeit/config
export WWS_MANDANT=Demo-Firma WWS_TODAY=2025-11-14 XDG_RUNTIME_DIR=$arbeit/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset WWS_ANTWORT QT_QPA_PLATFORM WAYLAND_DISPLAY
build/tools/wws-admin/wws-admin demo --stichtag "$WWS_TODAY" --articles 2000 >/dev/null

# A real X server on a free display.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$arbeit/display" 2>"$arbeit/xvfb.log" &
xpid=$!
for _ in $(seq 100); do [ -s "$arbeit/display" ] && break; sleep 0.1; done
[ -s "$arbeit/display" ] || { echo "Xvfb ist nicht gestartet:" >&2; cat "$arbeit/xvfb.log" >&2; exit 1; }
export DISPLAY=:$(head -n 1 "$arbeit/display")

mkdir -p "$ziel"
tour() {
  WWS_FOTOS=$ziel WWS_FOTOS_TOUR=$1 timeout 120 build/app/invanf
}

# Start dialog, main window with a row in every colour, the close question
# (requested requests are waiting), back to the start dialog.
tour "FrmIAStart:BtnOk:startdialog,FrmIAMain:btnEnde:hauptfenster,KWDMeldung:Ja:frage-1018,FrmIAStart:BtnEnde:startdialog-zurueck"
# OK without a fiscal year: on the first day of the next year no offered year contains today.
WWS_TODAY=2026-01-01 tour "FrmIAStart:BtnOk:startdialog-ohne-auswahl,KWDMeldung:OK:meldung-1004,FrmIAStart:BtnEnde:startdialog-nach-1004"

# Completing the largest request (all groups in the first branch, the last
# row) on a company of 150,000 articles in three branches, so the progress window stays long
# enough for its picture; the main window before and after.
export WWS_DB=$arbeit/gross.db
build/tools/wws-admin/wws-admin demo --stichtag "$WWS_TODAY" --articles 150000 --branches 3 >/dev/null
tour "FrmIAStart:BtnOk:-,FrmIAMain:Taste+End:-,FrmIAMain:btnComplete:hauptfenster-vor-vervollstaendigen,prgdKWD::fortschritt-vervollstaendigen,FrmIAMain:btnEnde:hauptfenster-nach-vervollstaendigen,KWDMeldung:Ja:-,FrmIAStart:BtnEnde:-"

# Question 1017 for the requested request whose counting day is over (the
# first row), answered No; then the locked-articles list: another program
# (wws-admin) holds an article of the request for all groups while it is
# completed (five passes, 2 s apart).
export WWS_DB=$arbeit/demo.db
build/tools/wws-admin/wws-admin locks hold 1.1.1 --seconds 120 --program Kasse >"$arbeit/halter.log" &
halter=$!
for _ in $(seq 100); do grep -q GESPERRT "$arbeit/halter.log" && break; sleep 0.1; done
tour "FrmIAStart:BtnOk:-,FrmIAMain:Taste+End:-,FrmIAMain:Taste+Home:-,FrmIAMain:btnComplete:-,KWDMeldung:Nein:frage-1017,FrmIAMain:Taste+End:-,FrmIAMain:btnComplete:-,gesperrteArtikelfrm:btnWeiter:gesperrte-artikel,FrmIAMain:btnEnde:-,KWDMeldung:Ja:-,FrmIAStart:BtnEnde:-"
kill "$halter" 2>/dev/null || true
wait "$halter" 2>/dev/null || true

# Printing: the options dialog, the layout dialog, the count list of the
# selected (second, opened) row and the overview in the report viewer.
tour "FrmIAStart:BtnOk:-,FrmIAMain:Taste+Home:-,FrmIAMain:Taste+Down:-,FrmIAMain:btnDruckenIAL:-,frmIALOptions:btnDruckIAL:druck-optionen,Layoutform:btnOK:druck-layoutdialog,frmKWDBericht:Schließen:druck-zaehlliste,FrmIAMain:btnDruck:-,frmKWDBericht:Schließen:druck-uebersicht,FrmIAMain:btnEnde:-,KWDMeldung:Ja:-,FrmIAStart:BtnEnde:-"

# The dialogs (new request with calendar and product-group search, both pages
# of the stock-take parameters, the locked-articles list); last, as it
# creates and completes a request of branch 2.
build/tools/bilder/dialoge_bilder "$ziel/dialoge" build/tools/wws-admin/wws-admin

echo "Bilder in $ziel"
