# Sourced: start_xvfb starts a virtual X display when none is usable and exports DISPLAY.
# stop_xvfb stops it; start_xvfb adds that to the caller's EXIT trap (before what is there),
# so a caller that sets its own EXIT trap afterwards calls stop_xvfb in it.
stop_xvfb() {
  [ -z "${XVFB_PID:-}" ] || kill "$XVFB_PID" 2>/dev/null || true
  XVFB_PID=
}
start_xvfb() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local n i previous
  eval "set -- $(trap -p EXIT)"
  previous=${3:-}
  trap -- "stop_xvfb; $previous" EXIT
  for n in $(seq 90 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    # Ours once it answers and its lock names it: another root's server can hold the number
    # (the abstract socket is shared), and then this one exits and the next number is tried.
    for i in $(seq 50); do
      kill -0 "$XVFB_PID" 2>/dev/null || break
      if [ "$({ tr -d ' ' <"/tmp/.X$n-lock"; } 2>/dev/null)" = "$XVFB_PID" ] &&
        xdpyinfo >/dev/null 2>&1 && kill -0 "$XVFB_PID" 2>/dev/null; then
        return 0
      fi
      sleep 0.1
    done
    kill -0 "$XVFB_PID" 2>/dev/null || continue
    stop_xvfb
    echo "Xvfb did not start on :$n" >&2
    return 1
  done
  echo "no free X display number" >&2
  return 1
}
