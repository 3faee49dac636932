#!/usr/bin/env bash
# Startup time, peak memory and size of the Windows program under Wine against a bare
# Win32 window of the same client size, colour and caption (the floor), on a virtual X
# display of its own with a warm Wine prefix.
#   bench/win32.sh [RUNS]   (default 21 runs of each, interleaved; medians)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-21}
scripts/setup.sh test || [ $? -eq 3 ]  # 3: without the 32-bit Wine, which this does not use
command -v python3 >/dev/null || { echo "bench/win32.sh needs python3" >&2; exit 1; }
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target PioneersQuiz bench-win32-bare-window quiz_wine_prefix \
  >/dev/null
quiz=build/win32/window/win32/PioneersQuiz.exe
bare=build/win32/bench/win32/bench-win32-bare-window.exe
probe=bench/win32/startup_probe.py

unset DISPLAY  # always a fresh virtual display: no window manager, no other windows
. scripts/xvfb.sh
. bench/lib.sh
start_xvfb

export WINEPREFIX=$PWD/build/win32/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
[ -x "$wine" ] || wine=$(command -v wine64)
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)
cmake/wine-run.sh --prepare "$WINEPREFIX"
"$wineserver" -k 2>/dev/null || true
"$wineserver" -w
"$wineserver" -p </dev/null >/dev/null 2>&1  # one server for every run, stopped at the end
trap '"$wineserver" -k 2>/dev/null || true; kill "${XVFB_PID:-}" 2>/dev/null || true' EXIT

# At 96 DPI the client area is 494 x 382 pixels. The quiz counts as drawn when the form,
# the title, the "show" button and the result box have their colours; the bare window with
# its own (and its title label, if it has one).
size=(494 382)
quiz_points=(4,4,C0C0FF 83,3,FFC080 60,220,80FF80 11,373,FFFFFF)
bare_points=(4,4,C0C0FF)
label_points=(4,4,C0C0FF 83,3,FFC080)
samples=$(mktemp -d)
python3 "$probe" "${size[@]}" "${quiz_points[@]}" -- "$wine" "$quiz" >/dev/null  # warm up
python3 "$probe" "${size[@]}" "${bare_points[@]}" -- "$wine" "$bare" >/dev/null
for _ in $(seq "$runs"); do
  python3 "$probe" "${size[@]}" "${quiz_points[@]}" -- "$wine" "$quiz" >>"$samples/quiz"
  python3 "$probe" "${size[@]}" "${bare_points[@]}" -- "$wine" "$bare" >>"$samples/bare"
  python3 "$probe" "${size[@]}" "${label_points[@]}" -- "$wine" "$bare" --label >>"$samples/text"
done

imports() {
  x86_64-w64-mingw32-objdump -p "$1" | awk '/DLL Name:/ {printf "%s%s", sep, $3; sep = ", "}'
}

echo "Windows program under Wine against a bare Win32 window, $runs runs each on Xvfb, medians"
compare "$samples" "peak memory KB" PioneersQuiz.exe "bare Win32 window" "bare window + title"
echo "peak memory: VmHWM of the program's Wine process when its window is drawn"
echo "PioneersQuiz.exe: $(stat -c %s "$quiz") bytes (target: under 1 MB); imports: $(imports "$quiz")"
echo "bare window:      $(stat -c %s "$bare") bytes; imports: $(imports "$bare")"
rm -rf "$samples"
