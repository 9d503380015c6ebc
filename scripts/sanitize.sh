#!/usr/bin/env bash

# SPDX-FileCopyrightText: The Tallimo authors
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds Tallimo with AddressSanitizer and UndefinedBehaviorSanitizer in build-sanitize/ and runs
# the test suite there; any report of either fails the test that caused it. Arguments go to
# ctest, so that a part of the suite can run alone:
#   scripts/sanitize.sh [-R test_name ...]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --tests
sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer -g"
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS="$sanitizers" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
  -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=address,undefined" -DBUILD_TESTING=ON -DTALLIMO_BUILD_BENCH=OFF
cmake --build build-sanitize --parallel
cd build-sanitize
# The web view's own processes are not instrumented and keep memory to the end of the run, so
# leaks are not looked for.
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600 "$@"
