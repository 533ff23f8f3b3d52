# Sourced by the scripts that need the machine's own Debian package source.

# The URI of the configured Debian archive (from either format of apt's source
# lists); empty when there is none. Always succeeds, so that a caller under
# `set -e -o pipefail` sees the empty answer instead of stopping.
debian_uri() {
  {
    grep -hs -A3 '^Types:.* deb\( \|$\)' /etc/apt/sources.list.d/*.sources |
      sed -n 's/^URIs: *\([^ ]*debian\)\/*$/\1/p' || true
    grep -hs '^deb ' /etc/apt/sources.list | awk '$2 ~ /debian\/?$/ {sub(/\/$/, "", $2); print $2}' || true
  } | head -n 1
}
