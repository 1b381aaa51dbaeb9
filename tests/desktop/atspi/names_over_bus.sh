#!/bin/bash
# Starts the real game offline under Xvfb on a private session bus with the accessibility bus,
# and lets names_walk.py read it as a screen reader would. Exit 77 (skipped) when the X server
# or the buses cannot start. Usage: names_over_bus.sh GAME_BINARY
set -u
game=$1
here=$(cd "$(dirname "$0")" && pwd)
skip() {
  echo "SKIPPED: $*"
  exit 77
}

if [ "${INSIDE_PRIVATE_BUS:-}" != 1 ]; then
  for tool in Xvfb dbus-run-session dbus-send timeout; do
    command -v "$tool" >/dev/null || skip "$tool is not installed"
  done
  [ -x /usr/libexec/at-spi-bus-launcher ] || skip "at-spi2-core is not installed"
  [ -x /usr/bin/python3 ] && /usr/bin/python3 -c 'import pyatspi' 2>/dev/null || skip "python3-pyatspi is not installed"
  INSIDE_PRIVATE_BUS=1 exec timeout -k 5 280 dbus-run-session -- "$0" "$@"
fi

scratch=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT

# A free display: the server writes its number once it listens.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$scratch/display" 2>"$scratch/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.1; done
[ -s "$scratch/display" ] || skip "Xvfb did not start: $(tail -3 "$scratch/xvfb.log")"
export DISPLAY=":$(head -1 "$scratch/display")"

/usr/libexec/at-spi-bus-launcher --launch-immediately 2>"$scratch/bus.log" &
pids+=($!)
bus=""
for _ in $(seq 100); do
  bus=$(dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
    2>/dev/null | grep -o 'unix:[^"]*')
  [ -n "$bus" ] && break
  sleep 0.1
done
[ -n "$bus" ] || skip "the accessibility bus did not start: $(tail -3 "$scratch/bus.log")"

mkdir -p "$scratch/home"
HOME="$scratch/home" SUDOKU_HOME="$scratch/game" SUDOKU_SITE=http://127.0.0.1:9 \
  QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QTWEBENGINE_DISABLE_SANDBOX=1 \
  "$game" >"$scratch/game.log" 2>&1 &
pids+=($!)

/usr/bin/python3 "$here/names_walk.py"
status=$?
[ $status -eq 2 ] && tail -20 "$scratch/game.log"
exit $status
