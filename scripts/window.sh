# Sourced by the scripts that drive the game's window under X, or under weston
# on X: its caption, the height of the table below the menu bar, starting,
# stroking and quitting. Waits are for what can be seen (a window, a colour, a
# process ending, a line the game's Wayland connection logs), never for a
# fixed time, so that a busy machine only makes them longer.
caption='Tavlo - by Kelvane'
client_height=496
# Where the table's top-left pixel lies in the window `wid`: the game's own
# window under X, weston's one window on X under Wayland.
left=0 top=0
platform=x11

# Runs the calling script again on a virtual X display, unless it runs on one.
# -noreset keeps the display as it is when a client leaves: weston is not
# its first. The game runs there, whatever session the caller is in.
under_xvfb() {
  [ -n "${TAVLO_XVFB:-}" ] || TAVLO_XVFB=1 exec xvfb-run -a -s "-screen 0 800x700x24 -noreset" "$0" "$@"
  export QT_QPA_PLATFORM=xcb
}

# Starts weston on this display, as the game's Wayland compositor: its output
# is the X window `wid`, 800 x 700 as the display, and the game started next
# runs there natively, its protocol messages logged to wayland_log.
start_weston() {
  platform=wayland
  runtime=$(mktemp -d) # 0700, as Wayland asks of XDG_RUNTIME_DIR
  export XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=tavlo QT_QPA_PLATFORM=wayland
  wayland_log=$runtime/game.log
  # Nothing fades or zooms: every colour is either the old or the new.
  printf '[shell]\nanimation=none\nclose-animation=none\nstartup-animation=none\n' >"$runtime/weston.ini"
  weston --backend=x11-backend.so --use-pixman --socket=$WAYLAND_DISPLAY --width=800 --height=700 \
    --idle-time=0 --config="$runtime/weston.ini" --log="$runtime/weston.log" </dev/null &
  weston=$!
  wait_until [ -S "$runtime/$WAYLAND_DISPLAY" ] || return 1
  wid=$(timeout 20 xdotool search --sync --class '^Weston Compositor$' | head -n1) || return 1
  # The X focus goes to weston before any window of its own has it: moved
  # later, weston may take the keyboard from the game and not give it back.
  # The pointer waits on weston's panel, where no window goes.
  xdotool windowfocus --sync "$wid" mousemove --window "$wid" 400 10
}

# Starts openbox on this display, as the game's X11 window manager, and waits
# until it manages windows; sets wm.
start_openbox() {
  openbox &
  wm=$!
  wait_until wm_running
}
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }

# Ends what start_game, start_weston and start_openbox left running.
clean_up() {
  kill ${pid:-} ${weston:-} ${wm:-} 2>/dev/null || true
  kill -CONT ${pid:-} 2>/dev/null || true # a stopped game ends only once it goes on
  [ -z "${runtime:-}" ] || rm -rf "$runtime"
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
white=255,255,255 cloth=0,127,127 cue_tip=240,128,48 grey=239,239,239

# Starts a program and waits for its window and the cue ball on its spot;
# sets pid, wid (under X), left and top.
start_game() {
  if [ $platform = wayland ]; then
    # The log keeps every line; only what is not a protocol message is shown.
    WAYLAND_DEBUG=client "$@" 2> >(tee "$wayland_log" | grep --line-buffered -v '^\[' >&2) &
    pid=$!
    wait_until find_table || return 1
  else
    "$@" &
    pid=$!
    wid=$(timeout 20 xdotool search --sync --onlyvisible --name "^$caption\$" | head -n1) || return 1
    xdotool windowfocus --sync "$wid"
    eval "$(xdotool getwindowgeometry --shell "$wid")"
    top=$((HEIGHT - client_height))
  fi
  wait_until is_colour 161 354 $white
}

# Finds the table, whole, in weston's output by its cloth, which spans 269 x
# 421 pixels from (28, 35) of the table; sets left and top.
find_table() {
  local box
  box=$(import -window "$wid" png:- | convert - -fill black +opaque "rgb($cloth)" -format %@ info: 2>/dev/null)
  [[ $box == 269x421+* ]] || return 1
  IFS=+ read -r _ left top <<<"$box"
  left=$((left - 28)) top=$((top - 35))
}

# Under Wayland Qt draws the window's frame itself: a title bar 30 pixels high
# atop the menu bar, 3 pixels of border beside the table, and the maximize
# button 18 pixels wide, its middle 40 pixels left of the frame's right edge.
# The window's plain grey, straight above the table's right part, reaches from
# the table up to the frame's top. Sets title, the row through the title bar's
# middle, in the table's coordinates.
find_title_bar() {
  local box
  box=$(import -window "$wid" png:- | convert - -crop "2x60+$((left + 245))+$((top - 60))" +repage \
    -fill black +opaque "rgb($grey)" -format %@ info:)
  title=$((${box##*+} - 60 + 15))
}
maximize_button=$((326 + 3 - 40))

# The table is found whole, and its window no wider than its frame: right of
# the frame's border lies weston's background, not the window's plain grey.
at_its_size() { find_table && ! is_colour $((326 + 3 + 1)) 100 $grey; }

# Under X, the window manager has made the game's window full screen.
full_screen() { xprop -id "$wid" _NET_WM_STATE | grep -q FULLSCREEN; }
not() { ! "$@"; }

# The game has shown its main window anew, with a surface of its own, and the
# keyboard has come to it: its second xdg toplevel and a keyboard enter after.
shown_anew() {
  awk '/\.get_toplevel\(/ { n++ } n == 2 && /wl_keyboard@[0-9]+\.enter\(/ { ok = 1 } END { exit !ok }' "$wayland_log"
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
menu_open() {
  if [ $platform = wayland ]; then
    grep -q '\.get_popup(' "$wayland_log"
  else
    [ "$(xdotool search --onlyvisible --pid "$pid" | wc -l)" -gt 1 ]
  fi
}

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
