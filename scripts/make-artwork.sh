#!/usr/bin/env bash
# Regenerates the program's artwork (resources/) and the sample pictures
# (samples/) with tools/make_artwork, then finishes with ImageMagick what Qt
# cannot write: the animated GIF and a run-length coded bitmap.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --tools
build=build/tools
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DLUMVEX_BUILD_TOOLS=ON -DLUMVEX_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target make_artwork
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p resources samples
QT_QPA_PLATFORM=offscreen "$build/make_artwork" resources samples "$work"
# Whole frames: the viewer shows every frame over the whole picture.
convert -delay 8 -loop 0 "$work"/frame-*.png samples/bouncing-ball.gif
convert "$work/bands-8bit.bmp" -compress RLE BMP3:samples/bands-rle8.bmp
echo "make-artwork: wrote $(ls resources | wc -l) files to resources/ and $(ls samples | wc -l) to samples/"
