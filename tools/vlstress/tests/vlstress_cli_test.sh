#!/usr/bin/env bash
# Black-box tests of vlstress. Arguments: the command that runs vlstress (an
# emulator and the program, or the program alone).
set -u
# shellcheck source=../../common/cli_test.sh
source "$(dirname "$0")/../../common/cli_test.sh"

run() { "${tool[@]}" "$@"; }
expect() {  # expected output, then the arguments
    local expected=$1 out
    shift
    out=$(run "$@" 2>&1) || fail "$* exited with $?"
    [ "$out" = "$expected" ] || fail "$* gave [$out], expected [$expected]"
}

printf 'мама ма+ма\n' > list.txt
expect "1 words added" --db d.dat --import list.txt
expect "ма+ма мыла раму" --db d.dat "Мама мыла раму"
expect "1" --db d.dat --count
out=$(printf 'Мама\nмыла раму\n' | run --db d.dat)
[ "$out" = "$(printf 'ма+ма\nмыла раму')" ] || fail "standard input gave [$out]"
expect "$(printf '1 ма+ма\n6 мыла\n11 раму\nма+ма мыла раму')" --db d.dat --words "Мама мыла раму"
expect "ма+ма, Hello!" --db d.dat --code-page 65001 "Ма+ма, Hello!"
expect "ма+ма мыла раму" --db d.dat --code-page 65001 "Мама мыла раму"
expect "ма+ма" --db d.dat --code-page 866 "Мама"
# On a terminal (under Wine, a Windows console of code page 437 or 866) the text reads as written.
if command -v script >/dev/null; then
  LANG=C.UTF-8 script -qec "$(printf '%q ' "${tool[@]}") --db d.dat 'Мама мыла раму'" /dev/null > tty.txt
  grep -q "ма+ма мыла раму" tty.txt || fail "on a terminal the text came out as [$(head -c 200 tty.txt)]"
fi
# What the dictionary's code page cannot hold, and NUL bytes, come out as they were.
printf 'café Müller straße ½ ♥ 😀 Мама\0мама\n' > mixed.txt
printf 'café Müller straße ½ ♥ 😀 ма+ма\0ма+ма\n' > mixed_stressed.txt
for code_page in 65001 1251; do
  run --db d.dat --code-page $code_page < mixed.txt > mixed_out.txt || fail "mixed text in $code_page exited with $?"
  cmp -s mixed_out.txt mixed_stressed.txt || fail "mixed text in $code_page gave [$(od -c mixed_out.txt | head -3)]"
done

# Two and three marks, replacement texts, hyphenated words; the count stays true.
printf 'абвгде а+бв+где\r\nабвгдеж а+бв+гд+еж\n\nох oh\nкое-что ко+е-что\nвдали вдали+ \n' > more.txt
expect "5 words added" --db d.dat --import more.txt
expect "6" --db d.dat --count
expect "а+бв+где а+бв+гд+еж oh ко+ечто вдали+" --db d.dat "Абвгде АБВГДЕЖ ох кое-что вдали"

# Malformed lines refuse the whole list with their numbers.
printf 'папа па+па\nодно\nдва слова лишние\nя я\n' > bad.txt
out=$(run --db d.dat --import bad.txt 2>&1) && fail "a malformed list was accepted"
[ "$(echo "$out" | wc -l)" = 1 ] || fail "malformed list: more than one line [$out]"
echo "$out" | grep -q "2, 3, 4" || fail "malformed list: line numbers missing in [$out]"
expect "6" --db d.dat --count

# Another dictionary in the same file.
printf 'мама +мама\n' > other.txt
expect "1 words added" --db d.dat --dictionary abcd --import other.txt
expect "+мама" --db d.dat --dictionary abcd "мама"
expect "ма+ма" --db d.dat "мама"

# Festival's format: the first of two stresses counts; unstressed words are left out.
cat > festival.scm <<'FEST'
MNCL
("а" cc (0))
("фронт" n (2))
("замок" n (2))
("замок" n (1))
("кое-где" adv (1))
("алена" name (2) fix_yo)
FEST
expect "3 words added, 2 without a usable stress left out" --db f.dat --import-festival festival.scm
expect "3" --db f.dat --count
expect "замо+к ко+егде але+на а" --db f.dat "Замок кое-где Алена а"
printf '("слово" n (2))\n("слово n (1))\n' > badfest.scm
run --db f.dat --import-festival badfest.scm 2>/dev/null && fail "a malformed Festival line was accepted"

