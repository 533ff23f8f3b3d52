#!/usr/bin/env bash
# The engine under a real speech runtime: Wine 10's own SAPI in a Debian 13
# chroot. Registers vlsapi.dll, writes the eight voice tokens and runs
# sapiclient, which speaks through ISpVoice with each voice.
#
# Usage: scripts/wine10-sapi-test.sh [BIN_DIR]   (default build/win32/bin)
# The chroot: scripts/wine10-chroot.sh.
# Exit status: 0 passed, 1 failed, 77 skipped (no root, or no Debian 13 packages).
set -euo pipefail
cd "$(dirname "$0")/.."
bin=$(realpath "${1:-build/win32/bin}")
tag=wine10-sapi-test
. scripts/wine10-chroot.sh

for file in vlsapi.dll velnor.dll velnor.voice sapiclient.exe; do
  [ -f "$bin/$file" ] || { echo "$tag: $bin/$file is missing (build the win32 preset)"; exit 1; }
done
wine10_prepare

# A fresh 32-bit prefix per run; the programs beside each other in it.
work=/root/velnor
rm -rf "${root:?}$work"
mkdir -p "$root$work/bin"
cp "$bin/vlsapi.dll" "$bin/velnor.dll" "$bin/velnor.voice" "$bin/sapiclient.exe" "$root$work/bin/"
status=0
wine10_run "$work" <<'INNER' || status=$?
set -eu
wineserver -p
wineboot -i >/dev/null 2>&1
cd "$WORK/bin"
wine regsvr32 /s vlsapi.dll
tokens='HKLM\SOFTWARE\Microsoft\Speech\Voices\Tokens'
for voice in Velnor_Male1_Russian Velnor_Female1_Russian Velnor_Male2_Russian Velnor_Female2_Russian \
             Velnor_Male1_Ukrainian Velnor_Female1_Ukrainian Velnor_Male2_Ukrainian Velnor_Female2_Ukrainian; do
  language=419; gender=Male
  case $voice in *_Ukrainian) language=422 ;; esac
  case $voice in *Female*) gender=Female ;; esac
  key="$tokens\\$voice"
  wine reg add "$key" /ve /d "$voice" /f >/dev/null
  wine reg add "$key" /v CLSID /d '{3C1A7E52-9B0D-4F68-A2E4-7D15C08B9F31}' /f >/dev/null
  wine reg add "$key\\Attributes" /v Language /d $language /f >/dev/null
  wine reg add "$key\\Attributes" /v Name /d "$voice" /f >/dev/null
  wine reg add "$key\\Attributes" /v Gender /d $gender /f >/dev/null
  wine reg add "$key\\Attributes" /v Age /d Adult /f >/dev/null
  wine reg add "$key\\Attributes" /v Vendor /d "Velnor SAPI" /f >/dev/null
done
status=0
wine sapiclient.exe || status=$?
wineserver -k || true
exit $status
INNER
wine10_verdict "$status"
