#!/usr/bin/env bash
# Installs what is needed, builds, creates a demo company in an embedded SQLite
# database and starts the program on it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)"

export WWS_DB=${WWS_DB:-$HOME/.local/share/wws/demo.db}
mkdir -p "$(dirname "$WWS_DB")"
if [ ! -f "$WWS_DB" ]; then
  echo "Lege die Demo-Firma an: $WWS_DB"
  build/tools/wws-admin/wws-admin demo
fi
# Until the desktop program exists, the engine's command-line front is the program.
build/tools/invanf-cli/invanf-cli years
