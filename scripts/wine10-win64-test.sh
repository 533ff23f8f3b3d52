#!/usr/bin/env bash
# The voices for 64-bit clients under a real speech runtime: Wine 10's own
# 64-bit SAPI in a Debian 13 chroot (scripts/wine10-chroot.sh). In a fresh
# 64-bit prefix:
#  - the silent installation installs the 64-bit DLL and the host beside the
#    32-bit package, registers the class in both registry views and writes the
#    eight tokens in both, with the same attributes;
#  - a 64-bit and a 32-bit sapiclient each list the eight voices, speak with
#    each, follow rate and volume and stop at a purge within two blocks; the
#    64-bit client's audio is byte for byte the 32-bit client's;
#  - sapihost, 64-bit through the bridge and 32-bit in process, gets the same
#    events (bookmarks in order, with their offsets) and the same audio;
#  - bridge_check: a host of another version and one that sends an event the
#    engine never sends fail their calls clearly, and other voices speak on;
#    after its host is killed a voice, driven as a runtime
#    does, speaks through a new one; a settings reload reaches the host; with
#    a slow site, two skips in a row, an abort and "audio stopped" go as in
#    process, a volume change is heard within one block of when it is in
#    process and an hour's request leaves the memory as it was; a request of
#    21 million characters speaks; and the figures of both (printed);
#  - an upgrade while a host runs replaces it; a killed client leaves no host;
#  - a package whose 64-bit engine cannot be registered fails with status 2
#    and rolls back: over nothing it leaves nothing, over an installation it
#    leaves that installation's 64-bit files, registered, and speaking;
#  - the silent uninstallation leaves both registry views as they were.
#
# Usage: scripts/wine10-win64-test.sh [BUILD_DIR]   (default build/win32; its
# win64/ holds the 64-bit half)
# Exit status: 0 passed, 1 failed, 77 skipped (no root, or no Debian 13 packages).
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build/win32}")
tag=wine10-win64-test
. scripts/wine10-chroot.sh

setup=$(ls "$build"/VelnorSAPI-*-setup.exe 2>/dev/null | head -1)
unregistrable64="$build/installer/VelnorSAPI-unregistrable64-setup.exe"
for file in "$setup" "$unregistrable64" "$build"/installer/package-files{,-x64}.txt "$build"/{,win64/}bin/{sapiclient,sapihost,bridge_check}.exe; do
  [ -f "$file" ] || { echo "$tag: $file is missing (build the win32 preset)"; exit 1; }
done
wine10_prepare

work=/root/velnor-win64
rm -rf "${root:?}$work"
mkdir -p "$root$work/c32" "$root$work/c64"
cp "$setup" "$root$work/setup.exe"
cp "$unregistrable64" "$root$work/unregistrable64.exe"
cp "$build"/bin/{sapiclient,sapihost,bridge_check}.exe "$root$work/c32/"
cp "$build"/win64/bin/{sapiclient,sapihost,bridge_check}.exe "$root$work/c64/"
cat "$build"/installer/package-files{,-x64}.txt | cut -f1 > "$root$work/files.txt"
cp "$build/win64/bin/vlsapi64.dll" "$root$work/vlsapi64.dll"
# A copy of the DLL whose host is bridge_check, playing a faulty host.
mkdir -p "$root$work/fake"
cp "$build/win64/bin/vlsapi64.dll" "$root$work/fake/"
cp "$build/win64/bin/bridge_check.exe" "$root$work/fake/vlsapihost.exe"
status=0
wine10_run "$work" <<'INNER' || status=$?
set -u
export WINEARCH=win64
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
wineboot -i >/dev/null 2>&1
wineserver -w
wineserver -p10   # not for ever: a run cut short must not leave a server behind

program_dir="$WINEPREFIX/drive_c/Program Files (x86)/Velnor SAPI"
class_key='HKLM\Software\Classes\CLSID\{3C1A7E52-9B0D-4F68-A2E4-7D15C08B9F31}'
tokens='HKLM\SOFTWARE\Microsoft\Speech\Voices\Tokens'
token="$tokens\\Velnor_Male1_Russian"

