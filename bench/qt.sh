#!/usr/bin/env bash
# Startup time, peak memory and size of the Linux program against a bare Qt window of the
# same size and colour (the toolkit floor), on a virtual X display of its own.
#   bench/qt.sh [RUNS]   (default 21 runs of each, interleaved; medians)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-21}
scripts/setup.sh run
cmake --preset run >/dev/null  # the program without the tests, as scripts/run.sh builds it
cmake --build --preset run --target pioneers-quiz bench-qt-bare-window bench-qt-startup-probe \
  >/dev/null
quiz=build/run/window/qt/pioneers-quiz
bare=build/run/bench/qt/bench-qt-bare-window
probe=build/run/bench/qt/bench-qt-startup-probe

unset DISPLAY  # always a fresh virtual display: no window manager, no other windows
. scripts/xvfb.sh
. bench/lib.sh
start_xvfb
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}

samples=$(mktemp -d)
"$probe" "$quiz" >/dev/null && "$probe" "$bare" >/dev/null  # warm the file cache
for _ in $(seq "$runs"); do
  "$probe" "$quiz" >>"$samples/quiz"
  "$probe" "$bare" >>"$samples/bare"
  "$probe" "$bare" --caption >>"$samples/text"
done

stripped=$(mktemp)
strip -o "$stripped" "$quiz"
quiz_size=$(stat -c %s "$quiz")
stripped_size=$(stat -c %s "$stripped")
rm -f "$stripped"

echo "Linux program against a bare Qt window, $runs runs each on Xvfb, medians"
compare "$samples" "peak RSS KB" pioneers-quiz "bare Qt window" "bare window + caption"
echo "binary size: $quiz_size bytes as built (with debug information), $stripped_size stripped"
rm -rf "$samples"
