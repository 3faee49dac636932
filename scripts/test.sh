#!/usr/bin/env bash
# Installs what is missing, builds every configuration with warnings as errors and runs
# every test: the core, the Qt program (offscreen and under Xvfb) with GCC and with clang,
# the sanitizer build, the web page in Chromium, the Windows program under Wine and the
# release files. Every configuration runs even when an earlier one fails; the last line
# counts the tests of all of them, and the exit status is non-zero when anything failed.
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

# The release files, built from the sources and checked with each ecosystem's validators;
# the check ends with its own "release: N passed, N failed".
run_release() {
  local log=build/test-release.log
  echo "== release"
  scripts/release-check.sh 2>&1 | tee "$log"
  local counts
  counts=$(grep -Eo '^release: [0-9]+ passed, [0-9]+ failed' "$log" | tail -1)
  if [ -z "$counts" ]; then
    broken+=("release (no summary)")
    failed=$((failed + 1))
    return
  fi
  local good bad
  read -r _ good _ bad _ <<<"$counts"
  passed=$((passed + good))
  failed=$((failed + bad))
  [ "$bad" -eq 0 ] || broken+=("release ($bad failed)")
}

presets=(${QUIZ_PRESETS:-core linux clang sanitize web win32 release})
for preset in "${presets[@]}"; do
  if [ "$preset" = release ]; then run_release; else run_preset "$preset"; fi
done

[ ${#broken[@]} -eq 0 ] || echo "failing configurations: ${broken[*]}"
echo "tests: $passed passed, $failed failed"  # every configuration together
[ "$failed" -eq 0 ]
