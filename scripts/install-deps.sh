#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running the player need.
# Quick when everything is already there; works as root or through sudo.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  libsdl2-dev libimgui-dev libfreetype-dev libfontconfig-dev libpng-dev
  nlohmann-json3-dev libgtest-dev libgmock-dev libbenchmark-dev liblua5.4-dev
  fonts-dejavu-core fonts-liberation xvfb xauth
  clang libclang-rt-14-dev python3
  libavformat-dev libavcodec-dev libswscale-dev libswresample-dev libavutil-dev ffmpeg
  libcairo2-dev libcups2-dev poppler-utils
  desktop-file-utils appstream groff-base man-db
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  SUDO=""
elif command -v sudo >/dev/null 2>&1; then
  SUDO="sudo"
else
  echo "install-deps: need root or sudo to install: ${missing[*]}" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
if ! $SUDO apt-get install -y --no-install-recommends "${missing[@]}"; then
  $SUDO apt-get update
  $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
