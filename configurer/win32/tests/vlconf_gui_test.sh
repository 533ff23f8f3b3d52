#!/usr/bin/env bash
# UI test of vlconf.exe: the harness (a Windows program) drives it in Wine's
# virtual desktop on an Xvfb display and asks for screenshots, which this
# script takes with ImageMagick. Usage: vlconf_gui_test.sh BIN_DIR SHOT_DIR
#
# The GUI runs in its own prefix ($VL_WINEPREFIX-gui), so the virtual-desktop
# setting touches no other test. vlconf reads the application-data folder from
# the system; the harness prepares VelnorSAPI\ there, inside this prefix.
set -eu
bin=$(cd "$1" && pwd)
shots=$2
: "${VL_WINEPREFIX:=${TMPDIR:-/tmp}/velnor-wineprefix-$(id -u)}"
export WINEPREFIX="$VL_WINEPREFIX-gui" WINEDEBUG=-all WINEARCH=win32 WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$shots" "$(dirname "$WINEPREFIX")"
shots=$(cd "$shots" && pwd)
rm -f "$shots"/*.png "$shots"/*.request

(
  flock 9
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x800 /f >/dev/null 2>&1
    wineserver -w
  fi
) 9>"$WINEPREFIX.lock"

windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# The desktop must be created on this run's display.
wineserver -k 2>/dev/null || true
exec 9>"$WINEPREFIX.lock"
flock 9
status=0
SHOTS="$shots" xvfb-run -a -s '-screen 0 1280x800x24' bash -c '
  # Screenshot requests: the harness creates NAME.request and waits for it to go.
  (
    while true; do
      for request in "$SHOTS"/*.request; do
        [ -e "$request" ] || continue
        import -window root "${request%.request}.png" 2>/dev/null || true
        rm -f "$request"
      done
      sleep 0.1
    done
  ) &
  watcher=$!
  wine "$0" "$1" "$2"
  status=$?
  kill $watcher 2>/dev/null
  wineserver -k 2>/dev/null
  exit $status
' "$bin/vlconf_gui_harness.exe" "$(windows_path "$bin/vlconf.exe")" "$(windows_path "$shots")" || status=$?
exit $status
