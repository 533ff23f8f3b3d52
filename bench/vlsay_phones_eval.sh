#!/usr/bin/env bash
# Letters to phones from end to end: each sentence of festvox-ru goes through
# `vlsay --phones` (the engine's text preparation, then the library's reading
# with the voice's lexicon), and its phones are compared with the speaker's
# labels, pauses left out of both: the phone error rate is the summed edit
# distance over the number of label phones. bench_letters_to_phones measures
# the library's reading alone.
# Usage: bench/vlsay_phones_eval.sh VLSAY VOICE_FILE   (vlsay native, the voice from scripts/build-voice.sh)
set -euo pipefail
vlsay=$(realpath "${1:?usage: vlsay_phones_eval.sh VLSAY VOICE_FILE}")
voice=$(realpath "${2:?usage: vlsay_phones_eval.sh VLSAY VOICE_FILE}")
root=$(cd "$(dirname "$0")/.." && pwd)
{ read -r _; read -r _; read -r folder; } < <("$root/scripts/fetch-festvox.sh" --voice)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

VELNOR_VOICE=$voice /usr/bin/python3 - "$vlsay" "$folder" "$work" <<'PY'
import re, subprocess, sys
vlsay, folder, work = sys.argv[1:]

def distance(a, b):
    row = list(range(len(b) + 1))
    for i in range(1, len(a) + 1):
        diagonal, row[0] = row[0], i
        for j in range(1, len(b) + 1):
            above = row[j]
            row[j] = min(row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1]))
            diagonal = above
    return row[-1]

errors = total = sentences = 0
for line in open(f'{folder}/etc/txt.done.data', encoding='utf-8'):
    match = re.match(r'\( (\S+) "(.*)" \)', line.strip())
    if not match:
        continue
    name, text = match.groups()
    label = [l.split()[2] for l in open(f'{folder}/lab/{name}.lab') if len(l.split()) == 3]
    label = [p for p in label if p != 'pau']
    # The engine's stress marks follow the vowel; Festival's texts put them before it.
    text = re.sub(r'[+](.)', r'\1+', text)
    out = subprocess.run([vlsay, '--appdata', work, '--phones', text], capture_output=True, text=True, check=True).stdout
    ours = [p for p in out.split() if p != 'pau']
    errors += distance(label, ours)
    total += len(label)
    sentences += 1
print(f'{sentences} sentences through vlsay --phones: {errors} errors in {total} label phones, {100 * errors / total:.2f}%')
PY