# A registry key of one view (32 or 64) as UTF-8 text, nothing when missing.
export_key() {
  wine reg export "$1" 'C:\export.reg' /y "/reg:$2" >/dev/null 2>&1 || return 0
  iconv -f UTF-16 -t UTF-8 "$WINEPREFIX/drive_c/export.reg" | tr -d '\r' | grep -v '^Windows Registry Editor'
  rm -f "$WINEPREFIX/drive_c/export.reg"
}
# Both views of HKLM\Software (the 64-bit view holds the 32-bit one under Wow6432Node).
snapshot() { export_key 'HKLM\Software' 64; find "$WINEPREFIX/drive_c/Program Files (x86)" | sort; }
hosts() { (cd "$WORK/c64" && wine bridge_check.exe hosts | tr -d '\r'); }

snapshot > "$WORK/before.txt"
# A failed 64-bit registration over nothing leaves nothing.
wine "$WORK/unregistrable64.exe" /S
status=$?
[ "$status" -eq 2 ] || fail "failed 64-bit registration: exit status $status, not 2"
snapshot > "$WORK/rolled-back.txt"
diff "$WORK/before.txt" "$WORK/rolled-back.txt" || fail "the failed installation left the differences above"

wine "$WORK/setup.exe" /S || fail "silent installation: exit status $?"
for file in $(cat "$WORK/files.txt"); do [ -s "$program_dir/$file" ] || fail "$file was not installed"; done
export_key "$class_key" 64 | grep -qxF '@="C:\\Program Files (x86)\\Velnor SAPI\\vlsapi64.dll"' ||
  fail "the class is not registered in the 64-bit view"
export_key "$class_key" 32 | grep -qxF '@="C:\\Program Files (x86)\\Velnor SAPI\\vlsapi.dll"' ||
  fail "the class is not registered in the 32-bit view"
export_key "$tokens" 64 | sed 's/\\WOW6432Node//I' | grep -i velnor > "$WORK/tokens64.txt"
export_key "$tokens" 32 | sed 's/\\WOW6432Node//I' | grep -i velnor > "$WORK/tokens32.txt"
[ "$(grep -c '^\[.*\\Attributes\]$' "$WORK/tokens64.txt")" -eq 8 ] || fail "not eight tokens in the 64-bit view"
diff "$WORK/tokens32.txt" "$WORK/tokens64.txt" >/dev/null || fail "the two views' tokens differ"

for bits in 64 32; do
  (cd "$WORK/c$bits" && wine sapiclient.exe) > "$WORK/client$bits.txt" 2>&1 || fail "$bits-bit sapiclient failed"
  tr -d '\r' < "$WORK/client$bits.txt" | sed "s/^/    $bits-bit: /"
done
wavs=0
for wav in "$WORK"/c32/*.wav; do
  wavs=$((wavs + 1))
  cmp -s "$wav" "$WORK/c64/$(basename "$wav")" || fail "$(basename "$wav"): the 64-bit client heard other audio"
done
[ "$wavs" -eq 13 ] || fail "$wavs WAV files from the 32-bit client"

# Markup and bookmarks: the same events and audio through the bridge.
for bits in 64 32; do
  (cd "$WORK/c$bits" && wine sapihost.exe --token "$token" --out markup.wav "bookmark:12" "speak,rate=-3:Привет" \
    "bookmark:abc" "spell,volume=80:ЯБ" "silence:200" "bookmark:-7" "speak:мир" | tr -d '\r') \
    > "$WORK/markup$bits.txt" || fail "$bits-bit sapihost failed"
done
grep -c '^event bookmark' "$WORK/markup64.txt" | grep -qx 3 || fail "bookmarks through the bridge: $(cat "$WORK/markup64.txt")"
diff "$WORK/markup32.txt" "$WORK/markup64.txt" || fail "events through the bridge differ (above)"
cmp -s "$WORK/c32/markup.wav" "$WORK/c64/markup.wav" || fail "markup audio through the bridge differs"

for check in host-death reload fake-host; do
  extra=()
  [ "$check" = fake-host ] && extra=("Z:${WORK//\//\\}\\fake\\vlsapi64.dll")
  (cd "$WORK/c64" && wine bridge_check.exe $check "$token" "${extra[@]}") > "$WORK/$check.txt" 2>&1 || fail "$check"
  tr -d '\r' < "$WORK/$check.txt" | sed "s/^/    $check: /"
done
for bits in 64 32; do
  (cd "$WORK/c$bits" && wine bridge_check.exe parity "$token") > "$WORK/parity$bits.txt" 2>&1 ||
    fail "$bits-bit parity: $(cat "$WORK/parity$bits.txt")"
  tr -d '\r' < "$WORK/parity$bits.txt" | grep -v '^ok' | sed 's/^/    /'
done
diff <(grep '^parity' "$WORK/parity32.txt") <(grep '^parity' "$WORK/parity64.txt") ||
  fail "the bridge differs from the engine in process (above)"
volume_delay() { tr -d '\r' < "$WORK/parity$1.txt" | sed -n 's/.*last sound ended \([0-9]*\) bytes.*/\1/p'; }
# The DLL rescales the blocks the host made before it heard of the change.
[ "$(volume_delay 64)" -le "$(( $(volume_delay 32) + 4096 ))" ] ||
  fail "a volume change is heard $(volume_delay 64) bytes late through the bridge, $(volume_delay 32) in process"
