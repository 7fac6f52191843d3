# Sourced by the scripts that drive the game's window under X: its caption,
# the height of the table below the menu bar, starting, stroking and quitting.
caption='Tavlo - by Kelvane'
client_height=496

# Runs the calling script again on a virtual X display, unless it runs on one.
under_xvfb() {
  [ -n "${TAVLO_XVFB:-}" ] || TAVLO_XVFB=1 exec xvfb-run -a -s "-screen 0 800x700x24" "$0" "$@"
}

# Starts a program and waits for its window; sets pid, wid and top (where the
# table begins below the window's top edge).
start_game() {
  "$@" &
  pid=$!
  wid=$(timeout 20 xdotool search --sync --onlyvisible --name "^$caption\$" | head -n1) || return 1
  xdotool windowfocus --sync "$wid"
  sleep 1
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  top=$((HEIGHT - client_height))
}

# File > Exit by its access keys; returns the program's exit status.
quit_game() {
  xdotool windowfocus --sync "$wid" key --clearmodifiers alt+f
  sleep 0.3
  xdotool key e
  timeout 10 tail --pid="$pid" -f /dev/null || return 1
  wait "$pid"
}

# A stroke: presses the button with the pointer at (dx, dy) from the cue
# ball's spot, then moves the pointer by (step x, step y) every 16 ms, count
# times. Usage: push_cue DX DY STEP_X STEP_Y COUNT
push_cue() {
  local x=$((161 + $1)) y=$((top + 354 + $2)) args=""
  xdotool mousemove --window "$wid" "$x" "$y" sleep 0.2 mousedown 1 mouseup 1 sleep 0.1
  for _ in $(seq "$5"); do
    x=$((x + $3)) y=$((y + $4))
    args+="mousemove --window $wid $x $y sleep 0.016 "
  done
  # shellcheck disable=SC2086
  xdotool $args
}
