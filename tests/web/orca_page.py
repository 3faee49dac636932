#!/usr/bin/python3
"""A blind student hears a result on the page: with the Orca screen reader running over
AT-SPI and the single file open in Chromium (not headless, its accessibility on), Shift+Tab
twice from the result box reaches "Изведи" and Space on it makes Orca say the result box's
new text, "Грешен отговор!". What Orca says is read from its debug log, through the silent
speech server of tests/e2e. Starts a virtual X display where there is none and a session
bus of its own; exits 77 (skipped) where Orca, AT-SPI or the display cannot start.

orca_page.py SINGLE_FILE
"""
import json
import os
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import time

E2E = pathlib.Path(__file__).resolve().parents[1] / "e2e"
SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*)' ?\{")


def skip(why):
    print(f"skipped: {why}")
    sys.exit(77)


def wait_for(test, seconds, step=0.1):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if test():
            return True
        time.sleep(step)
    return False


def outside(argv):
    """A display (Xvfb where there is none usable) and a session bus for the test."""
    for tool in ("orca", "xdotool", "dbus-run-session", "/usr/libexec/at-spi-bus-launcher"):
        if not shutil.which(tool):
            skip(f"{tool} is not installed")
    xvfb = None
    env = dict(os.environ, QUIZ_ATSPI_SESSION="1")
    usable = subprocess.run(["xdpyinfo"], capture_output=True, check=False).returncode == 0
    if not os.environ.get("DISPLAY") or not usable:
        if not shutil.which("Xvfb"):
            skip("no X display and no Xvfb")
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0", "1280x1024x24",
                                 "-nolisten", "tcp"], stdout=subprocess.PIPE,
                                stderr=subprocess.DEVNULL, text=True)
        env["DISPLAY"] = ":" + xvfb.stdout.readline().strip()
    try:
        return subprocess.run(["dbus-run-session", "--", sys.executable, *argv], env=env,
                              check=False).returncode
    finally:
        if xvfb:
            xvfb.kill()
            xvfb.wait()


class Session:
    """The accessibility bus, Orca with its debug log, and Chromium, stopped at the end."""

    def __init__(self, work):
        self.work = work
        self.log = work / "orca.log"
        self.processes = []

    def start(self, command, **options):
        process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                   **options)
        self.processes.append(process)
        return process

    def stop(self):
        for process in reversed(self.processes):
            process.kill()  # Orca ignores TERM while idle
            process.wait()

    def accessibility_bus(self):
        self.start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
        ask = ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
               "org.a11y.Bus.GetAddress"]
        if not wait_for(lambda: subprocess.run(ask, capture_output=True).returncode == 0, 5):
            skip("the AT-SPI bus did not start")

    def orca(self):
        prefs = self.work / "prefs"
        prefs.mkdir()
        server = {"speechServerFactory": "orca_log_speech", "speechServerInfo": None}
        (prefs / "user-settings.conf").write_text(json.dumps({
            "general": server, "pronunciations": {}, "keybindings": {},
            "profiles": {"default": dict(server, profile=["Default", "default"])}}))
        (prefs / "orca-customizations.py").write_text(
            "import orca.debug\nif orca.debug.debugFile:\n"
            "    orca.debug.debugFile.reconfigure(line_buffering=True)\n")
        env = dict(os.environ, GSETTINGS_BACKEND="memory", PYTHONPATH=str(E2E))
        self.start(["orca", "--user-prefs", str(prefs), "--debug-file", str(self.log)], env=env)
        if not wait_for(lambda: "Startup complete" in self.text(), 15):
            skip("Orca did not start")

    def text(self):
        return self.log.read_text(errors="replace") if self.log.exists() else ""

    def said(self, since):
        return [m.group(1) for m in map(SPOKEN.search, self.text()[since:].splitlines()) if m]


def inside(single_file):
    work = pathlib.Path(tempfile.mkdtemp(prefix="quiz-orca-"))
    os.environ["XDG_RUNTIME_DIR"] = str(work / "run")
    (work / "run").mkdir(mode=0o700)
    session = Session(work)
    try:
        session.accessibility_bus()
        session.orca()
        mark = len(session.text())
        session.start(["/usr/bin/chromium", "--no-sandbox", "--force-renderer-accessibility",
                       "--no-first-run", "--disable-gpu", "--disable-background-networking",
                       "--disable-features=Translate",
                       "--window-position=0,0", "--window-size=800,600",
                       f"--user-data-dir={work / 'profile'}",
                       pathlib.Path(single_file).resolve().as_uri()])

        def expect(words, seconds=20):
            if not wait_for(lambda: words in " ".join(session.said(mark)), seconds):
                shutil.copyfile(session.log, pathlib.Path(tempfile.gettempdir()) / "orca_page.log")
                print(f"FAIL: Orca did not say {words!r}; it said:")
                print("\n".join("  " + line for line in session.said(0)))
                sys.exit(1)

        expect("Резултат", 40)  # the page opens with the focus in the result box
        window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--class",
                                 "chromium"], capture_output=True, text=True, timeout=20,
                                check=False).stdout.split()[-1]
        subprocess.run(["xdotool", "windowactivate", "--sync", window], capture_output=True,
                       check=False)
        mark = len(session.text())
        subprocess.run(["xdotool", "key", "shift+Tab", "shift+Tab"], check=True)
        expect("Изведи")
        mark = len(session.text())
        subprocess.run(["xdotool", "key", "space"], check=True)
        expect("Резултат Грешен отговор!")  # the box's name, then its new text
        print("Orca said:\n" + "\n".join("  " + line for line in session.said(0)))
    finally:
        session.stop()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    if os.environ.get("QUIZ_ATSPI_SESSION"):
        inside(sys.argv[1])
    else:
        sys.exit(outside(sys.argv))
