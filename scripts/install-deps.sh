#!/usr/bin/env bash
# Installs every Debian 12 package the build and the tests need. Safe to run again.
set -euo pipefail

# With --native only what the Linux build of the tools needs.
packages=(build-essential cmake ninja-build pkg-config git ca-certificates googletest libgtest-dev)
if [ "${1:-}" != "--native" ]; then
  packages+=(
    libbenchmark-dev clang libclang-rt-14-dev
    g++-mingw-w64-i686 g++-mingw-w64-x86-64-posix wine wine32:i386 xvfb xauth
    unicode-data tcl libsqlite3-dev imagemagick
    debootstrap nsis
    espeak-ng sox python3-numpy bc
  )
fi

. "$(dirname "$0")/debian-source.sh"

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

# SQLite's amalgamation is generated from Debian's source package (scripts/fetch-sqlite.sh),
# which needs a deb-src entry beside the machine's own Debian source.
src_list=/etc/apt/sources.list.d/velnor-debian-src.sources
if [ "${1:-}" != "--native" ] && [ ! -f "$src_list" ] && ! grep -rqs '^Types:.*deb-src\|^deb-src ' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  uri=$(debian_uri)
  if [ -z "$uri" ]; then
    echo "install-deps: no Debian package source is configured on this machine (none in /etc/apt/sources.list" \
      "or /etc/apt/sources.list.d/*.sources); configure one and run this again" >&2
    exit 1
  fi
  suite=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
  printf 'Types: deb-src\nURIs: %s\nSuites: %s\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
    "$uri" "$suite" | as_root tee "$src_list" >/dev/null
  as_root apt-get update -q
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "${1:-}" != "--native" ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  as_root dpkg --add-architecture i386
fi
as_root apt-get update -q
as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
