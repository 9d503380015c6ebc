#!/bin/sh

# SPDX-FileCopyrightText: The Tallimo authors
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs a test program on a virtual X screen under a window manager, as a desktop runs the
# program's windows. Exits with 77 (skipped) where the X server, the window manager, xprop or
# xwininfo is missing.
set -u
for tool in xvfb-run Xvfb openbox xprop xwininfo; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "skipped: $tool is not installed" >&2
        exit 77
    fi
done
exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" sh -c '
    openbox --sm-disable >/dev/null 2>&1 &
    manager=$!
    tries=0
    until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do
        tries=$((tries + 1))
        if [ "$tries" -gt 200 ]; then
            echo "the window manager did not start" >&2
            kill "$manager"
            exit 1
        fi
        sleep 0.05
    done
    QT_QPA_PLATFORM=xcb "$@"
    result=$?
    kill "$manager"
    exit "$result"' sh "$@"
