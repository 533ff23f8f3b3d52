#!/usr/bin/env bash
# sapihost under Wine: vlsapi.dll registered with regsvr32 and created through
# its registration, set up from real registry voice tokens, speaking fragment
# lists into WAV files. Arguments: the Wine launcher and the folder of the programs.
set -u
wine_run=$1
bin=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cd "$bin" || exit 1
tokens='HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Speech\Voices\Tokens'
voices=(Velnor_Male1_Russian Velnor_Female1_Russian Velnor_Male2_Russian Velnor_Female2_Russian
        Velnor_Male1_Ukrainian Velnor_Female1_Ukrainian Velnor_Male2_Ukrainian Velnor_Female2_Ukrainian)

# Root mean square of the 16-bit samples of a WAV file.
rms() { tail -c +45 "$1" | od -An -v -t d2 | awk '{for(i=1;i<=NF;i++){s+=$i*$i;n++}} END{printf "%d", n ? sqrt(s/n) : 0}'; }
size() { wc -c < "$1"; }
host() { "$wine_run" sapihost.exe "$@" | tr -d '\r'; }
wav() { echo "Z:${work//\//\\}\\$1"; }

for program in sapihost.exe sapiclient.exe; do
  out=$("$wine_run" "$program" --help 2>&1) || fail "$program --help exited with $?"
  [[ $out == usage:* ]] || fail "$program --help gave [$out]"
done

"$wine_run" regsvr32 /s vlsapi.dll || fail "regsvr32 exit status $?"

{
  echo 'REGEDIT4'
  for voice in "${voices[@]}" Velnor_NoAttributes; do
    language=419
    [[ $voice == *_Ukrainian ]] && language=422
    echo
    echo "[$tokens\\$voice]"
    echo "@=\"$voice\""
    echo '"CLSID"="{3C1A7E52-9B0D-4F68-A2E4-7D15C08B9F31}"'
    [ "$voice" = Velnor_NoAttributes ] && continue
    echo "[$tokens\\$voice\\Attributes]"
    echo "\"Language\"=\"$language\""
    echo "\"Name\"=\"$voice\""
  done
} > "$work/tokens.reg"
"$wine_run" regedit /s "Z:${work//\//\\}\\tokens.reg" || fail "the tokens were not imported"

for voice in "${voices[@]}"; do
  text="speak:Съешь же ещё этих мягких французских булок, да выпей чаю."
  [[ $voice == *_Ukrainian ]] && text="speak:Добрий день! Як справи? Їжачок і ґанок."
  out=$(host --token "$tokens\\$voice" --out "$(wav "$voice.wav")" "$text") || fail "$voice: exit status $?"
  echo "$out" | grep -q '^format waveformatex tag=1 channels=1 rate=10000 bits=16 align=2 bytes_per_second=20000 extra=0$' ||
    fail "$voice: format line [$(echo "$out" | head -1)]"
  [ "$(rms "$work/$voice.wav")" -gt 300 ] || fail "$voice: silent"
done
cmp -s "$work/Velnor_Male1_Russian.wav" "$work/Velnor_Female1_Russian.wav" && fail "two voices gave the same audio"

# Bookmarks, spell-out, silence and prosody markup in one request. The client's
# text is the fragments' texts one after another: 12Приветabc ЯБ200мир.
out=$(host --token "$tokens\\Velnor_Male1_Russian" --out "$(wav markup.wav)" \
  "bookmark:12" "speak,rate=-3,pitch=10:Привет" "bookmark:abc" "spell,volume=80:ЯБ" "silence:200" "speak:мир") ||
  fail "markup: exit status $?"
events=$(echo "$out" | grep '^event' | sed 's/ stream=0//')
field() { echo "$events" | sed -n "$1p" | grep -o " $2=[0-9]*" | cut -d= -f2; }
[ "$(echo "$events" | cut -d' ' -f2-4 | tr '\n' ';')" = "bookmark wparam=12 text=12;sentence_boundary wparam=17 lparam=2;\
word_boundary wparam=6 lparam=2;bookmark wparam=0 text=abc;word_boundary wparam=2 lparam=11;\
word_boundary wparam=3 lparam=16;" ] || fail "markup events: $events"
[ "$(field 1 offset)" = 0 ] && [ "$(field 2 offset)" = 0 ] || fail "the first bookmark and sentence are not at 0: $events"
abc=$(field 4 offset)
[ "$abc" -gt 4000 ] && [ "$abc" = "$(field 4 audio_before)" ] || fail "bookmark abc is not after Привет: $events"
[ "$(field 6 offset)" -ge $(( $(field 5 offset) + 4000 )) ] || fail "мир does not come after the spelled letters and the silence: $events"
[ "$(rms "$work/markup.wav")" -gt 300 ] || fail "markup: silent"

