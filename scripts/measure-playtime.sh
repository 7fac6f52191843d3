#!/usr/bin/env bash
# What the game costs while it is played, in one run on a virtual X display of
# 1920 x 1080 under openbox, driven by xdotool: the CPU of the game and of the
# X server, as percentages of one core, and how often a second the game's
# main thread wakes up, with the pointer resting over a still table, while it
# aims (circling the cue ball) at the window's own size and full screen, with
# the window minimized and with the About box open; how much of the window the
# X server is told changed a frame while it aims, at its own size and full
# screen (tavlo_damagearea); how soon the picture follows the pointer when it
# moves after the table has been still a while (tavlo_pointerlatency); the
# same CPU for tavlo_barewindow, a bare Qt window that only exchanges two
# ready frames at the game's rate, while the pointer circles over it; the
# intervals between ticks, from tavlo_tickprobe (the game's window with the
# time of every frame noted) while the pointer aims; and, in a game that
# tavlo_tickprobe decides at once, the same figures while the winner's box is
# open and once it has been answered, with no game running. With BEFORE, a
# game built before a change, the same run measures it aiming at its own
# size too, for the ratios of the change.
# Usage: scripts/measure-playtime.sh [SECONDS [BEFORE]]   (SECONDS of each phase; default 20)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20} before=${2:+$(realpath "$2")}
build=${TAVLO_BUILD_DIR:-build-bench}
scripts/bootstrap.sh --tests --bench
cmake -S . -B "$build" -G Ninja -DTAVLO_BENCH=ON -DTAVLO_TESTS=OFF -DTAVLO_SANITIZE=OFF -DTAVLO_CORE_ONLY=OFF \
  -DTAVLO_WERROR=ON >/dev/null
cmake --build "$build" --target tavlo tavlo_tickprobe tavlo_barewindow tavlo_pointerlatency tavlo_damagearea >/dev/null
. tests/drive.sh
. scripts/aim.sh
trap clean_up EXIT
trap 'exit 143' TERM INT
xvfb_screen=1920x1080 start_xvfb
start_wm openbox
hz=$(getconf CLK_TCK)

# utime + stime of a process, in clock ticks.
ticks() { awk '{ sub(/^.*\) /, ""); print $12 + $13 }' "/proc/$1/stat"; }
# How often the main thread of a process (its id is the process's) has gone
# to sleep of its own accord: once for each time it woke up.
sleeps() { awk '/^voluntary_ctxt_switches/ { print $2 }' "/proc/$1/task/$1/status"; }
# Runs a command; prints the CPU that the program `pid` and the X server took
# meanwhile, in % of one core, and how often a second the program's main
# thread woke up: "PROGRAM X BOTH WAKEUPS".
cpu_while() {
  local t0 p0 x0 w0
  t0=$(date +%s.%N) p0=$(ticks "$pid") x0=$(ticks "$xserver") w0=$(sleeps "$pid")
  "$@"
  awk -v t0="$t0" -v t1="$(date +%s.%N)" -v p=$(($(ticks "$pid") - p0)) -v x=$(($(ticks "$xserver") - x0)) \
    -v w=$(($(sleeps "$pid") - w0)) -v hz="$hz" \
    'BEGIN { s = (t1 - t0) * hz / 100; printf "%.2f %.2f %.2f %.1f\n", p / s, x / s, (p + x) / s, w / (t1 - t0) }'
}

# While the pointer aims: "FRAMES MEAN_PX MAX_PX SHARE", the pixels the X
# server is told changed a frame, and the mean's share of the table's area
# (325 x 493 table pixels at the window's zoom).
damage_while_aiming() {
  local report
  "$build/bench/tavlo_damagearea" "$wid" "$seconds" >"$runtime/damage" & report=$!
  aim "$seconds" && wait $report
  awk -v z=$zoom '{ printf "%s %s %s %.3f\n", $2, $4, $6, $4 / (325 * z * 493 * z) }' "$runtime/damage"
}

# How the program and the X server fare in a state the window has come to, for
# SECONDS; the messages about the change itself (a window minimized, a box
# shown) arrive within the first moments, and are left out.
settled() { sleep 1 && cpu_while sleep "$seconds"; }

# Presses Return in the box that box_shown found and gave the keyboard, and
# waits until it is gone.
answer_box() { xdotool key Return && wait_until box_gone; }
box_gone() { ! xdotool search --all --onlyvisible --pid "$pid" --name '^Tavlo$' >/dev/null; }

# One round of aiming, BEFORE at its own size, then the game at its own size
# and full screen, each started afresh: "BEFORE OWN FULL", the CPU of the
# program + the X server. The machine's speed drifts over minutes, so the
# ratios are taken within a round, over five rounds.
aiming_round() {
  local b o f
  start_game "$before" && sleep 1 && b=$(cpu_while aim "$seconds" | cut -d' ' -f3) && quit_game
  start_game "$build/control/tavlo" && sleep 1 && o=$(cpu_while aim "$seconds" | cut -d' ' -f3)
  wmctrl -i -r "$wid" -b add,fullscreen && wait_until fills && sleep 1 && f=$(cpu_while aim "$seconds" | cut -d' ' -f3) && quit_game
  echo "$b $o $f"
}
if [ -n "$before" ]; then
  start_game "$before"
  read -ra before_aiming < <(cpu_while aim "$seconds")
  read -ra before_damage < <(damage_while_aiming)
  quit_game
  for round in 1 2 3 4 5; do aiming_round; done >"$runtime/rounds"
