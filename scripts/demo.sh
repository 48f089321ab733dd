#!/usr/bin/env bash
# The main job: builds what is needed, starts the reference server on loopback
# with the demo forms, and runs the demo scripts against it with Tixgrab.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo

work=$(mktemp -d)
server=""
cleanup() {
  if [ -n "$server" ]; then kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

# The server picks a free port and names it on its first line.
build/bin/tqserverd --port 0 --forms examples/demo-forms.txt >"$work/server.out" &
server=$!
port=""
for _ in $(seq 600); do
  line=$(head -n 1 "$work/server.out")
  if [[ $line =~ ^listening\ on\ port\ ([0-9]+)$ ]]; then port=${BASH_REMATCH[1]}; break; fi
  kill -0 "$server" 2>/dev/null || { echo "tqserverd did not start" >&2; exit 1; }
  sleep 0.1
done
[ -n "$port" ] || { echo "tqserverd did not name its port" >&2; exit 1; }
echo "== tqserverd on 127.0.0.1 port $port (forms: examples/demo-forms.txt)"

# tqlink reaches the server's queue directory on the fixed TCP port TQTCPPORT.
export TQTCPPORT=$port
tixgrab() { build/bin/Tixgrab "$@"; }

echo "== Tixgrab -x examples/demo.xml"
tixgrab -x examples/demo.xml -v SERVER=127.0.0.1

echo "== Tixgrab -x examples/demo-error.xml (fails on purpose)"
rc=0
tixgrab -x examples/demo-error.xml -v SERVER=127.0.0.1 || rc=$?
echo "(exit code $rc)"
[ "$rc" -eq 1 ]

echo "== Tixgrab, the error log entry read back"
tixgrab TQ SYSTEM=127.0.0.1 GET FORM=Demo:Log ENTRY=1 FIELD ID=8 LABEL=Message
