# The Debian 13 chroot with Wine 10, whose own speech runtime drives the engine.
# Sourced by the scripts that test under it; they set `tag` (their name in
# messages) first. The chroot is built once (as root, about 80 s and 3.6 GB) and
# kept in $VL_WINE10_CACHE (default /var/cache/velnor-wine10).
#
#   wine10_prepare            skips (exit 77) without root or Debian 13 packages;
#                             builds the chroot when missing
#   wine10_run WORK < SCRIPT  runs SCRIPT with bash inside the chroot, with
#                             WORK (a folder under /root) exported, and the Wine
#                             variables of a fresh 32-bit prefix WORK/prefix
cache=${VL_WINE10_CACHE:-/var/cache/velnor-wine10}
root=$cache/root

. "$(dirname "${BASH_SOURCE[0]}")/debian-source.sh"

skip() { echo "$tag: SKIPPED: $*"; exit 77; }

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

build_chroot() {
  command -v debootstrap >/dev/null || apt-get install -y -q debootstrap >/dev/null || skip "no debootstrap"
  local uri
  uri=$(debian_uri)
  [ -n "$uri" ] || skip "no Debian package source is configured on this machine (none in /etc/apt/sources.list or /etc/apt/sources.list.d/*.sources)"
  echo "$tag: building the Debian 13 chroot in $root from $uri"
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

wine10_prepare() {
  [ "$(id -u)" -eq 0 ] || skip "the chroot needs root"
  trap unmount_all EXIT
  [ -f "$cache/complete" ] || build_chroot
}

wine10_run() {
  local work=$1 status=0
  mount_all
  { printf '%s\n' 'export WINEDEBUG=-all WINEPREFIX=$WORK/prefix WINEARCH=win32 XDG_RUNTIME_DIR=/tmp/xdg' \
      'export WINEDLLOVERRIDES="mscoree,mshtml="' 'mkdir -p "$XDG_RUNTIME_DIR" "$WINEPREFIX"'; cat; } |
    chroot "$root" env -i HOME=/root PATH=/usr/bin:/bin WORK="$work" bash -s || status=$?
  unmount_all
  return "$status"
}

# The script's last word: passed, or FAILED and exit status 1.
wine10_verdict() {
  if [ "$1" -eq 0 ]; then
    echo "$tag: passed"
  else
    echo "$tag: FAILED (status $1)"
    exit 1
  fi
}
