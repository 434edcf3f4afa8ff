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
# The first visible window whose title starts with $1, within a minute; or nothing.
window() {
  local id=""
  for _ in $(seq 120); do
    id=$(xdotool search --onlyvisible --name "^$1" 2>/dev/null | head -1)
    [ -n "$id" ] && break
    sleep 0.5
  done
  echo "$id"
}

"$PREFIX/bin/kolvex" "$HOME/Music/Disc 1" >"$HOME/kolvex.log" 2>&1 &
pid=$!
[ -n "$(window 'Kolvex$')" ] || { echo "no main window"; exit 1; }
dialog=$(window 'Add A New Archive')
[ -n "$dialog" ] || { echo "no add-archive dialog"; exit 1; }
sleep 1  # the dialog fades in
xdotool windowactivate --sync "$dialog" key Return
# "The archive has been created." waits for its OK, as a user would give it.
box=$(window 'Kolvex 1.0 Beta')
[ -n "$box" ] || { echo "no message that the catalog was made"; exit 1; }
xdotool windowactivate --sync "$box" key Return
sleep 2  # the windows fade out
command -v import >/dev/null && import -window root "$SHOTS/installed-main-window.png" 2>/dev/null
kill -TERM "$pid"
for _ in $(seq 60); do kill -0 "$pid" 2>/dev/null || break; sleep 0.5; done
! kill -0 "$pid" 2>/dev/null || { echo "the program did not stop"; exit 1; }
