#!/usr/bin/env bash
# Installs what building and playing Tavlo need, and no more (no test bench),
# builds the game and starts it; arguments go to the game. It builds in a
# folder of its own, build-play, configured here in full as the package builds
# the game: without tests, benchmarks or sanitizers, so GoogleTest need not be
# there.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh
build='build-play'
cmake -S . -B "$build" -G Ninja -DTAVLO_TESTS=OFF -DTAVLO_BENCH=OFF -DTAVLO_SANITIZE=OFF -DTAVLO_CORE_ONLY=OFF \
  -DTAVLO_WERROR=OFF
cmake --build "$build" --target tavlo
exec "$build/control/tavlo" "$@"
