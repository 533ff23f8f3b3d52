#!/usr/bin/env bash
# The engine under a real speech runtime: Wine 10's own SAPI in a Debian 13
# chroot. Registers vlsapi.dll, writes the eight voice tokens and runs
# sapiclient, which speaks through ISpVoice with each voice.
#
# Usage: scripts/wine10-sapi-test.sh [BIN_DIR]   (default build/win32/bin)
# The chroot is built once (as root, about 80 s and 3.6 GB) and kept in
# $VL_WINE10_CACHE (default /var/cache/velnor-wine10).
# Exit status: 0 passed, 1 failed, 77 skipped (no root, or no Debian 13 packages).
set -euo pipefail
cd "$(dirname "$0")/.."
bin=$(realpath "${1:-build/win32/bin}")
cache=${VL_WINE10_CACHE:-/var/cache/velnor-wine10}
root=$cache/root

skip() { echo "wine10-sapi-test: SKIPPED: $*"; exit 77; }

for file in vlsapi.dll velnor.dll sapiclient.exe; do
  [ -f "$bin/$file" ] || { echo "wine10-sapi-test: $bin/$file is missing (build the win32 preset)"; exit 1; }
done
[ "$(id -u)" -eq 0 ] || skip "the chroot needs root"

# The URI of the machine's configured Debian source.
debian_uri() {
  grep -hs -A3 '^Types: deb$' /etc/apt/sources.list.d/*.sources | sed -n 's/^URIs: *\([^ ]*debian\)\/*$/\1/p' | head -1
}

build_chroot() {
  command -v debootstrap >/dev/null || apt-get install -y -q debootstrap >/dev/null || skip "no debootstrap"
  local uri
  uri=$(debian_uri)
  [ -n "$uri" ] || uri=http://deb.debian.org/debian
  echo "wine10-sapi-test: building the Debian 13 chroot in $root from $uri"
  rm -rf "$root"
  mkdir -p "$cache"
  debootstrap --variant=minbase --arch=amd64 trixie "$root" "$uri" >"$cache/debootstrap.log" 2>&1 ||
    { rm -rf "$root"; skip "debootstrap of Debian 13 failed (see $cache/debootstrap.log)"; }
  mount_all
  if ! chroot "$root" bash -c 'dpkg --add-architecture i386 && apt-get update -q &&
        DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends wine wine32:i386 wine64' \
        >"$cache/wine.log" 2>&1; then
    unmount_all
    rm -rf "$root"
    skip "Wine 10 could not be installed in the chroot (see $cache/wine.log)"
  fi
  unmount_all
  touch "$cache/complete"
}

mounted=()
mount_all() {
  local target
  mount -t proc proc "$root/proc" && mounted+=("$root/proc")
  for target in dev dev/pts; do
    mount --bind "/$target" "$root/$target" && mounted+=("$root/$target")
  done
}
unmount_all() {
  local i
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount "${mounted[$i]}" || umount -l "${mounted[$i]}"; done
  mounted=()
}
trap unmount_all EXIT

[ -f "$cache/complete" ] || build_chroot

# A fresh 32-bit prefix per run; the programs beside each other in it.
work=/root/velnor
rm -rf "${root:?}$work"
mkdir -p "$root$work/bin"
cp "$bin/vlsapi.dll" "$bin/velnor.dll" "$bin/sapiclient.exe" "$root$work/bin/"
mount_all
status=0
chroot "$root" env -i HOME=/root PATH=/usr/bin:/bin WORK=$work bash -s <<'INNER' || status=$?
set -eu
export WINEDEBUG=-all WINEPREFIX=$WORK/prefix WINEARCH=win32 XDG_RUNTIME_DIR=/tmp/xdg WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$XDG_RUNTIME_DIR"
mkdir -p "$WINEPREFIX"
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
  wine reg add "$key\\Attributes" /v Vendor /d Velnor /f >/dev/null
done
status=0
wine sapiclient.exe || status=$?
wineserver -k || true
exit $status
INNER
unmount_all
if [ "$status" -eq 0 ]; then
  echo "wine10-sapi-test: passed"
else
  echo "wine10-sapi-test: FAILED (status $status)"
  exit 1
fi
