#!/usr/bin/env bash
# Renders the application icon's PNGs (hicolor sizes) from the SVG with rsvg-convert
# (Debian librsvg2-bin). The PNGs are committed; run this only after changing the SVG.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 22 24 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" zpa-tessaro-editor.svg -o "zpa-tessaro-editor-$size.png"
done
