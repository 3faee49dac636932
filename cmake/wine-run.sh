#!/bin/sh
# Runs a Windows program under Wine, in a Wine prefix of its own that is prepared once:
#   wine-run.sh [--win32] PROGRAM [ARGUMENTS...]
#   wine-run.sh [--win32] --prepare PREFIX     prepares the prefix, if that is not done yet
#   wine-run.sh [--win32] --stop PREFIX        stops the prefix's wineserver
# With --win32, a 32-bit program in a 32-bit prefix (Debian's wine32); else 64-bit.
# The prefix is $QUIZ_WINEPREFIX, else `wineprefix` in the build directory that holds the
# program (the nearest directory above it with a CMakeCache.txt). It gets unmanaged X11
# windows (no window manager is needed, and closing a window does not wait for one) and
# 96 DPI; QUIZ_WINE_DPI=N runs one program at N DPI instead. A wineserver that stays a
# little after its last program keeps the prefix warm between runs. It and Wine's service
# processes start with their output closed, so that nobody waits for their pipes.
set -eu

build_dir_of() {
  dir=$(cd "$(dirname "$1")" && pwd)
  while [ "$dir" != / ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
  [ -f "$dir/CMakeCache.txt" ] || { echo "wine-run.sh: no build directory above $1" >&2; exit 2; }
  echo "$dir"
}

arch=win64
if [ "${1:-}" = --win32 ]; then
  arch=win32
  shift
fi
mode=run
if [ "${1:-}" = --stop ] || [ "${1:-}" = --prepare ]; then
  mode=${1#--}
  prefix=$2
else
  prefix=${QUIZ_WINEPREFIX:-$(build_dir_of "$1")/wineprefix}
fi
mkdir -p "$prefix"
prefix=$(cd "$prefix" && pwd)

if [ "$arch" = win32 ]; then
  wine=/usr/lib/wine/wine
  if [ ! -x "$wine" ] && [ "$mode" != stop ]; then
    echo "wine-run.sh: 32-bit Wine is missing ($wine): it comes with Debian's wine32 package" \
      "of the i386 architecture, which scripts/setup.sh test installs" >&2
    # The build goes on without a prefix; every program run under it then fails, saying why.
    [ "$mode" = prepare ] && exit 0
    exit 1
  fi
  export WINEARCH=win32
else
  wine=/usr/lib/wine/wine64
  [ -x "$wine" ] || wine=$(command -v wine64 || command -v wine)
fi
wineserver=/usr/lib/wine/wineserver
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)

export WINEPREFIX="$prefix"
export LC_ALL=C.UTF-8  # Wine maps Windows file names to the system's through the locale
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="

quiet() { "$@" </dev/null >/dev/null 2>&1 9>&-; }
# A preparing step: quiet when it works; tried three times, since a Wine program can fail
# to start while Wine's services restart; when it keeps failing, its output is shown.
step() {
  log=$(mktemp)
  for attempt in 1 2 3; do
    step_status=0
    "$@" </dev/null >"$log" 2>&1 9>&- || step_status=$?
    [ "$step_status" -eq 0 ] && break
    echo "wine-run.sh: '$*' failed (exit $step_status, attempt $attempt)" >&2
    sed 's/^/  | /' "$log" >&2
    [ "$attempt" -lt 3 ] && sleep 1
  done
  rm -f "$log"
  return "$step_status"
}
set_dpi() { step "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f; }

if [ "$mode" = stop ]; then
  quiet "$wineserver" -k || true
  exit 0
fi

{
  flock 9
  # Exit status 0: this call started the server (2: it was running), so start Wine's
  # services now, with their output closed.
  status=0
  quiet "$wineserver" -p10 || status=$?
  if [ ! -f "$prefix/.quiz-prepared" ]; then
    step "$wine" wineboot -i
    step "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
    set_dpi 96
    touch "$prefix/.quiz-prepared"
  elif [ "$status" -eq 0 ]; then
    step "$wine" reg query 'HKCU\Software\Wine\X11 Driver'
  fi
} 9>"$prefix/.quiz-lock"
[ "$mode" = prepare ] && exit 0

if [ -n "${QUIZ_WINE_DPI:-}" ]; then
  set_dpi "$QUIZ_WINE_DPI"
  status=0
  "$wine" "$@" || status=$?
  set_dpi 96 || echo "wine-run.sh: the prefix could not be set back to 96 DPI" >&2
  exit "$status"
fi
exec "$wine" "$@"
