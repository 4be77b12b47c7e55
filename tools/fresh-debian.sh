#!/usr/bin/env bash
# Runs README's two commands as a newcomer would, each on a fresh Debian 12
# root (debootstrap, minbase) holding the committed tree, and prints the wall
# and processor times of each. Needs root, debootstrap and the network to the
# Debian mirror, so it is not part of CI.
#   sudo tools/fresh-debian.sh [run|test|both]     (default both)
# REV names the commit to try (default HEAD); MIRROR another mirror; KEEP=1 keeps the roots (under /var/tmp); NICE
# sets the builds' niceness (default 0), for a machine shared with others.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
what=${1:-both}
mirror=${MIRROR:-http://deb.debian.org/debian}
if [ "$(id -u)" -ne 0 ]; then
  echo "fresh-debian.sh: needs root (debootstrap, chroot)" >&2
  exit 2
fi
command -v debootstrap >/dev/null || {
  echo "fresh-debian.sh: needs debootstrap (apt-get install debootstrap)" >&2
  exit 2
}

roots=()
cleanup() {
  for root in "${roots[@]}"; do
    for mount in dev/pts dev proc; do
      umount "$root/$mount" 2>/dev/null || true
    done
    [ -n "${KEEP:-}" ] || rm -rf --one-file-system "$root"
  done
}
trap cleanup EXIT

# A fresh root with the tree as a clone would have it, in /tarvex; its
# folder in $root.
fresh_root() {
  root=$(mktemp -d /var/tmp/tarvex-fresh.XXXXXX)
  roots+=("$root")
  debootstrap --variant=minbase bookworm "$root" "$mirror" >"$root.debootstrap.log" 2>&1 || {
    tail -n 20 "$root.debootstrap.log" >&2
    return 1
  }
  mkdir "$root/tarvex"
  git -C "$src" archive "${REV:-HEAD}" | tar -x -C "$root/tarvex"
  mount -t proc proc "$root/proc"
  mount --bind /dev "$root/dev"
  mount --bind /dev/pts "$root/dev/pts"
  cp /etc/resolv.conf "$root/etc/resolv.conf"
}

# Runs the command in the root as a login without a display would; prints
# "NAME: exit E, wall W s, processor U s user + S s system" and keeps the
# output in ROOT.NAME.log.
measure() {
  local name=$1 command=$2
  fresh_root
  set +e
  # bash's "times" gives the processor time of every process the command ran.
  chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    nice -n "${NICE:-0}" bash -c "cd /tarvex && start=\$(date +%s.%N) &&
      ( $command ) >/root/$name.log 2>&1; status=\$?
      echo \$start \$(date +%s.%N) >/root/$name.times; times >>/root/$name.times; exit \$status"
  local status=$?
  set -e
  cp "$root/root/$name.log" "$root.$name.log"
  # "START END", then the shell's and its children's "USERmS.sssS SYSTEMmS.sssS".
  awk 'function s(t) { split(t, p, "m"); return p[1] * 60 + p[2] }
       NR == 1 { wall = $2 - $1 } NR == 3 { user = s($1); sys = s($2) }
       END { printf "wall %.0f s, processor %.0f s user + %.0f s system", wall, user, sys }' \
    "$root/root/$name.times" >"$root.$name.times"
  echo "$name: exit $status, $(cat "$root.$name.times") (log: $root.$name.log)"
  [ "$status" -eq 0 ]
}

status=0
if [ "$what" = run ] || [ "$what" = both ]; then
  measure run "tools/run.sh" || status=1
fi
if [ "$what" = test ] || [ "$what" = both ]; then
  measure test "tools/install-deps.sh && cmake --preset debug && cmake --build --preset debug && ctest --preset debug" || status=1
fi
exit $status
