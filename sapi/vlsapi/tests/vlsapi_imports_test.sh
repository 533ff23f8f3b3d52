#!/usr/bin/env bash
# vlsapi.dll needs no DLL but Windows' own and velnor.dll, imports velnor.dll by
# ordinal only and exports just the four COM server functions.
# Arguments: objdump, the DLL.
set -u
objdump=$1
dll=$2
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

headers=$("$objdump" -p "$dll") || exit 1
for name in $(echo "$headers" | sed -n 's/^\tDLL Name: //p'); do
  case ${name,,} in
    advapi32.dll | kernel32.dll | msvcrt.dll | ole32.dll | shell32.dll | user32.dll | velnor.dll) ;;
    *) fail "imports $name" ;;
  esac
done
velnor=$(echo "$headers" | sed -n '/DLL Name: velnor.dll/,/^$/p' | tail -n +3 | sed '/^$/d')
[ -n "$velnor" ] || fail "no imports from velnor.dll"
echo "$velnor" | grep -v '<none>$' | grep -q . && fail "velnor.dll imported by name: $velnor"
exports=$(echo "$headers" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | sed -n 's/^\t\[ *[0-9]*\] //p' | tr '\n' ' ')
[ "$exports" = "DllCanUnloadNow DllGetClassObject DllRegisterServer DllUnregisterServer " ] ||
  fail "exports: $exports"

[ "$failures" -eq 0 ] && echo "vlsapi.dll imports and exports: all checks passed"
exit "$failures"
