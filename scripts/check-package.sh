#!/usr/bin/env bash
# Builds the Debian package, installs it with apt, checks what it put in place,
# starts the installed game on a virtual X display and quits it by its File
# menu, then removes the package again. Installs and removes `tavlo` on this
# machine: run it as root, or as a user with sudo. Safe to run again, also
# while the package is installed.
# Usage: scripts/check-package.sh   (uses the build folder of scripts/test.sh)
set -euo pipefail
cd "$(dirname "$0")/.."

app_id=org.example.tavlo
caption='Tavlo - by Kelvane'
fail() { echo "check-package: $*" >&2; exit 1; }

# The installed game under Xvfb: its window must appear with its caption, and
# File > Exit (Alt+F, E) must end it with status 0.
if [ "${1:-}" = --play ]; then
  /usr/bin/tavlo &
  pid=$!
  trap 'kill $pid 2>/dev/null || true' EXIT
  wid=$(timeout 20 xdotool search --sync --onlyvisible --name "^$caption\$" | head -n1) \
    || fail "the installed game showed no window named '$caption'"
  xdotool windowfocus --sync "$wid"
  sleep 0.5
  xdotool key --clearmodifiers alt+f
  sleep 0.3
  xdotool key e
  timeout 10 tail --pid=$pid -f /dev/null || fail "File > Exit did not end the installed game"
  status=0
  wait $pid || status=$?
  trap - EXIT
  [ "$status" -eq 0 ] || fail "the installed game ended with status $status"
  exit 0
fi

if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
apt=("${sudo[@]}" apt-get -y -qq -o DPkg::Lock::Timeout=120)
passed=0
ok() { passed=$((passed + 1)); echo "check-package: ok - $*"; }
installed() { dpkg-query -W -f='${Status}' tavlo 2>/dev/null | grep -q 'ok installed'; }
remove_if_installed() { if dpkg-query -W tavlo >/dev/null 2>&1; then "${apt[@]}" purge tavlo; fi; }

build=${TAVLO_BUILD_DIR:-build}
[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -G Ninja
cmake --build "$build"
rm -f "$build"/tavlo_*.deb
out=$(cd "$build" && cpack -G DEB 2>&1) || fail "cpack: $out"
debs=("$build"/tavlo_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single tavlo_*.deb"
deb=$(realpath "${debs[0]}")
echo "check-package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

depends=$(dpkg-deb -f "$deb" Depends)
echo "check-package: Depends: $depends"
for lib in libqt6widgets6 libqt6gui6 libqt6core6 libstdc++6 libc6 qt6-qpa-plugins; do
  [[ ", $depends," == *", $lib "* || ", $depends," == *", $lib,"* ]] || fail "Depends lacks $lib"
done
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "section is not games"
ok "package depends on the Qt libraries it links and its window-system plugins"

# A package left by an earlier or failed run goes first, and this run's goes
# again at the end, whatever happens.
remove_if_installed
# apt reads a local package as its sandbox user; a world-readable copy keeps it
# from falling back to root with a warning.
stage=$(mktemp -d)
trap 'rm -rf "$stage"; remove_if_installed' EXIT
chmod 755 "$stage"
cp "$deb" "$stage/"
"${apt[@]}" install --no-install-recommends "$stage/$(basename "$deb")"
installed && [ -x /usr/bin/tavlo ] || fail "apt did not install /usr/bin/tavlo"
ok "apt installs the package"

desktop=/usr/share/applications/$app_id.desktop
out=$(desktop-file-validate "$desktop" 2>&1) && [ -z "$out" ] || fail "desktop-file-validate: ${out:-failed}"
ok "desktop-file-validate $desktop: no findings"

metainfo=/usr/share/metainfo/$app_id.metainfo.xml
out=$(appstreamcli validate --no-net --pedantic "$metainfo" 2>&1) || fail "appstreamcli: $out"
! grep -qE '^[EWIP]:' <<<"$out" || fail "appstreamcli: $out"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" \
  || fail "the metainfo does not launch $app_id.desktop"
ok "appstreamcli validate --no-net --pedantic $metainfo: no findings"

icon=$(sed -n 's/^Icon=//p' "$desktop")
for size in 32 48 64 128 256; do
  png=/usr/share/icons/hicolor/${size}x${size}/apps/$icon.png
  [ "$(identify -format '%m %wx%h' "$png" 2>/dev/null)" = "PNG ${size}x${size}" ] \
    || fail "no ${size}x${size} PNG icon at $png"
done
[ "$(compare -metric AE assets/tavlo.xpm "/usr/share/icons/hicolor/32x32/apps/$icon.png" null: 2>&1)" = 0 ] \
  || fail "the 32x32 icon is not the window's own icon"
ok "icon '$icon' in hicolor at 32, 48, 64, 128 and 256 pixels"

xvfb-run -a -s "-screen 0 800x700x24" "$0" --play
ok "the installed game opens '$caption' and File > Exit ends it with status 0"

"${apt[@]}" remove tavlo
! installed && [ ! -e /usr/bin/tavlo ] && [ ! -e "$desktop" ] || fail "apt remove left the game installed"
ok "apt removes the package"

echo "check-package: $passed passed, 0 failed"
