#!/usr/bin/env bash
# How the game's frames reach the screen under a Wayland compositor: the game
# runs natively under weston, on weston's X11 backend in a virtual X display,
# with weston's timeline logged, while it aims for SECONDS (the pointer
# circling the cue ball, a new position every 16 ms, so that every tick of
# the game, 60 a second, has a new frame), and while the balls roll with the
# pointer still, in a break of a new game for each 2 of SECONDS (a break rolls
# for a second and a half), each break after a moment's aim as a player's.
# With BEFORE, a game built before a change, the same run measures it first,
# under the same weston, for the ratios of the change.
#
# The timeline tells when the game commits a frame with something new in it
# (core_commit_damage of the game's window) and when weston repaints its
# output (core_repaint_begin). A repaint shows the last frame committed
# before it began; weston handles the game's requests and its own repaints in
# one thread, so a commit always lies wholly before or after a repaint.
# weston may also come to a repaint's moment with nothing to paint, and leave
# its repaint loop (core_repaint_exit_loop) until a commit asks for one again
# (core_repaint_enter_loop): that moment, and any that pass while it waits,
# show the picture as it was, as a repaint with nothing new would. Each phase
# is counted from the first repaint that takes one of its frames to the last:
#   commits     frames the game committed; c/s, a second
#   idle        ticks between two frames that committed none, the game's
#               60 a second counted by the time between its frames: in a
#               break, its slowest balls (4 ticks a break, in every build);
#               aiming, a pointer's move that came a tick late, or a tick
#               the game missed. Each may leave weston a repaint with nothing
#               new, one of those shown again
#   repaints    repaints weston made; Hz, its rate while it paints one after
#               another. weston 10's X11 backend takes a frame as shown 10 ms
#               after painting it, and paints the next a display period (60 Hz,
#               as the game is told) less weston's 7 ms window later: ~51 Hz
#   shown       frames on screen for at least one repaint
#   never       frames a newer one replaced before any repaint took them
#   again       repaints and moments without one that had no new frame: the
#               frame before held once more
#   unavoid     what weston's rate alone makes unavoidable: with more frames
#               than repaints and moments, the difference is never shown
#               however well the frames are timed; with fewer, shown again
#   avoidable   never + again - unavoid: the stutters that frames timed to
#               weston's repaints would not have; each is twice a repaint
#               that could have had a new frame and had none
# A break's last ticks, its slowest balls moving less than a pixel a tick,
# may change no pixel and commit nothing: a frame shown again then is the
# right one, and counts among the avoidable. A break rolls bit for bit alike
# in every build of the game, so these few count alike for both programs.
# Usage: scripts/measure-presentation.sh [SECONDS [BEFORE]]   (SECONDS of each phase; default 8)
# TAVLO_REPAINT_WINDOW=10 has weston repaint at 60 Hz (below).
# TAVLO_PROGRAM=PATH measures that program as the game, instead of building it
# into TAVLO_BUILD_DIR (build-bench); TAVLO_TIMELINE=FILE keeps weston's log
# there, with the lines that begin and end each phase.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-8} before=${2:+$(realpath "$2")}
build=${TAVLO_BUILD_DIR:-build-bench}
scripts/bootstrap.sh --tests
if [ -n "${TAVLO_PROGRAM:-}" ]; then
  game=$(realpath "$TAVLO_PROGRAM")
else
  cmake -S . -B "$build" -G Ninja -DTAVLO_TESTS=OFF -DTAVLO_SANITIZE=OFF -DTAVLO_CORE_ONLY=OFF -DTAVLO_WERROR=ON >/dev/null
  cmake --build "$build" --target tavlo >/dev/null
  game=$(realpath "$build/control/tavlo")
fi
. tests/drive.sh
. scripts/aim.sh
trap clean_up EXIT
trap 'exit 143' TERM INT
# weston as start_weston starts it, with its timeline in the log besides its
# messages. exec runs the program, not this function, and in the background
# job that start_weston makes of it: the job's id is weston's own.
# With TAVLO_REPAINT_WINDOW=MS, weston starts each repaint MS before the
# moment it expects the next frame to be shown (7 by default): its X11 backend
# takes a frame as shown 10 ms after it repainted, so 10 has it repaint every
# 16.7 ms, as a 60 Hz display would.
weston() {
  [ -z "${TAVLO_REPAINT_WINDOW:-}" ] || printf '[core]\nrepaint-window=%s\n' "$TAVLO_REPAINT_WINDOW" >>"$runtime/weston.ini"
  exec weston "$@" --logger-scopes=log,timeline
}
start_xvfb
start_weston
log=$runtime/weston.log
# The game's window as weston's timeline describes it.
title="'Tavlo - by Kelvane'"


