#!/usr/bin/env bash
# Installs every Debian 12 package that building, testing and running Nightglass needs.
# Idempotent: when everything is present it only checks and returns.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  libsdl2-dev libgl-dev libgl1-mesa-dri libglu1-mesa-dev
  libtinyxml2-dev libfreetype-dev libpng-dev libjpeg62-turbo-dev
  libimgui-dev libstb-dev
  libsndfile1-dev libsoxr-dev libkissfft-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth fonts-dejavu-core xfonts-base ffmpeg
  parallel openssh-client openssh-server rsync
  clang
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
