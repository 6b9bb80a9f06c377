# Sourced by run.sh: the thumbnail browser stays usable while its cells come.
# While a folder of large photos is built, the wheel scrolls the area, a click
# on a cell marks nothing yet, and numpad 0 closes the browser at once. Once
# the cells are in, a click marks a cell and a double click opens its picture;
# the thumbnails made are kept in the desktop's cache.

# Cell i of the browser on screen (the browser at X Y, its area framed by a
# pixel under the 18-pixel title bar, seven cells to a row): sets CX CY to
# the middle of its picture, and MX MY to a place of its panel above it.
cell_at() {
  CX=$((X + 1 + 5 + 85 * ($1 % 7) + 40)) CY=$((Y + 18 + 1 + 5 + 95 * ($1 / 7) + 37))
  MX=$((CX - 36)) MY=$((CY - 35))
}

# Noisy 4000 x 3000 photos, so that each takes a while: the first row red,
# the others blue.
photos="$E2E_WORK/photos"
mkdir -p "$photos"
convert -size 4000x3000 xc:'#ff0000' -attenuate 0.3 +noise Gaussian -quality 90 "$photos/p000.jpg"
convert -size 4000x3000 xc:'#0000ff' -attenuate 0.3 +noise Gaussian -quality 90 "$photos/p007.jpg"
for i in 1 2 3 4 5 6; do cp "$photos/p000.jpg" "$photos/p00$i.jpg"; done
for i in $(seq 8 119); do cp "$photos/p007.jpg" "$photos/p$(printf %03d "$i").jpg"; done

start_lumvex "$photos" "$photos/p000.jpg"
xdotool windowsize --sync "$MAIN" 640 420 >/dev/null 2>&1
geometry
key KP_0
wait_for window_shown 'Tallózás' || fail "numpad 0 opens the browser"
cell_at 0
expect_colour $CX $CY red "the first cell shows its picture"
# The wheel over the cells, until the area holds more than it shows.
end=$((SECONDS + 60)) scrolled=""
until [ $SECONDS -ge $end ]; do
  xdotool mousemove --sync $CX $CY click 5 click 5 click 5 click 5
  shot
  is_colour "$(pixel $CX $CY)" blue && scrolled=1 && break
  sleep 0.3
done
[ -n "$scrolled" ] || fail "the wheel scrolls the area while the cells come"
xdotool click 4 click 4 click 4 click 4 click 4 click 4 click 4 click 4
expect_colour $CX $CY red "the wheel scrolls back"
click_at $MX $MY
sleep 0.3
shot
is_colour "$(pixel $MX $MY)" white && fail "a click during the build marks nothing"
key KP_0
wait_for window_shown 'Lumvex2' || fail "numpad 0 closes the browser during the build"
stop_lumvex

# Three one-colour pictures: red, green, blue.
few="$E2E_WORK/few"
mkdir -p "$few"
convert -size 320x240 xc:'#ff0000' "$few/a.jpg"
convert -size 320x240 xc:'#00ff00' "$few/b.jpg"
convert -size 320x240 xc:'#0000ff' "$few/c.jpg"
start_lumvex "$few" "$few/a.jpg"
geometry
key KP_0
wait_for window_shown 'Tallózás' || fail "numpad 0 opens the browser on a small folder"
cell_at 2
expect_colour $CX $CY blue "the last cell shows its picture"
# Kept in the desktop's thumbnail cache, named by the MD5 of the file's URI.
entry="$XDG_CACHE_HOME/thumbnails/normal/$(printf 'file://%s' "$few/c.jpg" | md5sum | cut -d' ' -f1).png"
[ -s "$entry" ] || fail "the browser keeps its thumbnails in the desktop's cache"
cell_at 1
click_at $MX $MY
expect_colour $MX $MY white "a click marks the cell once the build is done"
cell_at 2
xdotool mousemove --sync $CX $CY click --repeat 2 --delay 80 1
wait_for window_shown 'Lumvex2' || fail "a double click opens the picture"
geometry
expect_colour $((X + W / 2)) $((Y + 18 + (H - 36) / 2)) blue "the picture of the cell double-clicked is shown"
stop_lumvex
