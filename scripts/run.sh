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
cmake --preset linux >/dev/null
cmake --build --preset linux --target pioneers-quiz
program=build/linux/window/qt/pioneers-quiz

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$program"
fi

. scripts/xvfb.sh
start_xvfb
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then  # a private runtime folder, as a desktop session has
  XDG_RUNTIME_DIR=$(mktemp -d)
  export XDG_RUNTIME_DIR
  trap 'rm -rf "$XDG_RUNTIME_DIR"; kill "$XVFB_PID" 2>/dev/null || true' EXIT
fi
"$program" &
pid=$!
window=
for _ in $(seq 100); do
  window=$(xwininfo -root -tree 2>/dev/null | awk '/Пионери/ {print $1; exit}')
  [ -n "$window" ] && break
  sleep 0.1
done
sleep 0.5
shot=$PWD/build/quiz-screenshot.png
import -window "${window:-root}" "$shot"
kill "$pid"
echo "No display here: the quiz was opened on a virtual display ($DISPLAY) and closed again."
echo "Screenshot of its window: $shot"
