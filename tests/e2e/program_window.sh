#!/usr/bin/env bash
# The program opens one fixed window of the defined client size (7410 x 5730 twips at 96
# pixels per inch: 494 x 382) with its title, and closes when asked. Started in the POSIX
# locale, it still gives the X server its title whole, in _NET_WM_NAME and in WM_NAME.
# Needs an X display.
#   program_window.sh PROGRAM TITLE   (the caption ends with TITLE)
set -euo pipefail
export LC_ALL=C.UTF-8  # for the X tools, whatever the caller's locale
program=$1
title=$2
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  echo "no X display: skipped"
  exit 77
fi
env LC_ALL=C LANG=C "$program" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT
window=$(timeout 20 xdotool search --sync --onlyvisible --pid "$pid" | head -1)
names=$(xprop -id "$window" _NET_WM_NAME WM_NAME)
echo "$names"
utf8=$(sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p' <<<"$names")
[[ "$utf8" == *"$title" ]] || { echo "_NET_WM_NAME does not end with $title"; exit 1; }
grep -qxF "WM_NAME(COMPOUND_TEXT) = \"$utf8\"" <<<"$names" ||
  grep -qxF "WM_NAME(UTF8_STRING) = \"$utf8\"" <<<"$names" || { echo "WM_NAME is not the title"; exit 1; }
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
