#!/usr/bin/env bash

# SPDX-FileCopyrightText: The Tallimo authors
# SPDX-License-Identifier: GPL-3.0-or-later

# Regenerates tests/calendar/lunar-reference.txt, the table the calendar page's test compares the
# page with, from lunar-javascript, a lunar calendar computed independently of the page's tables.
# For maintenance only: it needs Node.js and npm (not installed by install-deps.sh) and fetches
# lunar-javascript into a temporary folder; building and testing use the committed table.
set -euo pipefail
cd "$(dirname "$0")/.."
version=1.7.7
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
npm install --prefix "$work" --no-audit --no-fund --silent "lunar-javascript@$version"
LUNAR_JAVASCRIPT_DIR="$work/node_modules/lunar-javascript" LUNAR_JAVASCRIPT_VERSION=$version \
  node scripts/make-calendar-reference.mjs tests/calendar/lunar-reference.txt
