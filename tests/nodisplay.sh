#!/usr/bin/env bash
# Without a display, whatever the environment names, the game says in one line
# what it tried and ends with status 1: no abort, no core.
# Usage: nodisplay.sh [EMULATOR] TAVLO_BINARY
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
for setting in "-u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM" "-u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:64999" \
  "-u DISPLAY WAYLAND_DISPLAY=none QT_QPA_PLATFORM=wayland XDG_RUNTIME_DIR=$runtime" "QT_QPA_PLATFORM=none"; do
  # shellcheck disable=SC2086
  said=$(env $setting "$@" 2>&1 >/dev/null)
  status=$?
  if [ $status != 1 ] || [ "$(wc -l <<<"$said")" != 1 ] || [[ $said != "tavlo: no display"*DISPLAY=*WAYLAND_DISPLAY=*QT_QPA_PLATFORM=* ]]; then
    echo "nodisplay: with $setting the game ended with status $status, saying: $said" >&2
    exit 1
  fi
done
echo "nodisplay: 4 passed, 0 failed"
