#!/usr/bin/env bash
# The recorded voice measured against recordings it was not built from: a
# voice is built leaving out every 20th utterance of festvox-ru, those
# sentences are spoken by it, by the formant synthesiser it replaced and by
# eSpeak NG, and each is compared with the speaker's own recording
# (bench/voice_distance.py says how). Prints one row per system: mean
# mel-cepstral distance, duration against the recording, real-time factor.
# Usage: bench/voice_eval.sh [WORK]   (default build/voice-eval)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(realpath -m "${1:-$root/build/voice-eval}")
mkdir -p "$work"/{recorded,voice,formant,espeak}
command -v espeak-ng >/dev/null || { echo "espeak-ng is missing: scripts/install-deps.sh installs it" >&2; exit 1; }

(cd "$root" && cmake --preset bench >/dev/null && cmake --build --preset bench --target vlvoice bench_voice_eval_speak >/dev/null)
{ read -r _; read -r _; read -r folder; } < <("$root/scripts/fetch-festvox.sh" --voice)

# Every 20th utterance, its text in code page 1251 with the engine's stress
# marks ("+" after the vowel; Festival's texts put it before), and without marks for eSpeak NG.
/usr/bin/python3 - "$folder/etc/txt.done.data" "$work" <<'EOF'
import re, sys
lines = [l for l in open(sys.argv[1], encoding='utf-8') if l.startswith('( ')]
chosen = lines[19::20]
with open(f'{sys.argv[2]}/leave-out.txt', 'w') as names, \
     open(f'{sys.argv[2]}/sentences.txt', 'wb') as marked, \
     open(f'{sys.argv[2]}/plain.txt', 'w', encoding='utf-8') as plain:
    for line in chosen:
        name, text = re.match(r'\( (\S+) "(.*)" \)', line.strip()).groups()
        engine_text = re.sub(r'[+](.)', r'\1+', text)
        names.write(name + '\n')
        marked.write(f'{name}\t{engine_text}\n'.encode('cp1251', 'replace'))
        plain.write(f'{name}\t{text.replace("+", "")}\n')
EOF
names=$(cat "$work/leave-out.txt")

"$root/scripts/build-voice.sh" --leave-out "$work/leave-out.txt" --tool "$root/build/bench/tools/vlvoice/vlvoice" \
  "$work/held-out.voice" >/dev/null
for name in $names; do sox "$folder/wav/$name.wav" -r 10000 "$work/recorded/$name.wav"; done

speaker=$root/build/bench/bench/bench_voice_eval_speak
read -r voice_audio voice_cpu < <(VELNOR_VOICE=$work/held-out.voice "$speaker" --voice "$work/sentences.txt" "$work/voice")
read -r formant_audio formant_cpu < <("$speaker" --formant "$work/sentences.txt" "$work/formant")
start=$(date +%s.%N)
while IFS=$'\t' read -r name text; do espeak-ng -v ru -w "$work/espeak/$name.wav" "$text"; done < "$work/plain.txt"
espeak_wall=$(echo "$(date +%s.%N) - $start" | bc)
espeak_audio=$(for name in $names; do soxi -D "$work/espeak/$name.wav"; done | paste -sd+ | bc)

row() {
  local title=$1 folder=$2 audio=$3 seconds=$4
  read -r distance ratio < <(/usr/bin/python3 "$root/bench/voice_distance.py" "$work/recorded" "$folder" $names)
  printf '%-34s %8s %8s %10.0fx\n' "$title" "$distance" "$ratio" "$(echo "$audio / $seconds" | bc -l)"
}
echo "$(echo "$names" | wc -l) sentences left out of the voice: $(echo $names | head -c 60)..."
printf '%-34s %8s %8s %11s\n' system distance duration real-time
row "recorded voice (velnor)" "$work/voice" "$voice_audio" "$voice_cpu"
row "formant synthesiser (old velnor)" "$work/formant" "$formant_audio" "$formant_cpu"
row "eSpeak NG (wall time)" "$work/espeak" "$espeak_audio" "$espeak_wall"
