#!/usr/bin/env bash
# The handbook's pictures, made from the programs of this build on demo
# companies of their own, without any display (Qt's offscreen platform):
#
#   bash scripts/handbuch-bilder.sh BUILD-ORDNER ZIEL-ORDNER
#
# The build runs it for the handbook (target handbuch), so the pictures show
# the windows as the code of the day draws them. Each run of invanf follows
# a photo tour (WWS_FOTOS_TOUR, see app/InvAnfFotos.h): a picture of the
# window in front, then the button, key, text or tick of the step. A tour
# that loses its way ends invanf with exit code 3, and this script fails.
set -euo pipefail
build=$(realpath "$1")
ziel=$(realpath -m "$2")
admin=$build/tools/wws-admin/wws-admin
cli=$build/tools/invanf-cli/invanf-cli
invanf=$build/app/invanf

arbeit=$(mktemp -d /tmp/wws-handbuch.XXXXXX)
halter=""
aufraeumen() {
  [ -z "$halter" ] || kill "$halter" 2>/dev/null || true
  rm -rf "$arbeit"
}
trap aufraeumen EXIT

# Nothing of the user who builds is read or written: settings, log, suite
# folder and company all live in the work folder.
export HOME=$arbeit/heim XDG_CONFIG_HOME=$arbeit/heim/.config XDG_DATA_HOME=$arbeit/heim/.local/share
export XDG_STATE_HOME=$arbeit/heim/.local/state XDG_RUNTIME_DIR=$arbeit/run
export QT_QPA_PLATFORM=offscreen WWS_MANDANT="Modehaus Demo" WWS_TODAY=2025-11-14
unset WWS_DB WWS_HOME WWS_LOG WWS_ANTWORT WWS_USER WWS_TERMINALNR DISPLAY WAYLAND_DISPLAY PGPASSFILE
mkdir -p "$HOME/Dokumente" "$XDG_CONFIG_HOME" "$ziel"
# A German desktop's documents folder, where the save dialogs start.
echo 'XDG_DOCUMENTS_DIR="$HOME/Dokumente"' >"$XDG_CONFIG_HOME/user-dirs.dirs"
mkdir -m 700 "$XDG_RUNTIME_DIR"
rm -f "$ziel"/*.png

tour() {
  WWS_FOTOS=$ziel WWS_FOTOS_TOUR=$1 timeout 180 "$invanf" >"$arbeit/tour.log" 2>&1 || {
    echo "Die Bildertour ist nicht durchgelaufen:" >&2
    cat "$arbeit/tour.log" >&2
    exit 1
  }
}

# First start of a new user: no company yet; the server dialog as the IT
# person fills it in.
tour "FrmFirmaWahl:btnServer:firma-waehlen,\
FrmFirmaServer:Text+edtHost=wws-server:-,FrmFirmaServer:Text+edtDatenbank=filialen:-,\
FrmFirmaServer:Text+edtBenutzer=anna:-,FrmFirmaServer:BtnCancel:firma-server,\
FrmFirmaWahl:btnAbbrechen:-"

# A demo company with a request in every state; another program (a till at
# terminal 7) keeps one article of the request of all groups in branch 1.
export WWS_DB=$arbeit/demo.db
"$admin" demo --stichtag "$WWS_TODAY" --articles 2000 >/dev/null
WWS_TERMINALNR=7 "$admin" locks hold 1.1.1 --seconds 300 --program Kasse >"$arbeit/halter.log" 2>&1 &
halter=$!
for _ in $(seq 100); do grep -q GESPERRT "$arbeit/halter.log" && break; sleep 0.1; done
grep -q GESPERRT "$arbeit/halter.log" || {
  echo "Die Sperre für das Bild kam nicht zustande:" >&2
  cat "$arbeit/halter.log" >&2
  exit 1
}

# The main window; the locked-articles list (completing the request of all
# groups in branch 1, the last row); the questions of completing a request
# whose counting day is over and of deleting one (both answered No); a new
# request with its search, the parameters and the question after booking
# (No); printing the opened request of group 4 in branch 4 (the second row)
# and the overview; the folder dialog of filing the count lists per branch
# (menu Export, cancelled); the close question.
tour "FrmIAStart:BtnOk:startdialog,FrmIAMain:Taste+End:hauptfenster,\
FrmIAMain:btnComplete:-,gesperrteArtikelfrm:btnWeiter:gesperrte-artikel,\
FrmIAMain:Taste+Home:-,FrmIAMain:btnComplete:-,KWDMeldung:Nein:frage-zaehltag-vorbei,\
FrmIAMain:Taste+Down:-,FrmIAMain:btnDelete:-,KWDMeldung:Nein:frage-loeschen,\
FrmIAMain:btnNeu:-,FrmIANeu:Text+btnZaehldatum=15.12.2025:-,FrmIANeu:Text+edtWg=12:-,\
FrmIANeu:Haken+chbFilialen=2:-,FrmIANeu:Haken+chbFilialen=3:-,FrmIANeu:btnWGNSuche:neuanlage,\
FrmWGNSuche:Text+edtBezeichnung=hose:-,FrmWGNSuche:BtnCancel:warengruppensuche,\
FrmIANeu:btnEinstellungen:-,FrmInvAnfConfig:Taste+Ctrl+Tab:einstellungen-bestaende,\
FrmInvAnfConfig:BtnEnde:einstellungen-abschlaege,\
FrmIANeu:BtnOk:-,KWDMeldung:Nein:frage-sofort-vervollstaendigen,\
FrmIAMain:Taste+Home:statuszeile,FrmIAMain:Taste+Down:-,FrmIAMain:btnDruckenIAL:-,\
frmIALOptions:btnDruckIAL:druck-optionen,Layoutform:Taste+Down:-,Layoutform:Taste+Down:-,\
Layoutform:Taste+Down:-,Layoutform:btnOK:druck-layoutdialog,\
frmKWDBericht:Schließen:druck-zaehlliste,FrmIAMain:btnDruck:-,frmKWDBericht:Schließen:druck-uebersicht,\
FrmIAMain:actZaehllistenAblegen:-,frmIALOptions:btnDruckIAL:-,Layoutform:btnOK:-,dlgDatei:Taste+Esc:ablage-je-filiale,\
FrmIAMain:btnEnde:-,KWDMeldung:Ja:frage-schliessen,FrmIAStart:BtnEnde:-"
kill "$halter" 2>/dev/null || true
wait "$halter" 2>/dev/null || true
halter=""

# Pages of count lists: the request opened for counting (group 4 in branch 4).
for layout in Standard Scanner; do
  "$cli" print-ial --year 2025-01-01 --date 2025-10-31 --wg 4 --branch 4 --layout "$layout" \
    --pdf "$arbeit/ial-$layout.pdf" >/dev/null
done
pdftoppm -r 70 -f 1 -l 1 -singlefile -png "$arbeit/ial-Standard.pdf" "$ziel/ial-standard"
# The scanner list close up: the top of its first page, where the codes are.
pdftoppm -r 110 -f 1 -l 1 -singlefile -x 0 -y 0 -W 910 -H 560 -png "$arbeit/ial-Scanner.pdf" "$ziel/ial-scanner"
echo "Bilder des Handbuchs: $(ls "$ziel"/*.png | wc -l)"
