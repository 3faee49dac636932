"""Reads the quiz window over AT-SPI and compares it with what a screen reader must find.

Usage: atspi_tree.py APPLICATION_NAME
"""
import json
import os
import pathlib
import sys
import time

import pyatspi

# The controls in screen order, as the tests' shared table has them (JSON from
# dump_scenarios, named by QUIZ_SCENARIOS): a group's buttons follow the group.
WINDOW = json.loads(pathlib.Path(os.environ["QUIZ_SCENARIOS"]).read_text(encoding="utf-8"))
EXPECTED = [(c["role"], c["name"]) for c in WINDOW["window"] if c["role"]]
TITLE = next(c["name"] for c in WINDOW["window"] if c["control"] == "Label1(0)")


def find_window(name, seconds=20):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == name and app.childCount > 0:
                return app[0]
        time.sleep(0.2)
    return None


def main():
    window = find_window(sys.argv[1])
    if window is None:
        print(f"no application {sys.argv[1]!r} with a window on the AT-SPI bus")
        return 1
    print(f"{window.getRoleName()}: {window.name}")
    tree = []
    for child in window:
        tree.append((child.getRoleName(), child.name))
        if child.getRoleName() == "panel":
            tree.extend((c.getRoleName(), c.name) for c in child)
    for role, name in tree:
        print(f"  {role}: {name}")
    failures = []
    if window.getRoleName() != "frame":
        failures.append(f"window role: expected frame, got {window.getRoleName()}")
    if not window.name.endswith(TITLE):
        failures.append(f"window name: {window.name!r}")
    if tree != EXPECTED:
        for i in range(max(len(tree), len(EXPECTED))):
            got = tree[i] if i < len(tree) else None
            want = EXPECTED[i] if i < len(EXPECTED) else None
            if got != want:
                failures.append(f"child {i}: expected {want}, got {got}")
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
