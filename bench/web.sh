#!/usr/bin/env bash
# Size of the web page (module, page files, single file; as written and gzipped) and the
# time from navigation to its first contentful paint in headless Chromium and Firefox,
# against the same static HTML without scripts.
#   bench/web.sh [RUNS]   (default 21 navigations to each page, interleaved; medians)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-21}
scripts/setup.sh web
cmake --preset web >/dev/null
cmake --build --preset web --target web_page >/dev/null
page=build/web/page
single=build/web/pioneers-quiz.html

size() { stat -c %s "$@" | awk '{s += $1} END {print s}'; }
gzipped() { cat "$@" | gzip -9 | wc -c; }
printf '%-34s %10s %10s\n' "" bytes gzipped
row() { printf '%-34s %10d %10d\n' "$1" "$(size "${@:2}")" "$(gzipped "${@:2}")"; }
row "quiz.wasm" "$page/quiz.wasm"
row "index.html + quiz.js + quiz.css" "$page/index.html" "$page/quiz.js" "$page/quiz.css"
row "sw.js + manifest + icons" "$page/sw.js" "$page/manifest.webmanifest" "$page"/*.png
row "folder page, all files" "$page"/*
row "pioneers-quiz.html (single file)" "$single"
echo
/usr/bin/python3 bench/web/startup.py "$runs" "$single" "$page"
