#!/bin/sh
# Renders the game's icon (data/desktop/icons/quillon.svg) into the PNG sizes a desktop looks
# for; the PNGs are kept in the repository so the build needs no renderer. Needs rsvg-convert
# (Debian: librsvg2-bin).
set -eu
cd "$(dirname "$0")/../data/desktop/icons"
for size in 16 22 24 32 48 64 128 256 512; do
  rsvg-convert -w "$size" -h "$size" quillon.svg -o "quillon-$size.png"
done
