#!/usr/bin/env bash
# Builds and tests Tavlo on a fresh, minimal Debian, as on a new machine: makes
# the system with mmdebstrap from Debian's archive (release, updates and
# security), copies a clone of the checkout's committed state into /root/tavlo
# and runs each COMMAND there in turn, as root, with CI=true, no standard input
# and no other environment. Every command runs, also after one has failed; the
# script fails if any did. The system lives on a tmpfs of its own, which is
# unmounted afterwards, whatever happened.
#
#   scripts/check-fresh.sh SUITE [COMMAND...]   SUITE: bookworm (Debian 12) or trixie (Debian 13)
#   scripts/check-fresh.sh trixie ./scripts/test.sh 'ctest --test-dir build -R EndToEnd'
#
# COMMAND defaults to ./scripts/test.sh. Needs root; installs mmdebstrap with
# scripts/bootstrap.sh --fresh. apt's downloads, which are not what is tested,
# are kept between runs in TAVLO_FRESH_APT_CACHE (default
# /var/cache/tavlo/fresh-SUITE; empty: keep none): the system still fetches its
# package lists anew and installs every package itself, and apt takes a kept
# file only if it is the very one the lists name.
set -euo pipefail
cd "$(dirname "$0")/.."
suite=${1:?usage: scripts/check-fresh.sh SUITE [COMMAND...]}
shift
[ $# -gt 0 ] || set -- ./scripts/test.sh
case $suite in
  bookworm | trixie) ;;
  *) echo "check-fresh: SUITE is bookworm or trixie, not $suite" >&2; exit 2 ;;
esac
[ "$(id -u)" -eq 0 ] || { echo "check-fresh: mmdebstrap mounts and chroots: run as root" >&2; exit 2; }
begin=$SECONDS
scripts/bootstrap.sh --fresh
cache=${TAVLO_FRESH_APT_CACHE-/var/cache/tavlo/fresh-$suite}

# Everything of the system's, the clone and mmdebstrap's own temporary files
# included, is on this tmpfs: unmounting it, with whatever is still mounted
# below it, throws it all away.
here=$(pwd -P)
top=$(mktemp -d "$here/build-fresh-$suite.XXXXXX")
root=$top/root
mount -t tmpfs -o mode=0755 tavlo-fresh "$top"
mmdebstrap_pid=
clean_up() {
  local p _
  set +e
  # After an interruption: mmdebstrap, then whatever still runs inside,
  # found by its root.
  [ -n "$mmdebstrap_pid" ] && kill "$mmdebstrap_pid" 2>/dev/null
  for _ in 1 2; do # twice: what forked meanwhile too
    for p in /proc/[0-9]*; do
      [ "$(readlink "$p/root" 2>/dev/null)" = "$root" ] && kill -9 "${p#/proc/}" 2>/dev/null
    done
  done
  [ -n "$mmdebstrap_pid" ] && wait "$mmdebstrap_pid" 2>/dev/null
  umount -R "$top" 2>/dev/null || umount -R -l "$top"
  rmdir "$top"
}
trap clean_up EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

git clone -q "$here" "$top/tavlo"
# The steps run inside: each command in turn, its time and status.
{
  echo 'cd /root/tavlo; failed=0'
  for c; do
    printf 'c=%q\n' "$c"
    # shellcheck disable=SC2016
    echo 'echo "check-fresh: running $c"; s=$SECONDS
if bash -c "$c"; then r=0; else r=$?; failed=1; fi
echo "check-fresh: $c: status $r, $((SECONDS - s)) s"'
  done
  echo 'exit $failed'
} >"$top/steps"

hooks=()
if [ -n "$cache" ]; then
  mkdir -p "$cache"
  hooks+=(--skip=essential/unlink
    --setup-hook='mkdir -p "$1/var/cache/apt/archives"'
    --setup-hook="sync-in $cache /var/cache/apt/archives/")
fi
hooks+=(--customize-hook="copy-in $top/tavlo /root"
  --customize-hook="copy-in $top/steps /root"
  # X servers and Qt share memory through /dev/shm, a tmpfs on a booted system.
  --customize-hook='mkdir -p "$1/dev/shm" && mount -t tmpfs tmpfs "$1/dev/shm"'
  --customize-hook='chroot "$1" /usr/bin/env -i HOME=/root CI=true PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin bash /root/steps </dev/null; echo $? >"$1/root/status"'
  --customize-hook='umount "$1/dev/shm"')
if [ -n "$cache" ]; then
  # Files that the lists no longer name go; the rest is kept for the next run.
  hooks+=(--customize-hook='chroot "$1" apt-get -qq autoclean'
    --customize-hook="sync-out /var/cache/apt/archives $top/cache")
  mkdir "$top/cache"
fi

mirror=http://deb.debian.org/debian
# In the background, so that a signal ends the wait for it at once.
TMPDIR=$top mmdebstrap --variant=apt "${hooks[@]}" "$suite" "$root" \
  "deb $mirror $suite main" "deb $mirror $suite-updates main" \
  "deb $mirror-security $suite-security main" &
mmdebstrap_pid=$!
wait "$mmdebstrap_pid" || { status=$?; echo "check-fresh: mmdebstrap failed ($status)" >&2; exit "$status"; }
mmdebstrap_pid=
if [ -n "$cache" ]; then
  rm -f "$cache"/*.deb
  cp "$top"/cache/*.deb "$cache"/ 2>/dev/null || true
fi
status=$(cat "$root/root/status")
echo "check-fresh: $suite: $( ((status == 0)) && echo passed || echo failed) in $((SECONDS - begin)) s"
exit "$status"
