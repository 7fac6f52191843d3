#!/usr/bin/env bash
# Installs what Tavlo and its tests need, builds it with warnings as errors, and runs every test.
# Further arguments go to CMake, e.g. -DTAVLO_SANITIZE=ON (with TAVLO_BUILD_DIR
# naming another build folder).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh --tests
build=${TAVLO_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DTAVLO_WERROR=ON "$@"
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure
