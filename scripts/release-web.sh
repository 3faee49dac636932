#!/usr/bin/env bash
# Builds the web page into the folder given: the single file that works offline from
# file://, a zip of the page's folder for a static web host and the package for a learning
# platform (SCORM 1.2).
#   scripts/release-web.sh DIST [CMAKE SETTINGS...]
set -euo pipefail
cd "$(dirname "$0")/.."
dist=$(realpath "$1")
shift
scripts/setup.sh web
build=build/release/web
cmake --preset web -B "$build" -DQUIZ_BUILD_TESTS=OFF "$@" >/dev/null
cmake --build "$build" -j2 --target web_page
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=\([0-9]*\.[0-9]*\.[0-9]*\).*/\1/p' \
  "$build/CMakeCache.txt")
cp "$build/pioneers-quiz.html" "$dist/pioneers-quiz-$version.html"
cp "$build/pioneers-quiz-scorm-$version.zip" "$dist/"
rm -f "$dist/pioneers-quiz-web-$version.zip"
(cd "$build" && cp -r page "pioneers-quiz-web-$version" &&
  zip -qr -X "$dist/pioneers-quiz-web-$version.zip" "pioneers-quiz-web-$version" &&
  rm -rf "pioneers-quiz-web-$version")
