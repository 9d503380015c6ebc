#!/usr/bin/env bash
# Installs what is missing, builds, and starts the calculator.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
if [ -x build/tallimo ]; then
  exec build/tallimo "$@"
fi
exec build/tallimo-sheet "$@"
