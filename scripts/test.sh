#!/usr/bin/env bash
# Installs what is missing, builds every configuration with warnings as errors and runs
# every test: the core, the Qt program (offscreen and under Xvfb) with GCC and with clang,
# the sanitizer build and the Windows program under Wine. Every configuration runs even
# when an earlier one fails; the last line counts the tests of all of them, and the exit
# status is non-zero when anything failed.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh test || exit 1
. scripts/xvfb.sh
start_xvfb || exit 1

mkdir -p build
passed=0
failed=0
broken=()

# Adds one configuration's counts from its ctest summary ("N tests failed out of M"); a
# configuration that does not build, or whose tests end without a summary, counts as one
# failure.
run_preset() {
  local preset=$1 log=build/test-$1.log
  echo "== $preset"
  if ! cmake --preset "$preset" >/dev/null || ! cmake --build --preset "$preset"; then
    echo "== $preset: the build failed"
    broken+=("$preset (build)")
    failed=$((failed + 1))
    return
  fi
  ctest --preset "$preset" 2>&1 | tee "$log"
  local summary
  summary=$(grep -Eo '[0-9]+ tests failed out of [0-9]+' "$log" | tail -1)
  if [ -z "$summary" ]; then
    broken+=("$preset (no test summary)")
    failed=$((failed + 1))
    return
  fi
  local bad total
  read -r bad _ _ _ _ total <<<"$summary"
  passed=$((passed + total - bad))
  failed=$((failed + bad))
  [ "$bad" -eq 0 ] || broken+=("$preset ($bad failed)")
}

presets=(${QUIZ_PRESETS:-core linux clang sanitize web win32})
for preset in "${presets[@]}"; do run_preset "$preset"; done

[ ${#broken[@]} -eq 0 ] || echo "failing configurations: ${broken[*]}"
echo "tests: $passed passed, $failed failed"  # every configuration together
[ "$failed" -eq 0 ]
