#!/usr/bin/env bash
# Plays the real game on a virtual X display, driven like a person would:
# the opening table, a stroke, About and Exit by their access keys.
# Usage: e2e.sh TAVLO_BINARY OUTPUT_DIR
set -euo pipefail
bin=$(realpath "$1")
out=$(realpath -m "$2")
mkdir -p "$out"

if [ -z "${TAVLO_E2E_INNER:-}" ]; then
  export TAVLO_E2E_INNER=1
  exec xvfb-run -a -s "-screen 0 800x700x24" "$0" "$bin" "$out"
fi

. "$(dirname "$0")/../scripts/window.sh"
fail() { echo "e2e: $*" >&2; exit 1; }
pixel() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:; }

pid=
trap '[ -z "$pid" ] || kill $pid 2>/dev/null || true' EXIT
start_game "$bin" || fail "no window appeared"

# The cue ball on its spot, the black ball in the rack, and the cloth.
import -window "$wid" "$out/opening.png"
for probe in "161 354 255,255,255" "161 105 0,0,0" "100 300 0,127,127"; do
  set -- $probe
  [ "$(pixel "$out/opening.png" "$1" $((top + $2)))" = "$3" ] || fail "the opening table lacks $3 at $1, $2"
done

# Aim from the right, press, and push the cue in towards the cue ball.
xdotool mousemove --window "$wid" $((161 + 90)) $((top + 354))
sleep 0.2
xdotool mousedown 1 mouseup 1
for x in $(seq 85 -5 20); do xdotool mousemove --window "$wid" $((161 + x)) $((top + 354)) sleep 0.03; done
sleep 2
import -window "$wid" "$out/after-stroke.png"
[ "$(pixel "$out/after-stroke.png" 161 $((top + 354)))" != "255,255,255" ] || fail "the stroke did not move the cue ball"

xdotool key --clearmodifiers alt+h
sleep 0.3
xdotool key a
box=$(timeout 10 xdotool search --sync --onlyvisible --name '^Tavlo$' | head -n1) || fail "About did not open"
import -window "$box" "$out/about.png"
xdotool windowfocus --sync "$box" key Return
timeout 5 sh -c "while xdotool search --onlyvisible --name '^Tavlo\$' >/dev/null; do sleep 0.1; done" \
  || fail "About did not close on Return"

status=0
quit_game || status=$?
trap - EXIT
[ "$status" -eq 0 ] || fail "Exit did not end the program with status 0 (status $status)"
echo "e2e: 1 passed, 0 failed"
