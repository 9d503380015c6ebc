#!/usr/bin/env bash

# SPDX-FileCopyrightText: The Tallimo authors
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs what the two programs need, builds them (no tests, no benchmarks), and starts the
# calculator.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh -DBUILD_TESTING=OFF -DTALLIMO_BUILD_BENCH=OFF
if [ -x build/tallimo ]; then
  exec build/tallimo "$@"
fi
exec build/tallimo-sheet "$@"
