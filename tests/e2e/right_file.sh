# Sourced by run.sh: the file a turn writes is the file the user turned, in
# the format it was read in, and a picture is never written back stale.

# Size, format and the colour at a place of a picture file.
picture_info() { identify -format '%m %wx%h' "$1" 2>/dev/null; }
picture_colour_at() { convert "$1" -format '%[fx:int(255*p{'"$2"','"$3"'}.r)] %[fx:int(255*p{'"$2"','"$3"'}.g)] %[fx:int(255*p{'"$2"','"$3"'}.b)]' info: 2>/dev/null; }

# --- R on a JPEG named like a bitmap leaves a JPEG.
right="$E2E_WORK/right"
mkdir -p "$right/scan"
convert -size 320x240 xc:'#ff0000' -fill '#0000ff' -draw 'rectangle 160,0 319,239' "$right/scan/scan.bmp.jpg"
start_lumvex "$right/scan" "$right/scan/scan.bmp.jpg"
key r
wait_for bash -c "[ \"\$(identify -format '%m %wx%h' '$right/scan/scan.bmp.jpg' 2>/dev/null)\" = 'JPEG 240x320' ]" ||
  fail "R on scan.bmp.jpg leaves a JPEG turned: $(picture_info "$right/scan/scan.bmp.jpg"), $(head -c 2 "$right/scan/scan.bmp.jpg" | od -An -tx1)"
stop_lumvex

# --- A batch turn of two marked files, then R on one of them: turned twice.
mkdir -p "$right/batch"
convert -size 320x240 xc:'#ff0000' -fill '#0000ff' -draw 'rectangle 160,0 319,239' "$right/batch/a.jpg"
convert -size 100x50 xc:'#00ff00' "$right/batch/b.jpg"
start_lumvex "$right/batch" "$right/batch/a.jpg"
geometry
key KP_Decimal  # the transformations window; a.jpg, on view, is marked
if wait_for window_shown 'Transzformációk'; then
  eval "$(xdotool getwindowgeometry --shell "$SHOWN" | grep -E '^(X|Y)=' | sed 's/^/T/')"
  # Ctrl and a click on the list's second entry marks b.jpg too.
  xdotool mousemove --sync $((TX + 40)) $((TY + 58 + 14 + 7)) keydown ctrl click 1 keyup ctrl
  xdotool windowactivate --sync "$MAIN" >/dev/null 2>&1
  key r
  wait_for window_shown 'Lumvex' || fail "the batch turn tells that it is done"
  key Return
  wait_for window_hidden 'Lumvex' || fail "the batch turn's message closes"
  [ "$(picture_info "$right/batch/a.jpg")" = 'JPEG 240x320' ] || fail "the batch turns a.jpg: $(picture_info "$right/batch/a.jpg")"
  [ "$(picture_info "$right/batch/b.jpg")" = 'JPEG 50x100' ] || fail "the batch turns b.jpg: $(picture_info "$right/batch/b.jpg")"
  # A plain click on a.jpg, still on view, marks it alone without loading it again.
  xdotool mousemove --sync $((TX + 40)) $((TY + 58 + 7)) click 1
  xdotool windowactivate --sync "$MAIN" >/dev/null 2>&1
  key r
  wait_for bash -c "[ \"\$(identify -format '%m %wx%h' '$right/batch/a.jpg' 2>/dev/null)\" = 'JPEG 320x240' ]" ||
    fail "R after the batch turns a.jpg a second time: $(picture_info "$right/batch/a.jpg")"
  read -r red green blue <<<"$(picture_colour_at "$right/batch/a.jpg" 20 120)"
  { [ "${blue:-0}" -gt 200 ] && [ "${red:-255}" -lt 60 ]; } ||
    fail "a.jpg turned twice shows its right half on the left: $red $green $blue"
else
  fail "numpad decimal shows the transformations window"
fi
stop_lumvex
