#!/usr/bin/env bash
# The program as a screen reader finds it over AT-SPI: a frame with the controls in screen
# order and a named result box. Needs an X display; starts a session bus of its own, on
# which the accessibility bus starts. Exit 77 (skipped) where that bus cannot start.
#   atspi_tree.sh PROGRAM
set -euo pipefail
program=$1
here=$(dirname "$0")
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  echo "no X display: skipped"
  exit 77
fi
if ! command -v dbus-run-session >/dev/null || [ ! -x /usr/libexec/at-spi-bus-launcher ]; then
  echo "no D-Bus session or AT-SPI bus launcher: skipped"
  exit 77
fi
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
exec dbus-run-session -- bash -c '
  set -u
  /usr/libexec/at-spi-bus-launcher --launch-immediately &
  launcher=$!
  for _ in $(seq 50); do
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
      >/dev/null 2>&1 && break
    sleep 0.1
  done
  if ! dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
       org.a11y.Bus.GetAddress >/dev/null 2>&1; then
    echo "the AT-SPI bus did not start: skipped"
    kill "$launcher" 2>/dev/null
    exit 77
  fi
  "$1" &
  quiz=$!
  /usr/bin/python3 "$2" "$(basename "$1")"
  status=$?
  kill "$quiz" "$launcher" 2>/dev/null
  wait "$quiz" 2>/dev/null
  exit $status
' atspi "$program" "$here/atspi_tree.py"
