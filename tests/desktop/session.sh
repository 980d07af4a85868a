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
wmlog="$(mktemp)"
status=0
dbus-run-session -- bash -c '
  wmlog=$1
  shift
  /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
  # A window mapped before the window manager runs is never given the focus. Now and then
  # openbox ends at once with status 1 and says nothing; then it is started again.
  for attempt in 1 2 3 4 5; do
    { openbox >>"$wmlog" 2>&1; echo "openbox ended with status $?" >>"$wmlog"; } &
    for _ in $(seq 100); do
      xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break 2
      grep -q "openbox ended" "$wmlog" && break
      sleep 0.1
    done
    sed -i "/openbox ended/d" "$wmlog"
  done
  sleep 1
  "$@"
  status=$?
  if [ $status -ne 0 ]; then
    echo "the window manager said:"
    cat "$wmlog"
  fi
  kill $(jobs -p) 2>/dev/null
  exit $status
 ' session "$wmlog" "$@" || status=$?
rm -f "$wmlog"
exit $status
