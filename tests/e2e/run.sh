#!/usr/bin/env bash
# Drives the built program as a user would, on a private X server with the
# openbox window manager, and checks what the user sees.
# Usage: tests/e2e/run.sh path/to/lumvex
set -uo pipefail
LUMVEX=$(realpath "$1")
E2E_WORK=$(mktemp -d /tmp/lumvex-e2e.XXXXXX)
here=$(dirname "$(realpath "$0")")
# shellcheck source=lib.sh
. "$here/lib.sh"
unset QT_QPA_PLATFORM
export LUMVEX_REGISTRY_DIR="$E2E_WORK/settings"
export XDG_CACHE_HOME="$E2E_WORK/cache"  # the thumbnails the browser keeps
export ASAN_OPTIONS=detect_leaks=0
trap stop_desktop EXIT
start_desktop

# Pictures of one colour each, so a place on the screen tells which is shown.
pics="$E2E_WORK/pics" more="$E2E_WORK/more" home="$E2E_WORK/home"
mkdir -p "$pics" "$more" "$home" "$LUMVEX_REGISTRY_DIR"
convert -size 320x240 xc:'#ff0000' "$pics/a.jpg"
convert -size 200x300 xc:'#00ff00' "$pics/b.bmp"
convert -size 300x200 xc:'#0000ff' "$pics/c.bmp"
convert -size 300x200 xc:'#ffffff' "$pics/d.bmp"
convert -delay 30 -size 64x64 xc:'#ff0000' xc:'#0000ff' -loop 0 "$more/anim.gif"
printf 'this is no picture at all' >"$more/bad.jpg"
convert -size 200x300 xc:'#00ff00' "$more/c.bmp"

# --- Started from a folder without pictures, with a picture of another folder.
start_lumvex "$home" "$pics/b.bmp"
geometry
cx=$((X + W / 2)) cy=$((Y + 18 + (H - 36) / 2))
expect_colour $cx $cy green "the picture named at start is shown"
key space
expect_colour $cx $cy blue "Space shows the next picture"
key space space
expect_colour $cx $cy red "Space on the last picture shows the first"
key BackSpace
expect_colour $cx $cy white "Backspace on the first picture shows the last"
key BackSpace BackSpace
expect_colour $cx $cy green "Backspace steps back"

# The picture's place and frame: a 200 x 300 picture fills the area's height,
# centred, with a white frame around it and black beside it.
shot
row=$((cy - 20)) first=-1
for ((x = X + 1; x < X + W / 2; x++)); do
  is_colour "$(pixel $x $row)" black || { first=$x; break; }
done
left=$((X + W / 2 - (W * 0 + (H - 36) * 200 / 300) / 2))
if [ $first -lt 0 ] || [ $((first - left)) -gt 3 ] || [ $((left - first)) -gt 3 ]; then
  fail "the picture stands centred: its frame begins at $first, expected about $left"
else
  is_colour "$(pixel $first $row)" white || fail "the picture has a white frame: $(pixel $first $row) at $first,$row"
  is_colour "$(pixel $((first + 3)) $row)" green || fail "the picture lies within its frame"
fi
margin=$((left - 40))

# The zoom keys: zooming in covers the black beside the picture, zooming out
# brings it back.
key KP_Add KP_Add KP_Add
expect_colour $margin $cy green "numpad plus zooms in"
key KP_Subtract KP_Subtract KP_Subtract
expect_colour $margin $cy black "numpad minus zooms out again"

# The marks overlay: Insert marks the file and names it in red, Home clears it.
key Insert  # the file shown is the one mark: Insert unmarks it,
key Insert  # and marks it again
sleep 0.3; shot
[ "$(count_colour $((X + 8)) $((Y + 26)) 60 14 red)" -gt 5 ] || fail "Insert shows the marks overlay"
key Home
sleep 0.3; shot
[ "$(count_colour $((X + 8)) $((Y + 26)) 60 14 red)" -eq 0 ] || fail "Home clears the marks overlay"

# Full screen on and off; the window keeps its keys in full screen.
key f
wait_for bash -c "xdotool getwindowgeometry --shell $MAIN | grep -q 'WIDTH=1024'" ||
  fail "F makes the window cover the screen"
expect_colour 512 384 green "full screen shows the picture"
expect_colour 5 9 black "full screen hides the title bar"
key space
expect_colour 512 384 blue "Space steps in full screen"
key f
wait_for bash -c "xdotool getwindowgeometry --shell $MAIN | grep -q 'WIDTH=$W'" ||
  fail "F again gives the window its bounds back"
key space
expect_colour $cx $cy white "Space steps after leaving full screen"

# Enter shows and hides the file window.
key Return
wait_for window_shown 'Fájl ablak' || fail "Enter shows the file window"
sleep 0.3
key Return
wait_for window_hidden 'Fájl ablak' || fail "Enter hides the file window"
xdotool windowactivate --sync "$MAIN" >/dev/null 2>&1

# The background switch turns the black beside the picture white, and back.
geometry
click_at $((X + W - 32 - 17 + 8)) $((Y + H - 9))
expect_colour $((X + 5)) $cy white "the background switch makes the background white"
click_at $((X + W - 32 - 17 + 8)) $((Y + H - 9))
expect_colour $((X + 5)) $cy black "the background switch makes it black again"

# The size grip makes the window larger.
xdotool mousemove --sync $((X + W - 6)) $((Y + H - 6)) mousedown 1
xdotool mousemove --sync $((X + W + 40)) $((Y + H + 30))
xdotool mousemove --sync $((X + W + 94)) $((Y + H + 54)) mouseup 1
grown() { geometry; [ "$W" -gt $((old_w + 80)) ] && [ "$H" -gt $((old_h + 40)) ]; }
old_w=$W old_h=$H
wait_for grown || fail "the size grip resizes the window: $(xdotool getwindowgeometry "$MAIN" | tail -n1)"

# Delete, answered Yes: the file is gone from disk and the next one shows.
click_at $((X + W - 32 - 17 - 25 - 17 - 17 - 17 - 25 - 17 + 8)) $((Y + H - 9))
wait_for window_shown 'Lumvex' || fail "delete asks first"
key Return
wait_for bash -c "[ ! -e '$pics/d.bmp' ]" || fail "delete with Yes removes the file from disk"
stop_lumvex

# --- Started with no parameter in a folder with a GIF and a damaged file.
start_lumvex "$more"
geometry
cx=$((X + W / 2)) cy=$((Y + 18 + (H - 36) / 2))
wait_colours $cx $cy red blue || fail "the first picture of the folder, a GIF, animates (saw: $SEEN)"
key space
wait_for window_shown 'Lumvex' || fail "a damaged file shows the error box"
key Return
wait_for window_hidden 'Lumvex' || fail "the error box closes"
xdotool windowactivate --sync "$MAIN" >/dev/null 2>&1
key space
expect_colour $cx $cy green "after the error the program goes on"
stop_lumvex

. "$here/right_file.sh"
. "$here/typing_and_closing.sh"
. "$here/camera_photos.sh"
. "$here/big_photo.sh"
. "$here/formats.sh"
. "$here/browser.sh"
. "$here/late_windows.sh"

if [ $failures -gt 0 ]; then
  log "$failures check(s) failed; screens and logs in $E2E_WORK"
  exit 1
fi
rm -rf "$E2E_WORK"
log "all checks passed"
