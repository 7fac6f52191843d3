#!/usr/bin/env bash
# Plays the real game on a virtual X display, driven like a person would:
# the opening table, a stroke that must send the cue ball off its spot, and
# Exit by its access keys. Under openbox, between stroke and Exit, a request
# for full screen, which the game must undo. With `wayland`, under weston on
# that display instead, the title bar's double-click and maximize button, after
# which the game must be back at its size.
# Usage: e2e.sh TAVLO_BINARY OUTPUT_DIR [x11|wayland]
set -euo pipefail
out=$(realpath -m "$2")
mkdir -p "$out"
. "$(dirname "$0")/../scripts/window.sh"
under_xvfb "$@"
fail() {
  import -window "$wid" "$out/failed.png" || true
  echo "e2e: $* (the window as it was: $out/failed.png)" >&2
  exit 1
}

trap clean_up EXIT
if [ "${3:-x11}" = x11 ]; then start_openbox; else start_weston; fi || fail "the window manager did not start"
start_game "$(realpath "$1")" || fail "no window with the cue ball on its spot appeared"
push_cue 1 0 20 || fail "the cue did not follow the pointer"
wait_until is_colour 161 354 $cloth || fail "the stroke did not move the cue ball off its spot"
if [ $platform = wayland ]; then
  find_title_bar
  xdotool mousemove --window "$wid" $((left + 100)) $((top + title)) click --repeat 2 1 \
    mousemove --window "$wid" $((left + maximize_button)) $((top + title)) click 1
  wait_until shown_anew && wait_until at_its_size || fail "the game did not come back at its size after its maximize button"
else
  # Stopped, the game cannot undo the request before it is seen.
  kill -STOP "$pid"
  wmctrl -i -r "$wid" -b add,fullscreen
  wait_until full_screen && kill -CONT "$pid" || fail "openbox did not make the game full screen"
  wait_until not full_screen || fail "the game did not come back from full screen"
fi
quit_game || fail "Exit did not end the program with status 0"
echo "e2e: 1 passed, 0 failed"
