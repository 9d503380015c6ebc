#!/usr/bin/env bash

# SPDX-FileCopyrightText: The Tallimo authors
# SPDX-License-Identifier: GPL-3.0-or-later

# Records the spoken clips into resources/clips/ with espeak-ng's Mandarin voice and shapes each
# with sox: silence trimmed from both ends, at most 1.1 s long (sped up without changing the
# pitch when longer), in the sample format its clip needs. Run it only to make new recordings;
# the build uses the committed files. Needs: apt-get install espeak-ng sox
set -euo pipefail
cd "$(dirname "$0")/.."

for tool in espeak-ng sox soxi; do
    command -v "$tool" >/dev/null || { echo "make-clips: $tool is missing" >&2; exit 1; }
done

out=resources/clips
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

mono="-r 44100 -b 16 -e signed-integer -c 1"
stereo="-r 44100 -b 16 -e signed-integer -c 2"
narrow="-r 16000 -b 8 -e unsigned-integer -c 1"

# file stem | words spoken | output format
clips=(
    "0|零|$mono" "1|一|$mono" "2|二|$mono" "3|三|$mono" "4|四|$mono"
    "5|五|$mono" "6|六|$mono" "7|七|$mono" "8|八|$mono" "9|九|$mono"
    "10|十|$mono" "bai|百|$mono" "qian|千|$mono" "wan|万|$mono" "yi|亿|$mono"
    "yuan|元|$narrow" "jiao|角|$stereo" "fen|分|$stereo" "fu|负|$mono" "point|点|$mono"
    "add|加|$stereo" "sub|减|$stereo" "mul|乘|$stereo" "div|除以|$stereo"
    "zuo|左括号|$stereo" "you|右括号|$stereo"
    "bs|退格|$mono" "c|清空|$mono" "eqr|等于|$mono"
    "ncf|乘方|$mono" "leicheng|阶乘|$mono" "kaifang|开方|$mono" "pingfang|平方|$mono"
    "mod|取余|$mono"
    "sin|正弦|$mono" "cos|余弦|$mono" "tan|正切|$mono"
    "asin|反正弦|$mono" "acos|反余弦|$mono" "atan|反正切|$mono"
    "log|对数|$mono" "pi|派|$mono"
)

longest=1.1
for clip in "${clips[@]}"; do
    IFS='|' read -r stem words format <<<"$clip"
    espeak-ng -v cmn -s 170 -w "$work/raw.wav" "$words"
    sox "$work/raw.wav" "$work/trimmed.wav" \
        silence 1 0.01 0.5% reverse silence 1 0.01 0.5% reverse
    length=$(soxi -D "$work/trimmed.wav")
    tempo=$(awk -v l="$length" -v m="$longest" 'BEGIN { print (l > m - 0.02) ? l / (m - 0.05) : 1 }')
    # -D: no dither, so that a second run writes the same bytes.
    # shellcheck disable=SC2086
    sox -D "$work/trimmed.wav" $format "$out/$stem.wav" \
        tempo -s "$tempo" fade t 0.005 -0 0.01 norm -1
done

echo "make-clips: ${#clips[@]} clips written to $out"
