#!/usr/bin/env bash
# Installs the Debian packages the quiz needs, only those missing.
#   scripts/setup.sh run    what building and opening the Linux program needs
#   scripts/setup.sh test   that, plus what every test needs (cross-compiler, Wine, X tools,
#                           the Orca screen reader and AT-SPI)
set -euo pipefail

run_packages=(cmake make g++ qt6-base-dev libgl-dev fonts-liberation xvfb xauth x11-utils imagemagick)
test_packages=("${run_packages[@]}" libgtest-dev googletest mingw-w64 wine wine64 xdotool
               orca python3-pyatspi at-spi2-core dbus)

case "${1:-test}" in
  run) wanted=("${run_packages[@]}") ;;
  test) wanted=("${test_packages[@]}") ;;
  *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac

missing=()
for p in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq \
  "${missing[@]}" >/dev/null
