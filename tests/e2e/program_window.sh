#!/usr/bin/env bash
# The program opens one fixed window of the defined client size (7410 x 5730 twips at 96
# pixels per inch: 494 x 382) with its title, and closes when asked. Needs an X display.
set -euo pipefail
program=$1
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  echo "no X display: skipped"
  exit 77
fi
"$program" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT
window=$(timeout 20 xdotool search --sync --onlyvisible --name 'Пионери' | head -1)
geometry=$(xwininfo -id "$window")
echo "$geometry" | grep -E 'Width|Height|title' || true
echo "$geometry" | grep -q 'Width: 494' || { echo "wrong width"; exit 1; }
echo "$geometry" | grep -q 'Height: 382' || { echo "wrong height"; exit 1; }
hints=$(xprop -id "$window" WM_NORMAL_HINTS)
echo "$hints"
echo "$hints" | grep -q 'minimum size: 494 by 382' || { echo "window can shrink"; exit 1; }
echo "$hints" | grep -q 'maximum size: 494 by 382' || { echo "window can grow"; exit 1; }
icon=$(xprop -id "$window" _NET_WM_ICON)
echo "$icon" | grep -q 'Icon (32 x 32)' || { echo "no 32x32 icon"; exit 1; }
kill "$pid"
wait "$pid" 2>/dev/null || true
trap - EXIT
