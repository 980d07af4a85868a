#!/usr/bin/env bash
# usage: session.sh COMMAND...
# Runs COMMAND on a fresh X server with a window manager, in a D-Bus session with the
# accessibility bus and its registry: the desktop a screen reader user has.
set -euo pipefail
# The server picks a free display itself: one still shutting down from an earlier run
# cannot be taken for ours.
displayfile="$(mktemp)"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null; rm -f "$displayfile"' EXIT
for _ in $(seq 100); do
  [ -s "$displayfile" ] && break
  sleep 0.1
done
export DISPLAY=":$(head -n 1 "$displayfile")"
for _ in $(seq 50); do
  xdpyinfo >/dev/null 2>&1 && break
  sleep 0.1
done
dbus-run-session -- bash -c '
  openbox >/dev/null 2>&1 &
  /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
  # A window mapped before the window manager runs is never given the focus.
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    sleep 0.1
  done
  sleep 1
  "$@"
  status=$?
  kill %1 %2 2>/dev/null
  exit $status
' session "$@"
