#!/bin/sh
# SPDX-FileCopyrightText: The Tallimo authors
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The calculator's start-up and memory at rest beside the least a Qt window with an editor costs
# (floorwindow), on a display of their own (Xvfb). Each program is started once to warm
# the caches, then the two are started in turn, round after round; each round prints the time to
# the first mapped window and the resident memory after an idle pause (the calculator makes its
# tools window right after its first paint, well within the pause). At the end: the medians, the
# median of the rounds' time ratios (calculator / floor) and of their memory differences.
# Usage: bench/memory_at_rest.sh [build-folder] [rounds] [idle-ms]
set -eu
build=${1:-build}
rounds=${2:-15}
idle=${3:-2000}
for tool in Xvfb "$build/bench/startmap" "$build/bench/floorwindow" "$build/tallimo"; do
    command -v "$tool" >/dev/null || { echo "missing: $tool (build with -DTALLIMO_BUILD_BENCH=ON; Xvfb from scripts/install-deps.sh --tests)" >&2; exit 2; }
done
work=$(mktemp -d)
xvfb=
trap '[ -z "$xvfb" ] || kill "$xvfb"; rm -rf "$work"' EXIT

# The calculator runs from a folder of its own, its settings beside it, with its own home and
# runtime folders, so that it meets neither the build's settings nor a running calculator.
mkdir -p "$work/program" "$work/home/config" "$work/home/runtime"
chmod 700 "$work/home/runtime"
cp "$build/tallimo" "$build"/tallimo_*.so "$work/program/"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/config" XDG_RUNTIME_DIR="$work/home/runtime"
unset DBUS_SESSION_BUS_ADDRESS SESSION_MANAGER

Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(cat "$work/display")"

measure() { "$build/bench/startmap" -i "$idle" -- "$@"; }
field() { sed -n "s/.*$1=\([0-9.]*\).*/\1/p"; }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

measure "$work/program/tallimo" >/dev/null
measure "$build/bench/floorwindow" >/dev/null
round=1
while [ "$round" -le "$rounds" ]; do
    program=$(measure "$work/program/tallimo")
    floor=$(measure "$build/bench/floorwindow")
    pm=$(echo "$program" | field map_ms); pr=$(echo "$program" | field rss_kb)
    fm=$(echo "$floor" | field map_ms); fr=$(echo "$floor" | field rss_kb)
    [ -n "$pm" ] && [ -n "$fm" ] || { echo "round $round failed: $program / $floor" >&2; exit 1; }
    echo "$pm" >>"$work/pm"; echo "$pr" >>"$work/pr"; echo "$fm" >>"$work/fm"; echo "$fr" >>"$work/fr"
    echo "$pm $fm" | awk '{ printf "%.3f\n", $1 / $2 }' >>"$work/ratio"
    echo "$pr $fr" | awk '{ print $1 - $2 }' >>"$work/extra"
    printf 'round %2d  calculator %7.1f ms %6d kB   floor %7.1f ms %6d kB\n' "$round" "$pm" "$pr" "$fm" "$fr"
    round=$((round + 1))
done
printf 'median    calculator %7.1f ms %6d kB   floor %7.1f ms %6d kB\n' \
    "$(median <"$work/pm")" "$(median <"$work/pr")" "$(median <"$work/fm")" "$(median <"$work/fr")"
echo "map time ratio (calculator / floor), median of rounds: $(median <"$work/ratio")" \
    "(from $(sort -n "$work/ratio" | head -n 1) to $(sort -n "$work/ratio" | tail -n 1))"
echo "memory above the floor, median of rounds: $(median <"$work/extra") kB" \
    "(from $(sort -n "$work/extra" | head -n 1) to $(sort -n "$work/extra" | tail -n 1))"
