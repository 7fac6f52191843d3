#!/usr/bin/env bash
# Plays the real game on a virtual X display, driven and looked at as a person
# would. Started with a scale of 0, which counts as 1, the game must show its
# opening table at scale 1; a stroke must send the cue ball off its spot; File
# > Exit must end the program with status 0. Wherever the window system makes
# the window larger, the window must be painted whole, the table whole in its
# middle; back at the window's own size when the window system lets go.
#   x11: under openbox, full screen, with the cue following the pointer there.
#     openbox keeps a window at the largest size it asks for even then: the
#     window's size hints are removed first, as by a window manager that
#     ignores them.
#   i3: under i3, every window tiled; Help > About opens its box, tiled beside
#     the window, and closes it, leaving no trace.
#   wayland: under weston, Qt's maximize button in the title bar and
#     Super+Shift+F, each twice; the game keeps one window throughout.
#   exits: under weston, the game started and ended by File > Exit 50 times,
#     each run waiting only for what Exit needs: the keyboard; the window
#     names the game's desktop entry, as docks look for it.
# Each step is named as it begins: one that never comes about ends at CTest's
# time limit, the last name shown.
# Usage: e2e.sh TAVLO_BINARY OUTPUT_DIR [x11|i3|wayland|exits]
set -euo pipefail
game=$(realpath "$1") out=$(realpath -m "$2") mode=${3:-x11}
mkdir -p "$out"
. "$(dirname "$0")/drive.sh"
expect() {
  echo "e2e: $1"
  "${@:2}" && return
  import -window root "$out/failed.png" || true
  echo "e2e: failed: $1 (the screen as it was: $out/failed.png)" >&2
  exit 1
}

trap clean_up EXIT
trap 'exit 143' TERM INT
expect "a virtual X display starts" start_xvfb
case $mode in x11) expect "openbox starts" start_wm openbox ;; i3) expect "i3 starts" start_wm i3 ;;
  *) expect "weston starts" start_weston ;; esac
if [ "$mode" = exits ]; then
  for run in {1..50}; do
    launch "$game" && expect "run $run: the window has the keyboard" wait_until grep -q 'wl_keyboard[@#][0-9]*\.enter(' "$wayland_log"
    expect "run $run: Exit ends the program with status 0" quit_game
  done
  expect "the window is named for the game's desktop entry" grep -q 'set_app_id("org.example.tavlo")' "$wayland_log"
  echo "e2e: 50 passed, 0 failed" && exit
fi
expect "a window with the cue ball on its spot appears, at scale 1" start_game env QT_SCALE_FACTOR=0 "$game"
# The window's plain colour, as its menu bar shows it left of its first menu.
if [ $platform = x11 ]; then bg=$(left=0 top=0 pixel 2 9); else bg=$(pixel 2 -10); fi
[ "$mode" != i3 ] || expect "the tiled window is whole, the table in its middle" wait_until centred
expect "the cue follows the pointer; the stroke moves the cue ball off its spot" stroke
if [ "$mode" = x11 ]; then
  xprop -id "$wid" -remove WM_NORMAL_HINTS
  wmctrl -i -r "$wid" -b add,fullscreen
  expect "full screen: the window whole, the table in its middle" wait_until centred
  expect "the cue follows the pointer there" aim $spot_x $((spot_y + 60))
  wmctrl -i -r "$wid" -b remove,fullscreen
  expect "full screen off: the window at its own size" wait_until own_size
elif [ "$mode" = i3 ]; then
  expect "Help > About shows its box" menu h a && expect "the box shows" wait_until box_shown
  xdotool key Return
  expect "the box closes, the window whole again, the table in its middle" wait_until centred
else
  maximize_button
  expect "maximized: the window whole, the table in its middle" wait_until centred
  maximize_button
  expect "the maximize button again: the window at its own size" wait_until own_size
  xdotool key super+shift+f
  expect "Super+Shift+F: full screen, the window whole, the table in its middle" wait_until centred
  xdotool key super+shift+f
  expect "Super+Shift+F again: the window at its own size" wait_until own_size
  expect "the game kept one window throughout: one xdg toplevel" one_toplevel
fi
expect "Exit ends the program with status 0" quit_game
echo "e2e: 1 passed, 0 failed"
