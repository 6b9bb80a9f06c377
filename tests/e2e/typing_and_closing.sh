# End-to-end: a path typed into the options window's editor field stays there
# (its "b" does not hide the window), and closing with a settings store that
# cannot be written shows the failure once and ends the program, from the
# close button and from the window manager's close. Sourced by run.sh.
# shellcheck shell=bash

typing_home="$E2E_WORK/typing" typing_settings="$E2E_WORK/typing-settings"
mkdir -p "$typing_home" "$typing_settings"
convert -size 120x90 xc:'#0000ff' "$typing_home/a.bmp"
saved_registry=$LUMVEX_REGISTRY_DIR
export LUMVEX_REGISTRY_DIR=$typing_settings

# The program has ended (a process that is gone or a zombie).
lumvex_ended() { ! ps -o stat= -p "$APP_PID" 2>/dev/null | grep -qv Z; }

# Waits for the program to end; its exit code into ENDED_WITH, false when it
# is still running after the timeout (it is then stopped).
wait_lumvex_end() {
  ENDED_WITH=""
  if ! wait_for lumvex_ended; then
    stop_lumvex
    return 1
  fi
  wait "$APP_PID"
  ENDED_WITH=$?
  APP_PID=""
}

close_button() {
  geometry
  click_at $((X + W - 13)) $((Y + 9))
}

# --- Typing a program path into the editor field.
start_lumvex "$typing_home"
key b
if ! wait_for window_shown 'Beállítások'; then
  fail "B shows the options window"
else
  options=$SHOWN
  eval "$(xdotool getwindowgeometry --shell "$options" | grep -E '^(X|Y)=')"
  click_at $((X + 100)) $((Y + 238))
  key ctrl+a
  xdotool type --delay 40 "/usr/bin/gimp"
  key Return
  sleep 0.3
  window_shown 'Beállítások' || fail "typing a path with a b into the editor field leaves the options window open"
  window_hidden 'Fájl ablak' || fail "Enter in the editor field does not open the file window"
fi
close_button
wait_lumvex_end || fail "the close button ends the program"
grep -q '^edit=sz:/usr/bin/gimp$' "$typing_settings/HKEY_LOCAL_MACHINE.txt" 2>/dev/null ||
  fail "the typed path lands whole in the editor field and is saved: $(grep '^edit=' "$typing_settings/HKEY_LOCAL_MACHINE.txt" 2>&1)"

# --- Closing with a settings store that cannot be written, even by root:
# the folder made immutable where the file system allows it, else the
# folder replaced by a plain file.
make_store_unwritable() {
  if chattr +i "$typing_settings" 2>/dev/null; then
    if ! touch "$typing_settings/probe" 2>/dev/null; then
      STORE_LOCK=immutable
      return 0
    fi
    rm -f "$typing_settings/probe"
    chattr -i "$typing_settings"
  fi
  rm -rf "$typing_settings"
  printf 'not a folder' >"$typing_settings"
  STORE_LOCK=file
}
make_store_writable() {
  if [ "$STORE_LOCK" = immutable ]; then
    chattr -i "$typing_settings"
  else
    rm -f "$typing_settings"
    mkdir -p "$typing_settings"
  fi
}

for how in "the close button" "the window manager's close"; do
  start_lumvex "$typing_home"
  make_store_unwritable
  case $how in
    "the close button") close_button ;;
    *) key alt+F4 ;;  # openbox asks the window to close (WM_DELETE_WINDOW)
  esac
  if wait_for window_shown 'Lumvex'; then
    key Return
  else
    fail "$how with an unwritable store ($STORE_LOCK) shows the failed save"
  fi
  if wait_lumvex_end; then
    [ "$ENDED_WITH" = 0 ] || fail "$how with an unwritable store ends the program normally (exit code $ENDED_WITH)"
  else
    fail "$how with an unwritable store ($STORE_LOCK) ends the program after one error box"
  fi
  make_store_writable
done
log "closing with an unwritable store checked with the store's folder made $([ "$STORE_LOCK" = immutable ] && echo immutable || echo "a plain file")"

export LUMVEX_REGISTRY_DIR=$saved_registry
