#!/usr/bin/env bash
# Installs every Debian package Tavlo needs to build, test, benchmark and package.
# With --cross also the compilers, C++ libraries and emulators that
# scripts/check-arithmetic.sh builds and runs table play with: 32-bit x86,
# Clang, and arm64, armhf, armel, ppc64el, mips64el and mipsel under qemu.
# With --reprotest also what scripts/check-package.sh builds the package twice
# with to see it come out the same: reprotest, and what its variations need
# (disorderfs and FUSE for the order of files in a folder, faketime for the
# clock, every locale, and setfacl to let the second build user use FUSE).
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool x11-utils imagemagick openbox wmctrl weston qt6-wayland
  dpkg-dev file desktop-file-utils appstream lintian devscripts man-db diffoscope-minimal
)
for option in "$@"; do
  case $option in
    --cross) packages+=(g++-multilib clang lld qemu-user googletest
               libstdc++-12-dev-{arm64,armhf,armel,ppc64el,mips64el,mipsel}-cross) ;;
    --reprotest) packages+=(reprotest disorderfs fuse3 faketime locales-all acl) ;;
    *) echo "bootstrap: unknown option $option" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
