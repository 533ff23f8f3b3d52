#!/usr/bin/env bash
# Regenerates libs/xlat/code_page_tables.inc from Windows' own converters, run under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
exe=$(mktemp --suffix=.exe)
trap 'rm -f "$exe"' EXIT
i686-w64-mingw32-g++-posix -O2 -static -o "$exe" libs/xlat/tools/dump_code_pages.cpp
cmake/wine-run.sh "$exe" | tr -d '\r' > libs/xlat/code_page_tables.inc
