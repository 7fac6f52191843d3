#!/usr/bin/env bash
# Builds the Debian package in a folder of its own, build-package, configured
# here in full as the README's commands build it (without tests, benchmarks or
# sanitizers), holds it to lintian, checks that cpack writes the same package
# under umask 077, installs it with apt, checks what it put in place, plays the
# installed game with tests/e2e.sh, then removes the package again. Where
# Debian's releases differ (library package names, what a program linked here
# can carry), it asks this system. scripts/check-reproducible.sh checks that
# the package builds the same twice.
# What it changes on this machine: installs the Debian packages it needs
# (scripts/bootstrap.sh --package) and leaves them; installs the package
# `tavlo` and removes it again, whatever happens, having first removed one
# left installed by an earlier run. Run it as root, or as a user with sudo.
# Safe to run again.
# Usage: scripts/check-package.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh --package

app_id=org.example.tavlo
game=/usr/games/tavlo
fail() { echo "check-package: $*" >&2; exit 1; }

if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
apt=("${sudo[@]}" apt-get -y -qq -o DPkg::Lock::Timeout=120)
passed=0
ok() { passed=$((passed + 1)); echo "check-package: ok - $*"; }
installed() { dpkg-query -W -f='${Status}' tavlo 2>/dev/null | grep -q 'ok installed'; }
remove_if_installed() { if dpkg-query -W tavlo >/dev/null 2>&1; then "${apt[@]}" purge tavlo; fi; }

build='build-package'
cmake -S . -B "$build" -G Ninja -DTAVLO_TESTS=OFF -DTAVLO_BENCH=OFF -DTAVLO_SANITIZE=OFF -DTAVLO_CORE_ONLY=OFF \
  -DTAVLO_WERROR=OFF >/dev/null
cmake --build "$build"
rm -f "$build"/tavlo_*.deb
out=$(cd "$build" && cpack -G DEB 2>&1) || fail "cpack: $out"
debs=("$build"/tavlo_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single tavlo_*.deb"
deb=$(realpath "${debs[0]}")
echo "check-package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

depends=$(dpkg-deb -f "$deb" Depends)
echo "check-package: Depends: $depends"
# The packages of the libraries the program links, as this system names them
# (libqt6core6 on Debian 12, libqt6core6t64 on 13), and Qt's window-system
# plugins, which it loads at run time.
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
libs=$(objdump -p "$build/control/tavlo" | awk '$1 == "NEEDED" { print $2 }')
[ -n "$libs" ] || fail "objdump finds no library that the program links"
owners=()
for lib in $libs; do
  owner=$(dpkg-query -S "*/$multiarch/$lib" 2>/dev/null | sed -n "1s/:.*//p") || true
  [ -n "$owner" ] || fail "no package has $lib, which the program links"
  [[ " ${owners[*]} " == *" $owner "* ]] || owners+=("$owner")
done
for package in "${owners[@]}" qt6-qpa-plugins; do
  [[ ", $depends," == *", $package "* || ", $depends," == *", $package,"* ]] || fail "Depends lacks $package"
done
[ "$(dpkg-deb -f "$deb" Recommends)" = qt6-wayland ] || fail "Recommends is not qt6-wayland"
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "section is not games"
ok "Depends names the packages of the libraries the program links (${owners[*]}) and Qt's window-system plugins"

# Not a single tag, not even pedantic or informational ones.
out=$(lintian --pedantic -I "$deb") && [ -z "$out" ] || fail "lintian: ${out:-failed}"
ok "lintian --pedantic -I: no tags"

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

# The package comes out the same whatever cpack's umask: under umask 077,
# which takes read and search access away, cpack writes the same package.
(umask 077 && cd "$build" && cpack -B "$stage/umask077" >"$stage/cpack077.log" 2>&1) \
  || fail "cpack under umask 077: $(cat "$stage/cpack077.log")"
deb077=$(echo "$stage"/umask077/tavlo_*.deb)
if ! cmp -s "$deb" "$deb077"; then
  diffoscope "$deb" "$deb077" || true
  fail "cpack under umask 077 made another package"
fi
ok "cpack under umask 077 writes the same package"

# A package left by an earlier or failed run goes first, and this run's goes
# again at the end, whatever happens.
remove_if_installed
trap 'rm -rf "$stage"; remove_if_installed' EXIT
# apt reads a local package as its sandbox user; a world-readable copy keeps it
# from falling back to root with a warning.
chmod 755 "$stage"
cp "$deb" "$stage/"
"${apt[@]}" install --no-install-recommends "$stage/$(basename "$deb")"
installed && [ -x $game ] || fail "apt did not install $game"
ok "apt installs the package"

# hardening-check also requires the marks of the processor's control-flow
# protection: x86's IBT and SHSTK, and, from Debian 13 on, arm64's BTI and PAC,
# on any processor. A program linked here can carry them only where the
# compiler makes them and this system's start files (Scrt1.o, crti.o) carry
# them too, which Debian 12's and 13's do not on x86-64: a program linked with
# the compiler's flag for them says whether it can. Those it cannot are let
# off; every other check must pass. Fortify counts as passed when no libc
# call it could protect is used.
can_carry() {
  echo 'int main() {}' | g++ "$1" -x c++ - -o "$stage/probe" 2>/dev/null && readelf -n "$stage/probe" | grep "$2" >/dev/null
}
let_off=()
can_carry -fcf-protection 'x86 feature: IBT, SHSTK' || let_off+=(--nocfprotection)
# (Its --help ends with status 1.)
if [[ $(hardening-check --help 2>&1 || true) == *--nobranchprotection* ]]; then
  can_carry -mbranch-protection=standard 'AArch64 feature: BTI, PAC' || let_off+=(--nobranchprotection)
fi
out=$(hardening-check "${let_off[@]}" $game) || fail "hardening-check ${let_off[*]}: $out"
echo "$out"
ok "hardening-check ${let_off[*]} $game: every check passes but the marks no program linked here can carry"

[ "$(man -w 6 tavlo)" = /usr/share/man/man6/tavlo.6.gz ] || fail "man -w 6 tavlo does not find the installed page"
page=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings 6 tavlo 2>"$stage/man.log") && [ ! -s "$stage/man.log" ] \
  || fail "man 6 tavlo: $(cat "$stage/man.log")"
