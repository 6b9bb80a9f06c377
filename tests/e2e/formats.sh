# Sourced by run.sh: stepping through a folder that holds one picture of each
# kind read through its own library shows each on screen, an animated WebP
# plays, and a PNG named .jpg shows as the PNG it is.
# shellcheck shell=bash

missing=""
for tool in cwebp img2webp tiffcp heif-enc avifenc cjxl; do
  command -v "$tool" >/dev/null || missing="$missing $tool"
done
if [ -n "$missing" ]; then
  log "SKIP: the picture kinds need$missing (scripts/install-deps.sh installs them)"
else
  kinds="$E2E_WORK/kinds"
  mkdir -p "$kinds"
  (
    cd "$kinds" || exit 1
    for c in red lime blue white; do convert -size 320x240 "xc:$c" "png24:$c.png"; done
    cp red.png a.png
    cwebp -quiet -q 90 lime.png -o b.webp
    convert blue.png -compress none plain.tif && tiffcp -c lzw plain.tif c.tif
    heif-enc -q 90 white.png -o d.heic >/dev/null
    avifenc -s 9 red.png e.avif >/dev/null
    cjxl -d 1 lime.png f.jxl 2>/dev/null
    img2webp -lossy -d 300 blue.png -d 300 white.png -o g.webp >/dev/null
    cp red.png h.jpg
    rm red.png lime.png blue.png white.png plain.tif
  ) || fail "the pictures of each kind could be made"

  start_lumvex "$kinds"
  geometry
  cx=$((X + W / 2)) cy=$((Y + 18 + (H - 36) / 2))
  expect_colour $cx $cy red "a PNG is shown"
  key space
  expect_colour $cx $cy green "a WebP is shown"
  key space
  expect_colour $cx $cy blue "a TIFF is shown"
  key space
  expect_colour $cx $cy white "a HEIC photo is shown"
  key space
  expect_colour $cx $cy red "an AVIF is shown"
  key space
  expect_colour $cx $cy green "a JPEG XL is shown"
  key space
  wait_colours $cx $cy blue white || fail "an animated WebP plays (saw: $SEEN)"
  key space
  expect_colour $cx $cy red "a PNG named h.jpg is shown as the PNG it is"
  stop_lumvex
fi
