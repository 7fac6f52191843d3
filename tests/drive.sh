# Sourced by the scripts that drive the real game's window on a virtual X
# display, under openbox, i3 or weston there: starting, finding the table,
# looking at the window around it, stroking and quitting. Waits are for what
# can be seen (a window, a colour, a process ending, a line the game's Wayland
# connection logs) and last as long as they must, so that a busy machine only
# makes them longer; one gives up only when a program it waits on has ended.

# The game as it is designed: the client area below the menu bar, with the
# table at its top-left; the cue ball's spot; how far the cue's tip reaches
# from the pointer towards the cue ball, and the distance from the ball's
# centre at which the cue strikes; colours as hex RGB; and the box of the
# cloth's colour in the table.
client_width=326 client_height=496 spot_x=161 spot_y=354 reach=40 strike=48
cloth=007F7F cue_ball=FFFFFF cue_tip=F08030 cloth_size=269x421 cloth_left=28 cloth_top=35
# Where the table's top-left pixel lies in the window `wid`: the game's own
# window under X, weston's one window on X under Wayland; how many pixels a
# table pixel spans there; the window system's protocol.
left=0 top=0 zoom=1 wid= platform=x11

# Starts a virtual X display for this script and what it starts, 1024 x 768,
# larger than weston's output, or as xvfb_screen says (1920x1080); sets
# xserver, runtime, a folder of this run's own, and shot, where pictures of
# the window are saved. Xvfb takes a display
# number that no other server holds, not even one whose lock file lies in
# another root (a chroot's), and lets in only the clients that hold this run's
# cookie. -noreset keeps the display as it is when a client leaves: weston is
# not its first.
start_xvfb() {
  # 0700, as Wayland asks: the sockets of weston, i3 and Qt lie in this
  # run's own folder, whatever the caller's environment names.
  runtime=$(mktemp -d) shot=$runtime/shot.ppm
  export XDG_RUNTIME_DIR=$runtime XAUTHORITY=$runtime/Xauthority QT_QPA_PLATFORM=xcb
  local cookie
  # The server takes every cookie in the file.
  cookie=$(mcookie) && : >"$XAUTHORITY" && xauth add :0 . "$cookie"
  Xvfb -displayfd 3 -auth "$XAUTHORITY" -screen 0 "${xvfb_screen:-1024x768}x24" -noreset -nolisten tcp 3>"$runtime/display" \
    2>"$runtime/xvfb.log" & xserver=$!
  wait_until [ -s "$runtime/display" ] && export DISPLAY=:$(<"$runtime/display") && xauth add "$DISPLAY" . "$cookie"
}

# Starts weston on this display, as the game's Wayland compositor: its output
# is the X window `wid`, 800 x 700 at the display's top-left, and each game
# started next runs there natively, its protocol messages logged to a file of
# its own, wayland_log.
start_weston() {
  platform=wayland
  export WAYLAND_DISPLAY=tavlo QT_QPA_PLATFORM=wayland
  # Nothing fades or zooms: every colour is either the old or the new.
  printf '[shell]\nanimation=none\nclose-animation=none\nstartup-animation=none\n' >"$runtime/weston.ini"
  # weston follows the X pointer by its moves, and learns where it is only as
  # it enters weston's window: it waits outside that window until weston is
  # up, and then goes in.
  xdotool mousemove 1000 750
  weston --backend=x11-backend.so --use-pixman --socket=$WAYLAND_DISPLAY --width=800 --height=700 \
    --idle-time=0 --config="$runtime/weston.ini" --log="$runtime/weston.log" </dev/null & weston=$!
  # The X focus goes to weston before any window of its own has it: moved
  # later, weston may take the keyboard from the game and not give it back.
  wait_until [ -S "$runtime/$WAYLAND_DISPLAY" ] && wait_until eval 'wid=$(xdotool search --onlyvisible --class "^Weston Compositor$" | head -n1)' &&
    xdotool windowfocus --sync "$wid" && park
}
# weston draws its pointer into its output, and leaves it there when the X
# pointer leaves: it waits at the output's top-right pixel, on weston's panel
# or the game's menu bar, where no check looks.
park() { xdotool mousemove --window "$wid" 799 0; }

# Starts an X11 window manager on this display, as the game's, and waits until
# it has started up: a window that asks to be shown while openbox is still
# starting up may never be. `openbox`, or `i3` with every window tiled (i3
# floats a window that asks for a fixed size), without border or title bar,
# the focus moved by the programs and the keys alone, never by where the
# pointer happens to be.
# Sets wm.
start_wm() {
  printf '# i3 config file (v4)\nfont pango:monospace 8\nfocus_follows_mouse no\nexec touch %s/wm\nfor_window [class=".*"] floating disable, border none\n' "$runtime" >"$runtime/i3.config"
  if [ "$1" = i3 ]; then i3 -c "$runtime/i3.config" & else openbox --startup "touch $runtime/wm" & fi
  wm=$! && wait_until [ -e "$runtime/wm" ]
}

