#!/usr/bin/env bash
# A blind student hears every result: with Orca running over AT-SPI, a right answer (Space on
# "Изведи", the focus staying there), "Чисти" and a wrong answer (a mouse click) are spoken.
# Orca's words are read from its debug log, through a speech server that makes no sound.
# Needs an X display; exits 77 (skipped) where Orca or AT-SPI is missing or does not start.
#   orca_speaks_results.sh PROGRAM
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=$1
. "$here/atspi_session.sh"
for tool in orca xdotool; do
  command -v "$tool" >/dev/null || skip "$tool is not installed"
done
# A session bus of the test's own, with the accessibility bus and Orca on it.
enter_atspi_session "$0" "$@"

work=$(mktemp -d)
log=$work/orca.log
atspi_launcher=
orca=
app=
cleanup() {
  [ -z "$app" ] || kill "$app" 2>/dev/null || true
  [ -z "$orca" ] || kill -KILL "$orca" 2>/dev/null || true  # Orca ignores TERM while idle
  [ -z "$atspi_launcher" ] || kill "$atspi_launcher" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
export GSETTINGS_BACKEND=memory XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$XDG_RUNTIME_DIR"

# What Orca said from line $1 of its log on, one utterance a line.
spoken_since() {
  tail -n +"$1" "$log" 2>/dev/null | sed -n "s/^.* - SPEECH OUTPUT: '\(.*\)' \{0,1\}{.*}\$/\1/p"
}
# From the tests' shared table (JSON named by QUIZ_SCENARIOS): a result text as Orca speaks
# it, its lines joined by blanks, and the centre of a control in the window, in pixels.
table() {
  /usr/bin/python3 -c 'import json, os, sys
table = json.load(open(os.environ["QUIZ_SCENARIOS"]))
'"$1" "$2"
}
result() { table 'print(" ".join(table["results"][sys.argv[1]].split()))' "$1"; }
centre() {
  table 'x, y, w, h = next(c["in_form"] for c in table["window"] if c["control"] == sys.argv[1])
print(x + w // 2, y + h // 2)' "$1"
}
mark() { echo $(($(wc -l <"$log") + 1)); }  # the next line of the log
fail() {
  echo "FAIL: $1"
  echo "Orca said:"
  spoken_since "$2" | sed 's/^/  /'
  cp "$log" "${TMPDIR:-/tmp}/orca_speaks_results.log"
  echo "Orca's log: ${TMPDIR:-/tmp}/orca_speaks_results.log"
  exit 1
}
# Waits up to ten seconds for a check to hold.
await() {
  local i
  for i in $(seq 100); do "$@" && return 0; sleep 0.1; done
  return 1
}
said_since() { spoken_since "$1" | grep -qxF -- "$2"; }
focus_since() { tail -n +"$1" "$log" | grep -qF -- "locusOfFocus: [$2]"; }
# Waits until Orca has said exactly $2 since line $1 of its log.
said() { await said_since "$1" "$2" || fail "Orca did not say: $2" "$1"; }
# Waits until Orca has moved its locus of focus to "[role | name]" $2 since line $1 of its
# log. After a mouse click it may do so without a word, when it handles the click first.
focused() { await focus_since "$1" "$2" || fail "Orca's focus did not move to: $2" "$1"; }

start_atspi_bus
mkdir "$work/prefs"
cat >"$work/prefs/user-settings.conf" <<'JSON'
{"general": {"speechServerFactory": "orca_log_speech", "speechServerInfo": null},
 "profiles": {"default": {"profile": ["Default", "default"],
                          "speechServerFactory": "orca_log_speech", "speechServerInfo": null}},
 "pronunciations": {}, "keybindings": {}}
JSON
cat >"$work/prefs/orca-customizations.py" <<'PY'
# Every line of the debug log as soon as it is written, for the test to follow.
import orca.debug
if orca.debug.debugFile:
    orca.debug.debugFile.reconfigure(line_buffering=True)
PY
PYTHONPATH=$here orca --user-prefs "$work/prefs" --debug-file "$log" >"$work/orca.out" 2>&1 &
orca=$!
for i in $(seq 150); do
  grep -q 'Startup complete' "$log" 2>/dev/null && break
  [ "$i" -lt 150 ] || { cat "$work/orca.out"; skip "Orca did not start"; }
  sleep 0.1
done
grep -q 'Using speech server factory: orca_log_speech' "$log" || {
  echo "FAIL: Orca does not use the silent speech server"
  exit 1
}

start=$(mark)
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb "$program" &
app=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --pid "$app" | head -1)
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
# The focus starts in the result box, and Orca presents it.
said "$start" "Резултат read only text."

click() { read -r x y < <(centre "$1") && xdotool mousemove --window "$window" "$x" "$y" click 1; }
key() { xdotool key "$1"; }
# Each step acts, then waits for what Orca must say.
m=$(mark) && click "Option1(3)" && focused "$m" "radio button | Джордж Стибиц"
m=$(mark) && click "Option2(3)" && focused "$m" "radio button | двоичен суматор; телетайп; Bell I"
m=$(mark) && click "Text1(0)" && focused "$m" "text | Резултат"
m=$(mark) && key shift+Tab && said "$m" "Чисти push button."
m=$(mark) && key shift+Tab && said "$m" "Изведи push button."
m=$(mark) && key space && said "$m" "$(result "right 3")"
# The focus stayed on "Изведи": Tab goes on to "Чисти".
m=$(mark) && key Tab && said "$m" "Чисти push button."
m=$(mark) && key space && said "$m" "$(result clear)"
m=$(mark) && click "Command1(0)" && said "$m" "$(result wrong)"

echo "Orca said:"
spoken_since "$start" | sed 's/^/  /'
