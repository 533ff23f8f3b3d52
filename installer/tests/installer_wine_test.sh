#!/usr/bin/env bash
# The installer in the shared Wine test prefix: a silent installation puts the
# files in place, registers the engine's class and writes the eight voice
# tokens and the uninstall entry; a second installation over it (an upgrade)
# keeps the user's settings; the silent uninstallation leaves the registry
# and the program folder as they were. A package whose engine cannot be
# registered fails with status 2 and rolls back: over nothing it leaves
# nothing, over an installation it leaves that installation working. The
# speech runtime itself is tested by scripts/wine10-installer-test.sh.
# The shipped Russian stress dictionary is found through the package's registry
# key with no set-up, and a dictionary of the user's is never replaced.
# Arguments: the Wine launcher, the setup program, the package's file list
# (installed name, tab, built file; one a line), the unregistrable package,
# the build's vlstress. The build's vlsapi.dll is registered again at the end,
# as the other tests of the prefix expect.
set -u
wine_run=$1
setup=$2
package_files=$3
unregistrable_setup=$4
vlstress=$5
build_vlsapi_file=$(sed -n 's/^vlsapi\.dll\t//p' "$package_files")
build_vlsapi="Z:${build_vlsapi_file//\//\\}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

class_key='HKLM\Software\Classes\CLSID\{3C1A7E52-9B0D-4F68-A2E4-7D15C08B9F31}'
speech_key='HKLM\Software\Microsoft\Speech'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\VelnorSAPI'
dict_key='HKLM\Software\Velnor SAPI\vldict'
shipped_dict='C:\\Program Files\\Velnor SAPI\\dict.dat'  # as reg export writes it
voices=(Velnor_Male1_Russian Velnor_Female1_Russian Velnor_Male2_Russian Velnor_Female2_Russian
        Velnor_Male1_Ukrainian Velnor_Female1_Ukrainian Velnor_Male2_Ukrainian Velnor_Female2_Ukrainian)

"$wine_run" cmd /c exit   # the prefix exists from here on
prefix=${VL_WINEPREFIX:-${TMPDIR:-/tmp}/velnor-wineprefix-$(id -u)}
program_dir="$prefix/drive_c/Program Files/Velnor SAPI"
appdata_dir="$prefix/drive_c/users/$(id -un)/AppData/Roaming/VelnorSAPI"
[ -d "$prefix/drive_c/users/$(id -un)/AppData/Roaming" ] || appdata_dir="$prefix/drive_c/users/$(id -un)/Application Data/VelnorSAPI"

# A registry key as text (UTF-8, no carriage returns), or nothing when it is missing.
export_key() {
  rm -f "$work/export.reg"
  "$wine_run" reg export "$1" "Z:${work//\//\\}\\export.reg" /y >/dev/null 2>&1 || return 0
  iconv -f UTF-16 -t UTF-8 "$work/export.reg" | tr -d '\r'
}
value() { export_key "$1" | sed -n "s/^$2=\"\\(.*\\)\"\$/\\1/p" | head -1; }
snapshot() {
  { export_key "$class_key"; export_key "$speech_key"; export_key "$uninstall_key"; } | grep -v '^Windows Registry Editor'
  find "$prefix/drive_c/Program Files" -path '*Velnor*' | sort
}

# A clean start: the other tests of the prefix register the class and write tokens.
"$wine_run" regsvr32 /s /u "$build_vlsapi"
for voice in "${voices[@]}"; do "$wine_run" reg delete "$speech_key\\Voices\\Tokens\\$voice" /f >/dev/null 2>&1; done
snapshot > "$work/before.txt"

"$wine_run" reg delete 'HKLM\Software\Velnor SAPI' /f >/dev/null 2>&1
[ -e "$appdata_dir/dict.dat" ] && mv "$appdata_dir/dict.dat" "$work/dict.saved"

# Settings that an earlier installation's user made; no installation touches them.
mkdir -p "$appdata_dir"
[ -f "$appdata_dir/prefs.ini" ] && cp "$appdata_dir/prefs.ini" "$work/prefs.saved"
printf '\xef\xbb\xbf[General]\r\nsample_rate = 11025\r\n' > "$appdata_dir/prefs.ini"
cp "$appdata_dir/prefs.ini" "$work/prefs.ini"

