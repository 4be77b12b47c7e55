#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks a built .deb without installing it: that a second build of the same
# commit gives the same bytes, the files it must hold, Debian's hardening of
# the programs, the manual pages, the desktop entry and AppStream validators,
# lintian, and that the unpacked programs answer --version from a moved
# prefix, without a display.
#   tools/check-package.sh [build/package/tarvex_*.deb]   (default: built here)
set -euo pipefail
cd "$(dirname "$0")/.."
deb=${1:-$(tools/package.sh | tail -n 1)}
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
cp "$deb" "$root/first.deb"
deb=$root/first.deb

# Reproducible: the same commit built again, in the same folder, from scratch.
again=$(tools/package.sh | tail -n 1)
if ! cmp "$deb" "$again"; then
  echo "two builds of the same commit differ" >&2
  exit 1
fi

mkdir "$root/tree"
dpkg-deb -x "$deb" "$root/tree"
root=$root/tree

expected=(
  usr/bin/tarvex
  usr/bin/tarvex-cli
  usr/share/tarvex/firmware/X120XEDJ2/Data/Memory.ini
  usr/share/applications/org.tarvex.Tarvex.desktop
  usr/share/metainfo/org.tarvex.Tarvex.metainfo.xml
  usr/share/icons/hicolor/scalable/apps/org.tarvex.Tarvex.svg
  usr/share/icons/hicolor/48x48/apps/org.tarvex.Tarvex.png
  usr/share/icons/hicolor/256x256/apps/org.tarvex.Tarvex.png
  usr/share/man/man1/tarvex.1.gz
  usr/share/man/man1/tarvex-cli.1.gz
  usr/share/bash-completion/completions/tarvex-cli
  usr/share/doc/tarvex/copyright
  usr/share/doc/tarvex/changelog.gz
)
status=0
for file in "${expected[@]}"; do
  if [ ! -e "$root/$file" ]; then
    echo "missing from the package: /$file" >&2
    status=1
  fi
done

# The licence once: its text is in the copyright file.
if [ -e "$root/usr/share/doc/tarvex/LICENSE" ]; then
  echo "the licence is shipped twice (LICENSE beside copyright)" >&2
  status=1
fi

dpkg-deb -f "$deb" Depends | grep -q 'libqt6core6' || { echo "no Qt dependency" >&2; status=1; }
dpkg-deb -f "$deb" Depends | grep -q 'libzip4' || { echo "no libzip dependency (Java games are read with it)" >&2; status=1; }
dpkg-deb -f "$deb" Recommends | grep -q 'qt6-translations-l10n' || { echo "no recommends" >&2; status=1; }
dpkg-deb -f "$deb" Suggests | grep -q 'timidity' || { echo "timidity is not suggested" >&2; status=1; }
if dpkg-deb -f "$deb" Recommends | grep -q 'timidity'; then
  echo "timidity is recommended: it brings a large sound font for an optional preview" >&2
  status=1
fi

# Hardening as Debian builds it: stack protector, fortified libc calls, full
# RELRO with immediate binding, a position-independent executable.
for program in tarvex tarvex-cli; do
  file=$root/usr/bin/$program
  symbols=$(readelf --dyn-syms -W "$file")
  readelf -hW "$file" | grep -q 'Type: *DYN' || { echo "$program: not PIE" >&2; status=1; }
  readelf -lW "$file" | grep -q GNU_RELRO || { echo "$program: no RELRO" >&2; status=1; }
  readelf -dW "$file" | grep -Eq 'BIND_NOW|FLAGS_1.*NOW' || { echo "$program: no bindnow" >&2; status=1; }
  grep -q '__stack_chk_fail' <<<"$symbols" || { echo "$program: no stack protector" >&2; status=1; }
  grep -Eq '__[a-z_]+_chk(@|$| )' <<<"$symbols" || { echo "$program: not fortified" >&2; status=1; }
done
# devscripts' own check where it is installed (CI does without). Debian 12's
# build flags bring no control-flow protection on amd64, so it is not asked.
if command -v hardening-check >/dev/null; then
  hardening-check --quiet --nocfprotection "$root/usr/bin/tarvex" "$root/usr/bin/tarvex-cli" || status=1
fi

# The manual pages format without a warning, also on a terminal without
# Cyrillic (the POSIX locale).
for page in tarvex tarvex-cli; do
  warnings=$(zcat "$root/usr/share/man/man1/$page.1.gz" | groff -ww -man -Tascii 2>&1 >/dev/null
    LC_ALL=C man -l "$root/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
  if [ -n "$warnings" ]; then
    echo "$page.1: $warnings" >&2
    status=1
  fi
done

desktop-file-validate "$root/usr/share/applications/org.tarvex.Tarvex.desktop" || status=1
appstreamcli validate --no-net "$root/usr/share/metainfo/org.tarvex.Tarvex.metainfo.xml" || status=1
lintian --fail-on error "$deb" || status=1

# A moved prefix still finds its data: run from the unpacked tree.
env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/tarvex" --version | grep -q '^tarvex ' || status=1
"$root/usr/bin/tarvex-cli" --version | grep -q '^tarvex-cli ' || status=1
user=$(mktemp -d)
XDG_CONFIG_HOME=$user "$root/usr/bin/tarvex-cli" --user-folder="$user" info | grep -q '^firmware: X120XEDJ2$' || {
  echo "tarvex-cli info failed from the unpacked package" >&2
  status=1
}
rm -rf "$user"
exit $status
