#!/usr/bin/env bash
# Builds table play on its own and runs its tests with each compiler and
# processor that shots must play out alike on: x86-64 with GCC and with Clang,
# 32-bit x86 with GCC (natively or under qemu-i386), and with Clang under qemu
# arm64, armhf, armel, ppc64el, mips64el, mipsel and s390x. s390x runs only
# where lld links for it (Debian 13; README: "The same shot on every machine").
# The fixed shots and the motion step's worked values check the same bits in
# every one. Installs what it needs first; each build has its own folder,
# build-core-NAME.
# Usage: scripts/check-arithmetic.sh [NAME...]   (default: every configuration;
# one that is named must run)
set -euo pipefail
cd "$(dirname "$0")/.."
names=(x86-64-gcc x86-64-clang i386-gcc arm64-clang armhf-clang armel-clang ppc64el-clang mips64el-clang mipsel-clang s390x-clang)
for name; do
  [[ " ${names[*]} " == *" $name "* ]] || { echo "check-arithmetic: no configuration $name; there are ${names[*]}" >&2; exit 2; }
done
chosen=" ${*:-${names[*]}} "
wanted() { [[ $chosen == *" $1 "* ]]; }
scripts/bootstrap.sh --cross
begin=$SECONDS
passed=()

# lld links for s390x from LLVM 18 on: Debian 13 has 19, Debian 12 has 14.
# Left out of a whole run where it cannot, with the linker's word for it.
left_out=
if [ $# -eq 0 ]; then
  mkdir -p build-core-s390x-clang
  if ! error=$(echo 'int main() {}' | clang++ --target=s390x-linux-gnu -fuse-ld=lld -static -x c++ - \
    -o build-core-s390x-clang/probe 2>&1); then
    left_out="; s390x-clang left out: this $(ld.lld --version | sed "s/ (.*//;q") cannot link it (${error%%$'\n'*})"
    echo "check-arithmetic: ${left_out#; }"
    chosen=${chosen/ s390x-clang / }
  fi
fi

check() {
  local name=$1 start=$SECONDS
  shift
  cmake -S . -B "build-core-$name" -G Ninja -DTAVLO_CORE_ONLY=ON -DTAVLO_WERROR=ON "$@" >/dev/null
  cmake --build "build-core-$name"
  ctest --test-dir "build-core-$name" --output-on-failure
  echo "check-arithmetic: $name passed in $((SECONDS - start)) s"
  passed+=("$name")
}

need() {
  command -v "$1" >/dev/null || { echo "check-arithmetic: $2 needs $1, which is not installed" >&2; exit 1; }
}

! wanted x86-64-gcc || check x86-64-gcc -DCMAKE_CXX_COMPILER=g++
! wanted x86-64-clang || check x86-64-clang -DCMAKE_CXX_COMPILER=clang++

# Some kernels run no 32-bit programs; there the tests run under qemu-i386,
# which finds the 32-bit libraries of g++-multilib where the kernel would.
if wanted i386-gcc; then
  mkdir -p build-core-i386-gcc
  echo 'int main() {}' | g++ -m32 -x c++ - -o build-core-i386-gcc/probe
  if build-core-i386-gcc/probe 2>/dev/null; then
    emulator='' how=natively
  else
    need qemu-i386 i386-gcc
    qemu-i386 build-core-i386-gcc/probe || { echo "check-arithmetic: a 32-bit program runs neither natively nor under qemu-i386" >&2; exit 1; }
    emulator=qemu-i386 how="under qemu-i386: this kernel runs no 32-bit programs"
  fi
  echo "check-arithmetic: i386-gcc runs $how"
  CXXFLAGS=-m32 check i386-gcc -DCMAKE_CXX_COMPILER=g++ "-DCMAKE_CROSSCOMPILING_EMULATOR=$emulator"
fi

# NAME, Clang's target, the emulator, and libraries the link needs besides
# the C++ library. Linked statically, so qemu needs no libraries of the target
# at run time. For armel Clang builds for ARMv4T, which has no atomic
# instructions: the reference counts in GoogleTest's shared pointers call
# libatomic.
cross=(
  "arm64-clang    aarch64-linux-gnu        qemu-aarch64"
  "armhf-clang    arm-linux-gnueabihf      qemu-arm"
  "armel-clang    arm-linux-gnueabi        qemu-arm       -latomic"
  "ppc64el-clang  powerpc64le-linux-gnu    qemu-ppc64le"
  "mips64el-clang mips64el-linux-gnuabi64  qemu-mips64el"
  "mipsel-clang   mipsel-linux-gnu         qemu-mipsel"
  "s390x-clang    s390x-linux-gnu          qemu-s390x"
)
for row in "${cross[@]}"; do
  read -r name target emulator libs <<<"$row"
  wanted "$name" || continue
  need "$emulator" "$name"
  check "$name" -DCMAKE_SYSTEM_NAME=Linux "-DCMAKE_SYSTEM_PROCESSOR=${target%%-*}" \
    -DCMAKE_CXX_COMPILER=clang++ "-DCMAKE_CXX_COMPILER_TARGET=$target" \
    "-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld -static" "-DCMAKE_CXX_STANDARD_LIBRARIES=${libs:-}" \
    "-DCMAKE_CROSSCOMPILING_EMULATOR=$emulator"
done
echo "check-arithmetic: ${passed[*]} passed in $((SECONDS - begin)) s$left_out"
