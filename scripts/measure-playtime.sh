#!/usr/bin/env bash
# What the game costs while it is played: CPU use of the real binary, as a
# percentage of one core, with the pointer still, with the window minimized,
# while the pointer aims and while the balls roll; and
# the spread of the intervals between ticks, taken from tavlo_tickprobe (the
# same window with the time of every frame noted), driven the same way.
# Runs on a virtual X display with openbox as its window manager (which
# minimizes), driven by xdotool.
# Usage: scripts/measure-playtime.sh [SECONDS_OF_AIMING]   (default 10)
set -euo pipefail
cd "$(dirname "$0")/.."
aim_seconds=${1:-10}
build=${TAVLO_BUILD_DIR:-build-bench}

. scripts/window.sh
if [ -z "${TAVLO_XVFB:-}" ]; then
  scripts/bootstrap.sh
  cmake -S . -B "$build" -G Ninja -DTAVLO_BENCH=ON >/dev/null
  cmake --build "$build" --target tavlo tavlo_tickprobe >/dev/null
fi
under_xvfb "$@"
out=$(mktemp -d)
trap 'kill ${wm:-} 2>/dev/null; rm -rf "$out"' EXIT
start_openbox
clk_tck=$(getconf CLK_TCK)

now() { date +%s.%N; }
# utime + stime of a process, in clock ticks.
cpu_ticks() { awk '{ sub(/^.*\) /, ""); print $12 + $13 }' "/proc/$1/stat"; }
percent() { awk -v t="$1" -v hz="$clk_tck" -v s="$2" 'BEGIN { printf "%.2f", 100 * t / hz / s }'; }

# One xdotool run that circles the pointer about the cue ball's spot for the
# given seconds, a new position every 16 ms.
aim() {
  local steps=$(( $1 * 1000 / 16 ))
  local args
  args=$(awk -v n="$steps" -v w="$wid" -v top="$top" 'BEGIN {
    for (i = 0; i < n; i++) {
      a = i * 0.05
      printf "mousemove --window %s %d %d sleep 0.016 ", w, 161 + 90 * cos(a), top + 354 + 90 * sin(a)
    }
  }')
  # shellcheck disable=SC2086
  xdotool $args
}

# New Game, then a hard stroke straight up into the rack: the pointer is
# pressed 90 pixels below the cue ball and pushed up 30 pixels at a time.
strike() {
  xdotool key --clearmodifiers alt+f
  wait_until menu_open
  xdotool key n
  push_cue 0 1 30
}

# CPU use of the game over the given seconds, as a percentage of one core.
cpu_over() {
  local t0 c0 t1 c1
  t0=$(now); c0=$(cpu_ticks "$pid")
  sleep "$1"
  t1=$(now); c1=$(cpu_ticks "$pid")
  percent $((c1 - c0)) "$(awk -v a="$t0" -v b="$t1" 'BEGIN { print b - a }')"
}

# Measures one program: prints "idle minimized aiming rolling" CPU percentages.
measure() {
  start_game "$@"
  xdotool mousemove --window "$wid" 250 $((top + 300))
  local idle minimized
  idle=$(cpu_over 5)
  xdotool windowminimize --sync "$wid"
  minimized=$(cpu_over 5)
  xdotool windowactivate --sync "$wid"
  wait_until is_colour 161 354 $white
  local t0 c0 t1 c1

  t0=$(now); c0=$(cpu_ticks "$pid")
  aim "$aim_seconds"
  t1=$(now); c1=$(cpu_ticks "$pid")
  local aiming
  aiming=$(percent $((c1 - c0)) "$(awk -v a="$t0" -v b="$t1" 'BEGIN { print b - a }')")

  # Balls roll for well over a second after each stroke; only that second
  # and a half counts.
  local rolled=0 rolling_ticks=0
  for _ in 1 2 3 4; do
    strike
    t0=$(now); c0=$(cpu_ticks "$pid")
    sleep 1.5
    t1=$(now); c1=$(cpu_ticks "$pid")
    rolling_ticks=$((rolling_ticks + c1 - c0))
    rolled=$(awk -v r="$rolled" -v a="$t0" -v b="$t1" 'BEGIN { print r + b - a }')
    sleep 4
  done
  local rolling
  rolling=$(percent "$rolling_ticks" "$rolled")
  quit_game
  echo "$idle $minimized $aiming $rolling"
}

read -r idle minimized aiming rolling < <(measure "$build/control/tavlo")
echo "tavlo, CPU as % of one core: idle $idle, minimized $minimized, aiming $aiming, rolling $rolling (target while aiming: <= 3)"

read -r p_idle p_minimized p_aiming p_rolling < <(measure "$build/bench/tavlo_tickprobe" "$out/intervals")
echo "tavlo_tickprobe, CPU as % of one core: idle $p_idle, minimized $p_minimized, aiming $p_aiming, rolling $p_rolling"
sort -n "$out/intervals" | awk '
  { v[NR] = $1; sum += $1 }
  END {
    p50 = v[int(NR * 0.50 + 0.999999)]; p99 = v[int(NR * 0.99 + 0.999999)]
    printf "tick intervals over %d ticks, ms: mean %.3f, p50 %.3f, p99 %.3f, min %.3f, max %.3f (target p99 16.7 +- 2)\n",
      NR, sum / NR / 1000, p50 / 1000, p99 / 1000, v[1] / 1000, v[NR] / 1000
  }'
