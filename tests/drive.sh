# Sourced by the scripts that drive the real game's window on a virtual X
# display, under openbox or under weston there: starting, finding the table,
# stroking and quitting. What it knows of the game, the build writes from the
# game's own values into build/tests/constants.sh (tests/constants.cpp), which
# TAVLO_CONSTANTS names. Waits are for what can be seen (a window, a colour, a
# process ending, a line the game's Wayland connection logs) and last as long
# as they must, so that a busy machine only makes them longer; one gives up
# only when a program it waits on has ended.
# shellcheck source=/dev/null
. "${TAVLO_CONSTANTS:?names build/tests/constants.sh}"
# Where the table's top-left pixel lies in the window `wid`: the game's own
# window under X, weston's one window on X under Wayland.
left=0 top=0
platform=x11

# Starts a virtual X display for this script and what it starts, 1024 x 768,
# larger than weston's output; sets xserver and runtime, a folder of this
# run's own. Xvfb takes a display number that no other server holds, not even
# one whose lock file lies in another root (a chroot's), and lets in only the
# clients that hold this run's cookie. -noreset keeps the display as it is
# when a client leaves: weston is not its first.
start_xvfb() {
  runtime=$(mktemp -d) # 0700, as Wayland asks of XDG_RUNTIME_DIR
  export XAUTHORITY=$runtime/Xauthority QT_QPA_PLATFORM=xcb
  local cookie
  cookie=$(mcookie)
  : >"$XAUTHORITY"
  xauth add :0 . "$cookie" # the server takes every cookie in the file
  Xvfb -displayfd 3 -auth "$XAUTHORITY" -screen 0 1024x768x24 -noreset -nolisten tcp 3>"$runtime/display" \
    2>"$runtime/xvfb.log" &
  xserver=$!
  wait_until [ -s "$runtime/display" ] || return 1
  export DISPLAY=:$(<"$runtime/display")
  xauth add "$DISPLAY" . "$cookie"
}

# Starts weston on this display, as the game's Wayland compositor: its output
# is the X window `wid`, 800 x 700 at the display's top-left, and the game
# started next runs there natively, its protocol messages logged to
# wayland_log.
start_weston() {
  platform=wayland
  export XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=tavlo QT_QPA_PLATFORM=wayland
  wayland_log=$runtime/game.log
  # Nothing fades or zooms: every colour is either the old or the new.
  printf '[shell]\nanimation=none\nclose-animation=none\nstartup-animation=none\n' >"$runtime/weston.ini"
  # weston follows the X pointer by its moves, and learns where it is only as
  # it enters weston's window: it waits outside that window until weston is
  # up, and then goes in.
  xdotool mousemove 1000 750
  weston --backend=x11-backend.so --use-pixman --socket=$WAYLAND_DISPLAY --width=800 --height=700 \
    --idle-time=0 --config="$runtime/weston.ini" --log="$runtime/weston.log" </dev/null &
  weston=$!
  wait_until [ -S "$runtime/$WAYLAND_DISPLAY" ] && wait_until weston_shown || return 1
  # The X focus goes to weston before any window of its own has it: moved
  # later, weston may take the keyboard from the game and not give it back.
  # The pointer waits on weston's panel, where no window goes.
  xdotool windowfocus --sync "$wid" mousemove --window "$wid" 400 10
}
weston_shown() { wid=$(xdotool search --onlyvisible --class '^Weston Compositor$' | head -n1); }

# Starts openbox on this display, as the game's X11 window manager, and waits
# until it has started up: a window that asks to be shown while openbox is
# still starting up may never be. Sets wm.
start_openbox() {
  openbox --startup "touch $runtime/openbox" &
  wm=$!
  wait_until [ -e "$runtime/openbox" ]
}

# Ends what the functions here started.
clean_up() {
  kill ${pid:-} ${weston:-} ${wm:-} 2>/dev/null || true
  kill -CONT ${pid:-} 2>/dev/null || true # a stopped game ends only once it goes on
  for p in ${pid:-} ${weston:-} ${wm:-}; do wait "$p" 2>/dev/null || true; done
  kill ${xserver:-} 2>/dev/null || true
  [ -z "${runtime:-}" ] || rm -rf "$runtime"
}

# Runs a command until it succeeds, or until the X server, the game, weston
# or openbox, whichever were started, has ended.
wait_until() {
  local p
  until "$@"; do
    for p in ${xserver:-} ${pid:-} ${weston:-} ${wm:-}; do kill -0 "$p" 2>/dev/null || return 1; done
    sleep 0.05
  done
}

# The window's picture as PNG. import waits for a click when the window is
# gone, so it is ended then: the caller's wait sees whether the game has.
picture() { timeout 60 import -window "$wid" png:-; }

