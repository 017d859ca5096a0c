#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test: once as the
# normal build (SQLite and PostgreSQL), once with AddressSanitizer and
# UndefinedBehaviorSanitizer for the layers below Qt.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc)

pgdir=$(mktemp -d /tmp/wws-pg.XXXXXX)
trap 'bash scripts/pg-test-server.sh stop "$pgdir"; rm -rf "$pgdir"' EXIT
WWS_TEST_PG=$(bash scripts/pg-test-server.sh start "$pgdir" "${WWS_TEST_PG_PORT:-55432}")
export WWS_TEST_PG
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DWWS_SANITIZE=ON -DWWS_WITH_QT=OFF -DWWS_BUILD_BENCH=OFF
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"
