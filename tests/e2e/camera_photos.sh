# A phone's photo, stored lying on its side with EXIF Orientation 6 and the
# camera's data (sourced by run.sh): it shows upright, and R turns it as it
# looks, losslessly (jpegtran's pixels), keeping the camera's data.
# shellcheck shell=bash

phone="$E2E_WORK/phone"
mkdir -p "$phone"
# Upright: red at the top-left, green at the top-right, blue below.
convert -size 320x240 xc:'#0000ff' -fill '#ff0000' -draw 'rectangle 0,0 159,119' \
  -fill '#00ff00' -draw 'rectangle 160,0 319,119' "$E2E_WORK/upright.ppm"
cjpeg -quality 90 "$E2E_WORK/upright.ppm" >"$E2E_WORK/upright.jpg"
jpegtran -perfect -rotate 270 "$E2E_WORK/upright.jpg" >"$phone/photo.jpg"
exiftool -q -overwrite_original -Orientation#=6 -Make=Lumvex -Model='Test Phone 7' \
  -DateTimeOriginal='2024:05:01 10:20:30' -GPSLatitude=47.4979 -GPSLatitudeRef=N "$phone/photo.jpg"
camera_data() { exiftool -s3 -f -n -Make -Model -DateTimeOriginal -GPSLatitude "$phone/photo.jpg"; }
before=$(camera_data)

start_lumvex "$phone" "$phone/photo.jpg"
geometry
cx=$((X + W / 2)) cy=$((Y + 18 + (H - 36) / 2))
expect_colour $((cx - 30)) $((cy - 30)) red "the phone's photo shows upright: red at the top-left"
expect_colour $((cx + 30)) $((cy - 30)) green "the phone's photo shows upright: green at the top-right"
expect_colour "$cx" $((cy + 30)) blue "the phone's photo shows upright: blue below"

key r
turned() { [ "$(exiftool -s3 -n -Orientation "$phone/photo.jpg")" = 1 ]; }
wait_for turned || fail "R writes the photo with Orientation 1"
[ "$(camera_data)" = "$before" ] || fail "R keeps the camera's data: $(camera_data | xargs)"
[ "$(djpeg "$phone/photo.jpg" | md5sum)" = "$(jpegtran -rotate 90 "$E2E_WORK/upright.jpg" | djpeg | md5sum)" ] ||
  fail "R turns the photo losslessly, as jpegtran turns the upright picture"
expect_colour $((cx + 30)) $((cy - 30)) red "the turned photo shows red at the top-right"
expect_colour $((cx + 30)) $((cy + 30)) green "the turned photo shows green at the bottom-right"
expect_colour $((cx - 30)) "$cy" blue "the turned photo shows blue at the left"
stop_lumvex

# The same photo as a WebP file, its orientation in the EXIF chunk: upright too.
convert "$E2E_WORK/upright.ppm" -rotate 270 +repage png24:"$E2E_WORK/stored.png"
cwebp -quiet -lossless "$E2E_WORK/stored.png" -o "$phone/photo.webp"
exiftool -q -overwrite_original -Orientation#=6 "$phone/photo.webp"
start_lumvex "$phone" "$phone/photo.webp"
geometry
cx=$((X + W / 2)) cy=$((Y + 18 + (H - 36) / 2))
for spot in "-30 -30 red top-left" "30 -30 green top-right" "0 30 blue bottom"; do
  read -r dx dy colour place <<<"$spot"
  expect_colour $((cx + dx)) $((cy + dy)) "$colour" "the WebP photo shows upright: $colour at the $place"
done
stop_lumvex
