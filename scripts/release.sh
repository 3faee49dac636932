#!/usr/bin/env bash
# Builds the release files into dist/ from the sources alone, in build directories of their
# own without the tests: the Debian package, the Windows installer and portable zip, each
# 64-bit (x64) and 32-bit (x86), the web bundle where the tree has one, and SHA256SUMS of
# them all.
# Publisher settings pass through to CMake, e.g.
#   scripts/release.sh -DQUIZ_PUBLISHER_NAME="ОУ „Христо Ботев“" -DQUIZ_PUBLISHER_URL=www.school.bg
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh release || [ $? -eq 3 ]  # 3: without the 32-bit Wine, which only the checks need

build=build/release
settings=(-DQUIZ_BUILD_TESTS=OFF "$@")
rm -rf dist "$build"/deb
mkdir -p dist

echo "== Debian package"
cmake --preset linux -B "$build/linux" "${settings[@]}" >/dev/null
cmake --build "$build/linux" -j2
(cd "$build/linux" && cpack -G DEB -B "$PWD/../deb" >/dev/null)
cp "$build"/deb/pioneers-quiz_*.deb dist/

for preset in win32 win32-x86; do
  echo "== Windows installer and portable zip ($preset)"
  cmake --preset "$preset" -B "$build/$preset" "${settings[@]}" >/dev/null
  cmake --build "$build/$preset" -j2 --target quiz-release
  cp "$build/$preset"/window/win32/PioneersQuiz-*.msi "$build/$preset"/window/win32/PioneersQuiz-*.zip \
    dist/
done

# The web bundle: a script that builds it puts its files into the folder it is given.
if [ -x scripts/release-web.sh ]; then
  echo "== Web bundle"
  scripts/release-web.sh dist "${settings[@]}"
fi

(cd dist && find . -maxdepth 1 -type f ! -name SHA256SUMS -printf '%f\n' | LC_ALL=C sort |
  xargs sha256sum >SHA256SUMS)
echo "Release files in dist/:"
(cd dist && ls -l --time-style=+ | tail -n +2 | awk '{printf "  %10s  %s\n", $5, $NF}')
