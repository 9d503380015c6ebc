#!/usr/bin/env bash
# Installs every Debian 12 package that building, running and testing Tallimo needs.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-webengine-dev qt6-svg-dev
  qt6-qpa-plugins libgl1-mesa-dev
  libbenchmark-dev bc
  librsvg2-bin qt6-translations-l10n
  fonts-wqy-microhei
  xvfb xauth
  nodejs
  pulseaudio pulseaudio-utils
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done

# The calendar tests install their npm packages with npm; a Node.js built elsewhere may bring its own.
command -v npm >/dev/null || missing+=(npm)

if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
