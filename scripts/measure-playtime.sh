#!/usr/bin/env bash
# What the game costs while it is played, in one run on a virtual X display
# under openbox, driven by xdotool: the CPU of the game and of the X server,
# as percentages of one core, with the pointer resting over a still table,
# while it aims (circling the cue ball) and with the window minimized; the
# same for tavlo_barewindow, a bare Qt window that only exchanges two ready
# frames at the game's rate, while the pointer circles over it; and the
# intervals between ticks, from tavlo_tickprobe (the game's window with the
# time of every frame noted) while the pointer aims.
# Usage: scripts/measure-playtime.sh [SECONDS]   (of each phase; default 20)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
build=${TAVLO_BUILD_DIR:-build-bench}
scripts/bootstrap.sh --tests --bench
cmake -S . -B "$build" -G Ninja -DTAVLO_BENCH=ON -DTAVLO_TESTS=OFF -DTAVLO_SANITIZE=OFF -DTAVLO_CORE_ONLY=OFF \
  -DTAVLO_WERROR=ON >/dev/null
cmake --build "$build" --target tavlo tavlo_tickprobe tavlo_barewindow >/dev/null
. tests/drive.sh
trap clean_up EXIT
trap 'exit 143' TERM INT
start_xvfb
start_wm openbox
hz=$(getconf CLK_TCK)

# utime + stime of a process, in clock ticks.
ticks() { awk '{ sub(/^.*\) /, ""); print $12 + $13 }' "/proc/$1/stat"; }
# Runs a command; prints the CPU that the program `pid` and the X server took
# meanwhile, in % of one core: "PROGRAM X BOTH".
cpu_while() {
  local t0 p0 x0
  t0=$(date +%s.%N) p0=$(ticks "$pid") x0=$(ticks "$xserver")
  "$@"
  awk -v t0="$t0" -v t1="$(date +%s.%N)" -v p=$(($(ticks "$pid") - p0)) -v x=$(($(ticks "$xserver") - x0)) \
    -v hz="$hz" 'BEGIN { s = (t1 - t0) * hz / 100; printf "%.2f %.2f %.2f\n", p / s, x / s, (p + x) / s }'
}

# Circles the pointer about the cue spot, 90 pixels away, for the given
# seconds, a new position every 16 ms, in one xdotool run.
aim() {
  local args
  args=$(awk -v n="$(($1 * 1000 / 16))" -v w="$wid" -v x=$((left + spot_x)) -v y=$((top + spot_y)) 'BEGIN {
    for (i = 0; i < n; i++)
      printf "mousemove --window %s %d %d sleep 0.016 ", w, x + 90 * cos(i * 0.05), y + 90 * sin(i * 0.05)
  }')
  # shellcheck disable=SC2086
  xdotool $args
}

start_game "$build/control/tavlo"
xdotool mousemove --window "$wid" $((left + spot_x + 90)) $((top + spot_y))
read -ra resting < <(cpu_while sleep "$seconds")
read -ra aiming < <(cpu_while aim "$seconds")
xdotool windowminimize --sync "$wid"
read -ra minimized < <(cpu_while sleep "$seconds")
xdotool windowactivate --sync "$wid"
quit_game

"$build/bench/tavlo_barewindow" &
pid=$!
wait_until game_shown
left=0 top=0
read -ra bare < <(cpu_while aim "$seconds")
kill "$pid"
wait "$pid" || true

start_game "$build/bench/tavlo_tickprobe" "$runtime/intervals"
aim "$seconds"
quit_game

row() { printf "  %-30s %5s + %5s = %5s\n" "$@"; }
echo "CPU as % of one core, program + X server:"
row "tavlo, pointer resting" "${resting[@]}"
row "tavlo, aiming" "${aiming[@]}"
row "tavlo, minimized" "${minimized[@]}"
row "bare window, pointer circling" "${bare[@]}"
awk -v r="${resting[2]}" -v a="${aiming[2]}" -v b="${bare[2]}" \
  'BEGIN { printf "resting / aiming: %.2f (goal: at most 0.25)\naiming / bare window: %.2f (goal: at most 1.3)\n", r / a, a / b }'
sort -n "$runtime/intervals" | awk '
  { v[NR] = $1; sum += $1 }
  END {
    p50 = v[int(NR * 0.50 + 0.999999)]; p99 = v[int(NR * 0.99 + 0.999999)]
    printf "tick intervals over %d ticks, ms: mean %.3f, p50 %.3f, p99 %.3f, min %.3f, max %.3f (goal: p99 16.7 +- 2)\n",
      NR, sum / NR / 1000, p50 / 1000, p99 / 1000, v[1] / 1000, v[NR] / 1000
  }'
