#!/usr/bin/env bash

# SPDX-FileCopyrightText: The Tallimo authors
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs what is missing for the programs and their tests, builds, and runs the whole suite.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --tests
scripts/build.sh -DBUILD_TESTING=ON -DTALLIMO_BUILD_BENCH=ON
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 300
# Every benchmark once, with as little repetition as it allows, so that a benchmark that does
# not run fails the run.
for bench in bench/bench_*; do
    [[ -f $bench && -x $bench ]] || continue
    echo "== $bench"
    output=$(QT_QPA_PLATFORM=offscreen "$bench" --benchmark_min_time=0.001 2>&1) || {
        echo "$output"
        echo "$bench failed" >&2
        exit 1
    }
    echo "$output"
    if grep -q 'ERROR OCCURRED' <<<"$output"; then
        echo "$bench reported an error" >&2
        exit 1
    fi
done
