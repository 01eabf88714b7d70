#!/bin/sh
# Renders the hand-written SVG sources in resources/icons/src/ to the PNG files
# the program loads (":/icons/NAME.png"). Toolbar and button icons are drawn on
# a 24x24 grid and rendered at 24x24 plus NAME@2x.png at 48x48, which Qt picks
# on high-DPI screens. The program's icon is rendered at 64x64 for the window
# and, for the desktop's menus, at the hicolor theme's sizes into
# resources/icons/hicolor/ (installed with the program, not compiled in).
#
# Usage: tools/render-icons.sh [NAME ...]   (no names: render every source)
# Needs rsvg-convert (Debian package librsvg2-bin); falls back to ImageMagick.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
src="$root/resources/icons/src"
out="$root/resources/icons"

if command -v rsvg-convert >/dev/null 2>&1; then
    render() { rsvg-convert --width "$3" --height "$3" --keep-aspect-ratio -o "$2" "$1"; }
elif command -v convert >/dev/null 2>&1; then
    echo "rsvg-convert not found (apt-get install librsvg2-bin); using ImageMagick" >&2
    render() { convert -background none -density $(( $3 * 4 )) "$1" -resize "$3x$3" "PNG32:$2"; }
else
    echo "Neither rsvg-convert nor ImageMagick convert is installed." >&2
    echo "Install one with: sudo apt-get install librsvg2-bin" >&2
    exit 1
fi

if [ $# -eq 0 ]; then
    set -- $(cd "$src" && ls *.svg | sed 's/\.svg$//')
fi

for name in "$@"; do
    svg="$src/$name.svg"
    [ -f "$svg" ] || { echo "No source $svg" >&2; exit 1; }
    case "$name" in
        orvanta)
            render "$svg" "$out/$name.png" 64
            for size in 16 24 32 48 64 128 256; do
                mkdir -p "$out/hicolor/${size}x${size}/apps"
                render "$svg" "$out/hicolor/${size}x${size}/apps/$name.png" "$size"
            done
            echo "$name.png (64x64), hicolor/*/apps/$name.png (16 to 256)" ;;
        *)
            render "$svg" "$out/$name.png" 24
            render "$svg" "$out/$name@2x.png" 48
            echo "$name.png (24x24, @2x 48x48)" ;;
    esac
done
