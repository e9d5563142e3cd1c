#!/usr/bin/env bash
# Renders the icon's PNG sizes from dawnhelm.svg; the PNGs are committed, so
# this runs only when the drawing changes (needs rsvg-convert, Debian
# package librsvg2-bin).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
for size in 16 22 24 32 48 64 128 256; do
  mkdir -p "$here/icons/${size}x${size}"
  rsvg-convert -w "$size" -h "$size" "$here/dawnhelm.svg" -o "$here/icons/${size}x${size}/dawnhelm.png"
done
