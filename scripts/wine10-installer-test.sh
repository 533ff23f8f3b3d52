#!/usr/bin/env bash
# The Windows package under a real speech runtime: Wine 10's own SAPI in a
# Debian 13 chroot (scripts/wine10-chroot.sh). In a fresh prefix:
#  - the silent installation registers the class and writes the eight tokens;
#  - sapiclient lists the eight voices through ISpVoice and speaks with each
#    into a WAV that is not silent;
#  - the configurer, started as the interactive installation starts it, greets
#    the new user, writes its first-run files and closes cleanly
#    (vlconf_first_run.exe answers its windows);
#  - a second silent installation over the first keeps the user's settings and
#    still speaks;
#  - the silent uninstallation leaves the registry (all of HKLM\Software and
#    HKCU\Software) and the program files as they were before, and keeps the
#    user's application-data folder.
#
# Usage: scripts/wine10-installer-test.sh [BUILD_DIR]   (default build/win32)
# Exit status: 0 passed, 1 failed, 77 skipped (no root, or no Debian 13 packages).
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build/win32}")
tag=wine10-installer-test
. scripts/wine10-chroot.sh

setup=$(ls "$build"/VelnorSAPI-*-setup.exe 2>/dev/null | head -1)
[ -n "$setup" ] && [ -f "$build/installer/package-files.txt" ] &&
  [ -f "$build/bin/sapiclient.exe" ] && [ -f "$build/bin/vlconf_first_run.exe" ] ||
  { echo "$tag: the setup program, sapiclient.exe or vlconf_first_run.exe is missing in $build (build the win32 preset)"; exit 1; }
wine10_prepare

work=/root/velnor-installer
rm -rf "${root:?}$work"
mkdir -p "$root$work/client"
cp "$setup" "$root$work/setup.exe"
cp "$build/bin/sapiclient.exe" "$root$work/client/"
cp "$build/bin/vlconf_first_run.exe" "$root$work/client/"
cut -f1 "$build/installer/package-files.txt" > "$root$work/files.txt"
status=0
wine10_run "$work" <<'INNER' || status=$?
set -u
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
wineboot -i >/dev/null 2>&1
# Windows and message boxes without an X server: Wine's null graphics driver.
# Set before the first snapshot, so the comparison at the end is unaffected.
wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
wineserver -w

class_key='HKLM\Software\Classes\CLSID\{3C1A7E52-9B0D-4F68-A2E4-7D15C08B9F31}'
speech_key='HKLM\Software\Microsoft\Speech'
program_dir="$WINEPREFIX/drive_c/Program Files/Velnor SAPI"
appdata_dir="$WINEPREFIX/drive_c/users/root/AppData/Roaming/VelnorSAPI"
voices="Velnor_Male1_Russian Velnor_Female1_Russian Velnor_Male2_Russian Velnor_Female2_Russian
        Velnor_Male1_Ukrainian Velnor_Female1_Ukrainian Velnor_Male2_Ukrainian Velnor_Female2_Ukrainian"

# A registry key as UTF-8 text (reg query shows Cyrillic as "?"), nothing when missing.
export_key() {
  rm -f "$WORK/export.reg"
  wine reg export "$1" 'C:\export.reg' /y >/dev/null 2>&1 || return 0
  iconv -f UTF-16 -t UTF-8 "$WINEPREFIX/drive_c/export.reg" | tr -d '\r'
  rm -f "$WINEPREFIX/drive_c/export.reg"
}
snapshot() {
  { export_key 'HKLM\Software'; export_key 'HKCU\Software'; } | grep -v '^Windows Registry Editor'
  find "$WINEPREFIX/drive_c/Program Files" | sort
}
speak() {
  (cd "$WORK/client" && rm -f ./*.wav && wine sapiclient.exe) > "$WORK/client.txt" 2>&1 || fail "$1: sapiclient failed"
  tr -d '\r' < "$WORK/client.txt" | sed "s/^/    $1: /"
  for voice in $voices; do
    [ "$(stat -c %s "$WORK/client/$voice.wav" 2>/dev/null || echo 0)" -gt 20044 ] || fail "$1: no speech in $voice.wav"
  done
}

snapshot > "$WORK/before.txt"
wine "$WORK/setup.exe" /S || fail "silent installation: exit status $?"

for file in $(cat "$WORK/files.txt") uninstall.exe; do
  [ -s "$program_dir/$file" ] || fail "$file was not installed"
done
export_key "$class_key" > "$WORK/class.txt"
grep -qxF '@="C:\\Program Files\\Velnor SAPI\\vlsapi.dll"' "$WORK/class.txt" || fail "the class is not registered"
for voice in $voices; do
  language=419 gender=Male
  case $voice in *_Ukrainian) language=422 ;; esac
  case $voice in *Female*) gender=Female ;; esac
  export_key "$speech_key\\Voices\\Tokens\\$voice" > "$WORK/token.txt"
  for line in "@=\"$voice\"" '"CLSID"="{3C1A7E52-9B0D-4F68-A2E4-7D15C08B9F31}"' "\"Language\"=\"$language\"" \
              "\"Name\"=\"$voice\"" "\"Gender\"=\"$gender\"" '"Age"="Adult"' '"Vendor"="Velnor SAPI"'; do
    grep -qxF "$line" "$WORK/token.txt" || fail "token $voice lacks $line"
  done
done

# The configurer's first start, before anything else writes the user's
# settings: the interactive installation starts it from the program folder
# with "-runaftersetup". It must leave no program running behind.
[ -d "$appdata_dir" ] || fail "the installation did not make the user's data folder"
[ ! -e "$appdata_dir/prefs.ini" ] || fail "prefs.ini exists before the configurer's first start"
(cd "$program_dir" && wine "$WORK/client/vlconf_first_run.exe" 'C:\Program Files\Velnor SAPI\vlconf.exe') \
  > "$WORK/first_run.txt" 2>&1 || fail "the configurer's first start"
tr -d '\r' < "$WORK/first_run.txt" | sed 's/^/    first start: /'
[ -s "$appdata_dir/prefs.ini" ] && [ -s "$appdata_dir/ru_dict.dic" ] ||
  fail "the configurer's first-run files are not in $appdata_dir"
timeout 60 wineserver -w || { fail "a program still runs after the configurer closed"; wineserver -k; }

speak install
[ -s "$appdata_dir/prefs.ini" ] || fail "no prefs.ini after the first speech"

# An upgrade over the installation keeps what the user set.
echo "; a line of the user's" >> "$appdata_dir/prefs.ini"
cp "$appdata_dir/prefs.ini" "$WORK/prefs.ini"
wine "$WORK/setup.exe" /S || fail "silent upgrade: exit status $?"
cmp -s "$appdata_dir/prefs.ini" "$WORK/prefs.ini" || fail "the upgrade changed prefs.ini"
speak upgrade

# The uninstaller copies itself away and returns at once; the server ends
# when every program has.
wine "C:\\Program Files\\Velnor SAPI\\uninstall.exe" /S || fail "silent uninstallation: exit status $?"
wineserver -w
snapshot > "$WORK/after.txt"
diff "$WORK/before.txt" "$WORK/after.txt" || fail "the uninstallation left the differences above"
[ -s "$appdata_dir/prefs.ini" ] || fail "the uninstallation removed the user's prefs.ini"
wineserver -k 2>/dev/null
exit "$failures"
INNER
wine10_verdict "$status"
