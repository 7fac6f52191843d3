#!/usr/bin/env bash
# Builds table play on its own and runs its tests with each compiler and
# processor that shots must play out alike on: x86-64 with GCC and with Clang,
# 32-bit x86 with GCC (natively or under qemu-i386), and with Clang under qemu
# arm64, armhf, armel, ppc64el, mips64el and mipsel. Of Debian 12's release
# architectures only s390x is left out (README: "The same shot on every
# machine"). The fixed shots and the motion step's worked values check the same
# bits in every one. Installs what it needs first; each build has its own
# folder, build-core-NAME.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh --cross
begin=$SECONDS

check() {
  local name=$1 start=$SECONDS
  shift
  cmake -S . -B "build-core-$name" -G Ninja -DTAVLO_CORE_ONLY=ON -DTAVLO_WERROR=ON "$@" >/dev/null
  cmake --build "build-core-$name"
  ctest --test-dir "build-core-$name" --output-on-failure
  echo "check-arithmetic: $name passed in $((SECONDS - start)) s"
}

need() {
  command -v "$1" >/dev/null || { echo "check-arithmetic: $2 needs $1, which is not installed" >&2; exit 1; }
}

check x86-64-gcc -DCMAKE_CXX_COMPILER=g++
check x86-64-clang -DCMAKE_CXX_COMPILER=clang++

# Some kernels run no 32-bit programs; there the tests run under qemu-i386,
# which finds the 32-bit libraries of g++-multilib where the kernel would.
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
)
for row in "${cross[@]}"; do
  read -r name target emulator libs <<<"$row"
  need "$emulator" "$name"
  check "$name" -DCMAKE_SYSTEM_NAME=Linux "-DCMAKE_SYSTEM_PROCESSOR=${target%%-*}" \
    -DCMAKE_CXX_COMPILER=clang++ "-DCMAKE_CXX_COMPILER_TARGET=$target" \
    "-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld -static" "-DCMAKE_CXX_STANDARD_LIBRARIES=${libs:-}" \
    "-DCMAKE_CROSSCOMPILING_EMULATOR=$emulator"
done
echo "check-arithmetic: every configuration passed in $((SECONDS - begin)) s"
