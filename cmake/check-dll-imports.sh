#!/usr/bin/env bash
# Checks what a DLL imports and exports, from objdump's view of its headers.
# Usage: check-dll-imports.sh OBJDUMP DLL [--format FORMAT] [--allow "A.dll ..."]
#                             [--by-ordinal X.dll] [--exports "F G ..."]
#   --format      objdump's file format of the DLL (pei-x86-64 for a 64-bit one)
#   --allow       every DLL it may import; any other fails (compared in lower case)
#   --by-ordinal  a DLL it must import, and by ordinal only
#   --exports     all its exports, in the order of its name table
set -u
objdump=$1 dll=$2
shift 2
format='' allowed='' by_ordinal='' exports_wanted=''
while [ $# -gt 0 ]; do
  case $1 in
    --format) format=$2 ;;
    --allow) allowed=$2 ;;
    --by-ordinal) by_ordinal=$2 ;;
    --exports) exports_wanted=$2 ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
  esac
  shift 2
done
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

headers=$("$objdump" -p "$dll") || exit 1
[ -z "$format" ] || echo "$headers" | grep -q "file format $format" || fail "not of file format $format"
for name in $(echo "$headers" | sed -n 's/^\tDLL Name: //p'); do
  case " ${allowed,,} " in
    *" ${name,,} "*) ;;
    *) fail "imports $name" ;;
  esac
done
if [ -n "$by_ordinal" ]; then
  imports=$(echo "$headers" | sed -n "/DLL Name: $by_ordinal/,/^\$/p" | tail -n +3 | sed '/^$/d')
  [ -n "$imports" ] || fail "no imports from $by_ordinal"
  echo "$imports" | grep -v '<none>$' | grep -q . && fail "$by_ordinal imported by name: $imports"
fi
if [ -n "$exports_wanted" ]; then
  exports=$(echo "$headers" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | sed -n 's/^\t\[ *[0-9]*\] //p' |
            tr '\n' ' ')
  [ "$exports" = "$exports_wanted " ] || fail "exports: $exports"
fi

[ "$failures" -eq 0 ] && echo "$(basename "$dll") imports and exports: all checks passed"
exit "$failures"
