#!/usr/bin/env bash
# Builds vlsay for Linux and speaks a text into a WAV file.
# Usage: scripts/speak.sh TEXT [FILE.wav]
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh --native
cmake --preset native >/dev/null
cmake --build --preset native --target vlsay
out=${2:-hello.wav}
case "$out" in /*) ;; *) out="$OLDPWD/$out" ;; esac
build/native/tools/vlsay/vlsay --out "$out" "${1:?give the text to speak}"
echo "wrote $out"
