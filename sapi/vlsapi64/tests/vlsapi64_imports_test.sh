#!/usr/bin/env bash
# vlsapi64.dll is a 64-bit DLL that needs no DLL but Windows' own and exports
# just the four COM server functions. Arguments: objdump, the DLL.
set -u
headers=$("$1" -p "$2") || exit 1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

echo "$headers" | grep -q 'file format pei-x86-64' || fail "not a 64-bit DLL"
for name in $(echo "$headers" | sed -n 's/^\tDLL Name: //p'); do
  case ${name,,} in
    advapi32.dll | kernel32.dll | msvcrt.dll | ole32.dll | user32.dll) ;;
    *) fail "imports $name" ;;
  esac
done
exports=$(echo "$headers" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | sed -n 's/^\t\[ *[0-9]*\] //p' | tr '\n' ' ')
[ "$exports" = "DllCanUnloadNow DllGetClassObject DllRegisterServer DllUnregisterServer " ] || fail "exports: $exports"

[ "$failures" -eq 0 ] && echo "vlsapi64.dll imports and exports: all checks passed"
exit "$failures"