# A break, as stroke strikes but from 90 pixels below the cue ball, straight
# up at the rack, and 12 pixels a tick where stroke moves 2: the balls roll
# for a second and a half, and many of them at once. The pointer moves 1 pixel
# in from 90 pixels away, so that the game sees a move; the button is pressed
# once the cue is drawn there, the pointer moved to 11 pixels beyond where the
# cue strikes, and once a tick has drawn the cue there, to 1 pixel within: the
# tick that sees it gives the ball those 12 pixels. Below the pointer lies
# weston's pointer, above it the cue: the pixels looked at are the cue's.
# Returns once the cue ball has left its spot; a press that started no stroke
# (a busy machine's weston has dropped one) is made once again.
break_rack() {
  local d=$((strike + 11)) end tries=0
  until is_colour $spot_x $spot_y $cloth; do
    ((tries++ < 2)) || return 1
    point $spot_x $((spot_y + 91)) && point $spot_x $((spot_y + 90))
    wait_until is_colour $spot_x $((spot_y + 90 - reach / 2)) $cue_tip || return 1
    xdotool mousedown 1 mouseup 1 && point $spot_x $((spot_y + d))
    # A pixel of the cue now, below its tip, and above the tip 90 pixels away.
    wait_until is_colour $spot_x $((spot_y + (90 + d) / 2 - reach)) $cue_tip || return 1
    point $spot_x $((spot_y + strike - 1))
    end=$((SECONDS + 5))
    wait_until eval 'is_colour $spot_x $spot_y $cloth || ((SECONDS > end))' || return 1
  done
}

# The lines of weston's log so far, written a line at a time: a phase is the
# lines between two marks, or the lines of several such pairs.
mark() { marks+=("$(wc -l <"$log")"); }

# Starts the program, lets it settle with the pointer beside the cue ball,
# measures it aiming, and then rolling, in breaks of new games, each after a
# moment's aim as a player's; ends the program. A break rolls for less than
# 2 s, 87 ticks (how the balls roll is alike on every machine); the marks of
# each lie about its roll from the moment its cue ball is seen to leave the
# spot.
measure() {
  local roll
  start_game "$1" || fail "$1: no table with the cue ball on its spot"
  point $((spot_x + 90)) $spot_y
  sleep 1
  mark
  aim "$seconds"
  mark
  for ((roll = 0; roll < rolls; roll++)); do
    if ((roll > 0)); then
      menu f n && wait_until is_colour $spot_x $spot_y $cue_ball || fail "$1: New Game racked no balls"
      aim 1
    fi
    break_rack || fail "$1: the break did not move the cue ball"
    mark
    sleep 2
    mark
  done
  quit_game || fail "$1: File > Exit ended the program with status $?"
  pid=
}
fail() { echo "measure-presentation: $1" >&2 && exit 1; }
rolls=$(((seconds + 1) / 2)) marks=()
[ -z "$before" ] || measure "$before"
measure "$game"

