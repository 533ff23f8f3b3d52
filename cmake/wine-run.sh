#!/usr/bin/env bash
# Runs a Windows program under Wine in the build tree's own 32-bit prefix.
# The prefix is created on first use; concurrent callers wait for it.
set -eu
: "${VL_WINEPREFIX:=${TMPDIR:-/tmp}/velnor-wineprefix-$(id -u)}"
export WINEPREFIX="$VL_WINEPREFIX" WINEDEBUG=-all WINEARCH=win32 WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$(dirname "$WINEPREFIX")"
(
  flock 9
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1
    wineserver -w
  fi
) 9>"$WINEPREFIX.lock"
exec wine "$@"
