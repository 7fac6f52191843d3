#!/usr/bin/env bash
# Builds table play on its own and runs its tests with each compiler and
# processor that shots must play out alike on: x86-64 with GCC and with Clang,
# 32-bit x86 with GCC, and arm64 with Clang, run under qemu. The fixed shots
# and the motion step's worked values check the same bits in every one.
# Installs what it needs first; each build has its own folder, build-core-NAME.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh --cross

check() {
  local name=$1 start=$SECONDS
  shift
  cmake -S . -B "build-core-$name" -G Ninja -DTAVLO_CORE_ONLY=ON -DTAVLO_WERROR=ON "$@" >/dev/null
  cmake --build "build-core-$name"
  ctest --test-dir "build-core-$name" --output-on-failure
  echo "check-arithmetic: $name passed in $((SECONDS - start)) s"
}

check x86-64-gcc -DCMAKE_CXX_COMPILER=g++
check x86-64-clang -DCMAKE_CXX_COMPILER=clang++
CXXFLAGS=-m32 check i386-gcc -DCMAKE_CXX_COMPILER=g++
# Linked statically, so qemu needs no arm64 libraries at run time.
check arm64-clang -DCMAKE_SYSTEM_NAME=Linux -DCMAKE_SYSTEM_PROCESSOR=aarch64 \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_COMPILER_TARGET=aarch64-linux-gnu \
  "-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld -static" -DCMAKE_CROSSCOMPILING_EMULATOR=qemu-aarch64
