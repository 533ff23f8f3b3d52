#!/usr/bin/env bash
# Makes the package's Russian stress dictionary and its third-party notices:
# festvox-ru's word list (fetched once through the machine's package source by
# scripts/fetch-festvox.sh) imported by the build's vlstress, with its
# counts stored so that a read-only copy answers them; the notices are
# installer/third-party-notices.txt followed by the word list's licence.
# Usage: make-shipped-dict.sh DICT.dat NOTICES.txt PATH_PREFIX VLSTRESS...
#   PATH_PREFIX goes before the paths vlstress is given (Z: under Wine, else "");
#   VLSTRESS... is the command that runs vlstress (an emulator and the program).
set -euo pipefail

dict_out=$1 notices_out=$2 prefix=$3
shift 3
root=$(cd "$(dirname "$0")/.." && pwd)

if ! { read -r words && read -r notice; } < <("$root/scripts/fetch-festvox.sh"); then
  echo "the package ships festvox-ru's word list, which could not be had (see above)" >&2
  exit 1
fi
made="$dict_out.tmp"
rm -f "$made"
"$@" --db "$prefix$made" --import-festival "$prefix$words" >/dev/null
"$@" --db "$prefix$made" --count >/dev/null
mv "$made" "$dict_out"
{ cat "$root/installer/third-party-notices.txt"; cat "$notice"; } > "$notices_out"
