#!/usr/bin/env bash
# The reload protocol between two processes.
# Usage: reload_protocol_test.sh RELOAD_PROBE VLRELOAD [EMULATOR]
set -u
probe=$1 vlreload=$2 emulator=${3:-}

run() { if [ -n "$emulator" ]; then "$emulator" "$@"; else "$@"; fi; }
now_ms() { date +%s%3N; }
fail() { echo "FAIL: $*"; exit 1; }

folder=$(mktemp -d)
name="VelnorProtocolTest$$"
probe_folder=$folder
slack=0
if [ -n "$emulator" ]; then
  probe_folder="Z:$folder"  # the Unix root as a Windows drive
  slack=2000                # starting a program under the emulator
fi
probe_pid=
cleanup() {
  touch "$folder/stop"
  [ -n "$probe_pid" ] && wait "$probe_pid" 2>/dev/null
  rm -rf "$folder"
}
trap cleanup EXIT

out=$(run "$vlreload" --help) || fail "vlreload --help exited with $?"
[[ $out == usage:* ]] || fail "vlreload --help gave [$out]"

# No engine: the signaller returns after its 250 ms wait.
start=$(now_ms)
run "$vlreload" --name "$name" || fail "vlreload exited with $?"
elapsed=$(( $(now_ms) - start ))
echo "vlreload without an engine: ${elapsed} ms"
[ "$elapsed" -ge 250 ] || fail "vlreload returned before its 250 ms wait"
[ "$elapsed" -lt $(( 1000 + slack )) ] || fail "vlreload without an engine took ${elapsed} ms"

# An engine process polling every 50 ms; its reload takes 300 ms.
run "$probe" "$probe_folder" "$name" 50 &
probe_pid=$!
for _ in $(seq 300); do [ -f "$folder/ready" ] && break; sleep 0.1; done
[ -f "$folder/ready" ] || fail "the engine process did not start"
sleep 0.2
[ -f "$folder/reloaded" ] && fail "the engine reloaded without a signal"

sed -i 's/^sample_rate = 10000/sample_rate = 22050/' "$folder/prefs.ini"
start=$(now_ms)
run "$vlreload" --name "$name" || fail "vlreload exited with $?"
elapsed=$(( $(now_ms) - start ))
echo "vlreload with an engine: ${elapsed} ms"
[ -f "$folder/reloaded" ] || fail "vlreload returned before the engine finished its reload"
[ "$(cat "$folder/reloaded")" = 11025 ] || fail "the engine read sample_rate $(cat "$folder/reloaded")"
grep -q '^sample_rate = 11025' "$folder/prefs.ini" || fail "prefs.ini was not written back clamped"
[ "$elapsed" -lt $(( 1000 + slack )) ] || fail "the reload took ${elapsed} ms"

# The engine stops cleanly at once.
touch "$folder/stop"
for _ in $(seq 100); do kill -0 "$probe_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$probe_pid" 2>/dev/null && fail "the engine process did not stop"
wait "$probe_pid"
status=$?
probe_pid=
[ "$status" -eq 0 ] || fail "the engine process exited with $status"
echo "PASS"