# Ends what the functions here started.
clean_up() {
  kill ${pid:-} ${weston:-} ${wm:-} 2>/dev/null || true
  for p in ${pid:-} ${weston:-} ${wm:-}; do wait "$p" 2>/dev/null || true; done
  kill ${xserver:-} 2>/dev/null || true
  [ -z "${runtime:-}" ] || rm -rf "$runtime"
}

# Runs a command until it succeeds, or until the X server, the game, weston
# or the window manager, whichever were started, has ended.
wait_until() {
  local p
  until "$@"; do
    for p in ${xserver:-} ${pid:-} ${weston:-} ${wm:-}; do kill -0 "$p" 2>/dev/null || return 1; done
    sleep 0.05
  done
}

# Takes the window's picture, `shot`, or as convert's arguments say. convert
# waits for a click when the window is gone, so it is ended then: the caller's
# wait sees whether the game has. A portable pixmap holds only the size and
# the pixels: two pictures alike are alike byte for byte.
shoot() { timeout 60 convert "x:$wid" -depth 8 "${@:-$shot}"; }
# Where the table's pixel (x, y) lies in the window, as "X Y".
at() { awk -v l=$left -v t=$top -v z=$zoom -v x="$1" -v y="$2" 'BEGIN { printf "%d %d", l + (x + 0.5) * z, t + (y + 0.5) * z }'; }
# The colour of the table's pixel (x, y) in a picture taken now; outside the
# picture, that of the nearest pixel at its edge.
pixel() { local p && read -ra p <<<"$(at "$1" "$2")" && shoot -format "%[hex:p{${p[0]},${p[1]}}]" info:; }
# Moves the pointer to the table's pixel (x, y).
point() { local p && read -ra p <<<"$(at "$1" "$2")" && xdotool mousemove --window "$wid" "${p[0]}" "${p[1]}"; }
is_colour() { [ "$(pixel "$1" "$2")" = "$3" ]; }

# Starts a program and waits for its table with the cue ball on its spot,
# wherever a window manager puts it once it shows; sets pid, wid (under X),
# left, top and zoom.
start_game() { launch "$@" && wait_until eval 'find_table && is_colour $spot_x $spot_y $cue_ball'; }
# Under Wayland the log keeps every line the program writes; only what is not
# a protocol message is shown. Under X the program's window gets the focus.
launch() {
  wayland_log=$(mktemp -p "$runtime")
  WAYLAND_DEBUG=client "$@" 2> >(tee "$wayland_log" | grep --line-buffered -v '^\[' >&2) & pid=$!
  # Under X, once the program's window is on screen, wid names it.
  [ $platform = wayland ] || { wait_until eval 'wid=$(xdotool search --onlyvisible --pid "$pid" | head -n1) && [ -n "$wid" ]' && xdotool windowfocus --sync "$wid"; }
}

# Takes a picture, `shot`, and finds the table in it by its cloth, whole, at
# any zoom, its proportions kept; sets left, top and zoom.
find_table() {
  local box w h x y
  box=$(shoot -write "$shot" -fill black +opaque "#$cloth" -format %@ info: 2>/dev/null) || return 1
  IFS=x+ read -r w h x y <<<"$box" && ((w > 0)) || return 1
  read -r left top zoom < <(awk -v w="$w" -v h="$h" -v x="$x" -v y="$y" -v size="$cloth_size" -v cl=$cloth_left -v ct=$cloth_top 'BEGIN {
    split(size, s, "x"); z = w / s[1]; if (h - s[2] * z > 2 || s[2] * z - h > 2) exit 1
    printf "%d %d %.6f\n", x - cl * z + 0.5, y - ct * z + 0.5, z }') && [ -n "$zoom" ]
}
# The table at its own size, as the window opens.
at_own_size() { find_table && [ "$zoom" = 1.000000 ]; }
# The table, enlarged, fills the height below the menu bar within 2 pixels
# (and Qt's border of 3 under Wayland), in the middle, or the width.
fills() {
  local w h e=2
  find_table && read -r w h <<<"$(identify -format '%w %h' "$shot")" && [ "$zoom" != 1.000000 ] || return 1
  [ $platform = x11 ] || e=5
  awk -v w="$w" -v h="$h" -v l=$left -v t=$top -v z=$zoom -v cw=$client_width -v ch=$client_height -v e=$e 'BEGIN {
    right = w - l - int(cw * z); below = h - t - int(ch * z); d = l - right
    exit !((below <= e && d * d <= (e + 1) * (e + 1)) || (l <= e && right <= e)) }'
}
# The table's picture is alike, pixel for pixel, before and after a command,
# once the table is back where it was, at the zoom it had: a window system
# may show a size on the way first.
same_after() {
  local before=$runtime/before.ppm crop was
  find_table && was="$left $top $zoom" crop=$(awk -v z=$zoom -v cw=$client_width -v ch=$client_height -v l=$left -v t=$top 'BEGIN { printf "%dx%d+%d+%d", cw * z, ch * z, l, t }') &&
    convert "$shot" -crop "$crop" +repage "$before" && "$@" && wait_until eval 'find_table && [ "$left $top $zoom" = "$was" ]' &&
    convert "$shot" -crop "$crop" +repage "$runtime/after.ppm" && alike "$before" "$runtime/after.ppm"
}
# Two pictures, saved as shoot saves them, are alike pixel for pixel.
alike() { cmp -s "$1" "$2"; }
# The scoreboard: the menu bar from 16 to 4 pixels above the table, from the
# window's left to 20 pixels short of the table's right, where the pointer
# may wait under weston; saved as the file named.
menu_bar() { local p && read -ra p <<<"$(at $((client_width - 20)) 0)" && shoot -crop "${p[0]}x12+0+$((top - 16))" "$1"; }
# Under Wayland, clicks Qt's maximize button in the window's title bar, 40
# pixels left of the frame's right edge and 15 below its top. The frame's
# title bar and border, and the window's plain colour bg within, all of one
# colour, hang together around the menu bar's right end, 2 pixels above the
# table: their box is found by a flood fill in the picture, framed in black so
# that the box may reach its edges (and lies one pixel further right and down).
maximize_button() {
  local w x y
  shoot && IFS=x+ read -r w _ x y <<<"$(convert "$shot" -fill magenta -floodfill "+$(awk -v l=$left -v z=$zoom -v cw=$client_width 'BEGIN { printf "%d", l + cw * z - 1 }')+$((top - 2))" "#$bg" \
    -fill black +opaque magenta -bordercolor black -border 1 -format %@ info:)"
  xdotool mousemove --window "$wid" $((x - 1 + w - 40)) $((y - 1 + 15)) mousedown 1 mouseup 1 && park
}