[[ $page == *"tavlo - two-player pocket billiards"* ]] || fail "man 6 tavlo shows no NAME line"
ok "man 6 tavlo renders without warnings"

desktop=/usr/share/applications/$app_id.desktop
out=$(desktop-file-validate "$desktop" 2>&1) && [ -z "$out" ] || fail "desktop-file-validate: ${out:-failed}"
ok "desktop-file-validate $desktop: no findings"

metainfo=/usr/share/metainfo/$app_id.metainfo.xml
# The developer's name is there twice: as <developer>, which AppStream 1.0
# (Debian 13) reads, and as <developer_name>, which AppStream 0.16 (Debian 12)
# reads. Each notes the other's: 0.16 does not know <developer>, and 1.0 holds
# <developer_name> deprecated. Those notes alone are let through.
out=$(appstreamcli validate --no-net --pedantic "$metainfo" 2>&1) || fail "appstreamcli: $out"
! grep -E '^[EWIP]:' <<<"$out" \
  | grep -vE "^I: $app_id:[0-9]+: (unknown-tag developer|developer-name-tag-deprecated)$" >/dev/null \
  || fail "appstreamcli: $out"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" \
  || fail "the metainfo does not launch $app_id.desktop"
ok "appstreamcli validate --no-net --pedantic $metainfo: no findings but the developer's name tags"

icon=$(sed -n 's/^Icon=//p' "$desktop")
for size in 32 48 64 128 256; do
  png=/usr/share/icons/hicolor/${size}x${size}/apps/$icon.png
  [ "$(identify -format '%m %wx%h' "$png" 2>/dev/null)" = "PNG ${size}x${size}" ] \
    || fail "no ${size}x${size} PNG icon at $png"
done
[ "$(compare -metric AE assets/tavlo.xpm "/usr/share/icons/hicolor/32x32/apps/$icon.png" null: 2>&1)" = 0 ] \
  || fail "the 32x32 icon is not the window's own icon"
ok "icon '$icon' in hicolor at 32, 48, 64, 128 and 256 pixels"

# The desktop entry's command as a user's session finds it, on the PATH that
# /etc/profile gives a user who is not root (login.defs, which also has it,
# is not on every Debian 13 system).
user_path=$(setpriv --reuid=nobody --regid=nogroup --clear-groups env -i sh -c '. /etc/profile && echo "$PATH"')
read -r cmd _ <<<"$(sed -n 's/^Exec=//p' "$desktop")"
[ "$(PATH=$user_path command -v "$cmd")" = $game ] || fail "the desktop entry's Exec '$cmd' does not start $game"
ok "the desktop entry starts $game"

tests/e2e.sh $game "$build/e2e-installed" \
  || fail "tests/e2e.sh failed on the installed game"
ok "the installed game plays: table, stroke, full screen and back, File > Exit"

"${apt[@]}" remove tavlo
! installed && [ ! -e $game ] && [ ! -e "$desktop" ] || fail "apt remove left the game installed"
ok "apt removes the package"

echo "check-package: $passed passed, 0 failed"