# A bookmark between two sentences lands where the first sentence's audio ends.
first=$(host --token "$tokens\\Velnor_Male1_Russian" --out "$(wav first.wav)" "speak:Первое предложение." |
  sed -n 's/^audio bytes=\([0-9]*\) .*/\1/p')
out=$(host --token "$tokens\\Velnor_Male1_Russian" --out "$(wav both.wav)" \
  "speak:Первое предложение." "bookmark:1" "speak:Второе предложение.")
echo "$out" | grep -q "^event bookmark wparam=1 text=1 stream=0 offset=$first audio_before=$first\$" ||
  fail "the bookmark is not at the first sentence's end ($first): $(echo "$out" | grep '^event bookmark')"

# Rate, volume and pitch markup change the sound.
sentence="Съешь же ещё этих мягких французских булок"
host --token "$tokens\\Velnor_Male1_Russian" --rate 0 --out "$(wav slow.wav)" "speak,rate=-6:$sentence" >/dev/null
host --token "$tokens\\Velnor_Male1_Russian" --rate 0 --out "$(wav fast.wav)" "speak,rate=10:$sentence" >/dev/null
[ "$(size "$work/fast.wav")" -lt "$(( $(size "$work/slow.wav") / 2 ))" ] || fail "rate markup 10 is not much shorter than -6"
host --token "$tokens\\Velnor_Male1_Russian" --volume 100 --out "$(wav quiet.wav)" "speak,volume=20:$sentence" >/dev/null
host --token "$tokens\\Velnor_Male1_Russian" --volume 100 --out "$(wav loud.wav)" "speak:$sentence" >/dev/null
[ "$(rms "$work/quiet.wav")" -lt "$(( $(rms "$work/loud.wav") / 2 ))" ] || fail "volume markup 20 is not quieter"
host --token "$tokens\\Velnor_Male1_Russian" --out "$(wav high.wav)" "speak,pitch=10:$sentence" >/dev/null
cmp -s "$work/high.wav" "$work/loud.wav" && fail "pitch markup changed nothing"

# The engine DLL and vlsay read the same prepared text and make the same samples.
text="Съешь же ещё 25 этих булок, да выпей чаю."
host --token "$tokens\\Velnor_Female2_Russian" --out "$(wav dll.wav)" "speak:$text" >/dev/null
logged=$("$wine_run" cmd /c type '%APPDATA%\VelnorSAPI\log.txt' | tr -d '\r')
"$wine_run" vlsay.exe --voice Velnor_Female2_Russian --out "$(wav vlsay.wav)" "$text"
cmp -s "$work/dll.wav" "$work/vlsay.wav" || fail "the DLL and vlsay made different samples"
prepared=$("$wine_run" vlsay.exe --voice Velnor_Female2_Russian --prepare "$text" | tr -d '\r')
[ -n "$logged" ] && [ "$logged" = "$prepared" ] || fail "the DLL logged [$logged], vlsay prepares [$prepared]"

# Abort asked by the site, and output that stops taking audio.
out=$(host --token "$tokens\\Velnor_Male1_Russian" --abort-after 1 --out "$(wav abort.wav)" "speak:$sentence")
echo "$out" | grep -q '^audio bytes=[0-9]* audio_writes=1 ' || fail "abort: $(echo "$out" | grep '^audio')"
out=$(host --token "$tokens\\Velnor_Male1_Russian" --stop-after 2 --out "$(wav stop.wav)" "speak:$sentence")
echo "$out" | grep -q ' audio_writes=2 silence_writes=0 refused_writes=1$' || fail "stopped output: $(echo "$out" | grep '^audio')"

# A token without "Attributes" is refused with the token's own failure.
"$wine_run" sapihost.exe --token "$tokens\\Velnor_NoAttributes" --out "$(wav none.wav)" "speak:да" >/dev/null 2>"$work/err.txt"
[ $? -eq 1 ] || fail "a token without Attributes was accepted"
grep -q 'SetObjectToken failed with 0x8004503A' "$work/err.txt" || fail "no-attributes error: $(cat "$work/err.txt")"

"$wine_run" sapihost.exe --frobnicate >/dev/null 2>&1
[ $? -eq 2 ] || fail "a bad option is not a usage error"

[ "$failures" -eq 0 ] && echo "sapihost: all checks passed"
exit "$failures"
