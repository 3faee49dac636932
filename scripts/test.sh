#!/usr/bin/env bash
# Installs what is missing, builds every configuration with warnings as errors and runs
# every test: the core, the Qt program (offscreen and under Xvfb) with GCC and with clang,
# the sanitizer build, the web page in Chromium, the Windows program, 64- and 32-bit, under
# Wine and the release files. Every configuration runs even when an earlier one fails; the
# last line counts the tests of all of them, and the exit status is non-zero when anything
# failed.
set -uo pipefail
cd "$(dirname "$0")/.."
# Wine and Chromium keep their settings under a home folder, also where none is set.
HOME=${HOME:-$(getent passwd "$(id -u)" | cut -d: -f6)}
export HOME
# Exit status 3: all but the 32-bit Wine is installed (the archive could not supply it):
# the 32-bit program is still built, and what needs that Wine is reported as not run, by
# name, never counted as passed.
wine32=yes
scripts/setup.sh test || { [ $? -eq 3 ] && wine32=; } || exit 1
. scripts/xvfb.sh
start_xvfb || exit 1

mkdir -p build
passed=0
failed=0
broken=()
not_run=()

# Adds one configuration's counts; one that does not build, or whose tests end without a
# summary, counts as one failure.
#   tally NAME GOOD BAD   or   tally NAME "" "" WHY
tally() {
  local name=$1 good=$2 bad=$3
  if [ -z "$good" ]; then
    broken+=("$name (${4:-no test summary})")
    failed=$((failed + 1))
    return
  fi
  passed=$((passed + good))
  failed=$((failed + bad))
  [ "$bad" -eq 0 ] || broken+=("$name ($bad failed)")
}

# A CMake preset: built, then its tests, read from ctest's "N tests failed out of M".
run_preset() {
  local preset=$1 log=build/test-$1.log bad= total=
  echo "== $preset"
  if ! cmake --preset "$preset" >/dev/null || ! cmake --build --preset "$preset"; then
    echo "== $preset: the build failed"
    tally "$preset" "" "" build
    return
  fi
  if [ "$preset" = win32-x86 ] && [ -z "$wine32" ]; then
    echo "== $preset: built; its tests need the 32-bit Wine, which could not be installed"
    not_run+=("$preset tests (no 32-bit Wine)")
    return
  fi
  ctest --preset "$preset" 2>&1 | tee "$log"
  read -r bad _ _ _ _ total < <(grep -Eo '[0-9]+ tests failed out of [0-9]+' "$log" | tail -1)
  tally "$preset" "${total:+$((total - bad))}" "$bad"
}

# The release files, built from the sources and checked with each ecosystem's validators;
# the check ends with its own "release: N passed, N failed[, N not run]".
run_release() {
  local log=build/test-release.log good= bad= skipped=
  echo "== release"
  scripts/release-check.sh 2>&1 | tee "$log"
  read -r _ good _ bad _ skipped _ < <(grep -E '^release: [0-9]+ passed, [0-9]+ failed' "$log" |
    tail -1 | tr -d ',')
  tally release "$good" "$bad"
  [ -z "$skipped" ] || not_run+=("$skipped release checks (no 32-bit Wine)")
}

presets=(${QUIZ_PRESETS:-core linux clang sanitize web win32 win32-x86 release})
for preset in "${presets[@]}"; do
  if [ "$preset" = release ]; then run_release; else run_preset "$preset"; fi
done

[ ${#broken[@]} -eq 0 ] || echo "failing configurations: ${broken[*]}"
summary="tests: $passed passed, $failed failed"  # every configuration together
if [ ${#not_run[@]} -gt 0 ]; then
  summary+="; not run: $(IFS=';'; echo "${not_run[*]}" | sed 's/;/, /g')"
fi
echo "$summary"
[ "$failed" -eq 0 ]
