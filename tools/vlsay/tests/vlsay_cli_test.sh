#!/usr/bin/env bash
# Black-box tests of vlsay. Arguments: the command that runs vlsay (an emulator
# and the program, or the program alone).
set -u
# shellcheck source=../../common/cli_test.sh
source "$(dirname "$0")/../../common/cli_test.sh"

# (In the background the tool is started directly, so that $! is its own process.)
run() { "${tool[@]}" --appdata "$work/appdata" "$@"; }

# Root mean square of the 16-bit samples of a WAV file.
rms() { tail -c +45 "$1" | od -An -v -t d2 | awk '{for(i=1;i<=NF;i++){s+=$i*$i;n++}} END{printf "%d", n ? sqrt(s/n) : 0}'; }
size() { wc -c < "$1"; }

out=$(run --help) || fail "--help exited with $?"
[[ $out == usage:\ vlsay* ]] || fail "--help gave [$out]"

out=$(run --prepare "(тест)" | od -An -c | tr -s ' ')
expected=$(printf ' тест \n' | od -An -c | tr -s ' ')
[ "$out" = "$expected" ] || fail "--prepare (тест) gave [$out]"

out=$(printf 'ма+ма' | run --prepare)
[ "$out" = "ма+ма" ] || fail "text from standard input gave [$out]"

# --phones: the voice's phone names, pau between phrases, a line per sentence.
out=$(run --out phones.wav --phones "Привет, мир! Как дела?") || fail "--phones exited with $?"
[ -e phones.wav ] && fail "--phones wrote a WAV file"
[ "$(wc -l <<<"$out")" -eq 2 ] || fail "--phones gave not two lines for two sentences: [$out]"
[[ $(head -n 1 <<<"$out") == *" pau "* ]] || fail "--phones gave no pause at the comma: [$out]"
phone_names=" pau ii yy uu ee oo aa a e i y u ae ay ur p pp b bb t tt d dd k kk g gg c ch f ff v vv s ss z zz sh sch zh h hh m mm n nn l ll r rr j "
for phone in $out; do [[ $phone_names == *" $phone "* ]] || fail "--phones gave [$phone], not a phone name"; done
out=$(run --phones "ма+ма")
[ "$out" = "m aa m a" ] || fail "--phones ма+ма gave [$out]"

run --out hello.wav "Привет, мир!" || fail "speaking failed"
header=$(head -c 44 hello.wav | od -An -v -t u4 | tr -s ' \n' '  ')
[ "$(head -c 4 hello.wav)" = "RIFF" ] || fail "no RIFF header"
# sample rate 10000, byte rate 20000, block align 2 and 16 bits
echo "$header" | grep -q " 10000 20000 1048578 " || fail "format is not 10000 Hz 16-bit mono: $header"
[ "$(rms hello.wav)" -gt 300 ] || fail "speech is silent"

run --rate -10 --out slow.wav "Съешь же ещё этих мягких французских булок" || fail "slow"
run --rate 10 --out fast.wav "Съешь же ещё этих мягких французских булок" || fail "fast"
[ "$(size fast.wav)" -lt "$(( $(size slow.wav) / 2 ))" ] || fail "rate 10 is not much shorter than rate -10"

run --volume 20 --out quiet.wav "Привет, мир!" || fail "quiet"
run --volume 100 --out loud.wav "Привет, мир!" || fail "loud"
[ "$(rms quiet.wav)" -lt "$(( $(rms loud.wav) / 2 ))" ] || fail "volume 20 is not quieter than 100"

run --voice Velnor_Female1_Ukrainian --out uk.wav "Добрий день" || fail "Ukrainian voice"

# The voice's files: prefs.ini created, the tables and the user dictionary read.
prefs="$work/appdata/VelnorSAPI/prefs.ini"
[ -f "$prefs" ] || fail "no prefs.ini created"
sed -i 's/use_dictionary = 2/use_dictionary = 1/' "$prefs"
out=$(run --prepare "ФСБ")
[ "$out" = " эф  эс  бэ " ] || fail "ФСБ gave [$out]"
out=$(run --voice Velnor_Male2_Ukrainian --prepare "Їжак")
[ "$out" = "ййижак" ] || fail "Їжак gave [$out]"
sed -i 's/use_dictionary = 1/use_dictionary = 2/' "$prefs"
printf 'ракетоплан ракетопла+н\r\n' > "$work/appdata/VelnorSAPI/dicts/Russian/dict.dic"
out=$(run --prepare "Ракетоплан взлетел")
[ "$out" = " ракетопла+н взлетел" ] || fail "user dictionary gave [$out]"
sed -i 's/sample_rate = 10000/sample_rate = 22050/' "$prefs"
run --out fast_rate.wav "да" || fail "speaking at 22050"
rate=$(od -An -t u4 -j 24 -N 4 fast_rate.wav | tr -d ' ')
[ "$rate" = 11025 ] || fail "sample_rate 22050 gave a WAV at $rate"
grep -q "sample_rate = 11025" "$prefs" || fail "the clamped sample rate was not written back"

