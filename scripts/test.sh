#!/usr/bin/env bash
# Installs what is missing for the programs and their tests, builds, and runs the whole suite.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --tests
scripts/build.sh -DBUILD_TESTING=ON -DTALLIMO_BUILD_BENCH=ON
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 300
