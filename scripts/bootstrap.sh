#!/usr/bin/env bash
# Installs the Debian packages that Tavlo needs, on Debian 12 or 13. Without an
# option, what building and playing the game need and nothing more: the
# compiler, CMake, Ninja, and Qt's development files and window-system plugins
# (X11, and Wayland natively). Each option adds a list (any of them, together):
#   --tests  the test bench of scripts/test.sh: GoogleTest, and the virtual X
#            display, window managers (openbox, i3), compositor (weston) and
#            tools the end-to-end runs drive and look at the game with
#   --bench  Google Benchmark and the X libraries (XTest, XDamage) that the
#            benchmarks and measuring tools in bench/ build with
#   --deb    what building the Debian package with cpack needs besides (file,
#            with which it finds the programs whose libraries it depends on)
#   --package  what scripts/check-package.sh builds, checks, installs and plays
#            the package with: dpkg's tools, lintian, hardening-check, man,
#            the desktop entry's and metainfo's validators, and the end-to-end
#            runs' display and window manager
#   --reprotest  what scripts/check-reproducible.sh builds the package twice
#            with to see it come out the same: reprotest, diffoscope, and what
#            its variations need (disorderfs and FUSE for the order of files
#            in a folder, faketime for the clock, every locale, and useradd
#            and setfacl for the second build user and its use of FUSE)
#   --cross  the compilers, C++ libraries and emulators that
#            scripts/check-arithmetic.sh builds and runs table play with: 32-bit
#            x86, Clang, and arm64, armhf, armel, ppc64el, mips64el, mipsel and
#            s390x under qemu (no Qt: table play builds without it)
#   --arm64  what scripts/check-arm64.sh builds the whole game and its tests
#            for arm64 with and runs them under qemu: the cross compiler, Qt
#            and GoogleTest of Debian's arm64 architecture, which it adds to
#            dpkg's, Qt's tools (moc, rcc) for this machine, and qemu-user (no
#            Qt for this machine besides)
#   --fresh  mmdebstrap, with which scripts/check-fresh.sh makes fresh systems
# Says how many packages it installed, apt's figure for the disk they take,
# and how long it took. Safe to run again: apt-get skips what is already there.
set -euo pipefail

lists=()
for arg; do
  case $arg in
    --tests | --bench | --deb | --package | --reprotest | --cross | --arm64 | --fresh) lists+=("${arg#--}") ;;
    *) echo "usage: $0 [--tests] [--bench] [--deb] [--package] [--reprotest] [--cross] [--arm64] [--fresh]" >&2; exit 2 ;;
  esac
done
with() { [[ " ${lists[*]} " == *" $1 "* ]]; }

if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
updated=false
# Installs those of the packages named that are not installed yet.
install_missing() {
  local missing=() p start=$SECONDS out
  for p; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return
  $updated || "${sudo[@]}" apt-get update -q
  updated=true
  # apt's own account, shown as it goes (through a pipe: a file reopened would
  # be written from its start) and kept for the summary.
  { out=$("${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}" | tee >(cat >&3)); } 3>&1
  echo "bootstrap: $(grep -o '[0-9]* newly installed' <<<"$out" | cut -d' ' -f1) packages," \
    "$(sed -n 's/^After this operation, \(.*\) of additional disk space will be used\.$/\1/p' <<<"$out" | grep . || echo 'no more') of disk," \
    "in $((SECONDS - start)) s"
}

# Every list builds with these.
packages=(build-essential cmake ninja-build)
# Qt for this machine, to build and play the game: all but the cross tools,
# which build table play alone or build for arm64, and mmdebstrap.
if [ ${#lists[@]} -eq 0 ] || with tests || with bench || with deb || with package || with reprotest; then
  packages+=(qt6-base-dev qt6-wayland)
fi
# What the end-to-end runs start, drive and look at the game with.
display=(xvfb xauth xdotool x11-utils wmctrl imagemagick openbox)
! with tests || packages+=(libgtest-dev libgmock-dev "${display[@]}" i3-wm weston)
! with bench || packages+=(libbenchmark-dev libx11-dev libxtst-dev libxdamage-dev)
# cpack builds the Debian package with dpkg's tools and file.
! { with deb || with package || with reprotest; } || packages+=(dpkg-dev file)
! with package || packages+=(lintian devscripts man-db desktop-file-utils appstream diffoscope-minimal "${display[@]}")
! with reprotest || packages+=(git passwd reprotest diffoscope-minimal disorderfs fuse3 faketime locales-all acl)
! with fresh || packages+=(mmdebstrap gpg debian-archive-keyring git)
if with arm64; then
  dpkg --print-foreign-architectures | grep -x arm64 >/dev/null || "${sudo[@]}" dpkg --add-architecture arm64
  packages+=(crossbuild-essential-arm64 qemu-user qt6-base-dev:arm64 qt6-base-dev-tools libgtest-dev:arm64
    libgmock-dev:arm64)
fi
install_missing "${packages[@]}"

if with cross; then
  # Clang links Debian's C++ library for each target, that of the release's own
  # GCC: libstdc++-12-dev-ARCH-cross on Debian 12, -14- on Debian 13.
  gcc=$(g++ -dumpversion)
  install_missing g++-multilib clang lld qemu-user googletest \
    "libstdc++-$gcc-dev-"{arm64,armhf,armel,ppc64el,mips64el,mipsel,s390x}-cross
fi
