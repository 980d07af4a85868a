#!/usr/bin/env bash
# Renders the icon's PNGs from its SVG. The PNGs are kept in the repository, so building
# needs no SVG renderer; run this after changing resources/icons/vantirelle.svg.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh librsvg2-bin optipng
for size in 16 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" resources/icons/vantirelle.svg -o "resources/icons/vantirelle-$size.png"
  optipng -quiet -o5 -strip all "resources/icons/vantirelle-$size.png"
done
