#!/usr/bin/env bash
# Installs what is needed, builds every preset and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh

run_preset() {
  local preset=$1
  echo "== $preset ($(date +%T))"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
}

run_preset native
# The recorded voice the native tests speak with (the win32 build makes its own).
./scripts/build-voice.sh build/voice/velnor.voice
ctest --preset native

run_preset asan
ctest --preset asan

run_preset tsan
ctest --preset tsan

run_preset fuzz
./scripts/run-fuzzers.sh build/fuzz

run_preset win32
export VL_WINEPREFIX=${VL_WINEPREFIX:-$PWD/build/win32/wineprefix}
trap 'WINEPREFIX=$VL_WINEPREFIX wineserver -k 2>/dev/null || true' EXIT
cmake/wine-run.sh cmd /c exit   # creates the prefix once and keeps Wine running
WINEPREFIX=$VL_WINEPREFIX wineserver -p || true   # persistent; fails harmlessly when already so
ctest --preset win32

# The engine and the installed package under a real speech runtime (Wine 10 in
# a Debian 13 chroot): only where the chroot can be made; the scripts say why
# when they skip.
wine10_step() {
  local title=$1 status=0
  shift
  echo "== $title ($(date +%T))"
  "$@" || status=$?
  if [ "$status" -eq 77 ]; then
    echo "The $title test was SKIPPED."
  elif [ "$status" -ne 0 ]; then
    exit 1
  fi
}
wine10_step "Wine 10 speech runtime" ./scripts/wine10-sapi-test.sh build/win32/bin
wine10_step "Wine 10 installer" ./scripts/wine10-installer-test.sh build/win32
wine10_step "Wine 10 64-bit clients" ./scripts/wine10-win64-test.sh build/win32

echo "All tests passed."
