#!/usr/bin/env bash
# Runs inside an X session as the user: a window manager, the installed desktop program
# with a folder to catalogue, then OK in the add-archive dialog it shows. Ends with status
# 0 once the main window was shown, the catalog exists in the user's Archives/ and the
# program has stopped on SIGTERM.
#   PREFIX=/usr SHOTS=DIR first_catalog.sh   (HOME: the user's; ~/Music/Disc 1 exists)
set -u
openbox >/dev/null 2>&1 &
wm=$!
trap 'kill $wm 2>/dev/null' EXIT
# The first visible window whose title starts with $1, within three minutes (a sanitizer
# build on a busy machine starts slowly); or nothing.
window() {
  local id=""
  for _ in $(seq 360); do
    id=$(xdotool search --onlyvisible --name "^$1" 2>/dev/null | head -1)
    [ -n "$id" ] && break
    sleep 0.5
  done
  echo "$id"
}

# What was on the screen when a step failed: the titles of the visible windows and a picture.
failed() {
  echo "$1; visible windows:"
  for w in $(xdotool search --onlyvisible --name . 2>/dev/null); do
    echo "  $(xdotool getwindowname "$w" 2>/dev/null)"
  done
  command -v import >/dev/null && import -window root "$SHOTS/installed-failure.png" 2>/dev/null
  exit 1
}

"$PREFIX/bin/kolvex" "$HOME/Music/Disc 1" >"$HOME/kolvex.log" 2>&1 &
pid=$!
[ -n "$(window 'Kolvex$')" ] || failed "no main window"
dialog=$(window 'Add A New Archive')
[ -n "$dialog" ] || failed "no add-archive dialog"
sleep 1  # the dialog fades in
# Return in the dialog. A key pressed while the dialog still fades in or before it has the
# focus is lost, so it is pressed again when, half a minute later, the dialog is still there
# and no message came (four files are catalogued in far less, even on a busy machine).
for _ in 1 2 3; do
  xdotool windowactivate --sync "$dialog" key Return 2>/dev/null
  for _ in $(seq 60); do
    xdotool search --onlyvisible --name '^Kolvex 1.0 Beta' >/dev/null 2>&1 && break 2
    xdotool search --onlyvisible --name '^Add A New Archive' >/dev/null 2>&1 || break 2
    sleep 0.5
  done
done
# "The archive has been created." waits for its OK, as a user would give it.
box=$(window 'Kolvex 1.0 Beta')
[ -n "$box" ] || failed "no message that the catalog was made"
xdotool windowactivate --sync "$box" key Return
sleep 2  # the windows fade out
command -v import >/dev/null && import -window root "$SHOTS/installed-main-window.png" 2>/dev/null
kill -TERM "$pid"
for _ in $(seq 60); do kill -0 "$pid" 2>/dev/null || break; sleep 0.5; done
! kill -0 "$pid" 2>/dev/null || { echo "the program did not stop"; exit 1; }
