#!/usr/bin/env bash
# The program opens one fixed window of the defined client size at 96 pixels per inch with
# its title, and closes when asked. Started in the POSIX locale, it still gives the X server
# its title whole, in _NET_WM_NAME and in WM_NAME. Needs an X display; the size and the
# title come from the tests' shared expectations (JSON named by QUIZ_SCENARIOS).
#   program_window.sh PROGRAM
set -euo pipefail
export LC_ALL=C.UTF-8  # for the X tools, whatever the caller's locale
program=$1
{ read -r width height; read -r title; } < <(/usr/bin/python3 -c 'import json, os
table = json.load(open(os.environ["QUIZ_SCENARIOS"]))
print(*next((s["width"], s["height"]) for s in table["client_sizes"] if s["dpi"] == 96))
print(next(c["name"] for c in table["window"] if c["control"] == "Label1(0)"))')
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
echo "$geometry" | grep -q "Width: $width\$" || { echo "wrong width"; exit 1; }
echo "$geometry" | grep -q "Height: $height\$" || { echo "wrong height"; exit 1; }
hints=$(xprop -id "$window" WM_NORMAL_HINTS)
echo "$hints"
echo "$hints" | grep -q "minimum size: $width by $height" || { echo "window can shrink"; exit 1; }
echo "$hints" | grep -q "maximum size: $width by $height" || { echo "window can grow"; exit 1; }
icon=$(xprop -id "$window" _NET_WM_ICON)
echo "$icon" | grep -q 'Icon (32 x 32)' || { echo "no 32x32 icon"; exit 1; }
kill "$pid"
wait "$pid" 2>/dev/null || true
trap - EXIT
