#!/usr/bin/env bash
# Builds the voice file of the velnor library from the recordings of Debian's
# festvox-ru (fetched once through scripts/fetch-festvox.sh), with the native
# tool vlvoice, and keeps the recordings' licence notice beside it as
# OUTPUT.copyright.
# Usage: scripts/build-voice.sh [--leave-out FILE] [--tool VLVOICE] OUTPUT
#   --leave-out FILE  utterances (e.g. ru_0013, one a line) whose audio stays out
#   --tool VLVOICE    the vlvoice to use; by default build/native's, built first
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
leave_out=() tool= out=
while [ $# -gt 0 ]; do
  case "$1" in
    --leave-out) leave_out=(--leave-out "$(realpath "${2:?--leave-out needs a file}")"); shift 2 ;;
    --tool) tool=${2:?--tool needs a path}; shift 2 ;;
    -*) echo "unknown option $1" >&2; exit 2 ;;
    *) out=$1; shift ;;
  esac
done
[ -n "$out" ] || { echo "usage: build-voice.sh [--leave-out FILE] [--tool VLVOICE] OUTPUT" >&2; exit 2; }

if [ -z "$tool" ]; then
  (cd "$root" && cmake --preset native >/dev/null && cmake --build --preset native --target vlvoice >/dev/null)
  tool=$root/build/native/tools/vlvoice/vlvoice
fi
{ read -r dict; read -r notice; read -r folder; } < <("$root/scripts/fetch-festvox.sh" --voice)
mkdir -p "$(dirname "$out")"
"$tool" --voice-dir "$folder" --lexicon "$dict" "${leave_out[@]}" "$out"
cp "$notice" "$out.copyright"
