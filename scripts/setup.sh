#!/usr/bin/env bash
# Installs the Debian packages the quiz needs, only those missing.
#   scripts/setup.sh run    what building and opening the Linux program needs
#   scripts/setup.sh web    what building the web page and testing it in Chromium, Firefox
#                           and WebKitGTK needs, with the checkers from npm
#   scripts/setup.sh release  what building and checking the release files needs
#   scripts/setup.sh test   all of that, plus what every test needs (cross-compilers, Wine,
#                           X tools, the Orca screen reader and AT-SPI)
set -euo pipefail

run_packages=(cmake make g++ qt6-base-dev libgl-dev fonts-liberation xvfb xauth x11-utils imagemagick
  xdotool)
web_packages=(cmake make g++ clang lld zip wasi-libc libc++-dev-wasm32 libclang-rt-dev-wasm32
  python3 chromium chromium-driver python3-selenium fonts-liberation nodejs firefox-esr
  webkit2gtk-driver xvfb imagemagick)
release_packages=(cmake make g++ qt6-base-dev libgl-dev mingw-w64 dpkg-dev file wixl msitools zip
  unzip lintian appstream desktop-file-utils icoutils wine wine64 xvfb xauth x11-utils
  xdotool fonts-liberation)
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

# For `web` and `test`, from npm, pinned (with Debian's npm where the nodejs package brings
# none of its own): the accessibility checker, Firefox's driver over WebDriver BiDi, and the
# checkers of the page's CSS and JavaScript against the browsers it must serve. Each finds
# its peers (eslint, postcss) beside it, not a copy of its own.
npm_packages=(axe-core@4.14.1 puppeteer-core@24.43.1 doiuse@6.0.6 postcss@8.5.6 eslint@8.57.1
  eslint-plugin-compat@6.2.1 eslint-plugin-ecmascript-compat@3.2.1)
case "${1:-test}" in
  web | test)
    command -v npm >/dev/null ||
      DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq npm >/dev/null
    root=$(npm root -g)
    npm_missing=()
    for p in "${npm_packages[@]}"; do
      grep -qs "\"version\": \"${p##*@}\"" "$root/${p%@*}/package.json" || npm_missing+=("$p")
    done
    [ ${#npm_missing[@]} -eq 0 ] ||
      "${sudo[@]}" npm install -g -s --legacy-peer-deps "${npm_missing[@]}"
    ;;
esac
