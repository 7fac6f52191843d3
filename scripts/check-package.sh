#!/usr/bin/env bash
# Builds the Debian package, holds it to lintian, has reprotest build it twice
# more to see that it comes out the same, installs it with apt, checks what it
# put in place, plays the installed game with tests/e2e.sh, then removes the
# package again. Installs and removes `tavlo` on this machine, and the user
# tavlo-builder that builds the package a second time: run it as root, or as a
# user with sudo. Safe to run again, also while the package is installed.
# Usage: scripts/check-package.sh   (uses the build folder of scripts/test.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh --package --reprotest

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
[ "$(dpkg-deb -f "$deb" Recommends)" = qt6-wayland ] || fail "Recommends is not qt6-wayland"
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "section is not games"
ok "package depends on the Qt libraries it links and its window-system plugins"

# Not a single tag, not even pedantic or informational ones.
out=$(lintian --pedantic -I "$deb") && [ -z "$out" ] || fail "lintian: ${out:-failed}"
ok "lintian --pedantic -I: no tags"

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

# The same source gives the same package, byte for byte, whoever builds it,
# wherever and whenever: Debian's reprotest builds it twice with the README's
# commands less the tests (configure, build, cpack) and compares the two with
# diffoscope, whose account it shows when they differ. Both builds are of the
# working tree's tracked files as they stand, changes not yet committed
# included (what `git stash create` records, HEAD when there are none, as in
# CI); untracked files take no part. SOURCE_DATE_EPOCH is left for the build
# to derive. The second build differs from the first in every way reprotest
# knows (all its variations are on):
#   environment   a variable more
#   build_path    the source folder's path (const_build_path, build-experiment-1)
#   kernel        uname: another name of this processor's architecture, and
#                 kernel version 2.6 (setarch)
#   aslr          address space randomisation off, then on
#   num_cpus      one core, then more (taskset)
#   time          the clock: now, then half a year to a year and a half ahead
#                 (faketime; files keep their real times)
#   user_group    root, then the user and group tavlo-builder
#   fileordering  folders list their files in a random order (disorderfs, FUSE)
#   domain_host   host and domain name (a UTS namespace)
#   home          HOME, then a folder that does not exist
#   locales       C.UTF-8, then et_EE.UTF-8 (LANG, LC_ALL, LANGUAGE)
#   exec_path     PATH with a folder more
#   timezone      TZ GMT+12, then GMT-14
#   umask         0022, then 0002
# reprotest runs as root here and changes user with `sudo -h localhost`, which
# sudo 1.9 refuses unless listing privileges; it finds a sudo of the check's
# own first on its PATH, which does what root's sudo would with setpriv.
# tavlo-builder is made for the check and deleted again. It runs disorderfs,
# so an ACL lets it open /dev/fuse meanwhile, and /dev/fuse's ACL is put back as
# it was afterwards: udev makes /dev/fuse 0666 on most machines, but a machine
# may have no udev. The builds are in /tmp, which tavlo-builder can reach.
# Files copied anew (as into a chroot) leave git's index stale, and `git stash
# create` then fails without a word: the index is refreshed first.
git update-index -q --refresh >/dev/null || true
tree=$(git stash create)
mkdir "$stage/src" "$stage/bin"
git archive "${tree:-HEAD}" | tar -x --touch -C "$stage/src"
cp scripts/reprotest-sudo "$stage/bin/sudo"
builder=tavlo-builder
made=()
drop_builder() {
  if [ -f "$stage/fuse.acl" ]; then "${sudo[@]}" setfacl --restore="$stage/fuse.acl" && rm "$stage/fuse.acl"; fi
  if id "$builder" >/dev/null 2>&1; then
    "${sudo[@]}" setfacl -x "u:$builder" /dev/fuse 2>/dev/null || true
    "${sudo[@]}" userdel "$builder"
  fi
  if [ ${#made[@]} -gt 0 ]; then "${sudo[@]}" rm -f "${made[@]}"; made=(); fi
}
drop_builder
trap 'drop_builder; rm -rf "$stage"' EXIT
# A chroot may have neither /dev/fuse nor /etc/mtab, which disorderfs and
# fusermount need: they are made as reprotest's own chroot set-up makes them,
# and removed again.
if [ ! -e /dev/fuse ]; then made+=(/dev/fuse); "${sudo[@]}" mknod -m 600 /dev/fuse c 10 229; fi
if [ ! -e /etc/mtab ] && [ ! -L /etc/mtab ]; then made+=(/etc/mtab); "${sudo[@]}" ln -s ../proc/self/mounts /etc/mtab; fi
"${sudo[@]}" useradd --system --user-group --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin "$builder"
getfacl -p /dev/fuse >"$stage/fuse.acl"
"${sudo[@]}" setfacl -m "u:$builder:rw" /dev/fuse
started=$SECONDS
rc=0
"${sudo[@]}" env -u SOURCE_DATE_EPOCH PATH="$stage/bin:$PATH" TMPDIR=/tmp \
  reprotest --min-cpus=1 --vary=+all,user_group.available+="$builder:$builder",domain_host.use_sudo=1 \
    -s "$stage/src" 'cmake -S . -B build -G Ninja -DTAVLO_TESTS=OFF && cmake --build build && cd build && cpack' \
    'build/tavlo_*.deb' >"$stage/reprotest.log" 2>&1 || rc=$?
took=$((SECONDS - started))
drop_builder
if [ $rc -ne 0 ] || ! grep -q '^Reproduction successful$' "$stage/reprotest.log"; then
  cat "$stage/reprotest.log"
  [ $rc -eq 1 ] || fail "reprotest failed (exit status $rc) after $took s"
  fail "two builds of the same source made different packages (reprotest, $took s)"
fi
grep -A1 '^No differences in' "$stage/reprotest.log"
ok "the package builds reproducibly: reprotest varied all it knows and got the same bytes ($took s)"

# reprotest's umask 0002 gives the group write access; under umask 077, which
# takes read and search access away, cpack must write the same package too.
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
trap 'drop_builder; rm -rf "$stage"; remove_if_installed' EXIT
# apt reads a local package as its sandbox user; a world-readable copy keeps it
# from falling back to root with a warning.
chmod 755 "$stage"
cp "$deb" "$stage/"
"${apt[@]}" install --no-install-recommends "$stage/$(basename "$deb")"
installed && [ -x $game ] || fail "apt did not install $game"
ok "apt installs the package"

# Debian 12's own start files (Scrt1.o, crti.o) carry no control-flow marks, so
# no program linked here can; every other check must pass. Fortify counts as
# passed when no libc call it could protect is used.
out=$(hardening-check --nocfprotection $game) || fail "hardening-check: $out"
echo "$out"
ok "hardening-check $game: every check passes, control-flow marks aside"

[ "$(man -w 6 tavlo)" = /usr/share/man/man6/tavlo.6.gz ] || fail "man -w 6 tavlo does not find the installed page"
page=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings 6 tavlo 2>"$stage/man.log") && [ ! -s "$stage/man.log" ] \
  || fail "man 6 tavlo: $(cat "$stage/man.log")"
[[ $page == *"tavlo - two-player pocket billiards"* ]] || fail "man 6 tavlo shows no NAME line"
ok "man 6 tavlo renders without warnings"

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

# The desktop entry's command as a user's session finds it, on Debian's
# default PATH for users.
user_path=$(sed -n 's/^ENV_PATH[[:space:]]*PATH=//p' /etc/login.defs)
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
