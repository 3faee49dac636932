#!/usr/bin/env bash
# Installs what is missing, builds every configuration with warnings as errors and runs
# every test: the core, the Qt program (offscreen and under Xvfb), the sanitizer build and
# the Windows program under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh test
. scripts/xvfb.sh
start_xvfb

log=build/test-summary.log
mkdir -p build
: >"$log"

run_preset() {
  local preset=$1
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset" 2>&1 | tee -a "$log"
}

presets=(core linux sanitize web)
[ -f window/win32/CMakeLists.txt ] && presets+=(win32)
for preset in "${presets[@]}"; do run_preset "$preset"; done

total=$(grep -Eo 'tests failed out of [0-9]+' "$log" | awk '{s += $NF} END {print s + 0}')
failed=$(grep -Eo '[0-9]+ tests failed out of' "$log" | awk '{s += $1} END {print s + 0}')
echo "tests: $((total - failed)) passed, $failed failed"  # every configuration together
[ "$failed" -eq 0 ]
