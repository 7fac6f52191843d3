#!/usr/bin/env bash
# The player's path on a new machine, from nothing to playing: the README's
# play command, scripts/run.sh, installs what building and playing need and
# none of the test bench or the package check (no X server, window manager,
# compositor, lintian, diffoscope or ImageMagick), builds the game and starts
# it, and the game's window shows. Says how much run.sh installed (apt's
# figure) and how long it took. Meant for a fresh system (CI runs it in
# scripts/check-fresh.sh's, before scripts/test.sh): it fails on a machine
# where any of those is installed already. To see the window it then installs
# a virtual X display and xdotool, with the test bench of scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
fail() { echo "check-play: $*" >&2; exit 1; }

# With no display the game, built and started, says so and ends with status 1.
start=$SECONDS
out=$(scripts/run.sh 2>&1 | tee >(cat >&2)) && status=0 || status=$?
took=$((SECONDS - start))
[[ $status == 1 && ${out##*$'\n'} == "tavlo: no display to open the window on"* ]] \
  || fail "run.sh did not build and start the game (status $status)"
echo "check-play: run.sh installed $(sed -n 's/^bootstrap: //p' <<<"$out" | grep . || echo nothing); built and started the game, all in $took s"

# What serves only the tests and the package check.
for cmd in Xorg Xvfb Xwayland Xephyr Xvnc x-window-manager openbox i3 weston sway mutter kwin_wayland \
  lintian diffoscope convert xdotool appstreamcli; do
  ! path=$(command -v "$cmd") || fail "run.sh installed $cmd ($(dpkg -S "$(realpath "$path")" | cut -d: -f1))"
done
echo "check-play: ok - run.sh installed no X server, window manager, compositor, lintian, diffoscope or ImageMagick"

scripts/bootstrap.sh --tests
. tests/drive.sh
trap clean_up EXIT
start_xvfb
# run.sh starts the game in its place: the window of its process.
launch scripts/run.sh || fail "the game ended before its window showed"
[ "$(xdotool getwindowname "$wid")" = "Tavlo - by Kelvane" ] || fail "the game's window is called $(xdotool getwindowname "$wid")"
quit_game || fail "File > Exit did not end the game with status 0"
echo "check-play: ok - the game's window shows, and File > Exit ends it"