fi
start_game "$build/control/tavlo"
point $((spot_x + 90)) $spot_y
read -ra resting < <(settled)
read -ra aiming < <(cpu_while aim "$seconds")
read -ra damage < <(damage_while_aiming)
wmctrl -i -r "$wid" -b add,fullscreen
wait_until fills
read -ra full_aiming < <(cpu_while aim "$seconds")
read -ra full_damage < <(damage_while_aiming)
wmctrl -i -r "$wid" -b remove,fullscreen
wait_until at_own_size
xdotool windowminimize --sync "$wid"
read -ra minimized < <(settled)
xdotool windowactivate --sync "$wid"
menu h a && wait_until box_shown
read -ra about < <(settled)
answer_box
# "moves N median_ms M p99_ms P max_ms X missed K stray S"
read -r _ moves _ median _ p99 _ longest _ missed _ stray < <("$build/bench/tavlo_pointerlatency" "$wid" "$left" "$top" 100)
quit_game

launch "$build/bench/tavlo_barewindow"
left=0 top=0 zoom=1
read -ra bare < <(cpu_while aim "$seconds")
kill "$pid"
wait "$pid" || true

start_game "$build/bench/tavlo_tickprobe" "$runtime/intervals"
aim "$seconds"
quit_game

launch "$build/bench/tavlo_tickprobe" --decided "$runtime/decided"
wait_until box_shown
read -ra winner < <(settled)
answer_box
# The game's window again, now its only one.
wid=$(xdotool search --onlyvisible --pid "$pid" | head -n1)
read -ra decided < <(settled)
quit_game

row() { printf "  %-30s %5s + %5s = %5s %9s\n" "$@"; }
echo "CPU as % of one core, program + X server; wake-ups of the program's main thread a second:"
row "tavlo, pointer resting" "${resting[@]}"
row "tavlo, aiming" "${aiming[@]}"
row "tavlo, aiming full screen" "${full_aiming[@]}"
[ -z "$before" ] || row "before, aiming" "${before_aiming[@]}"
row "tavlo, minimized" "${minimized[@]}"
row "tavlo, About box open" "${about[@]}"
row "tavlo, winner's box open" "${winner[@]}"
row "tavlo, after a decided game" "${decided[@]}"
row "bare window, pointer circling" "${bare[@]}"
echo "Pixels the X server is told changed a frame while aiming (frames, mean, largest; mean / the table's area):"
damage_row() { printf "  %-30s %5s %7s %7s %6s\n" "$@"; }
damage_row "tavlo, own size" "${damage[@]}"
damage_row "tavlo, full screen" "${full_damage[@]}"
[ -z "$before" ] || damage_row "before, own size" "${before_damage[@]}"
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
goal() { printf "  %-50s %6s  (goal: %s)\n" "$@"; }
echo "Against the goals:"
if [ -n "$before" ]; then
  echo "  Aiming, program + X server, in rounds side by side (before, own size, full screen; own and full / before):"
  awk '{ printf "    %6.2f %6.2f %6.2f   %.2f %.2f\n", $1, $2, $3, $2 / $1, $3 / $1 }' "$runtime/rounds"
  median() { awk -v c="$1" '{ print $c / $1 }' "$runtime/rounds" | sort -n | awk '{ r[NR] = $1 } END { print r[int((NR + 1) / 2)] }'; }
  goal "CPU aiming full screen / before's aiming, median" "$(median 3)" "at most 1.0"
  goal "CPU aiming / before's aiming, median" "$(median 2)" "at most 0.6"
fi
goal "changed a frame / table, aiming" "${damage[3]}" "at most 0.1"
goal "changed a frame / table, aiming full screen" "${full_damage[3]}" "at most 0.1"
goal "CPU resting / aiming" "$(ratio "${resting[2]}" "${aiming[2]}")" "at most 0.05"
goal "CPU aiming / bare window" "$(ratio "${aiming[2]}" "${bare[2]}")" "at most 1.3"
goal "wake-ups a second, pointer resting" "${resting[3]}" "at most 1"
goal "wake-ups a second, minimized" "${minimized[3]}" "at most 1"
goal "wake-ups a second, About box open" "${about[3]}" "at most 1"
goal "wake-ups a second, winner's box open" "${winner[3]}" "at most 1"
goal "wake-ups a second, after a decided game" "${decided[3]}" "at most 1"
goal "pointer to picture after still spells, median ms" "$median" "at most 17.7"
goal "pointer to picture after still spells, p99 ms" "$p99" "at most 34"
goal "moves the picture missed, of $moves" "$missed" "0"
echo "  (longest pointer to picture $longest ms; picture changes with no move $stray)"
# Ticks fall on a schedule of 60 a second, and the loop sleeps through still
# spells, so an interval is a whole number of periods; how far each is from
# one says how well the loop keeps its schedule.
awk 'BEGIN { period = 1000000 / 60 } { n = int($1 / period + 0.5); off = $1 - n * period; print (off < 0 ? -off : off), n }' \
  "$runtime/intervals" | sort -n | awk '
  { v[NR] = $1; slept += $2 > 1 }
  END {
    printf "tick intervals over %d ticks (%d after a sleep): off a whole number of periods by p50 %.3f, p99 %.3f, max %.3f ms (goal: p99 at most 2)\n",
      NR, slept, v[int(NR * 0.50 + 0.999999)] / 1000, v[int(NR * 0.99 + 0.999999)] / 1000, v[NR] / 1000
  }'
