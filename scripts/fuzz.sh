#!/usr/bin/env bash

# SPDX-FileCopyrightText: The Tallimo authors
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the core with clang, AddressSanitizer and UndefinedBehaviorSanitizer, and runs each fuzz
# target for the given number of seconds (default 300): fuzz_engine feeds arbitrary text through
# the line evaluation, fuzz_settings feeds arbitrary bytes to the settings file and the text codecs.
#   scripts/fuzz.sh [seconds] [fuzz_engine|fuzz_settings ...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-300}"
shift || true
targets=("$@")
((${#targets[@]})) || targets=(fuzz_engine fuzz_settings)

scripts/install-deps.sh
# clang and its runtime libraries, which hold libFuzzer and the sanitizers.
missing=()
for package in clang libclang-rt-14-dev; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

sanitizers="-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=undefined -g"
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS="$sanitizers" \
  -DBUILD_TESTING=OFF -DTALLIMO_BUILD_BENCH=OFF -DTALLIMO_BUILD_FUZZ=ON
cmake --build build-fuzz --target "${targets[@]}"

corpus=build-fuzz/corpus
mkdir -p "$corpus/fuzz_engine" "$corpus/fuzz_settings"
printf '30+45/(2+3)+40*sin(60)+2^3' > "$corpus/fuzz_engine/typical"
printf '\x02\x00-1E-5*(2^0.5)!%%3\n1+2=3\n\xe2\x88\xb4 tan(90)' > "$corpus/fuzz_engine/mixed"
printf '[calcform]\r\niTop=128\r\niLeft=200\r\nvoice=1\r\nbackcolor=clMoneyGreen\r\n\r\n[gaokao]\r\ndate=2013-06-07\r\ntime=08:00:00\r\nname=\xb8\xdf\xbf\xbc\r\n' \
  > "$corpus/fuzz_settings/typical"
printf '\xef\xbb\xbf[CalcForm]\nITOP = $10\njust words\n[gaokao]\nname=\xe9\xab\x98\x00\xff\n; note\n[x\x81]' \
  > "$corpus/fuzz_settings/hostile"
# A file saved as UTF-16 by an editor, in each byte order, and one with CR alone.
printf '[calcform]\r\niTop=5\r\n[gaokao]\r\nname=\xe9\xab\x98\r\n' | iconv -f UTF-8 -t UTF-16 \
  > "$corpus/fuzz_settings/utf16"
printf '\xfe\xff\x00[\x00g\x00]\x00\r\x00n\x00=\xd8\x00\x00\r' > "$corpus/fuzz_settings/utf16be"
printf '[calcform]\riTop=5\r; note\r[gaokao]\rname=x' > "$corpus/fuzz_settings/cr"

for target in "${targets[@]}"; do
  echo "== $target: ${seconds} s"
  "build-fuzz/tests/fuzz/$target" -artifact_prefix=build-fuzz/ -max_total_time="$seconds" -max_len=4096 -timeout=5 \
    -print_final_stats=1 "$corpus/$target"
done
