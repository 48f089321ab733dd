#!/usr/bin/env bash
# The main job: builds what is needed and runs the demonstration.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo

sample=examples/sample.txt
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
build/bin/tqpack-demo pack "$sample" "$work/sample.tqp"
build/bin/tqpack-demo unpack "$work/sample.tqp" "$work/sample.out"
cmp "$sample" "$work/sample.out"
printf '%-28s %10s bytes\n' "original $sample" "$(stat -c %s "$sample")"
printf '%-28s %10s bytes\n' "packed" "$(stat -c %s "$work/sample.tqp")"
printf '%-28s %10s bytes\n' "unpacked (identical)" "$(stat -c %s "$work/sample.out")"
