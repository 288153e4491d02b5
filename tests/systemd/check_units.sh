#!/bin/sh
# check_units.sh PACKAGING_DIR PROGRAM: the boot units as systemd reads them, each running
# PROGRAM in place of the installed /usr/bin/tallix (systemd-analyze checks that it can be run):
# any complaint, a misspelt key's warning too, fails. The box's user, made from the sysusers.d
# file in an empty root, is in the groups of the GPIO lines, the screen, the touch screen and
# the serial boards, which are made where missing.
set -eu
units=$1/systemd
program=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/run" "$work/root" "$work/root/etc"

check() {  # check UNIT [--user]
  sed "s#/usr/bin/tallix#$program#" "$units/$1" >"$work/$1"
  if ! out=$(XDG_RUNTIME_DIR=$work/run systemd-analyze ${2:-} verify --man=no "$work/$1" 2>&1) ||
    [ -n "$out" ]; then
    echo "FAILED: $1: $out"
    exit 1
  fi
}
check tallix-box.service
check tallix.service --user

systemd-sysusers --root="$work/root" "$units/tallix.sysusers" >/dev/null 2>&1
grep -q '^tallix:x:[0-9]*:[0-9]*:.*:/var/lib/tallix:/usr/sbin/nologin$' "$work/root/etc/passwd" ||
  { echo "FAILED: no user tallix"; exit 1; }
for group in gpio video input dialout; do
  grep -q "^$group:x:[0-9]*:tallix\$" "$work/root/etc/group" ||
    { echo "FAILED: tallix is not in $group"; exit 1; }
done
echo "the boot units verify; the box's user is in gpio, video, input and dialout"
