#!/usr/bin/env bash
# Builds the engine with clang, AddressSanitizer and UndefinedBehaviorSanitizer, and fuzzes the
# line road for the given number of seconds (default 300). Needs clang and libclang-rt-14-dev.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-300}"
sanitizers="-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=undefined -g"
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS="$sanitizers" \
  -DTALLIMO_BUILD_TESTS=OFF -DTALLIMO_BUILD_BENCH=OFF -DTALLIMO_BUILD_FUZZ=ON
cmake --build build-fuzz --target fuzz_engine
mkdir -p build-fuzz/corpus
printf '30+45/(2+3)+40*sin(60)+2^3' > build-fuzz/corpus/typical
printf '\x02\x00-1E-5*(2^0.5)!%%3\n1+2=3\n\xe2\x88\xb4 tan(90)' > build-fuzz/corpus/mixed
build-fuzz/tests/fuzz/fuzz_engine -max_total_time="$seconds" -max_len=4096 -timeout=5 \
  build-fuzz/corpus
