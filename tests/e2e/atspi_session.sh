# shellcheck shell=bash
# Sourced by the tests that read the program over AT-SPI, as a screen reader does: a session
# bus of the test's own with the accessibility bus on it.

# Whatever the caller's locale: UTF-8 for the tools, and the screen reader's own words (role
# names) untranslated, as the tests expect them.
export LC_ALL=C.UTF-8
unset LANGUAGE

# Ends the test as skipped (ctest's SKIP_RETURN_CODE).
skip() {
  echo "skipped: $*"
  exit 77
}

# Runs the calling script again on a session bus of its own, unless it already runs there;
# skips where there is no X display or no D-Bus or AT-SPI to start.
#   enter_atspi_session "$0" "$@"
enter_atspi_session() {
  [ -z "${QUIZ_ATSPI_SESSION:-}" ] || return 0
  { [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; } || skip "no X display"
  command -v dbus-run-session >/dev/null || skip "dbus-run-session is not installed"
  [ -x /usr/libexec/at-spi-bus-launcher ] || skip "at-spi2-core is not installed"
  QUIZ_ATSPI_SESSION=1 exec dbus-run-session -- "$@"
}

# Starts the accessibility bus and waits until it answers; its launcher's process id is left
# in atspi_launcher. Skips where the bus does not start.
start_atspi_bus() {
  /usr/libexec/at-spi-bus-launcher --launch-immediately &
  # shellcheck disable=SC2034  # the calling script stops it
  atspi_launcher=$!
  for _ in $(seq 50); do
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
      org.a11y.Bus.GetAddress >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  skip "the AT-SPI bus did not start"
}
