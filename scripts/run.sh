#!/usr/bin/env bash
# Installs what Tavlo needs, builds it, and starts the game.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh
build=${TAVLO_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja
cmake --build "$build" --target tavlo
exec "$build/control/tavlo"
