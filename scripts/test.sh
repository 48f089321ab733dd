#!/usr/bin/env bash
# Builds everything and runs every test: once in an optimised build with debug
# information (build/), once with the address and undefined-behaviour sanitizers
# (build-asan/). Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"
scripts/deps.sh

# The port-mapper tests need rpcbind; start it when it is not running and we
# may (root). Without it those tests skip with a message.
if ! pgrep -x rpcbind >/dev/null 2>&1; then
  if [ "$(id -u)" -eq 0 ] && command -v rpcbind >/dev/null 2>&1; then
    rpcbind -w 2>/dev/null || rpcbind 2>/dev/null || echo "note: rpcbind could not be started"
  fi
fi

jobs=$(nproc)
status=0

scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
(cd build && ctest --output-on-failure -j"$jobs" --timeout 600) || status=1

scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DTQ_SANITIZE=ON -DTQ_BUILD_BENCH=OFF
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  LSAN_OPTIONS=suppressions="$root/tests/lsan.supp" \
  ctest --output-on-failure -j"$jobs" --timeout 900 -LE no-sanitizer) || status=1

exit $status
