#!/usr/bin/env bash
# Installs the Debian packages the quiz needs, only those missing.
#   scripts/setup.sh run    what building and opening the Linux program needs
#   scripts/setup.sh web    what building the web page and testing it in Chromium needs (with
#                           the package and worksheet tools: unzip, xmllint, poppler)
#   scripts/setup.sh release  what building and checking the release files needs
#   scripts/setup.sh test   all of that, plus what every test needs (cross-compilers, Wine,
#                           X tools, the Orca screen reader and AT-SPI)
set -euo pipefail

run_packages=(cmake make g++ qt6-base-dev libgl-dev fonts-liberation xvfb xauth x11-utils imagemagick
  xdotool)
web_packages=(cmake make g++ clang lld zip wasi-libc libc++-dev-wasm32 libclang-rt-dev-wasm32
  python3 chromium chromium-driver python3-selenium fonts-liberation nodejs unzip libxml2-utils
  poppler-utils)
release_packages=(cmake make g++ qt6-base-dev libgl-dev mingw-w64 dpkg-dev file wixl msitools zip
  unzip lintian appstream desktop-file-utils icoutils wine wine64 xvfb xauth x11-utils
  xdotool fonts-liberation libxml2-utils)
test_packages=("${run_packages[@]}" "${web_packages[@]}" "${release_packages[@]}" libgtest-dev
  googletest xdotool orca python3-pyatspi at-spi2-core dbus)

case "${1:-test}" in
  run) wanted=("${run_packages[@]}") ;;
  web) wanted=("${web_packages[@]}") ;;
  test) wanted=("${test_packages[@]}") ;;
  release) wanted=("${release_packages[@]}") ;;
  *) echo "usage: $0 run|web|release|test" >&2; exit 2 ;;
esac

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)

missing=()
for p in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq \
    "${missing[@]}" >/dev/null
fi

# For `web` and `test`: the page's accessibility checker and the learning platform's run-time
# the package is tested against, from npm, pinned (with Debian's npm where the nodejs package
# brings none of its own).
case "${1:-test}" in
  web | test)
    command -v npm >/dev/null ||
      DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq npm >/dev/null
    [ -f "$(npm root -g)/axe-core/axe.min.js" ] || "${sudo[@]}" npm install -g -s axe-core@4.14.1
    [ -f "$(npm root -g)/scorm-again/dist/scorm12.js" ] ||
      "${sudo[@]}" npm install -g -s scorm-again@3.4.3
    ;;
esac
