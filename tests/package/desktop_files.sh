#!/bin/sh
# The installed desktop files pass the desktop's own checks, every icon is as large as its
# folder says, and every manual page reads without a warning.
#   desktop_files.sh BUILD_DIR WORK_DIR
set -eu
build=$1
work=$2
rm -rf "$work"
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
share=$prefix/share
fail() { echo "FAIL: $*" >&2; exit 1; }

desktop-file-validate "$share/applications/org.quillon.Quillon.desktop"
grep -qx 'Categories=Game;Simulation;' "$share/applications/org.quillon.Quillon.desktop" ||
  fail "the entry is not a simulation game"
appstreamcli validate --no-net "$share/metainfo/org.quillon.Quillon.metainfo.xml"

for size in 16 22 24 32 48 64 128 256 512; do
  icon=$share/icons/hicolor/${size}x$size/apps/org.quillon.Quillon.png
  # The PNG header holds the width and height as big-endian 32-bit numbers at bytes 16..23.
  got=$(od -An -tu1 -j16 -N8 "$icon" | awk '{print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8}')
  [ "$got" = "${size}x$size" ] || fail "$icon is $got"
done
grep -q '<svg' "$share/icons/hicolor/scalable/apps/org.quillon.Quillon.svg" || fail "no scalable icon"

for page in man6/quillon.6 man6/quillon-sim.6 man1/qarc.1 man1/quillon-update.1; do
  out=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$share/man/$page.gz" 2>&1 >/dev/null)
  [ -z "$out" ] || fail "$page: $out"
done
echo "desktop entry, metainfo, icons and manual pages are sound"
