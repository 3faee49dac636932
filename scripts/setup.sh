#!/usr/bin/env bash
# Installs the Debian packages the quiz needs, only those missing.
#   scripts/setup.sh run    what building and opening the Linux program needs
#   scripts/setup.sh web    what building the web page and testing it in Chromium, Firefox
#                           and WebKitGTK needs (with the checkers from npm, and the package
#                           and worksheet tools: unzip, xmllint, poppler)
#   scripts/setup.sh release  what building and checking the release files needs, with the
#                           32-bit Wine (wine32, of the i386 architecture, added for it)
#   scripts/setup.sh test   all of that, plus what every test needs (cross-compilers, Wine,
#                           X tools, the Orca screen reader and AT-SPI)
# When an install fails, it says which packages and shows apt's or npm's own error lines.
# Exits 0 when everything is in place; 3 when all but the 32-bit Wine is (what needs it
# then fails, or is reported as not run, saying why); 1 on any other failure.
set -euo pipefail

run_packages=(cmake make g++ qt6-base-dev libgl-dev fonts-liberation xvfb xauth x11-utils imagemagick
  xdotool)
web_packages=(cmake make g++ clang lld zip wasi-libc libc++-dev-wasm32 libclang-rt-dev-wasm32
  python3 chromium chromium-driver python3-selenium fonts-liberation nodejs unzip libxml2-utils
  poppler-utils firefox-esr webkit2gtk-driver xvfb imagemagick)
release_packages=(cmake make g++ qt6-base-dev libgl-dev mingw-w64 dpkg-dev file wixl msitools zip
  unzip lintian appstream desktop-file-utils icoutils wine wine64 xvfb xauth x11-utils
  xdotool fonts-liberation libxml2-utils)
test_packages=("${run_packages[@]}" "${web_packages[@]}" "${release_packages[@]}" libgtest-dev
  googletest xdotool orca python3-pyatspi at-spi2-core dbus)

set_name=${1:-test}
case "$set_name" in
  run) wanted=("${run_packages[@]}") ;;
  web) wanted=("${web_packages[@]}") ;;
  test) wanted=("${test_packages[@]}") ;;
  release) wanted=("${release_packages[@]}") ;;
  *) echo "usage: $0 run|web|release|test" >&2; exit 2 ;;
esac

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
apt_get=("${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get)

# Runs a command with its output kept back; when it fails, says what failed and shows the
# command's own last lines (apt's E: lines, npm's error lines).   quietly WHAT COMMAND...
quietly() {
  local what=$1 log status=0
  shift
  log=$(mktemp)
  "$@" >"$log" 2>&1 || status=$?
  if [ "$status" -ne 0 ]; then
    echo "setup.sh: $what failed (exit $status):" >&2
    grep -v '^[[:space:]]*$' "$log" | tail -n 30 | sed 's/^/  | /' >&2
  fi
  rm -f "$log"
  return "$status"
}
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

# apt's indexes, fresh. An index that does not download (a mirror in the middle of a sync)
# is reported, and the install goes on with the indexes that did.
update() {
  quietly "apt-get update" "${apt_get[@]}" update -qq ||
    echo "setup.sh: going on with the package indexes at hand" >&2
}

missing=()
for p in "${wanted[@]}"; do
  installed "$p" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  update
  quietly "installing ${missing[*]}" "${apt_get[@]}" install -y -q "${missing[@]}" || exit 1
fi

# For `web` and `test`, from npm, pinned (with Debian's npm where the nodejs package brings
# none of its own): the accessibility checker, the learning platform's run-time the package
# is tested against, Firefox's driver over WebDriver BiDi, and the checkers of the page's CSS
# and JavaScript against the browsers it must serve. Each finds its peers (eslint, postcss)
# beside it, not a copy of its own.
npm_packages=(axe-core@4.14.1 scorm-again@3.4.3 puppeteer-core@24.43.1 doiuse@6.0.6 postcss@8.5.6
  eslint@8.57.1 eslint-plugin-compat@6.2.1 eslint-plugin-ecmascript-compat@3.2.1)
case "$set_name" in
  web | test)
    command -v npm >/dev/null || quietly "installing npm" "${apt_get[@]}" install -y -q npm ||
      exit 1
    root=$(npm root -g)
    npm_missing=()
    for p in "${npm_packages[@]}"; do
      grep -qs "\"version\": \"${p##*@}\"" "$root/${p%@*}/package.json" || npm_missing+=("$p")
    done
    [ ${#npm_missing[@]} -eq 0 ] ||
      quietly "installing ${npm_missing[*]} from npm" "${sudo[@]}" npm install -g --no-audit \
        --no-fund --loglevel=error --legacy-peer-deps "${npm_missing[@]}" || exit 1
    ;;
esac

# For `release` and `test`: the 32-bit Wine, which runs the 32-bit Windows program. Its
# architecture is added for it; where the install fails and nothing else of that
# architecture is installed, it is taken away again, so that apt is left as it was.
case "$set_name" in
  release | test)
    installed wine32:i386 && exit 0
    added=
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
      quietly "adding the i386 architecture" "${sudo[@]}" dpkg --add-architecture i386 || exit 3
      added=1
    fi
    echo "Installing: wine32:i386"
    update
    if ! quietly "installing wine32:i386" "${apt_get[@]}" install -y -q wine32:i386; then
      if [ -n "$added" ] && [ -z "$(dpkg-query -W -f='${binary:Package}\n' '*:i386' 2>/dev/null)" ]
      then
        "${sudo[@]}" dpkg --remove-architecture i386 || true
      fi
      echo "setup.sh: all but the 32-bit Wine is installed; the 32-bit Windows checks cannot" \
        "run without it" >&2
      exit 3
    fi
    ;;
esac
