"""Reads the quiz window over AT-SPI and compares it with what a screen reader must find.

Usage: atspi_tree.py APPLICATION_NAME
"""
import sys
import time

import pyatspi

EXPECTED = [
    ("label", "Пионери на изчислителната техника"),
    ("panel", "Учени"),
    ("radio button", "Алън Тюринг"),
    ("radio button", "Джон Атанасов"),
    ("radio button", "Джордж Стибиц"),
    ("radio button", "Жозеф Жакард"),
    ("radio button", "Клод Шанън"),
    ("radio button", "Конрад Цузе"),
    ("radio button", "Преспър Екърт"),
    ("radio button", "Хауърд Айкън"),
    ("radio button", "Херман Холерит"),
    ("panel", "Значимо постижение"),
    ("radio button", '"Bombe" , "Colossus", код Енигма'),
    ("radio button", "ABC, вакуумни лампи"),
    ("radio button", "Mark I"),
    ("radio button", "Z1 - електромагнитни релета"),
    ("radio button", "булева логика чрез релета"),
    ("radio button", "двоичен суматор; телетайп; Bell I"),
    ("radio button", "електронен цифров компютър – ENIAC"),
    ("radio button", "перфокарти"),
    ("radio button", "преброяване на населението в САЩ"),
    ("push button", "Изведи"),
    ("push button", "Чисти"),
    ("text", "Резултат"),
]


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
    if "Пионери" not in window.name:
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
