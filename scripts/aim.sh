# Sourced, after tests/drive.sh, by the scripts that measure the game while it
# aims.

# Circles the pointer about the cue spot, 90 table pixels away, for the given
# seconds, a new position every 16 ms, in one xdotool run.
aim() {
  local args c
  read -ra c <<<"$(at $spot_x $spot_y)"
  args=$(awk -v n="$(($1 * 1000 / 16))" -v w="$wid" -v x="${c[0]}" -v y="${c[1]}" -v r="$(awk -v z=$zoom 'BEGIN { print 90 * z }')" 'BEGIN {
    for (i = 0; i < n; i++)
      printf "mousemove --window %s %d %d sleep 0.016 ", w, x + r * cos(i * 0.05), y + r * sin(i * 0.05)
  }')
  # shellcheck disable=SC2086
  xdotool $args
}
