#!/usr/bin/env bash
# A virtual X display of the tests' own, whatever display the caller has: 1600 x 1200, so
# that the window fits whole at every DPI the tests use (192 included).
#   own_display.sh start FILE         starts it; FILE keeps its DISPLAY and process id
#   own_display.sh stop FILE          stops it
#   own_display.sh FILE COMMAND...    runs COMMAND on it
set -euo pipefail
# Xvfb picks a free display number and writes it to fd 3 once it takes connections.
server=(Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp)
case "$1" in
  start)
    file=$2
    "$0" stop "$file"
    setsid "${server[@]}" 3>"$file.number" </dev/null >/dev/null 2>&1 &
    pid=$!
    for _ in $(seq 100); do
      if [ -s "$file.number" ]; then
        echo ":$(tr -d '\n' <"$file.number") $pid" >"$file"
        rm -f "$file.number"
        exit 0
      fi
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    echo "Xvfb did not start" >&2
    kill "$pid" 2>/dev/null || true
    exit 1
    ;;
  stop)
    [ -f "$2" ] || exit 0
    read -r _ pid <"$2"
    rm -f "$2"
    # Only the server started here: a stale file's process id may be another's by now.
    started=$(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null || true)
    [ "$started" != "${server[*]} " ] || kill "$pid"
    ;;
  *)
    read -r display _ <"$1" || { echo "no display of the tests' own: $1" >&2; exit 1; }
    shift
    DISPLAY=$display exec "$@"
    ;;
esac
