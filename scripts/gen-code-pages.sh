#!/usr/bin/env bash
# Regenerates platform/posix/code_page_tables.inc from Windows' own converters, run under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
exe=$(mktemp --suffix=.exe)
trap 'rm -f "$exe"' EXIT
i686-w64-mingw32-g++-posix -O2 -static -o "$exe" platform/win32/dump_code_pages.cpp
cmake/wine-run.sh "$exe" | tr -d '\r' > platform/posix/code_page_tables.inc
