# Sourced by run.sh: the windows built after the first picture is on screen.
# Asked for right after start, each comes up skinned as the windows built
# before it: its title bar's middle row in the colour of the main window's
# bars and the file window's.

late="$E2E_WORK/late"
mkdir -p "$late"
convert -size 320x240 xc:'#ff0000' "$late/a.jpg"
convert -size 320x240 xc:'#0000ff' "$late/b.jpg"

# The place of the window SHOWN: sets WX WY.
shown_at() {
  eval "$(xdotool getwindowgeometry --shell "$SHOWN" | grep -E '^(X|Y)=' | sed 's/^/W/')"
}

start_lumvex "$late" "$late/a.jpg"
key KP_Decimal
wait_for window_shown 'Transzformációk' || fail "numpad decimal right after start shows the transformations window"
shown_at
geometry
cx=$((X + W / 2)) cy=$((Y + 18 + (H - 36) / 2))
expect_colour $cx $((Y + H - 40)) red "the picture is shown with the transformations window"
shot
# The main window's bottom bar, between its text and its buttons, is free.
bar=$(pixel $((X + 300)) $((Y + H - 9)))
is_colour "$bar" black && fail "the main window's bars are skinned: $bar"
[ "$(pixel $((WX + 300)) $((WY + 9)))" = "$bar" ] ||
  fail "the transformations window is skinned as the main window: $(pixel $((WX + 300)) $((WY + 9))), not $bar"
key KP_Decimal
wait_for window_hidden 'Transzformációk' || fail "numpad decimal hides the transformations window"
stop_lumvex

start_lumvex "$late" "$late/a.jpg"
key KP_0
wait_for window_shown 'Fájl ablak' || fail "numpad 0 right after start shows the file window with the browser"
shown_at
fx=$WX fy=$WY
wait_for window_shown 'Tallózás' || fail "numpad 0 right after start opens the browser"
shown_at
sleep 0.3
shot
files_bar=$(pixel $((fx + 110)) $((fy + 9)))
[ "$(pixel $((WX + 300)) $((WY + 9)))" = "$files_bar" ] ||
  fail "the browser is skinned as the file window: $(pixel $((WX + 300)) $((WY + 9))), not $files_bar"
xdotool windowactivate --sync "$SHOWN" >/dev/null 2>&1
key KP_0
wait_for window_shown 'Lumvex2' || fail "numpad 0 closes the browser opened right after start"
stop_lumvex
