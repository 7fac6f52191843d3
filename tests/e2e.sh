#!/usr/bin/env bash
# Plays the real game on a virtual X display, driven like a person would:
# the opening table, a stroke that must send the cue ball off its spot, and
# Exit by its access keys. Under openbox, between stroke and Exit, a request
# for full screen, which the game must undo. With `wayland`, under weston on
# that display instead, the title bar's double-click and maximize button, after
# which the game must be back at its size. Each step is named as it begins:
# one that never comes about ends at CTest's time limit, the last name shown.
# Usage: TAVLO_CONSTANTS=build/tests/constants.sh e2e.sh TAVLO_BINARY OUTPUT_DIR [x11|wayland]
set -euo pipefail
out=$(realpath -m "$2")
mkdir -p "$out"
. "$(dirname "$0")/drive.sh"
expect() {
  echo "e2e: $1"
  "${@:2}" || {
    import -window root "$out/failed.png" || true
    echo "e2e: failed: $1 (the screen as it was: $out/failed.png)" >&2
    exit 1
  }
}

trap clean_up EXIT
trap 'exit 143' TERM INT
expect "a virtual X display starts" start_xvfb
if [ "${3:-x11}" = x11 ]; then expect "openbox starts" start_openbox; else expect "weston starts" start_weston; fi
expect "a window with the cue ball on its spot appears" start_game "$(realpath "$1")"
expect "the cue follows the pointer" push_cue 1 0 20
expect "the stroke moves the cue ball off its spot" wait_until is_colour $spot_x $spot_y $cloth
if [ $platform = wayland ]; then
  find_title_bar
  xdotool mousemove --window "$wid" $((left + 100)) $((top + title)) click --repeat 2 1 \
    mousemove --window "$wid" $((left + maximize_button)) $((top + title)) click 1
  expect "the game shows its window anew after its maximize button" wait_until shown_anew
  expect "the game is back at its size" wait_until at_its_size
else
  # Stopped, the game cannot undo the request before it is seen.
  kill -STOP "$pid"
  wmctrl -i -r "$wid" -b add,fullscreen
  expect "openbox makes the game full screen" wait_until full_screen
  kill -CONT "$pid"
  expect "the game comes back from full screen" wait_until not full_screen
fi
expect "Exit ends the program with status 0" quit_game
echo "e2e: 1 passed, 0 failed"
