# Sourced by the scripts that drive the game's window under X: its caption,
# the height of the table below the menu bar, starting, stroking and quitting.
# Waits are for what can be seen (a window, a colour, a process ending), never
# for a fixed time, so that a busy machine only makes them longer.
caption='Tavlo - by Kelvane'
client_height=496
# Where the table's top-left pixel lies in the window `wid`.
left=0 top=0

# Runs the calling script again on a virtual X display, unless it runs on one.
under_xvfb() {
  [ -n "${TAVLO_XVFB:-}" ] || TAVLO_XVFB=1 exec xvfb-run -a -s "-screen 0 800x700x24" "$0" "$@"
}

# Runs a command until it succeeds, for at most 20 seconds.
wait_until() {
  local end=$((SECONDS + 20))
  until "$@"; do
    [ $SECONDS -lt $end ] || return 1
    sleep 0.05
  done
}

# The colour of the table's pixel (x, y) as "r,g,b".
pixel() {
  import -window "$wid" png:- | convert - -crop "1x1+$((left + $1))+$((top + $2))" -depth 8 \
    -format '%[fx:int(255*r)],%[fx:int(255*g)],%[fx:int(255*b)]' info:
}
is_colour() { [ "$(pixel "$1" "$2")" = "$3" ]; }
white=255,255,255 cloth=0,127,127 cue_tip=240,128,48

# Starts a program and waits for its window and the cue ball on its spot;
# sets pid, wid and top.
start_game() {
  "$@" &
  pid=$!
  wid=$(timeout 20 xdotool search --sync --onlyvisible --name "^$caption\$" | head -n1) || return 1
  xdotool windowfocus --sync "$wid"
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  top=$((HEIGHT - client_height))
  wait_until is_colour 161 354 $white
}

# File > Exit by its access keys, each key once the game can take it; returns
# the program's exit status.
quit_game() {
  xdotool windowfocus --sync "$wid" key --clearmodifiers alt+f
  wait_until menu_open || return 1
  xdotool key e
  timeout 20 tail --pid="$pid" -f /dev/null || return 1
  wait "$pid"
}
menu_open() { [ "$(xdotool search --onlyvisible --pid "$pid" | wc -l)" -gt 1 ]; }

# A stroke straight at the cue ball on its spot, from the side (sx, sy), one
# of (1, 0), (-1, 0), (0, 1), (0, -1): the button is pressed with the pointer
# 90 pixels away, the pointer moved to 48 + SPEED pixels, and once a tick has
# drawn the cue there, moved SPEED pixels on into the 48 at which the cue
# strikes. The cue ball takes SPEED pixels a tick towards -(sx, sy), whatever
# the timing of the ticks. The pointer must stay there until the ball has
# left its spot: moved on before a tick has seen it, it strikes nothing.
# Usage: push_cue SX SY SPEED
push_cue() {
  local sx=$1 sy=$2 speed=$3 d
  at() { echo "--window $wid $((left + 161 + sx * $1)) $((top + 354 + sy * $1))"; }
  # A pixel the tip covers at each pointer position and not at the one before.
  tip_at() { is_colour $((161 + sx * $1)) $((354 + sy * $1)) $cue_tip; }
  # shellcheck disable=SC2046
  xdotool mousemove $(at 90)
  wait_until tip_at 70 || return 1
  xdotool mousedown 1 mouseup 1
  d=$((48 + speed))
  # shellcheck disable=SC2046
  xdotool mousemove $(at $d)
  wait_until tip_at $(((58 + speed) / 2)) || return 1
  # shellcheck disable=SC2046
  xdotool mousemove $(at $((d - speed)))
}