for bad in "--rate 11 x" "--volume -1 x" "--voice velnor_male1_russian x" "--frobnicate x" "x --rate"; do
  rm -f bad.wav
  # shellcheck disable=SC2086
  run --out bad.wav $bad 2>err.txt >/dev/null
  status=$?
  [ "$status" -eq 2 ] || fail "[$bad] exit status $status, not 2"
  [ "$(wc -l < err.txt)" -eq 1 ] || fail "[$bad] error is not one line: $(cat err.txt)"
  [ -e bad.wav ] && fail "[$bad] wrote an output file"
done

printf '\xff\xfe' | run --out bad.wav 2>err.txt
[ $? -eq 2 ] || fail "invalid UTF-8 input accepted"
[ -e bad.wav ] && fail "invalid UTF-8 input wrote an output file"
mkdir input_folder
run --out bad.wav < input_folder 2>err.txt
[ $? -eq 2 ] || fail "unreadable standard input (a folder) was taken for a text"
[ -e bad.wav ] && fail "unreadable standard input wrote an output file"

# A long text (about two hours of speech) streams into the file: the header's
# sizes match the file, memory stays flat, and standard output carries the same
# samples. The memory is read from /proc, so only where the tool runs natively;
# under a sanitizer (VL_SANITIZED) the tool is many times slower and its memory
# is the sanitizer's, so the text is a tenth as long and its memory not bounded.
u32() { od -An -t u4 -j "$2" -N 4 "$1" | tr -d ' '; }
line="Съешь же ещё этих мягких французских булок, да выпей чаю. Сорок два года спустя."
lines=1500 least=$((2 * 3600 * 20000))
[ -n "${VL_SANITIZED:-}" ] && lines=150 least=$((10 * 60 * 20000))
for i in $(seq "$lines"); do echo "$line $i."; [ $((i % 10)) = 0 ] && echo; done > long.txt
if [ ${#tool[@]} -eq 1 ] && [ -d /proc/self ]; then
  "${tool[@]}" --appdata "$work/appdata" --out long.wav < long.txt 2>err.txt &
  pid=$! peak=0
  while kill -0 "$pid" 2>/dev/null; do
    kb=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status" 2>/dev/null)
    [ -n "$kb" ] && [ "$kb" -gt "$peak" ] && peak=$kb
    sleep 0.2
  done
  wait "$pid" || fail "the long text failed: $(cat err.txt)"
  [ -n "${VL_SANITIZED:-}" ] || [ "$peak" -lt 65536 ] || fail "the long text took $peak kB of memory"
else
  run --out long.wav < long.txt 2>err.txt || fail "the long text failed: $(cat err.txt)"
fi
[ -s err.txt ] && fail "printed on standard error that is not a terminal: $(head -c 200 err.txt)"
[ "$(size long.wav)" -gt "$least" ] || fail "the long text gave less than it should: $(size long.wav)"
[ "$(u32 long.wav 4)" = $(( $(size long.wav) - 8 )) ] || fail "RIFF size $(u32 long.wav 4) for a file of $(size long.wav)"
[ "$(u32 long.wav 40)" = $(( $(size long.wav) - 44 )) ] || fail "data size $(u32 long.wav 40) for a file of $(size long.wav)"
run --out - "Привет, мир!" | cat > piped.wav
cmp -s <(tail -c +45 piped.wav) <(tail -c +45 hello.wav) || fail "--out - gave other samples than a file"
[ "$(u32 piped.wav 40)" = 4294967259 ] || fail "--out - data size $(u32 piped.wav 40), not the largest"
ls ./*.tmp* >/dev/null 2>&1 && fail "temporary files left: $(ls ./*.tmp*)"

# A failed write: one line, non-zero, and no file that looks complete (none at all).
run --out no/such/folder/x.wav "да" 2>err.txt && fail "a missing folder was accepted"
[ "$(wc -l < err.txt)" -eq 1 ] || fail "missing folder: not one line: $(cat err.txt)"
(ulimit -f 2000; trap '' XFSZ; run --out full.wav < long.txt 2>err.txt)
[ $? -ne 0 ] || fail "a full disk was reported as success"
[ "$(wc -l < err.txt)" -eq 1 ] || fail "full disk: not one line: $(cat err.txt)"
ls full.wav* >/dev/null 2>&1 && fail "a full disk left $(ls full.wav*)"
# Targets refused before any speech, and left as they were: a folder, a read-only file.
mkdir folder.wav
printf 'kept' > read_only.wav
chmod a-w read_only.wav
for target in folder.wav read_only.wav; do
  run --out "$target" < long.txt 2>err.txt && fail "--out $target was accepted"
  [ "$(wc -l < err.txt)" -eq 1 ] || fail "--out $target: not one line: $(cat err.txt)"
done
[ -z "$(ls -A folder.wav)" ] || fail "--out folder.wav wrote into the folder"
[ "$(cat read_only.wav)" = kept ] || fail "--out read_only.wav replaced the read-only file"
ls ./*.tmp* >/dev/null 2>&1 && fail "refused targets left temporary files: $(ls ./*.tmp*)"
# A pipe (or a device) is written as a stream, never replaced. (A named pipe of
# this folder, so that a tool that replaces its target harms nothing else.)
if [ ${#tool[@]} -eq 1 ] && mkfifo audio.fifo; then
  cat audio.fifo > from_fifo.wav &
  reader=$!
  run --out audio.fifo "да" || fail "--out audio.fifo failed"
  if [ -p audio.fifo ]; then
    exec 3<>audio.fifo 3>&-  # the reader ends even when nothing opened the pipe
  else
    fail "--out audio.fifo replaced the pipe"
    kill "$reader"
  fi
  wait "$reader"
  [ "$(head -c 4 from_fifo.wav)" = RIFF ] || fail "--out audio.fifo wrote no WAV into the pipe"
fi
if [ -w /dev/full ]; then
  run --out - "да" > /dev/full 2>err.txt && fail "a full standard output was reported as success"
  grep -q "standard output" err.txt || fail "full standard output: $(cat err.txt)"
fi

# Ctrl+C, termination and a closed terminal: non-zero, one line, no file; a
# progress line only on a terminal.
if [ ${#tool[@]} -eq 1 ]; then
  for signal in INT TERM HUP; do
    "${tool[@]}" --appdata "$work/appdata" --out stopped.wav < long.txt 2>err.txt &
    pid=$!
    # The signal goes once the tool has begun its file (its handlers are set by
    # then), not after a fixed while, which a fast run outlasts and a slow one
    # does not reach.
    for i in $(seq 6000); do
      ls stopped.wav* >/dev/null 2>&1 || ! kill -0 "$pid" 2>/dev/null && break
      sleep 0.01
    done
    kill -s "$signal" "$pid"
    wait "$pid" && fail "SIG$signal: exit status 0"
    grep -q "interrupted" err.txt || fail "SIG$signal: $(cat err.txt)"
    ls stopped.wav* >/dev/null 2>&1 && fail "SIG$signal left $(ls stopped.wav*)"
  done
  if command -v script >/dev/null; then
    # The line shows once the work has run for a second; a reader that waits two
    # seconds before it takes the audio holds the tool back for that long on any
    # machine. It then takes a minute of audio and goes, which ends the tool.
    slow_reader="{ sleep 2; head -c 1200000 > /dev/null; }"
    script -qec "${tool[0]} --appdata '$work/appdata' --out - < long.txt | $slow_reader" /dev/null > tty.txt
    grep -q "% done, 0:0[0-9] elapsed, .* left" tty.txt || fail "no progress line on a terminal: $(head -c 300 tty.txt)"
    script -qec "${tool[0]} --appdata '$work/appdata' --quiet --out - < long.txt | $slow_reader" /dev/null > tty.txt
    grep -q "% done" tty.txt && fail "a progress line despite --quiet"
  fi
fi

[ "$failures" -eq 0 ] && echo "vlsay: all checks passed"
exit "$failures"
