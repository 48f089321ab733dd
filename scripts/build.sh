#!/usr/bin/env bash
# Configures (once) and builds one build folder incrementally.
# Usage: scripts/build.sh <build-dir> [cmake -D options ...]
set -euo pipefail
cd "$(dirname "$0")/.."
dir="$1"; shift
if [ ! -f "$dir/build.ninja" ]; then
  cmake -S . -B "$dir" -G Ninja "$@"
fi
cmake --build "$dir"
