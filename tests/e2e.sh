#!/usr/bin/env bash
# Plays the real game on a virtual X display, driven like a person would:
# the opening table, a stroke, and Exit by its access keys.
# Usage: e2e.sh TAVLO_BINARY OUTPUT_DIR
set -euo pipefail
bin=$(realpath "$1")
out=$(realpath -m "$2")
mkdir -p "$out"
. "$(dirname "$0")/../scripts/window.sh"
under_xvfb "$bin" "$out"
fail() { echo "e2e: $*" >&2; exit 1; }
# The colour of the cue ball's spot in a screenshot saved as NAME.png.
spot() {
  import -window "$wid" "$out/$1.png"
  convert "$out/$1.png" -format "%[fx:int(255*p{161,$((top + 354))}.r)],%[fx:int(255*p{161,$((top + 354))}.b)]" info:
}

trap 'kill ${pid:-} 2>/dev/null || true' EXIT
start_game "$bin" || fail "no window appeared"
[ "$(spot opening)" = "255,255" ] || fail "no cue ball on its spot"
push_cue 90 0 -5 0 14
sleep 2
[ "$(spot after-stroke)" != "255,255" ] || fail "the stroke from the right did not move the cue ball"
quit_game || fail "Exit did not end the program with status 0"
echo "e2e: 1 passed, 0 failed"
