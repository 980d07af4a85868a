#!/usr/bin/env bash
# The game's window under a real X server with a window manager, driven by real key
# presses and clicks: opens a saved game, clicks the tile below the blank, saves, and
# (with --sysinfo) starts the system information program from the About window.
#   gui_check.sh SAVED TYPED-SAVED TYPED-EXAMPLE [--sysinfo MARKER] COMMAND...
# SAVED is where the saved game lands, TYPED-SAVED and TYPED-EXAMPLE the names typed into
# the dialogs (a Windows program under Wine takes Windows names); MARKER is the file the
# system information stand-in writes. Prints what it checked; exits non-zero at the first
# check that fails.
set -euo pipefail
saved="$1"; typedSaved="$2"; example="$3"; shift 3
sysinfo=""
if [ "$1" = "--sysinfo" ]; then sysinfo="$2"; shift 2; fi

fail() {
  echo "gui check FAILED: $*"
  import -window root "${GUI_CHECK_SCREENSHOT:-/dev/null}" 2>/dev/null || true
  exit 1
}
shot() { import -window root "$work/screen.png"; }

work="$(mktemp -d)"
trap 'kill $game 2>/dev/null || true; rm -rf "$work"' EXIT
"$@" > "$work/game.log" 2>&1 &
game=$!
# A window with exactly this title that stays (Wine makes and drops windows as it starts).
find_window() {
  local name="$1" found
  for wait in $(seq 1 100); do
    for found in $(xdotool search --name "^$name\$" 2>/dev/null); do
      if [ "$(xdotool getwindowname "$found" 2>/dev/null)" = "$name" ]; then
        sleep 0.5
        if [ "$(xdotool getwindowname "$found" 2>/dev/null)" = "$name" ]; then
          echo "$found"
          return 0
        fi
      fi
    done
    sleep 0.2
  done
  return 1
}
window="$(find_window 'Vantirelle!')" || fail "no window titled Vantirelle!"
echo "window titled \"$(xdotool getwindowname "$window")\""
xdotool windowactivate --sync "$window" || true
sleep 1

# Open the game through the platform's Open dialog.
xdotool key ctrl+o
sleep 2
xdotool key End shift+Home # the dialog may offer the name chosen last
xdotool type --delay 30 "$example"
xdotool key Return
sleep 2
xdotool windowactivate --sync "$window" || true
sleep 1

# Where the tiles are: down the column 28 pixels into the window (the frame stands 21
# pixels in, its tiles 8 more) the tiles' left edges make the longest run of one colour
# that is not the window's background, beginning three pixels below a tile's rounded
# corner; the tiles are 48 pixels square from there.
eval "$(xdotool getwindowgeometry --shell "$window")"
shot
convert "$work/screen.png" -crop "1x$HEIGHT+$((X + 28))+$Y" +repage txt:- \
  | awk -F'[ ,:]+' 'NR > 1 { print $2, $NF }' > "$work/column.txt"
background="$(awk 'NR == 3 { print $2 }' "$work/column.txt")" # just inside the window's top
top="$(awk -v background="$background" '
      { colour = $2; row = $1
        if (colour == last) { run++ } else { if (run > best && last != background) { best = run; start = first }
                                            run = 1; first = row }
        last = colour }
      END { if (run > best && last != background) { start = first } print start }' "$work/column.txt")"
[ -n "$top" ] || fail "no tiles found"
tileTop=$((Y + top - 3))
# The worked example has the blank in the middle; the tile below it is place 7.
clickX=$((X + 29 + 48 + 24))
clickY=$((tileTop + 2 * 48 + 24))
echo "tiles from y=$tileTop; clicking place 7 at $clickX,$clickY"
xdotool mousemove "$clickX" "$clickY" click 1
sleep 1

# Save through the platform's Save dialog.
xdotool windowactivate --sync "$window" || true
xdotool key ctrl+s
sleep 2
xdotool key End shift+Home
xdotool type --delay 30 "$typedSaved"
xdotool key Return
sleep 2
[ -s "$saved" ] || fail "nothing was saved"
echo "saved $(stat -c %s "$saved") bytes"

if [ -n "$sysinfo" ]; then
  rm -f "$sysinfo"
  xdotool windowactivate --sync "$window" || true
  xdotool key alt+a
  about="$(find_window 'About Vantirelle')" || fail "no About window"
  xdotool windowactivate --sync "$about" || true
  sleep 1
  xdotool key alt+s
  for wait in $(seq 1 50); do [ -s "$sysinfo" ] && break; sleep 0.2; done
  [ -s "$sysinfo" ] || fail "System Info did not start the program named in the registry"
  echo "System Info started the registry's program: $(cat "$sysinfo")"
fi
xdotool windowactivate --sync "$window" 2>/dev/null || true
xdotool key ctrl+q
sleep 1