check_installed() {
  local round=$1 name source voice key
  while IFS=$'\t' read -r name source; do
    cmp -s "$program_dir/$name" "$source" || fail "$round: $name is not the build's"
  done < "$package_files"
  [ -s "$program_dir/uninstall.exe" ] || fail "$round: no uninstaller"
  # regsvr32 exits 4 for a DLL that loads, with everything it imports, but is no COM server.
  "$wine_run" regsvr32 /s "C:\\Program Files\\Velnor SAPI\\vldict.dll"
  [ $? -eq 4 ] || fail "$round: the installed vldict.dll does not load"
  (cd "$program_dir" && find . -type f | sed 's|^\./||' | grep -vxF uninstall.exe | sort) > "$work/installed.txt"
  cut -f1 "$package_files" | sort | diff - "$work/installed.txt" >/dev/null || fail "$round: other files installed"
  [ "$(value "$class_key\\InProcServer32" @)" = 'C:\\Program Files\\Velnor SAPI\\vlsapi.dll' ] ||
    fail "$round: class not registered to the installed DLL [$(value "$class_key\\InProcServer32" @)]"
  [ "$(value "$class_key\\InProcServer32" '"ThreadingModel"')" = Both ] || fail "$round: threading model"
  for voice in "${voices[@]}"; do
    key="$speech_key\\Voices\\Tokens\\$voice"
    local language=419 gender=Male
    [[ $voice == *_Ukrainian ]] && language=422
    [[ $voice == *Female* ]] && gender=Female
    export_key "$key" > "$work/token.txt"
    for line in "@=\"$voice\"" '"CLSID"="{3C1A7E52-9B0D-4F68-A2E4-7D15C08B9F31}"' "\"Language\"=\"$language\"" \
                "\"Name\"=\"$voice\"" "\"Gender\"=\"$gender\"" '"Age"="Adult"' '"Vendor"="Velnor SAPI"'; do
      grep -qxF "$line" "$work/token.txt" || fail "$round: token $voice lacks $line"
    done
  done
  [ "$(value "$uninstall_key" '"DisplayName"')" = "Velnor SAPI" ] || fail "$round: no uninstall entry"
  [ -n "$(value "$uninstall_key" '"DisplayVersion"')" ] || fail "$round: the uninstall entry has no version"
  cmp -s "$appdata_dir/prefs.ini" "$work/prefs.ini" || fail "$round: the user's prefs.ini changed"
}

# A failed registration over nothing leaves nothing.
"$wine_run" "$unregistrable_setup" /S
status=$?
[ "$status" -eq 2 ] || fail "failed installation: exit status $status, not 2"
snapshot > "$work/rolled-back.txt"
diff "$work/before.txt" "$work/rolled-back.txt" > "$work/diff.txt" ||
  fail "the failed installation left changes: $(cat "$work/diff.txt")"

"$wine_run" "$setup" /S || fail "silent installation: exit status $?"
check_installed install
[ "$(value "$dict_key" '"db"')" = "$shipped_dict" ] || fail "the registry names no shipped dictionary"
out=$("$wine_run" "$vlstress" --code-page 65001 "Мама мыла раму" 2>&1 | tr -d '\r')
[ "$out" = "ма+ма мы+ла раму" ] || fail "right after installation, stressing gave [$out]"
# The user's own dictionary in the data folder: an upgrade leaves it (and the registry) alone.
printf 'the user'"'"'s own' > "$appdata_dir/dict.dat"
"$wine_run" "$setup" /S || fail "silent upgrade: exit status $?"
check_installed upgrade
[ "$(cat "$appdata_dir/dict.dat")" = "the user's own" ] || fail "the upgrade replaced the user's dict.dat"
[ "$(value "$dict_key" '"db"')" = "$shipped_dict" ] || fail "the upgrade changed the registry value"
# A failed upgrade leaves the installation as it was.
"$wine_run" "$unregistrable_setup" /S
status=$?
[ "$status" -eq 2 ] || fail "failed upgrade: exit status $status, not 2"
check_installed "failed upgrade"

# The uninstaller copies itself away and returns at once: wait for it to finish.
"$wine_run" "C:\\Program Files\\Velnor SAPI\\uninstall.exe" /S || fail "silent uninstallation: exit status $?"
for _ in $(seq 100); do
  [ -e "$program_dir" ] || [ -n "$(export_key "$uninstall_key")" ] || break
  sleep 0.2
done
snapshot > "$work/after.txt"
diff "$work/before.txt" "$work/after.txt" > "$work/diff.txt" || fail "the uninstallation left changes: $(cat "$work/diff.txt")"
cmp -s "$appdata_dir/prefs.ini" "$work/prefs.ini" || fail "the uninstallation changed the user's prefs.ini"
[ "$(cat "$appdata_dir/dict.dat")" = "the user's own" ] || fail "the uninstallation took the user's dict.dat"
[ -z "$(export_key 'HKLM\Software\Velnor SAPI')" ] || fail "the uninstallation left $(export_key 'HKLM\Software\Velnor SAPI')"

# A "db" value naming the user's own dictionary: installing and uninstalling keep it.
rm -f "$appdata_dir/dict.dat"
"$wine_run" reg add "$dict_key" /v db /d 'C:\mine\dict.dat' /f >/dev/null
"$wine_run" "$setup" /S || fail "installation beside the user's db value: exit status $?"
[ "$(value "$dict_key" '"db"')" = 'C:\\mine\\dict.dat' ] || fail "the installation replaced the user's db value"
"$wine_run" "C:\\Program Files\\Velnor SAPI\\uninstall.exe" /S
for _ in $(seq 100); do
  [ -e "$program_dir" ] || [ -n "$(export_key "$uninstall_key")" ] || break
  sleep 0.2
done
[ "$(value "$dict_key" '"db"')" = 'C:\\mine\\dict.dat' ] || fail "the uninstallation removed the user's db value"
"$wine_run" reg delete 'HKLM\Software\Velnor SAPI' /f >/dev/null 2>&1
[ -f "$work/dict.saved" ] && mv "$work/dict.saved" "$appdata_dir/dict.dat"

# The prefix as the other tests expect it.
if [ -f "$work/prefs.saved" ]; then cp "$work/prefs.saved" "$appdata_dir/prefs.ini"; else rm -f "$appdata_dir/prefs.ini"; fi
"$wine_run" regsvr32 /s "$build_vlsapi" || fail "the build's vlsapi.dll could not be registered again"

[ "$failures" -eq 0 ] && echo "installer: all checks passed"
exit "$failures"