# A database path of 300 bytes is refused whole: no word is imported anywhere,
# neither into that file nor into one under a shortened name.
long_folder=$(printf 'd%.0s' $(seq 100))
long_db=$long_folder/$(printf 'f%.0s' $(seq 195)).dat
mkdir -p "$long_folder"
run --db "$long_db" --import list.txt >/dev/null 2>&1 && fail "a 300-byte database path was accepted"
[ -z "$(ls -A "$long_folder")" ] || fail "a 300-byte database path made files: $(ls "$long_folder")"

# A path of 260 bytes is too long, and said so.
out=$(run --db "$long_folder/$(printf 'f%.0s' $(seq 155)).dat" "мама" 2>&1) && fail "a 260-byte database path was accepted"
echo "$out" | grep -q "path too long" || fail "a 260-byte database path said [$out]"

# A database that cannot be opened.
out=$(run --db no/such/folder/d.dat "мама" 2>&1) && fail "a missing database was accepted"
[ "$(echo "$out" | wc -l)" = 1 ] || fail "missing database: more than one line [$out]"
run --db d.dat --code-page 2>/dev/null; [ $? = 2 ] || fail "a missing value is no usage error"

# First use: the usage, and a missing dictionary said plainly and never made.
out=$(run --help) || fail "--help exited with $?"
echo "$out" | grep -q "^usage: vlstress" || fail "--help gave [$out]"
for command in "мама" "--count"; do
  # shellcheck disable=SC2086
  out=$(run --db missing.dat $command 2>&1) && fail "[$command] on a missing database succeeded"
  echo "$out" | grep -q "missing.dat.*build-festival-dict.sh" || fail "[$command] on a missing database said [$out]"
  [ -e missing.dat ] && fail "[$command] made a database file"
  if [ ${#tool[@]} -eq 1 ]; then  # the default database under a fresh application-data folder
    # shellcheck disable=SC2086
    out=$(XDG_CONFIG_HOME=$work/config run $command 2>&1) && fail "[$command] without a dictionary succeeded"
    echo "$out" | grep -q "$work/config/VelnorSAPI/dict.dat.*build-festival-dict.sh" ||
      fail "[$command] without a dictionary said [$out]"
    [ -e "$work/config" ] && fail "[$command] made $(find "$work/config")"
  fi
done

# A long text: one read transaction at a time, yet another process imports
# while the lookups run; no progress line when standard error is not a terminal.
for i in $(seq 100000); do echo "Мама мыла раму, а кое-где абвгде и ох."; done > long.txt
run --db d.dat < long.txt > long_out.txt 2>err.txt &
stressing=$! imports=0
printf 'раму ра+му\n' > late.txt
while sleep 0.2 && kill -0 "$stressing" 2>/dev/null; do
  run --db d.dat --import late.txt >/dev/null || fail "an import while stressing failed"
  imports=$((imports + 1))
done
wait "$stressing" || fail "stressing a long text failed: $(cat err.txt)"
[ "$imports" -gt 0 ] || fail "the long text was stressed before any import could start"
[ -s err.txt ] && fail "printed on standard error that is not a terminal: $(head -c 200 err.txt)"
[ "$(grep -cv "^ма+ма мыла ра+\?му, а коегде а+бв+где и oh.$" long_out.txt)" = 0 ] ||
  fail "a long text gave $(grep -v "^ма+ма мыла ра+\?му, а коегде а+бв+где и oh.$" long_out.txt | head -n1)"
expect "ма+ма мыла ра+му" --db d.dat "Мама мыла раму"

# A writer waits seconds for another program's read, then says the dictionary is
# in use and changes nothing. The reader is the database library's test program,
# which holds a read transaction until it is released.
if [ -n "${VL_DATABASE_READER:-}" ]; then
  printf 'мыла мы+ла\n' > held.txt
  VL_READER_DATABASE=d.dat VL_READER_TABLE=lexicon "${tool[@]:0:${#tool[@]}-1}" "$VL_DATABASE_READER" \
    --gtest_filter=ReaderProcess.HoldsAReadTransaction >/dev/null 2>&1 &
  reader=$!
  while [ ! -e d.dat.reader-ready ] && kill -0 "$reader" 2>/dev/null; do sleep 0.1; done
  [ -e d.dat.reader-ready ] || fail "the reader did not start"
  out=$(run --db d.dat --import held.txt 2>&1) && fail "an import past another program's read succeeded"
  echo "$out" | grep -q "in use by another program" || fail "an import past another program's read said [$out]"
  touch d.dat.reader-release
  wait "$reader"
  expect "ма+ма мыла ра+му" --db d.dat "Мама мыла раму"
fi

[ $failures = 0 ] && echo "all vlstress tests passed"
exit $((failures > 0))
