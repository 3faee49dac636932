#!/usr/bin/env bash
# Installs what is missing, builds the Linux program and opens the quiz. Without a display
# it opens the quiz on a virtual display, saves a screenshot and says where.
#   scripts/run.sh web   the same for the web page: opens pioneers-quiz.html in the default
#                        browser, or without a display saves a headless Chromium screenshot
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" = web ]; then
  scripts/setup.sh web
  cmake --preset web >/dev/null
  cmake --build --preset web --target web_page
  page=$PWD/build/web/pioneers-quiz.html
  if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && command -v xdg-open >/dev/null; then
    echo "Opening $page (one file; the folder build/web/page/ is the same page for a web server)"
    exec xdg-open "$page"
  fi
  shot=$PWD/build/web/quiz-screenshot.png
  profile=$(mktemp -d)
  trap 'rm -rf "$profile"' EXIT
  chromium --headless=new --no-sandbox --disable-gpu --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$profile" --window-size=600,450 --virtual-time-budget=5000 \
    --screenshot="$shot" "file://$page" >/dev/null 2>&1
  echo "No display here: the page was opened in headless Chromium."
  echo "Page: $page"
  echo "Screenshot: $shot"
  exit 0
fi

scripts/setup.sh run
cmake --preset run >/dev/null
cmake --build --preset run --target pioneers-quiz
program=build/run/window/qt/pioneers-quiz

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$program"
fi

export LC_ALL=C.UTF-8  # the X tools print the window's Cyrillic title
. scripts/xvfb.sh
start_xvfb
runtime=
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then  # a private runtime folder, as a desktop session has
  runtime=$(mktemp -d)
  export XDG_RUNTIME_DIR=$runtime
fi
"$program" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true; stop_xvfb; [ -z "$runtime" ] || rm -rf "$runtime"' EXIT
# The program's own window: the visible one whose _NET_WM_PID is the program's.
window=$(timeout 20 xdotool search --sync --onlyvisible --pid "$pid" 2>/dev/null | head -1) || true
if [ -z "$window" ]; then
  echo "The quiz did not open a window on the virtual display $DISPLAY within 20 s." >&2
  exit 1
fi
sleep 0.5  # its first paint
shot=$PWD/build/quiz-screenshot.png
import -window "$window" "$shot"
title=$(xprop -id "$window" _NET_WM_NAME | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p')
size=$(xdotool getwindowgeometry --shell "$window" | awk -F= '/^WIDTH/ {w = $2} /^HEIGHT/ {h = $2} END {print w "x" h}')
echo "No display here: the quiz was opened on a virtual display ($DISPLAY) and closed again."
echo "Screenshot of its window \"$title\" ($size): $shot"
