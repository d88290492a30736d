#!/usr/bin/env bash
# Installs every Debian package the project needs to build, test and run.
# Does nothing when all are present; runs apt-get update only when something is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev
  libgl-dev libgl1-mesa-dri xvfb xauth
  nlohmann-json3-dev libfmt-dev libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation
  xdotool imagemagick
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
if ! $SUDO apt-get install -y --no-install-recommends "${missing[@]}"; then
  echo "install-deps: could not install: ${missing[*]}" >&2
  exit 1
fi
