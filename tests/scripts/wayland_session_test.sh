#!/usr/bin/env bash
# The built program in a Wayland session, played by environment variables on a
# private X server: with XWayland (DISPLAY set) it runs on the X server and
# shows its picture; a platform chosen in QT_QPA_PLATFORM is kept; without
# XWayland it says once what does not work on Wayland.
# Usage: tests/scripts/wayland_session_test.sh path/to/lumvex
set -uo pipefail
LUMVEX=$(realpath "$1")
E2E_WORK=$(mktemp -d /tmp/lumvex-wayland.XXXXXX)
# shellcheck source=../e2e/lib.sh
. "$(dirname "$(realpath "$0")")/../e2e/lib.sh"
unset QT_QPA_PLATFORM
export LUMVEX_REGISTRY_DIR="$E2E_WORK/settings" ASAN_OPTIONS=detect_leaks=0
# A Wayland session whose compositor is not there: only XWayland can work.
export XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=lumvex-test-no-compositor
trap stop_desktop EXIT
start_desktop
mkdir -p "$E2E_WORK/pics" "$LUMVEX_REGISTRY_DIR"
convert -size 320x240 xc:'#ff0000' "$E2E_WORK/pics/a.jpg"
note="lumvex: running on Wayland"

start_lumvex "$E2E_WORK" "$E2E_WORK/pics/a.jpg"
geometry
expect_colour $((X + W / 2)) $((Y + 18 + (H - 36) / 2)) red "with XWayland the picture is shown through it"
stop_lumvex
if grep -q "$note" "$E2E_WORK/lumvex.log"; then fail "the Wayland note was printed while running on X"; fi
# Qt's Wayland platform (qt6-wayland) is installed: left to itself, the toolkit
# would try the session's compositor first.
if grep -Eq 'wl_display|plugin "wayland"' "$E2E_WORK/lumvex.log"; then fail "Wayland was tried although XWayland is there"; fi

# The user's platform wins over XWayland: offscreen renders without a window.
QT_QPA_PLATFORM=offscreen "$LUMVEX" --screenshot "$E2E_WORK/shot.png" "$E2E_WORK/pics/a.jpg" \
  >"$E2E_WORK/offscreen.log" 2>&1 || fail "the offscreen platform the user chose did not render"
[ -s "$E2E_WORK/shot.png" ] || fail "the offscreen platform the user chose wrote no screenshot"
# So does a Wayland platform: it is tried (and fails here, with no compositor), with the note.
if QT_QPA_PLATFORM=wayland "$LUMVEX" "$E2E_WORK/pics/a.jpg" >"$E2E_WORK/chosen.log" 2>&1; then
  fail "the Wayland platform the user chose was not used"
fi
[ "$(grep -c "$note" "$E2E_WORK/chosen.log")" = 1 ] || fail "the Wayland note was not printed once"

# Without XWayland: Wayland, and the note once.
if env -u DISPLAY "$LUMVEX" "$E2E_WORK/pics/a.jpg" >"$E2E_WORK/alone.log" 2>&1; then
  fail "without a compositor or XWayland the program did not stop"
fi
[ "$(grep -c "$note" "$E2E_WORK/alone.log")" = 1 ] || fail "without XWayland the Wayland note was not printed once"
if grep -Eq 'plugin "xcb"|could not connect to display' "$E2E_WORK/alone.log"; then
  fail "without XWayland the X platform was tried"
fi

if [ $failures -gt 0 ]; then
  log "$failures check(s) failed; work left in $E2E_WORK"
  exit 1
fi
rm -rf "$E2E_WORK"
log "the Wayland session checks passed"
