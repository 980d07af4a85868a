#!/usr/bin/env bash
# usage: session.sh COMMAND...
# Runs COMMAND on a fresh X server with a window manager, in a D-Bus session with the
# accessibility bus and its registry: the desktop a screen reader user has.
set -euo pipefail
for display in $(seq 90 140); do
  [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ] || break
done
export DISPLAY=":$display"
Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  xdpyinfo >/dev/null 2>&1 && break
  sleep 0.1
done
dbus-run-session -- bash -c '
  openbox >/dev/null 2>&1 &
  /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
  sleep 1
  "$@"
  status=$?
  kill %1 %2 2>/dev/null
  exit $status
' session "$@"
