#!/usr/bin/env bash
# UI test of vlconf.exe: the harness (a Windows program) drives it in Wine's
# virtual desktop on an Xvfb display and asks for screenshots, which this
# script takes with ImageMagick. Usage: vlconf_gui_test.sh BIN_DIR SHOT_DIR
#
# The GUI runs in its own prefix ($VL_WINEPREFIX-gui), so the virtual-desktop
# setting touches no other test. vlconf reads the application-data folder from
# the system; the harness prepares VelnorSAPI\ there, inside this prefix.
# Then the window is started at 96, 144 and 192 dots per inch on a larger
# screen (window_*dpi.png).
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

# The screen's scale and the virtual desktop's size; read by the next start of Wine.
set_display() {
  wineserver -k 2>/dev/null || true
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$2" /f >/dev/null 2>&1
  wineserver -w
}

# Runs the harness with its arguments on a new Xvfb display of that size.
run_on_display() {
  local size=$1
  shift
  wineserver -k 2>/dev/null || true   # the desktop must be created on this run's display
  SHOTS="$shots" xvfb-run -a -s "-screen 0 ${size}x24" bash -c '
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
    wine "$@"
    status=$?
    kill $watcher 2>/dev/null
    wineserver -k 2>/dev/null
    exit $status
  ' harness "$@"
}

exec 9>"$WINEPREFIX.lock"
flock 9
status=0
harness=$bin/vlconf_gui_harness.exe
program=$(windows_path "$bin/vlconf.exe")
set_display 96 1280x800
run_on_display 1280x800 "$harness" "$program" "$(windows_path "$shots")" || status=$?
# The window at 100 %, 150 % and 200 % on a 1920 × 1080 screen.
for dpi in 96 144 192; do
  set_display "$dpi" 1920x1080
  run_on_display 1920x1080 "$harness" "$program" "$(windows_path "$shots")" --fit "${dpi}dpi" || status=$?
done
set_display 96 1280x800
exit $status
