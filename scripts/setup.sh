#!/usr/bin/env bash
# Installs every Debian package the player, its tests and its benchmarks need.
# Idempotent: packages already present are left as they are.
set -euo pipefail

packages=(
  build-essential cmake pkg-config ninja-build ccache
  libsdl2-dev libimgui-dev
  libfreetype-dev libfontconfig-dev fonts-ipafont-gothic fonts-ipafont-mincho
  libfluidsynth-dev timgm6mb-soundfont
  libvorbis-dev
  libboost-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libx11-dev
  xvfb x11-apps x11-utils imagemagick xdotool
  afl++
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
