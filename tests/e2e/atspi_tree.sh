#!/usr/bin/env bash
# The program as a screen reader finds it over AT-SPI: a frame with the controls in screen
# order and a named result box. Needs an X display; starts a session bus of its own, on
# which the accessibility bus starts. Exit 77 (skipped) where that bus cannot start.
#   atspi_tree.sh PROGRAM
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=$1
. "$here/atspi_session.sh"
enter_atspi_session "$0" "$@"

atspi_launcher=
app=
cleanup() {
  [ -z "$app" ] || kill "$app" 2>/dev/null || true
  [ -z "$atspi_launcher" ] || kill "$atspi_launcher" 2>/dev/null || true
  wait 2>/dev/null || true
}
trap cleanup EXIT
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
start_atspi_bus
"$program" &
app=$!
/usr/bin/python3 "$here/atspi_tree.py" "$(basename "$program")"