for bits in 64 32; do
  (cd "$WORK/c$bits" && wine bridge_check.exe figures "$token") > "$WORK/figures$bits.txt" 2>&1 ||
    fail "$bits-bit figures: $(grep -v '^ok' "$WORK/figures$bits.txt")"
  tr -d '\r' < "$WORK/figures$bits.txt" | grep -v '^ok' | sed 's/^/    /'
done

# A client that holds a host: an upgrade replaces the running host, and
# killing the client leaves no host behind.
(cd "$WORK/c64" && exec wine bridge_check.exe hold "$token" >/dev/null 2>&1) &
for i in $(seq 50); do [ "$(hosts)" = 1 ] && break; sleep 0.2; done
[ "$(hosts)" = 1 ] || fail "no host started for the held voice"
wine "$WORK/setup.exe" /S || fail "upgrade while a host runs: exit status $?"
for file in $(cat "$WORK/files.txt"); do [ -s "$program_dir/$file" ] || fail "$file missing after the upgrade"; done
wine taskkill /f /im bridge_check.exe >/dev/null 2>&1 || fail "the client could not be killed"
wait
for i in $(seq 10); do [ "$(hosts)" = 0 ] && break; sleep 0.2; done
[ "$(hosts)" = 0 ] || fail "a host outlived its killed client"

# A failed upgrade leaves the installation's 64-bit files, registered and speaking.
wine "$WORK/unregistrable64.exe" /S
status=$?
[ "$status" -eq 2 ] || fail "failed 64-bit upgrade: exit status $status, not 2"
for file in $(cat "$WORK/files.txt"); do [ -s "$program_dir/$file" ] || fail "$file missing after the failed upgrade"; done
cmp -s "$program_dir/vlsapi64.dll" "$WORK/vlsapi64.dll" || fail "the failed upgrade left another vlsapi64.dll"
export_key "$class_key" 64 | grep -qxF '@="C:\\Program Files (x86)\\Velnor SAPI\\vlsapi64.dll"' ||
  fail "the class is not registered in the 64-bit view after the failed upgrade"
rm -f "$WORK/c64/rolled-back.wav"
(cd "$WORK/c64" && wine sapihost.exe --token "$token" --out rolled-back.wav "speak:мир" >/dev/null 2>&1)
[ "$(stat -c %s "$WORK/c64/rolled-back.wav" 2>/dev/null || echo 0)" -gt 2044 ] ||
  fail "no 64-bit speech after the failed upgrade"

wine "C:\\Program Files (x86)\\Velnor SAPI\\uninstall.exe" /S || fail "silent uninstallation: exit status $?"
wineserver -w
# The host that ran during the upgrade was moved aside for deletion at the
# next restart, which would also take its folder.
rm -f "$program_dir"/*.tmp
rmdir "$program_dir" 2>/dev/null || true
snapshot > "$WORK/after.txt"
diff "$WORK/before.txt" "$WORK/after.txt" || fail "the uninstallation left the differences above"
wineserver -k 2>/dev/null
exit "$failures"
INNER
wine10_verdict "$status"
