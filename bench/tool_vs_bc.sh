#!/bin/sh

# SPDX-FileCopyrightText: The Tallimo authors
# SPDX-License-Identifier: GPL-3.0-or-later

# The command-line tool beside `bc -l` on the same 100,000 mixed lines (sums, products and
# quotients of two-decimal operands, some in brackets), made from a fixed seed. Rounds alternate
# between the two; the fastest and the median round of each and their ratios (tool / bc) are
# printed.
# Usage: bench/tool_vs_bc.sh [path/to/tallimo-sheet] [rounds]
set -eu
tool=${1:-build/tallimo-sheet}
rounds=${2:-5}
command -v bc >/dev/null || { echo "bc is missing: run scripts/install-deps.sh" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

awk 'BEGIN {
    srand(22)
    for (i = 0; i < 100000; i++) {
        a = sprintf("%.2f", rand() * 1000); b = sprintf("%.2f", rand() * 100 + 0.01)
        c = sprintf("%.2f", rand() * 100 + 0.01); k = int(rand() * 5)
        if (k == 0) print a "+" b
        else if (k == 1) print a "*" b
        else if (k == 2) print a "/" b
        else if (k == 3) print "(" a "+" b ")*" c
        else print a "-" b "/" c
    }
}' >"$work/lines"

seconds() {
    start=$(date +%s.%N)
    "$@" >/dev/null
    end=$(date +%s.%N)
    echo "$end - $start" | bc -l
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
fastest() { sort -n | head -n 1; }

i=0
while [ "$i" -lt "$rounds" ]; do
    seconds "$tool" "$work/lines" >>"$work/tool"
    seconds bc -l "$work/lines" >>"$work/bc"
    i=$((i + 1))
done
t=$(median <"$work/tool")
b=$(median <"$work/bc")
tf=$(fastest <"$work/tool")
bf=$(fastest <"$work/bc")
printf '               fastest   median  (of %d rounds)\n' "$rounds"
printf 'tallimo-sheet  %.3f s   %.3f s  (%.2f us a line)\n' "$tf" "$t" "$(echo "$t * 10" | bc -l)"
printf 'bc -l          %.3f s   %.3f s  (%.2f us a line)\n' "$bf" "$b" "$(echo "$b * 10" | bc -l)"
printf 'ratio          %.2f      %.2f\n' "$(echo "$tf / $bf" | bc -l)" "$(echo "$t / $b" | bc -l)"
