#!/usr/bin/env bash

# SPDX-FileCopyrightText: The Tallimo authors
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the Debian 12 packages Tallimo needs: to build and run the two programs, and with
# --tests also to run the test suite and the benchmarks. The recorded voice test runs on the sound
# server the machine has, never a second one: where PipeWire runs the sound, on PipeWire's own
# PulseAudio service (with a session manager only where it has none), elsewhere on PulseAudio. On
# CI (CI=true), a machine with no user's sound to keep, both are installed, and the test runs on
# each.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-webengine-dev qt6-svg-dev
  qt6-qpa-plugins libgl1-mesa-dev
  librsvg2-bin qt6-translations-l10n
  fonts-wqy-microhei
)

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

if [ "${1:-}" = --tests ]; then
  # openbox and xprop: the test of window placement runs under a window manager on Xvfb; xdotool
  # types into the real window for the benchmark of its voice.
  # libx11-dev: the start-up benchmark watches for the first window on the X display.
  # dpkg-dev, file, lintian and reuse: the Debian package made (with its shared library
  # dependencies) and checked, and every file's licence checked.
  # poppler-utils: the tests read the text of the PDF documents the program writes.
  packages+=(qt6-declarative-dev libbenchmark-dev libx11-dev xvfb xauth openbox x11-utils
    desktop-file-utils appstream pulseaudio-utils bc dpkg-dev file lintian reuse poppler-utils
    xdotool)
  pipewire=(pipewire-pulse dbus-daemon)
  installed pipewire-media-session || pipewire+=(wireplumber)
  if [ "${CI:-}" = true ]; then
    packages+=(pulseaudio "${pipewire[@]}")
  elif installed pipewire-pulse || installed pipewire-audio; then
    packages+=("${pipewire[@]}")
  elif ! installed pulseaudio; then
    packages+=(pulseaudio)
  fi
fi

if ! command -v dpkg-query >/dev/null || ! command -v apt-get >/dev/null; then
  echo "No apt here: install these packages (or your system's equivalents), then run again:" >&2
  echo "  ${packages[*]}" >&2
  exit 0
fi

missing=()
for package in "${packages[@]}"; do
  installed "$package" || missing+=("$package")
done

if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
