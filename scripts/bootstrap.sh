#!/usr/bin/env bash
# Installs every Debian package Tavlo needs to build, test, benchmark and package.
# With --cross also the compilers and emulator that scripts/check-arithmetic.sh
# builds and runs table play with: 32-bit x86, arm64 under qemu, and Clang.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool x11-utils imagemagick weston qt6-wayland
  dpkg-dev file desktop-file-utils appstream lintian devscripts man-db
)
if [ "${1:-}" = --cross ]; then
  packages+=(g++-multilib clang lld libstdc++-12-dev-arm64-cross qemu-user googletest)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
