#!/usr/bin/env bash

# SPDX-FileCopyrightText: The Tallimo authors
# SPDX-License-Identifier: GPL-3.0-or-later

# Configures and builds Tallimo in build/ (optimised unless CMAKE_BUILD_TYPE says otherwise).
# Arguments go to the configuration, e.g. -DBUILD_TESTING=OFF.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE="${CMAKE_BUILD_TYPE:-Release}" "$@"
cmake --build build --parallel
