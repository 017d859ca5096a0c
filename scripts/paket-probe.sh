#!/usr/bin/env bash
# The Debian package as a new user meets it, on this machine (as root):
#
#   bash scripts/paket-probe.sh [ORDNER]      (pictures to ORDNER, default build-paket/probe)
#
# Builds the package (build-paket/), installs it with apt, creates a
# user without any settings, starts the installed program for that user under
# Xvfb exactly as the desktop entry's Exec line says, photographs the company
# dialog, builds the demo company through it ("Demofirma anlegen"),
# photographs the start dialog and the main window, and removes the package
# and the user again. The photo tour (WWS_FOTOS, app/InvAnfFotos.h) presses
# the buttons a user would press; whole-screen pictures are taken besides.
set -euo pipefail
cd "$(dirname "$0")/.."
[ "$(id -u)" -eq 0 ] || { echo "paket-probe.sh braucht root (apt-get install, useradd)." >&2; exit 2; }
ziel=$(realpath -m "${1:-build-paket/probe}")
bash scripts/install-deps.sh

# RelWithDebInfo as the other builds (a compiler cache then serves them
# all); the package's programs are stripped.
starter=()
command -v ccache >/dev/null && starter=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-paket -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWWS_BUILD_BENCH=OFF "${starter[@]}" >/dev/null
cmake --build build-paket -j "$(nproc)" --target invanf invanf-cli wws-admin manpages
rm -f build-paket/invanf_*.deb
(cd build-paket && cpack -G DEB >/dev/null)
paket=$(ls build-paket/invanf_*.deb)
echo "Paket: $paket"
dpkg-deb -c "$paket" | awk '{print $6}' | grep -E 'bin/|applications/|man1/' | sed 's/^/  /'

benutzer=wwsprobe$$
heim=/home/$benutzer
arbeit=$(mktemp -d /tmp/wws-paket-probe.XXXXXX)
chmod 755 "$arbeit"
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

useradd -m -s /bin/bash "$benutzer"
echo "Neuer Benutzer $benutzer, $(find "$heim" -path "$heim/.config/wws*" -o -path "$heim/.local/share/wws*" | wc -l) Einstellungen der Warenwirtschaft"

# The command the desktop's menu runs.
befehl=$(sed -n 's/^Exec=//p' /usr/share/applications/invanf.desktop | head -n 1 | sed 's/ *%[fFuUdDnNickvm]//g')
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
start=$(date +%s)
runuser -u "$benutzer" -- env -i HOME="$heim" USER="$benutzer" LOGNAME="$benutzer" SHELL=/bin/bash \
  PATH=/usr/local/bin:/usr/bin:/bin LANG=C.UTF-8 \
  xvfb-run -a -s "-screen 0 1280x800x24" "$arbeit/sitzung.sh" >"$arbeit/ausgabe.txt" 2>&1 || true
dauer=$(($(date +%s) - start))

echo "Ausgabe des Programms:"; sed 's/^/  /' "$arbeit/ausgabe.txt"
ergebnis=$(cat "$bilder/exit" 2>/dev/null || echo "?")
echo "Exit-Code: $ergebnis, Dauer $dauer s"
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
  [ -s "$ziel/$b.png" ] || { echo "Es fehlt das Bild $b." >&2; exit 1; }
done
[ "$ergebnis" = 0 ] || { echo "Das Programm endete mit $ergebnis." >&2; exit 1; }
echo "Paketprobe bestanden; Paket und Benutzer werden wieder entfernt."
