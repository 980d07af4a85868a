#!/usr/bin/env bash
# usage: wayland.sh GAME
# The game on a Wayland compositor that places windows itself and lets none place its
# own (weston, headless): it starts, a new 20 x 12 board shows whole on the screen, it quits.
set -euo pipefail
game="$(realpath "$1")"
here="$(dirname "$(realpath "$0")")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
cat > "$work/weston.ini" <<'INI'
[core]
idle-time=0
[shell]
background-color=0xff000000
panel-position=none
locking=false
animation=none
startup-animation=none
INI
cd "$work"
exec dbus-run-session -- bash -c '
  /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
  weston --backend=headless-backend.so --socket=vantirelle-test --width=1280 --height=800 --use-pixman \
    --config="$PWD/weston.ini" --debug >weston.log 2>&1 &
  for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/vantirelle-test" ] && break; sleep 0.1; done
  sleep 1
  WAYLAND_DISPLAY=vantirelle-test /usr/bin/python3 "$1/wayland.py" "$2"
  status=$?
  [ $status -eq 0 ] || cat weston.log
  kill %1 %2 2>/dev/null
  exit $status
' session "$here" "$game"
