#!/usr/bin/env bash

# SPDX-FileCopyrightText: The Tallimo authors
# SPDX-License-Identifier: GPL-3.0-or-later

# Regenerates the lunar month and solar-term tables inside resources/calendar/jpwnl.html.
# For maintenance only: it needs Node.js and npm (not installed by install-deps.sh), and
# astronomy-engine is fetched into a temporary folder; building and testing use the page as
# committed.
set -euo pipefail
cd "$(dirname "$0")/.."
version=2.1.19
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
npm install --prefix "$work" --no-audit --no-fund --silent "astronomy-engine@$version"
ASTRONOMY_ENGINE_DIR="$work/node_modules/astronomy-engine" ASTRONOMY_ENGINE_VERSION=$version \
  node scripts/make-calendar-tables.mjs resources/calendar/jpwnl.html
