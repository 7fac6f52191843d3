#!/usr/bin/env bash
# Installs every Debian package Tavlo needs to build, test, benchmark and package,
# on Debian 12 or 13. Options (any of them):
#   --cross  also the compilers, C++ libraries and emulators that
#            scripts/check-arithmetic.sh builds and runs table play with: 32-bit
#            x86, Clang, and arm64, armhf, armel, ppc64el, mips64el, mipsel and
#            s390x under qemu
#   --fresh  also mmdebstrap, with which scripts/check-fresh.sh makes fresh systems
#   --reprotest  also what scripts/check-package.sh builds the package twice
#            with to see it come out the same: reprotest, and what its
#            variations need (disorderfs and FUSE for the order of files in a
#            folder, faketime for the clock, every locale, and setfacl to let
#            the second build user use FUSE)
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

cross=false fresh=false reprotest=false
for arg; do
  case $arg in
    --cross) cross=true ;;
    --fresh) fresh=true ;;
    --reprotest) reprotest=true ;;
    *) echo "usage: $0 [--cross] [--fresh] [--reprotest]" >&2; exit 2 ;;
  esac
done

if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
updated=false
# Installs those of the packages named that are not installed yet.
install_missing() {
  local missing=() p
  for p; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return
  $updated || "${sudo[@]}" apt-get update -q
  updated=true
  "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}

install_missing build-essential cmake ninja-build pkg-config git \
  qt6-base-dev qt6-base-dev-tools libgl-dev \
  libgtest-dev libgmock-dev libbenchmark-dev \
  xvfb xauth xdotool x11-utils imagemagick openbox i3-wm wmctrl weston qt6-wayland \
  dpkg-dev file desktop-file-utils appstream lintian devscripts man-db diffoscope-minimal
if $cross; then
  # Clang links Debian's C++ library for each target, that of the release's own
  # GCC: libstdc++-12-dev-ARCH-cross on Debian 12, -14- on Debian 13.
  gcc=$(g++ -dumpversion)
  install_missing g++-multilib clang lld qemu-user googletest \
    "libstdc++-$gcc-dev-"{arm64,armhf,armel,ppc64el,mips64el,mipsel,s390x}-cross
fi
if $fresh; then
  install_missing mmdebstrap gpg debian-archive-keyring
fi
if $reprotest; then
  install_missing reprotest disorderfs fuse3 faketime locales-all acl
fi
