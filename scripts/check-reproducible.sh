#!/usr/bin/env bash
# Checks that the Debian package builds reproducibly: Debian's reprotest
# builds it twice, varying between the two builds all that it knows how to
# vary, and the two packages must be the same to the byte.
# What it changes on this machine, and puts back, whatever happens:
#   - creates the system user and group tavlo-builder, which makes the second
#     build, and deletes them again;
#   - gives tavlo-builder an ACL entry on /dev/fuse (for disorderfs), and puts
#     /dev/fuse's ACL back as it was;
#   - where they are missing, as in a chroot, creates /dev/fuse (0600) and
#     /etc/mtab (a link to /proc/self/mounts), as reprotest's own chroots
#     have them, and removes them again.
# It installs the Debian packages it needs (scripts/bootstrap.sh --reprotest)
# and leaves them. Builds in folders of its own under /tmp. Run it as root, or
# as a user with sudo. Safe to run again.
# Usage: scripts/check-reproducible.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh --reprotest

fail() { echo "check-reproducible: $*" >&2; exit 1; }
if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
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
echo "check-reproducible: ok - the package builds reproducibly: reprotest varied all it knows and got the same bytes ($took s)"
echo "check-reproducible: 1 passed, 0 failed"

