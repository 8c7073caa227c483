#!/bin/sh
# Renders the program icon's PNG sizes from the SVG sources. Run it by hand after
# changing an SVG and commit the PNGs: the build itself needs no converter.
# Needs rsvg-convert (Debian package librsvg2-bin).
set -e
cd "$(dirname "$0")"
for size in 16 32 48 64 128 256; do
    source=cs-tolvar.svg
    # The full drawing blurs below 48 pixels; the small sizes have their own.
    [ "$size" -le 32 ] && source=cs-tolvar-small.svg
    rsvg-convert --width "$size" --height "$size" "$source" --output "cs-tolvar-$size.png"
done
