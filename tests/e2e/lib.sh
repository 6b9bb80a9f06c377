# Helpers of the end-to-end tests: a private X server with a window manager,
# the program started as a user starts it, keys and clicks through xdotool,
# and the screen read back from screenshots.
# shellcheck shell=bash

E2E_TIMEOUT=${E2E_TIMEOUT:-8}  # seconds to wait for what the user should see
failures=0

log() { printf 'e2e: %s\n' "$*"; }

fail() {
  failures=$((failures + 1))
  local shot
  shot="$E2E_WORK/failure-$failures.png"
  import -silent -window root "$shot" 2>/dev/null || true
  log "FAIL: $* (screen saved to $shot)"
}

# Starts Xvfb on a free display and openbox on it.
start_desktop() {
  local fd_file="$E2E_WORK/display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fd_file" 2>"$E2E_WORK/xvfb.log" &
  XVFB_PID=$!
  for _ in $(seq 100); do [ -s "$fd_file" ] && break; sleep 0.05; done
  [ -s "$fd_file" ] || { log "Xvfb did not start"; exit 1; }
  export DISPLAY=":$(head -n1 "$fd_file")"
  openbox >"$E2E_WORK/openbox.log" 2>&1 &
  OPENBOX_PID=$!
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    sleep 0.05
  done
  log "openbox did not start"; exit 1
}

stop_desktop() {
  [ -n "${APP_PID:-}" ] && kill "$APP_PID" 2>/dev/null && wait "$APP_PID" 2>/dev/null
  [ -n "${OPENBOX_PID:-}" ] && kill "$OPENBOX_PID" 2>/dev/null
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null
  wait 2>/dev/null || true
}

# Starts the program in folder $1 with the remaining arguments and waits for
# its main window; sets APP_PID and MAIN.
start_lumvex() {
  local folder=$1; shift
  (cd "$folder" && exec "$LUMVEX" "$@" >>"$E2E_WORK/lumvex.log" 2>&1) &
  APP_PID=$!
  MAIN=""
  for _ in $(seq 200); do
    MAIN=$(xdotool search --onlyvisible --pid "$APP_PID" --name '^Lumvex2$' 2>/dev/null | head -n1 || true)
    [ -n "$MAIN" ] && break
    sleep 0.05
  done
  [ -n "$MAIN" ] || { log "the main window did not appear"; exit 1; }
  xdotool windowactivate --sync "$MAIN" >/dev/null 2>&1 || true
}

stop_lumvex() {
  kill "$APP_PID" 2>/dev/null || true
  wait "$APP_PID" 2>/dev/null || true
  APP_PID=""
}

# The main window's place and size: sets X Y W H.
geometry() {
  eval "$(xdotool getwindowgeometry --shell "$MAIN" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
  W=$WIDTH; H=$HEIGHT
}

shot() { import -silent -window root -depth 8 "ppm:$E2E_WORK/shot.ppm"; }

# The colour at screen place x y of the last shot, as "r g b".
pixel() {
  local header="P6
1024 768
255
"
  od -An -tu1 -v -j $(( ${#header} + ($2 * 1024 + $1) * 3 )) -N3 "$E2E_WORK/shot.ppm" | xargs
}

# Whether colour "r g b" ($1) is near the named colour $2.
is_colour() {
  local r g b
  read -r r g b <<<"$1"
  case $2 in
    red) [ "$r" -gt 200 ] && [ "$g" -lt 60 ] && [ "$b" -lt 60 ] ;;
    green) [ "$r" -lt 60 ] && [ "$g" -gt 200 ] && [ "$b" -lt 60 ] ;;
    blue) [ "$r" -lt 60 ] && [ "$g" -lt 60 ] && [ "$b" -gt 200 ] ;;
    black) [ "$r" -lt 30 ] && [ "$g" -lt 30 ] && [ "$b" -lt 30 ] ;;
    white) [ "$r" -gt 225 ] && [ "$g" -gt 225 ] && [ "$b" -gt 225 ] ;;
    *) return 1 ;;
  esac
}

# Waits until screen place x y shows the colour; false after the timeout.
wait_colour() {
  local end=$((SECONDS + E2E_TIMEOUT))
  while :; do
    shot
    is_colour "$(pixel "$1" "$2")" "$3" && return 0
    [ $SECONDS -ge $end ] && return 1
    sleep 0.1
  done
}

expect_colour() {  # x y colour what
  wait_colour "$1" "$2" "$3" || fail "$4: expected $3 at $1,$2, saw $(pixel "$1" "$2")"
}

# Waits until a condition command succeeds; false after the timeout.
wait_for() {
  local end=$((SECONDS + E2E_TIMEOUT))
  until "$@"; do
    [ $SECONDS -ge $end ] && return 1
    sleep 0.1
  done
}

# Waits until screen place x y has shown every colour named after it (an
# animation's frames); false after the timeout. Sets SEEN to those seen.
wait_colours() {
  local x=$1 y=$2 c end=$((SECONDS + E2E_TIMEOUT)); shift 2
  SEEN=""
  while :; do
    shot
    for c in "$@"; do
      is_colour "$(pixel "$x" "$y")" "$c" && [[ " $SEEN " != *" $c "* ]] && SEEN=$(xargs <<<"$SEEN $c")
    done
    [ "$(wc -w <<<"$SEEN")" -eq $# ] && return 0
    [ $SECONDS -ge $end ] && return 1
    sleep 0.05
  done
}

# How many pixels of a screen rectangle x y w h in the last shot show the colour.
count_colour() {
  local x=$1 y=$2 w=$3 h=$4 colour=$5 row n=0 header="P6
1024 768
255
"
  for ((row = y; row < y + h; row++)); do
    n=$((n + $(od -An -tu1 -v -j $(( ${#header} + (row * 1024 + x) * 3 )) -N $((w * 3)) "$E2E_WORK/shot.ppm" |
      xargs -n3 | while read -r r g b; do is_colour "$r $g $b" "$colour" && echo; done | wc -l)))
  done
  echo "$n"
}

# Whether a window of the program titled exactly $1 is mapped; sets SHOWN to it.
window_shown() {
  local id
  SHOWN=""
  for id in $(xdotool search --onlyvisible --pid "$APP_PID" --name "$1" 2>/dev/null); do
    [ "$(xdotool getwindowname "$id")" = "$1" ] || continue
    xwininfo -id "$id" 2>/dev/null | grep -q IsViewable && SHOWN=$id && return 0
  done
  return 1
}
window_hidden() { ! window_shown "$1"; }

key() { xdotool key --delay 30 "$@"; }
click_at() { xdotool mousemove --sync "$1" "$2" click 1; }
