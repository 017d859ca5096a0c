#!/usr/bin/env bash
# The Debian package as Debian checks it and as a new user meets it, on this
# machine (as root):
#
#   bash scripts/paket-probe.sh [ORDNER]      (pictures to ORDNER, default build-paket/probe)
#
# Builds the package (build-paket/), checks it with lintian (no error; each
# warning must be explained in the README), installs it with apt and checks
# what it installed: the man pages render without a warning (groff -ww, man
# --warnings), lexgrog finds their NAME line, they name every command and
# option the programs' --help lists (scripts/manseiten-pruefen.py), the
# desktop entry is valid and its action "Handbuch" opens the installed
# handbook, whose pages and pictures are all there. Then it creates a user
# without any settings, starts the installed program for that user under
# Xvfb exactly as the desktop entry's Exec line says, photographs the company
# dialog, builds the demo company through it ("Demofirma anlegen"),
# photographs the start dialog and the main window, and at the end removes
# the package (apt purge: nothing of it may stay) and the user again. The
# photo tour (WWS_FOTOS, app/InvAnfFotos.h) presses the buttons a user would
# press; whole-screen pictures are taken besides.
set -euo pipefail
cd "$(dirname "$0")/.."
[ "$(id -u)" -eq 0 ] || { echo "paket-probe.sh braucht root (apt-get install, useradd)." >&2; exit 2; }
quelle=$(pwd)
ziel=$(realpath -m "${1:-build-paket/probe}")
bash scripts/install-deps.sh
# What only this probe needs: Debian's package checker, man-db's tools and
# the desktop entry checker.
fehlend=()
for p in lintian man-db groff-base desktop-file-utils; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || fehlend+=("$p")
done
if [ ${#fehlend[@]} -gt 0 ]; then
  apt-get update -q >/dev/null
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${fehlend[@]}" >/dev/null
fi

# RelWithDebInfo as the other builds (a compiler cache then serves them
# all); the package's programs are stripped. The handbook's pictures are
# taken by this build.
starter=()
command -v ccache >/dev/null && starter=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-paket -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWWS_BUILD_BENCH=OFF "${starter[@]}" >/dev/null
cmake --build build-paket -j "$(nproc)" --target invanf invanf-cli wws-admin handbuch
rm -f build-paket/invanf_*.deb
(cd build-paket && cpack -G DEB >/dev/null)
paket=$(ls build-paket/invanf_*.deb)
echo "Paket: $paket"
dpkg-deb -f "$paket" Package Version Section Maintainer | sed 's/^/  /'
dpkg-deb -c "$paket" | awk '{print $6}' | grep -E 'bin/|applications/|man1/|doc/invanf/[^/]*$|handbuch/index' | sed 's/^/  /'

fehler() { echo "$*" >&2; exit 1; }

# lintian: no error; every warning that stays is explained in the README.
arbeit=$(mktemp -d /tmp/wws-paket-probe.XXXXXX)
chmod 755 "$arbeit"
lintian --fail-on error --pedantic "$paket" >"$arbeit/lintian.txt" 2>&1 || {
  cat "$arbeit/lintian.txt" >&2
  fehler "lintian meldet Fehler."
}
echo "lintian --pedantic:"
grep -v '^running with root privileges' "$arbeit/lintian.txt" | sed 's/^/  /'
for tag in $(awk '/^W: / {print $3}' "$arbeit/lintian.txt" | sort -u); do
  grep -q "\`$tag\`" README.md || fehler "Die lintian-Warnung $tag steht nicht mit ihrem Grund im README."
done

benutzer=wwsprobe$$
heim=/home/$benutzer
installiert=""
aufraeumen() {
  set +e
  if id "$benutzer" >/dev/null 2>&1; then
    # The session's last processes (the X server) may still be ending.
    for _ in $(seq 50); do pgrep -u "$benutzer" >/dev/null || break; sleep 0.2; done
    userdel -r "$benutzer" 2>/dev/null || echo "Der Benutzer $benutzer ließ sich nicht entfernen." >&2
  fi
  [ -z "$installiert" ] || DEBIAN_FRONTEND=noninteractive apt-get purge -y -q invanf >/dev/null
  rm -rf "$arbeit"
}
trap aufraeumen EXIT

DEBIAN_FRONTEND=noninteractive apt-get install -y -q "./$paket" >/dev/null
installiert=ja
echo "Installiert: $(dpkg-query -W -f='${Package} ${Version}' invanf)"

# The man pages as man shows them: no groff warning, a NAME line lexgrog
# reads, every command and option of the programs.
for programm in invanf invanf-cli wws-admin; do
  seite=/usr/share/man/man1/$programm.1.gz
  warnungen=$( { zcat "$seite" | preconv -e UTF-8 | groff -ww -man -Tutf8 -z; } 2>&1)
  warnungen+=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$seite" 2>&1 >/dev/null)
  [ -z "$warnungen" ] || fehler "$programm(1) rendert mit Warnungen: $warnungen"
  lexgrog "$seite" | sed 's/^/  /' || fehler "lexgrog findet in $programm(1) keine Zeile BEZEICHNUNG."
done
/usr/bin/python3 "$quelle/scripts/manseiten-pruefen.py" /usr/bin /usr/share/man/man1 ||
  fehler "Die Man-Seiten passen nicht zu den Programmen."

# The desktop entry and its action: the handbook it opens is there, with
# every page it links and every picture it shows.
eintrag=/usr/share/applications/invanf.desktop
desktop-file-validate "$eintrag" || fehler "invanf.desktop ist ungültig."
aktion=$(sed -n '/^\[Desktop Action Handbuch\]/,/^\[/ s/^Exec=//p' "$eintrag")
handbuch=${aktion#xdg-open }
[ "$aktion" != "$handbuch" ] && [ -s "$handbuch" ] || fehler "Die Aktion Handbuch öffnet nichts: $aktion"
ordner=$(dirname "$handbuch")
for verweis in $(grep -ohE '(src|href)="[^"#:]+' "$ordner"/*.html | sed 's/^[a-z]*="//' | sort -u); do
  [ -s "$ordner/$verweis" ] || fehler "Das Handbuch verweist auf $verweis, das nicht installiert ist."
done
echo "Handbuch: $handbuch, $(ls "$ordner"/*.html | wc -l) Seiten, $(ls "$ordner"/bilder/*.png | wc -l) Bilder"

useradd -m -s /bin/bash "$benutzer"
echo "Neuer Benutzer $benutzer, $(find "$heim" -path "$heim/.config/wws*" -o -path "$heim/.local/share/wws*" | wc -l) Einstellungen der Warenwirtschaft"

# The desktop's menu opens the handbook as the user: xdg-open hands it to
# the browser ($BROWSER here, one that notes what it was given; no other
# browser of this machine is offered to xdg-open).
install -d -o "$benutzer" "$arbeit/aktion"
cat >"$arbeit/browser.sh" <<EOF
#!/bin/sh
echo "\$1" >"$arbeit/aktion/browser.txt"
EOF
chmod 755 "$arbeit/browser.sh"
mkdir -p "$arbeit/leer"
runuser -u "$benutzer" -- env -i HOME="$heim" PATH=/usr/bin:/bin BROWSER="$arbeit/browser.sh" \
  XDG_DATA_DIRS="$arbeit/leer" XDG_DATA_HOME="$arbeit/leer" $aktion >/dev/null 2>&1 || true
grep -q "handbuch/index.html" "$arbeit/aktion/browser.txt" 2>/dev/null ||
  fehler "xdg-open hat das Handbuch nicht geöffnet: $aktion"
echo "Aktion Handbuch: $aktion -> Browser mit $(cat "$arbeit/aktion/browser.txt")"

# The command the desktop's menu runs.
befehl=$(sed -n 's/^Exec=//p' "$eintrag" | head -n 1 | sed 's/ *%[fFuUdDnNickvm]//g')
echo "Exec: $befehl"
bilder=$arbeit/bilder
install -d -o "$benutzer" "$bilder"

# The user's session: a display of its own, whole-screen pictures every two
# seconds while the program runs, the photo tour through the windows.
cat >"$arbeit/sitzung.sh" <<EOF
#!/bin/sh
cd "\$HOME"
( n=0; while [ \$n -lt 40 ]; do sleep 2; n=\$((n+1)); import -window root "$bilder/bildschirm-\$(printf %02d \$n).png" 2>/dev/null; done ) &
schirm=\$!
WWS_FOTOS=$bilder \\
WWS_FOTOS_TOUR="FrmFirmaWahl:btnDemo:1-firma-waehlen,FrmIAStart:BtnOk:2-startdialog,FrmIAMain:btnEnde:3-hauptfenster,KWDMeldung:Ja:4-frage,FrmIAStart:BtnEnde:5-startdialog-zurueck" \\
timeout 300 $befehl
ende=\$?
kill \$schirm 2>/dev/null
echo "\$ende" >"$bilder/exit"
EOF
chmod 755 "$arbeit/sitzung.sh"
# A German desktop where the machine has its locale.
sprache=C.UTF-8
locale -a 2>/dev/null | grep -qix 'de_DE.utf8' && sprache=de_DE.UTF-8
start=$(date +%s)
runuser -u "$benutzer" -- env -i HOME="$heim" USER="$benutzer" LOGNAME="$benutzer" SHELL=/bin/bash \
  PATH=/usr/local/bin:/usr/bin:/bin LANG="$sprache" \
  xvfb-run -a -s "-screen 0 1280x800x24" "$arbeit/sitzung.sh" >"$arbeit/ausgabe.txt" 2>&1 || true
dauer=$(($(date +%s) - start))

echo "Ausgabe des Programms:"; sed 's/^/  /' "$arbeit/ausgabe.txt"
ergebnis=$(cat "$bilder/exit" 2>/dev/null || echo "?")
echo "Exit-Code: $ergebnis, Dauer $dauer s (LANG=$sprache)"
echo "Einstellungen danach: $(cat "$heim/.config/wws/wws.ini" 2>/dev/null || echo keine)"
ls -l "$heim/.local/share/wws/demo.db" 2>/dev/null | awk '{print "Demofirma: " $NF ", " $5 " Bytes"}' || echo "Demofirma: keine"

mkdir -p "$ziel"
rm -f "$ziel"/*.png
cp "$bilder"/*.png "$ziel"/ 2>/dev/null || true
# Whole-screen pictures that show nothing new are dropped.
vorher=""
for b in "$ziel"/bildschirm-*.png; do
  [ -e "$b" ] || continue
  summe=$(convert "$b" -depth 8 rgb:- | md5sum | cut -d' ' -f1)
  if [ "$summe" = "$vorher" ]; then rm -f "$b"; else vorher=$summe; fi
done
echo "Bilder in $ziel:"; ls "$ziel" | sed 's/^/  /'
for b in 1-firma-waehlen 2-startdialog 3-hauptfenster; do
  [ -s "$ziel/$b.png" ] || fehler "Es fehlt das Bild $b."
done
[ "$ergebnis" = 0 ] || fehler "Das Programm endete mit $ergebnis."

# Removing the package leaves nothing of it behind.
DEBIAN_FRONTEND=noninteractive apt-get purge -y -q invanf >/dev/null
installiert=""
dpkg-query -W invanf >/dev/null 2>&1 && fehler "invanf ist nach apt purge noch bekannt."
for rest in /usr/bin/invanf /usr/share/doc/invanf /usr/share/applications/invanf.desktop /usr/share/man/man1/invanf.1.gz; do
  [ ! -e "$rest" ] || fehler "Nach apt purge steht noch $rest."
done
echo "Paketprobe bestanden; Paket und Benutzer sind wieder entfernt."
