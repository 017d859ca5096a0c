#!/usr/bin/env bash
# Installs every Debian package the project needs to build, run and test.
set -euo pipefail
PAKETE=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-pdf-dev libqt6sql6-sqlite libqt6sql6-psql
  libsqlite3-dev libpq-dev postgresql
  libgtest-dev libgmock-dev libbenchmark-dev
  libcli11-dev nlohmann-json3-dev
  xvfb xauth fonts-dejavu-core qt6-translations-l10n
  poppler-utils imagemagick
  libzint-dev libxlsxwriter-dev zbar-tools python3-openpyxl
  cups printer-driver-cups-pdf
  dpkg-dev locales
)
fehlend=()
for p in "${PAKETE[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || fehlend+=("$p")
done
SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO=sudo
if [ ${#fehlend[@]} -gt 0 ]; then
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${fehlend[@]}"
fi
# Users run a German desktop, and the tests read the messages there too.
if ! locale -a 2>/dev/null | grep -qix 'de_DE.utf8'; then
  grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null \
    || echo 'de_DE.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen
fi
