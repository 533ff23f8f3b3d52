#!/usr/bin/env bash
# Generates SQLite's amalgamation (sqlite3.c, sqlite3.h) into the folder given, from
# Debian's source package. Does nothing when the folder already holds both files.
# Needs the deb-src entry that scripts/install-deps.sh adds, and tclsh.
set -euo pipefail
out=$(realpath -m "${1:?usage: fetch-sqlite.sh OUTPUT_DIR}")
[ -f "$out/sqlite3.c" ] && [ -f "$out/sqlite3.h" ] && exit 0

mkdir -p "$out"
work=$(mktemp -d "$out/work.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"
apt-get source --download-only -q sqlite3 >/dev/null
tar xf sqlite3_*.orig.tar.*
src=$(find . -maxdepth 1 -type d -name 'sqlite3-*' | head -n1)
mkdir bld && cd bld
# The generators run on the build machine: use its own compiler even in a cross build.
CC=cc CFLAGS=-O1 "../$src/configure" --disable-tcl >/dev/null
make -s sqlite3.c >/dev/null
cp sqlite3.c sqlite3.h "$work/"
mv "$work/sqlite3.h" "$out/sqlite3.h"
mv "$work/sqlite3.c" "$out/sqlite3.c"
