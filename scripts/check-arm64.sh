#!/usr/bin/env bash
# Builds the whole game and its tests for arm64 with Debian's cross compiler
# and multiarch packages, and runs the tests under qemu-aarch64: every test but
# the end-to-end runs (EndToEnd.*, Exit.*), which drive the real game on a
# virtual X display. Installs what it needs first (scripts/bootstrap.sh
# --arm64, which adds arm64 to dpkg's architectures); builds in build-arm64.
# CI runs it in a fresh Debian 12 (scripts/check-fresh.sh).
# Usage: scripts/check-arm64.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh --arm64
build='build-arm64'
cmake -S . -B "$build" -G Ninja --toolchain cmake/aarch64-linux-gnu.cmake -DTAVLO_WERROR=ON -DTAVLO_TESTS=ON \
  -DTAVLO_BENCH=OFF -DTAVLO_SANITIZE=OFF -DTAVLO_CORE_ONLY=OFF
cmake --build "$build"
readelf -h "$build/control/tavlo" | grep 'Machine: *AArch64' >/dev/null \
  || { echo "check-arm64: $build/control/tavlo is not an arm64 program" >&2; exit 1; }
ctest --test-dir "$build" --output-on-failure -E '^(EndToEnd|Exit)\.'
