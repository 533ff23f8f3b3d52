#!/usr/bin/env bash
# Builds vlsay for Linux and speaks a text into a WAV file with the recorded
# voice, which is built on first use (build/voice/velnor.voice) and again
# whenever vlvoice has changed since (a new voice format among others).
# Usage: scripts/speak.sh TEXT [FILE.wav]
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh --native
cmake --preset native >/dev/null
cmake --build --preset native --target vlsay vlvoice
[ build/voice/velnor.voice -nt build/native/tools/vlvoice/vlvoice ] || ./scripts/build-voice.sh build/voice/velnor.voice
out=${2:-hello.wav}
case "$out" in /*) ;; *) out="$OLDPWD/$out" ;; esac
VELNOR_VOICE=${VELNOR_VOICE:-$PWD/build/voice/velnor.voice} build/native/tools/vlsay/vlsay --out "$out" "${1:?give the text to speak}"
echo "wrote $out"
