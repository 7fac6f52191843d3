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
pixel() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:; }

pid=
trap '[ -z "$pid" ] || kill $pid 2>/dev/null || true' EXIT
start_game "$bin" || fail "no window appeared"

# The cue ball on its spot, then a stroke from the right, which moves it.
import -window "$wid" "$out/opening.png"
[ "$(pixel "$out/opening.png" 161 $((top + 354)))" = "255,255,255" ] || fail "no cue ball on its spot"
push_cue 90 0 -5 0 14
sleep 2
import -window "$wid" "$out/after-stroke.png"
[ "$(pixel "$out/after-stroke.png" 161 $((top + 354)))" != "255,255,255" ] || fail "the stroke did not move the cue ball"

quit_game || fail "Exit did not end the program with status 0"
trap - EXIT
echo "e2e: 1 passed, 0 failed"
