#!/usr/bin/env bash
# A private CUPS for the tests: its own configuration folder, a local socket
# instead of a network port (no clash with other runs on the machine), and
# one queue "Zaehlliste" on the virtual PDF printer of
# printer-driver-cups-pdf, which writes every job as a PDF into DIR/ausgabe.
# cups-pdf reads its settings only from /etc/cups, so cupsd runs in a mount
# namespace of its own in which DIR/etc is /etc/cups: nothing of the
# machine's CUPS is used or changed.
#   cups-test-server.sh start DIR  -> prints the value to use as CUPS_SERVER
#   cups-test-server.sh warten DIR -> waits (at most two minutes) until the
#                                     queue has no job left, prints the PDF it wrote
# (both without a line end, for the caller to use as it is)
#   cups-test-server.sh stop DIR
# cups-pdf must run as root (it changes to the job's user), so only root can
# start it; "start" exits with 3 and a German reason where that is not possible.
set -euo pipefail
cmd=${1:?start|stop}; dir=${2:?folder}
queue=Zaehlliste
fehlt() { echo "$*" >&2; exit 3; }
case "$cmd" in
  start)
    [ "$(id -u)" -eq 0 ] || fehlt "Ein eigener CUPS-Dienst mit PDF-Drucker braucht Root-Rechte (cups-pdf läuft nur als root)."
    [ -x /usr/sbin/cupsd ] || fehlt "cupsd fehlt (Paket cups)."
    [ -x /usr/lib/cups/backend/cups-pdf ] || fehlt "Der PDF-Drucker fehlt (Paket printer-driver-cups-pdf)."
    ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd
    [ -r "$ppd" ] || fehlt "Die Druckerbeschreibung $ppd fehlt."
    unshare -m --propagation private true 2>/dev/null \
      || fehlt "Eine eigene Mount-Umgebung für den CUPS-Dienst ist hier nicht erlaubt (unshare -m)."
    mkdir -p "$dir"
    dir=$(cd "$dir" && pwd)
    # The filters run as lp: they must reach the spool folders.
    chmod 755 "$dir"
    mkdir -p "$dir"/{etc/ppd,spool,tmp,cache,state,log,ausgabe,pdfspool}
    chmod 1777 "$dir/tmp"
    cat >"$dir/etc/cups-files.conf" <<EOF
ServerRoot $dir/etc
RequestRoot $dir/spool
TempDir $dir/tmp
CacheDir $dir/cache
StateDir $dir/state
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
User lp
Group lp
SystemGroup root
Sandboxing Relaxed
FileDevice No
EOF
    cat >"$dir/etc/cupsd.conf" <<EOF
LogLevel warn
Listen $dir/cups.sock
Browsing No
WebInterface No
PreserveJobFiles Yes
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
    cat >"$dir/etc/cups-pdf.conf" <<EOF
Out $dir/ausgabe
AnonDirName $dir/ausgabe
Spool $dir/pdfspool
Log $dir/log
Grp lp
EOF
    cp "$ppd" "$dir/etc/ppd/$queue.ppd"
    cat >"$dir/etc/printers.conf" <<EOF
<DefaultPrinter $queue>
Info Zählliste (PDF)
DeviceURI cups-pdf:/
State Idle
Accepting Yes
Shared No
</DefaultPrinter>
EOF
    chmod 600 "$dir/etc/printers.conf"
    setsid unshare -m --propagation private sh -c \
      'mount --bind "$1/etc" /etc/cups && exec /usr/sbin/cupsd -f -c "$1/etc/cupsd.conf" -s "$1/etc/cups-files.conf"' \
      sh "$dir" >"$dir/log/cupsd.out" 2>&1 </dev/null &
    echo $! >"$dir/cupsd.pid"
    for _ in $(seq 100); do
      if lpstat -h "$dir/cups.sock" -p "$queue" >/dev/null 2>&1; then printf %s "$dir/cups.sock"; exit 0; fi
      kill -0 "$(cat "$dir/cupsd.pid")" 2>/dev/null || break
      sleep 0.1
    done
    cat "$dir/log/cupsd.out" "$dir/log/error_log" >&2 2>/dev/null || true
    fehlt "Der eigene CUPS-Dienst ist nicht angelaufen."
    ;;
  warten)
    for _ in $(seq 600); do
      if [ -z "$(lpstat -h "$dir/cups.sock" -o 2>/dev/null)" ]; then
        for pdf in "$dir"/ausgabe/*.pdf; do [ -f "$pdf" ] && printf %s "$pdf" && exit 0; done
        break
      fi
      sleep 0.2
    done
    cat "$dir/log/error_log" >&2 2>/dev/null || true
    echo "Der Drucker hat keine PDF-Datei geschrieben." >&2; exit 1
    ;;
  stop)
    if [ -f "$dir/cupsd.pid" ]; then
      pid=$(cat "$dir/cupsd.pid")
      kill "$pid" 2>/dev/null || true
      for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
      rm -f "$dir/cupsd.pid"
    fi
    ;;
  *) echo "usage: $0 start|warten|stop DIR" >&2; exit 2 ;;
esac
