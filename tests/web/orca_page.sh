#!/usr/bin/env bash
# A blind student hears a result on the page: with Orca over AT-SPI and the single file open
# in Chromium (not headless, its accessibility on), Shift+Tab twice from the result box
# reaches "Изведи" and Space on it makes Orca say "Резултат Грешен отговор!". What Orca says
# is read from its debug log, through the silent speech server of tests/e2e. Starts Xvfb
# where there is no display; exits 77 (skipped) where Orca or AT-SPI cannot start.
#   orca_page.sh SINGLE_FILE
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
e2e=$here/../e2e
. "$e2e/atspi_session.sh"
for tool in orca xdotool dbus-run-session /usr/libexec/at-spi-bus-launcher; do
  command -v "$tool" >/dev/null || skip "$tool is not installed"
done
if [ -z "${QUIZ_ATSPI_SESSION:-}" ]; then
  . "$here/../../scripts/xvfb.sh"
  start_xvfb || skip "no X display and no Xvfb"
  QUIZ_ATSPI_SESSION=1 dbus-run-session -- "$0" "$@" && exit 0 || exit $?
fi

work=$(mktemp -d)
log=$work/orca.log
atspi_launcher='' orca='' browser=''
cleanup() {
  # Orca ignores TERM while idle; the launcher stops its bus on TERM.
  for process in $browser $orca; do kill -KILL "$process" 2>/dev/null || true; done
  [ -z "$atspi_launcher" ] || kill "$atspi_launcher" 2>/dev/null || true
  wait 2>/dev/null || true
  # The browser's own child processes can write its profile a moment longer: the verdict is
  # Orca's, not the removal's.
  for _ in 1 2 3 4 5; do rm -rf "$work" 2>/dev/null && break; sleep 0.5; done
}
trap cleanup EXIT
export GSETTINGS_BACKEND=memory XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$XDG_RUNTIME_DIR" "$work/prefs"
start_atspi_bus

server='"speechServerFactory": "orca_log_speech", "speechServerInfo": null'
echo "{\"general\": {$server}, \"pronunciations\": {}, \"keybindings\": {},
  \"profiles\": {\"default\": {\"profile\": [\"Default\", \"default\"], $server}}}" \
  >"$work/prefs/user-settings.conf"
printf 'import orca.debug\nif orca.debug.debugFile:\n    %s\n' \
  'orca.debug.debugFile.reconfigure(line_buffering=True)' >"$work/prefs/orca-customizations.py"
PYTHONPATH=$e2e orca --user-prefs "$work/prefs" --debug-file "$log" >/dev/null 2>&1 &
orca=$!
for i in $(seq 150); do
  grep -q 'Startup complete' "$log" 2>/dev/null && break
  [ "$i" -lt 150 ] || skip "Orca did not start"
  sleep 0.1
done

# What Orca said from line $1 of its log on, one utterance (or its first line) a line.
spoken_since() {
  tail -n +"$1" "$log" |
    sed -n "s/^.*SPEECH OUTPUT: '\(.*\)' \{0,1\}{.*$/\1/p;t;s/^.*SPEECH OUTPUT: '//p"
}
# Waits until what Orca has said since line $1, joined by spaces, holds $2.
said() {
  local i
  for i in $(seq "${3:-200}"); do
    spoken_since "$1" | paste -sd ' ' | grep -qF -- "$2" && return 0
    sleep 0.1
  done
  cp "$log" "${TMPDIR:-/tmp}/orca_page.log"
  echo "FAIL: Orca did not say $2 (its log: ${TMPDIR:-/tmp}/orca_page.log)"
  exit 1
}
mark() { echo $(($(wc -l <"$log") + 1)); }

m=$(mark)
/usr/bin/chromium --no-sandbox --force-renderer-accessibility --no-first-run --disable-gpu \
  --disable-background-networking --disable-features=Translate --window-position=0,0 \
  --window-size=800,600 --user-data-dir="$work/profile" "file://$(realpath "$1")" \
  >/dev/null 2>&1 &
browser=$!
said "$m" "Резултат" 400 # the page opens with the focus in the result box
window=$(timeout 20 xdotool search --sync --onlyvisible --class chromium | tail -1)
xdotool windowactivate --sync "$window" 2>/dev/null || true
m=$(mark) && xdotool key shift+Tab shift+Tab && said "$m" "Изведи"
m=$(mark) && xdotool key space && said "$m" "Резултат Грешен отговор!" # its name, then its text
echo "Orca said:"
spoken_since 1 | sed 's/^/  /'
