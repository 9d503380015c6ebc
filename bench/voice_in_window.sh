#!/bin/bash
# SPDX-FileCopyrightText: The Tallimo authors
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The read-out of 12345 in the real window, as a listener hears it: the calculator runs on a
# display of its own (Xvfb, with openbox), on a sound server of its own at its default settings
# (PulseAudio, or PipeWire with its PulseAudio service) whose null sink is recorded. Each try types
# 12345, waits for the keys' echoes to end, then presses Enter and records for 4 s; it prints the
# seconds of sound heard (20 ms pieces louder than 2% of full scale; the whole read-out is about
# 2.7 s). The tries run first on a machine left alone, then each with busy processes of its own
# (shell loops that never wait), as many as asked.
# Usage: bench/voice_in_window.sh pulseaudio|pipewire [build-folder] [tries] [busy-processes]
set -eu
kind=$1
build=$(realpath "${2:-build}")
tries=${3:-3}
busy=${4:-2}
for tool in Xvfb openbox xdotool parecord "$kind" "$build/tallimo"; do
    command -v "$tool" >/dev/null || { echo "missing: $tool (scripts/install-deps.sh --tests)" >&2; exit 2; }
done
work=$(mktemp -d)
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done; wait 2>/dev/null; rm -rf "$work"' EXIT

# Everything of the session is the script's own: home, runtime folder, server, display.
mkdir -p "$work/program" "$work/home/config" "$work/home/state" "$work/pulse"
mkdir -m 0700 "$work/runtime"
cp "$build/tallimo" "$build"/tallimo_*.so "$work/program/"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/config" XDG_STATE_HOME="$work/home/state"
export XDG_RUNTIME_DIR="$work/runtime" PULSE_RUNTIME_PATH="$work/pulse" PULSE_STATE_PATH="$work/home/state"
unset PULSE_SERVER PIPEWIRE_REMOTE PIPEWIRE_RUNTIME_DIR DBUS_SESSION_BUS_ADDRESS SESSION_MANAGER
socket="$work/pulse/native"
waitfor() { for _ in $(seq 300); do [ -S "$1" ] && return 0; sleep 0.1; done; echo "no $1" >&2; exit 1; }
if [ "$kind" = pulseaudio ]; then
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
        --load="module-null-sink sink_name=tallimo_heard" \
        --load="module-native-protocol-unix auth-anonymous=1 socket=$socket" 2>"$work/server.log" &
    pids+=($!)
    waitfor "$socket"
    export PULSE_SERVER="unix:$socket"
else
    # No devices of the machine: the null sink is the only output.
    mkdir -p "$XDG_CONFIG_HOME/wireplumber/main.lua.d" "$XDG_CONFIG_HOME/wireplumber/bluetooth.lua.d"
    printf 'alsa_monitor.enabled = false\nv4l2_monitor.enabled = false\nlibcamera_monitor.enabled = false\n' \
        >"$XDG_CONFIG_HOME/wireplumber/main.lua.d/99-no-devices.lua"
    echo 'bluez_monitor.enabled = false' >"$XDG_CONFIG_HOME/wireplumber/bluetooth.lua.d/99-no-bluetooth.lua"
    dbus-daemon --session --nofork --nopidfile --address="unix:path=$work/bus" 2>/dev/null &
    pids+=($!)
    waitfor "$work/bus"
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/bus"
    pipewire 2>"$work/server.log" &
    pids+=($!)
    waitfor "$XDG_RUNTIME_DIR/pipewire-0"
    wireplumber 2>/dev/null &
    pids+=($!)
    pipewire-pulse 2>/dev/null &
    pids+=($!)
    waitfor "$socket"
    export PULSE_SERVER="unix:$socket"
    pactl load-module module-null-sink sink_name=tallimo_heard >/dev/null
    for _ in $(seq 100); do pactl set-default-sink tallimo_heard 2>/dev/null && break; sleep 0.1; done
fi

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
openbox >/dev/null 2>&1 &
pids+=($!)
# The window manager is up once it names itself on the root window.
for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break; sleep 0.1; done
"$work/program/tallimo" >"$work/program.log" 2>&1 &
pids+=($!)
window=
for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --classname tallimo 2>/dev/null | head -1 || true)
    [ -n "$window" ] && break
    sleep 0.2
done
[ -n "$window" ] || { echo "the calculator showed no window" >&2; exit 1; }
sleep 2
xdotool windowactivate --sync "$window" 2>/dev/null || true
xdotool windowfocus --sync "$window"

# Seconds of sound in a recording of 16-bit mono samples at 44.1 kHz.
heard() {
    od -An -v -td2 -w1764 "$1" | awk '{ m = 0; for (i = 1; i <= NF; ++i) { v = $i < 0 ? -$i : $i; if (v > m) m = v }
        if (m > 655) ++n } END { printf "%.2f", n * 0.02 }'
}

try() {  # label, number of busy processes
    local loops=() recorder
    xdotool type --delay 100 12345
    sleep 1.5
    for _ in $(seq "$2"); do sh -c 'while :; do :; done' & loops+=($!); done
    # The recorder is asked for small pieces: one asked for none loses what it holds when stopped.
    parecord --latency-msec=20 --raw --device=tallimo_heard.monitor --rate=44100 --channels=1 \
        --format=s16le "$work/$1.raw" &
    recorder=$!
    sleep 0.7
    xdotool key Return
    sleep 4
    kill -INT "$recorder"
    wait "$recorder" 2>/dev/null || true
    for loop in "${loops[@]}"; do kill "$loop"; done
    echo "$kind, $1: $(heard "$work/$1.raw") s heard"
    sleep 1
}
for i in $(seq "$tries"); do try "idle $i" 0; done
for i in $(seq "$tries"); do try "$busy busy processes $i" "$busy"; done
