# Sourced by the scripts that drive the game's window under X: its caption,
# the height of the table below the menu bar, and starting and quitting it.
caption='Tavlo - by Kelvane'
client_height=496

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
