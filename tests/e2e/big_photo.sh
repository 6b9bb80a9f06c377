# A 12 MP photo in the 632-pixel-wide window (sourced by run.sh): it shows at
# once, from a reduced decoding, and keeps its place when the full picture
# takes over; zoom and own size act on the full picture.
# shellcheck shell=bash

big="$E2E_WORK/big"
mkdir -p "$big"
# Left half red, right half green, a blue block of 1000 x 1000 in the middle.
convert -size 4000x3000 xc:'#ff0000' -fill '#00ff00' -draw 'rectangle 2000,0 3999,2999' \
  -fill '#0000ff' -draw 'rectangle 1500,1000 2499,1999' -quality 90 "$big/photo.jpg"

# Started in the folder: the file window shows its first picture, with no
# decoding ahead.
start_lumvex "$big"
geometry
cx=$((X + W / 2)) cy=$((Y + 18 + (H - 36) / 2))
placed() {  # the photo in proportion: black margins, red left, green right, blue middle
  expect_colour $((X + 20)) "$cy" black "$1: the margin left of the photo"
  expect_colour $((X + 60)) "$cy" red "$1: the photo's left half"
  expect_colour $((X + W - 60)) "$cy" green "$1: the photo's right half"
  expect_colour $((X + W - 20)) "$cy" black "$1: the margin right of the photo"
  expect_colour "$cx" "$cy" blue "$1: the photo's middle"
}
placed "at once"
sleep 1.5
placed "a moment later"
# At 1.5 times its own size 250 pixels are 167 of the photo: still blue.
key KP_Add
expect_colour $((cx - 250)) "$cy" blue "zoomed in from the photo's own size"
xdotool mousemove $((X + W - 24)) $((Y + H - 8)) click 1
sleep 0.5
key Down Down Return
expect_colour $((cx - 250)) "$cy" blue "own size, centred"
stop_lumvex