# The colour of the table's pixel (x, y) as "r,g,b".
pixel() {
  picture | convert - -crop "1x1+$((left + $1))+$((top + $2))" -depth 8 \
    -format '%[fx:int(255*r)],%[fx:int(255*g)],%[fx:int(255*b)]' info:
}
is_colour() { [ "$(pixel "$1" "$2")" = "$3" ]; }

# Starts a program and waits for its table with the cue ball on its spot;
# sets pid, wid (under X), left and top.
start_game() {
  if [ $platform = wayland ]; then
    # The log keeps every line; only what is not a protocol message is shown.
    WAYLAND_DEBUG=client "$@" 2> >(tee "$wayland_log" | grep --line-buffered -v '^\[' >&2) &
    pid=$!
  else
    "$@" &
    pid=$!
    wait_until game_shown || return 1
    xdotool windowfocus --sync "$wid"
  fi
  wait_until find_table && wait_until is_colour $spot_x $spot_y $cue_ball
}
# Under X, the program's window is on screen; sets wid.
game_shown() { wid=$(xdotool search --onlyvisible --pid "$pid" | head -n1); }

# Finds the table in the window's picture by its cloth, whole; sets left and
# top.
find_table() {
  local box
  box=$(picture | convert - -fill black +opaque "rgb($cloth)" -format %@ info: 2>/dev/null)
  [[ $box == "$cloth_size"+* ]] || return 1
  IFS=+ read -r _ left top <<<"$box"
  left=$((left - cloth_left)) top=$((top - cloth_top))
}

# Under Wayland Qt draws the window's frame itself. Qt's own numbers: a title
# bar 30 pixels high, a border of 3 pixels beside the client area, and the
# maximize button's middle 40 pixels left of the frame's right edge.
qt_title_middle=15 qt_border=3 qt_maximize=40
# The frame's colour, that of its border left of the table, reaches straight
# above the table's right part from the menu bar up to the frame's top, less
# than 60 pixels above the table. Sets title, the row through the title bar's
# middle, in the table's coordinates, and frame, the frame's colour.
find_title_bar() {
  local box
  frame=$(pixel -1 100)
  box=$(picture | convert - -crop "2x60+$((left + 245))+$((top - 60))" +repage \
    -fill black +opaque "rgb($frame)" -format %@ info:)
  title=$((${box##*+} - 60 + qt_title_middle))
}
maximize_button=$((client_width + qt_border - qt_maximize))

# The table is found whole, and its window no wider than its frame: right of
# the frame's border lies weston's background, not the frame's colour.
at_its_size() { find_table && ! is_colour $((client_width + qt_border + 1)) 100 "$frame"; }

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
  # Held until the menu is open: under Wayland the menu asks for its grab
  # with the serial of the F key's press, which a later key event outdates.
  xdotool windowfocus --sync "$wid" keydown alt+f
  wait_until menu_open || return 1
  xdotool keyup alt+f key e
  wait "$pid"
}
# The File menu shows: under Wayland, its popup configured, not dismissed.
menu_open() {
  if [ $platform = wayland ]; then
    grep -q '] xdg_popup@[0-9]*\.configure(' "$wayland_log" && ! grep -q 'popup_done(' "$wayland_log"
  else
    [ "$(xdotool search --onlyvisible --pid "$pid" | wc -l)" -gt 1 ]
  fi
}

# A stroke straight at the cue ball on its spot, from the side (sx, sy), one
# of (1, 0), (-1, 0), (0, 1), (0, -1): the button is pressed with the pointer
# 90 pixels away, the pointer moved to SPEED pixels short of where the cue
# strikes, and once a tick has drawn the cue there, moved on to where it
# strikes. The cue ball takes SPEED pixels a tick towards -(sx, sy), whatever
# the timing of the ticks. The pointer must stay there until the ball has
# left its spot: moved on before a tick has seen it, it strikes nothing.
# Usage: push_cue SX SY SPEED   (SPEED less than 90 - strike)
push_cue() {
  local sx=$1 sy=$2 d=$((strike + $3))
  at() { echo "--window $wid $((left + spot_x + sx * $1)) $((top + spot_y + sy * $1))"; }
  # The cue's tip reaches `reach` pixels from the pointer towards the ball: a
  # pixel it covers at each pointer position and not at the one before.
  tip_at() { is_colour $((spot_x + sx * $1)) $((spot_y + sy * $1)) $cue_tip; }
  # shellcheck disable=SC2046
  xdotool mousemove $(at 90)
  wait_until tip_at $((90 - reach / 2)) || return 1
  xdotool mousedown 1 mouseup 1
  # shellcheck disable=SC2046
  xdotool mousemove $(at $d)
  wait_until tip_at $(((90 + d) / 2 - reach)) || return 1
  # shellcheck disable=SC2046
  xdotool mousemove $(at $strike)
}
