#!/usr/bin/env bash
# Plays the real game on a virtual X display, driven like a person would:
# the opening table, a stroke that must send the cue ball off its spot, and
# Exit by its access keys.
# Usage: e2e.sh TAVLO_BINARY OUTPUT_DIR
set -euo pipefail
bin=$(realpath "$1")
out=$(realpath -m "$2")
mkdir -p "$out"
. "$(dirname "$0")/../scripts/window.sh"
under_xvfb "$bin" "$out"
fail() {
  import -window "$wid" "$out/failed.png" || true
  echo "e2e: $* (the window as it was: $out/failed.png)" >&2
  exit 1
}

trap 'kill ${pid:-} 2>/dev/null || true' EXIT
start_game "$bin" || fail "no window with the cue ball on its spot appeared"
push_cue 1 0 20 || fail "the cue did not follow the pointer"
wait_until is_colour 161 354 $cloth || fail "the stroke did not move the cue ball off its spot"
quit_game || fail "Exit did not end the program with status 0"
echo "e2e: 1 passed, 0 failed"