# A stroke straight at the cue ball on its spot, from the right, at 2 pixels
# a tick: gentle, so that the balls soon come to rest, and yet sure to leave
# the spot. The button is pressed with the pointer 90 pixels away, the pointer
# moved to 1 pixel short of where the cue strikes, and once a tick has drawn
# the cue there, moved on 1 pixel within where it strikes; the window's zoom
# may blur each by a fraction of a pixel. The cue ball rolls 30 to 90 pixels
# to the left, whatever the timing of the ticks. The pointer stays there
# until the ball has left its spot: moved on before a tick has seen it, it
# strikes nothing. Under weston on a busy machine a press has once started no
# stroke; a ball still on its spot 5 s after the push is stroked once
# again, which leaves a stroke under way as it is: the press is ignored, and
# the pull back does not reach the ball.
#
# Before the press, the cue is aimed from 90 pixels to the right, and drawn
# there: its tip runs through the pointer. Under Wayland, where the pointer
# shows in the picture, the pixel looked at lies half the tip's reach to the
# left of it. A pointer that comes from outside the window under weston is
# told to the game by where it entered, which Qt 6.8 does not take for a move:
# the pointer moves on from a pixel beside, as a hand would.
stroke() {
  local d=$((strike + 1)) end gone tries=0
  while ((tries++ < 2)); do
    point $((spot_x + 91)) $spot_y && point $((spot_x + 90)) $spot_y
    wait_until is_colour $((spot_x + 90 - reach / 2)) $spot_y $cue_tip || return 1
    xdotool mousedown 1 mouseup 1 && point $((spot_x + d)) $spot_y
    # The tip reaches `reach` pixels from the pointer towards the ball: a
    # pixel it covers now and not with the pointer 90 pixels away.
    wait_until is_colour $((spot_x + (90 + d) / 2 - reach)) $spot_y $cue_tip || return 1
    point $((spot_x + strike - 1)) $spot_y
    end=$((SECONDS + 5)) gone=
    wait_until eval 'is_colour $spot_x $spot_y $cloth && gone=1 || ((SECONDS > end))' || return 1
    [ -z "$gone" ] || return 0
    echo "e2e: the cue ball still on its spot 5 s after the push" >&2
  done
  return 1
}

# Opens a menu by its access key (Alt+F, Alt+H) and picks an item by its own.
# Under Wayland the menu asks for its grab with the serial of the key's press,
# which a later key event outdates: the key is held until the menu is open.
# Usage: menu f e   (File > Exit)
menu() {
  xdotool windowfocus --sync "$wid" keydown alt+$1
  wait_until menu_open || return 1
  xdotool keyup alt+$1 key $2
}
# The menu shows: under Wayland, its popup configured, not dismissed.
menu_open() {
  if [ $platform = x11 ]; then [ "$(xdotool search --onlyvisible --pid "$pid" | wc -l)" -gt 1 ]
  else grep -q 'xdg_popup[@#][0-9]*\.configure(' "$wayland_log" && ! grep -q 'popup_done(' "$wayland_log"; fi
}
# Under X, the About box shows, by its title, and has the keyboard.
box_shown() { box=$(xdotool search --all --onlyvisible --pid "$pid" --name '^Tavlo$') && [ "$(xdotool getwindowfocus)" = "$box" ]; }
# File > Exit; returns the program's exit status.
quit_game() { menu f e && wait "$pid"; }
# Under i3, Help > About tiles its box beside the window; Return closes it,
# and the window, tiled whole again, is repainted whole.
about_and_back() { menu h a && wait_until box_shown && xdotool key Return && wait_until eval '! xdotool search --all --onlyvisible --pid "$pid" --name "^Tavlo$"'; }