# Reads weston's log for the lines between FROM and TO: the game's frames and
# weston's repaints as described above, with the repaints after TO that the
# last frames need. Objects are described once they first take part, and
# again as they change ("desc"); an event names a surface by "ws", an output
# by "wo"; times are "T":[seconds, nanoseconds]. Prints "COMMITS SPAN_MS
# REPAINTS PERIODS_MS PERIODS SHOWN NEVER AGAIN UNAVOID AVOIDABLE IDLE",
# PERIODS the times between two repaints in a row, summed, and their number.
stretch() {
  awk -v from="$1" -v to="$2" -v title="$title" '
  function num(key, r) {
    if (!match($0, "\"" key "\" *: *[0-9]+")) return ""
    r = substr($0, RSTART, RLENGTH); sub(/^[^:]*: */, "", r); return r + 0
  }
  function stamp(r, p) {
    if (!match($0, /"T" *: *\[ *[0-9]+ *, *[0-9]+ *\]/)) return 0
    r = substr($0, RSTART, RLENGTH); gsub(/[^0-9,]/, "", r); split(r, p, ",")
    return p[1] * 1000 + p[2] / 1000000
  }
  /"type" *: *"weston_surface"/ { game[num("id")] = index($0, title) > 0; next }
  # With no output described, every repaint counts: drive.sh gives weston one.
  /"type" *: *"weston_output"/ { if (out == "") out = num("id"); next }
  !match($0, /"N" *: *"[a-z_]*"/) { next }
  {
    n = substr($0, RSTART, RLENGTH); sub(/^"N" *: *"/, "", n); sub(/"$/, "", n)
    if (n ~ /^core_repaint_/ && out != "" && num("wo") != out) next
  }
  # Past TO, only until the repaint that takes the last frames has flushed it.
  NR > to && !due && n != "core_flush_damage" { exit }
  n == "core_commit_damage" && game[num("ws")] {
    pending++
    if (NR > from && NR <= to) {
      commits++; due++; t = stamp()
      # Ticks between two frames, a 60th of a second apart, that committed none.
      if (previous != "" && t - previous <= 100) skipped += int((t - previous) * 60 / 1000 + 0.5) - 1
      previous = t
    }
    next
  }
  NR <= from { next }
  # A repaint ("r"): it takes the last frame committed since the one before.
  n == "core_repaint_begin" {
    t = stamp(); kind[++k] = "r"; shown[k] = pending > 0; took[k] = due; at[k] = t
    if (due) { if (!first) first = k; last = k }
    if (since != "" && first) { gaps += t - since; beats++ }
    since = t; pending = due = 0
    next
  }
  n == "core_flush_damage" && game[num("ws")] && k { flushed[k] = 1; next }
  # The moment of a repaint with nothing to paint ("x"): weston leaves its loop.
  n == "core_repaint_exit_loop" { kind[++k] = "x"; idle = stamp(); since = ""; next }
  # Back in the loop ("w"): the moments that passed meanwhile.
  n == "core_repaint_enter_loop" && idle { kind[++k] = "w"; waited[k] = stamp() - idle; idle = 0; next }
  # A spell of more than six ticks (100 ms) without a frame, weston out of its
  # loop all along, is the game with nothing new to show, not a frame held:
  # the frames on either side of it are counted apart, and its time left out.
  function apart(u, a) {
    u = c > m ? c - m : m - c; unavoid += u
    a = (c - o) + (m - o) - u; if (a > 0) avoidable += a
    never += c - o; again += m - o; c = m = o = 0
  }
  END {
    period = beats ? gaps / beats : 1000 / 60
    span = first ? at[last] - at[first] + period : 0
    for (i = first; first && i <= last; i++) {
      if (kind[i] == "x" && kind[i + 1] == "w" && waited[i + 1] > 100) { apart(); span -= waited[i + 1]; i++; continue }
      if (kind[i] == "w") { m += int(waited[i] / period); continue }
      m++
      if (kind[i] == "r") repaints++
      c += took[i]; o += shown[i]; flushes += flushed[i]; on += shown[i]
    }
    apart()
    if (flushes != on) printf "measure-presentation: %d repaints took a new frame, weston flushed the window into %d\n", on, flushes >"/dev/stderr"
    printf "%d %.3f %d %.3f %d %d %d %d %d %d %d\n", commits, span, repaints, gaps, beats, on, never, again, unavoid, avoidable, skipped
  }' "$log"
}
# The figures of a phase, its stretches summed, from the pairs of marks given:
# "COMMITS C/S IDLE REPAINTS HZ SHOWN NEVER AGAIN UNAVOID AVOIDABLE".
phase() {
  while (($#)); do stretch "$1" "$2" && shift 2; done | awk '
    { for (i = 1; i <= NF; i++) sum[i] += $i }
    END { printf "%d %.1f %d %d %.1f %d %d %d %d %d\n", sum[1], sum[2] ? sum[1] * 1000 / sum[2] : 0, sum[11], sum[3], sum[4] ? sum[5] * 1000 / sum[4] : 0, sum[6], sum[7], sum[8], sum[9], sum[10] }'
}

row() { printf "  %-7s %-8s %7s %5s %5s %8s %5s %6s %6s %6s %7s %9s\n" "$@"; }
echo "The game's frames under weston: aiming $seconds s, rolling in $rolls breaks:"
row "" phase commits c/s idle repaints Hz shown never again unavoid avoidable
names=()
[ -z "$before" ] || names+=(before)
names+=(tavlo)
declare -A avoidable
i=0
for name in "${names[@]}"; do
  read -ra figures < <(phase "${marks[@]:i:2}")
  row "$name" aiming "${figures[@]}"
  avoidable[$name aiming]=${figures[9]}
  read -ra figures < <(phase "${marks[@]:i+2:2*rolls}")
  row "$name" rolling "${figures[@]}"
  avoidable[$name rolling]=${figures[9]}
  i=$((i + 2 + 2 * rolls))
done
if [ -n "$before" ]; then
  for p in aiming rolling; do
    printf "  avoidable stutters %s, tavlo / before: %s\n" $p "$(awk -v a="${avoidable[tavlo $p]}" -v b="${avoidable[before $p]}" 'BEGIN {
      if (b > 0) printf "%.2f", a / b; else printf "%s (before: none)", (a > 0 ? "more" : "alike") }')"
  done
fi
if [ -n "${TAVLO_TIMELINE:-}" ]; then
  cp "$log" "$TAVLO_TIMELINE"
  echo "weston's log: $TAVLO_TIMELINE; the phases' marks, by its lines:" "${marks[@]}"
fi
