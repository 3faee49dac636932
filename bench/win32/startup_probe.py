#!/usr/bin/env python3
"""One start of a Windows program under Wine, watched on the X display.

    startup_probe.py CLIENT_WIDTH CLIENT_HEIGHT X,Y,RRGGBB... -- COMMAND...

Runs COMMAND and prints "MILLISECONDS KILOBYTES": the time from exec until a new top-level
X window with that client size is viewable and shows the given colours at the given
client-area points, and the process's peak resident memory (VmHWM) at that moment. The
program is then ended."""
import ctypes
import os
import signal
import subprocess
import sys
import time

x11 = ctypes.CDLL("libX11.so.6")
c_ulong, c_int, c_uint, c_void_p = ctypes.c_ulong, ctypes.c_int, ctypes.c_uint, ctypes.c_void_p


class WindowAttributes(ctypes.Structure):
    _fields_ = [("x", c_int), ("y", c_int), ("width", c_int), ("height", c_int),
                ("border_width", c_int), ("depth", c_int), ("visual", c_void_p),
                ("root", c_ulong), ("c_class", c_int), ("bit_gravity", c_int),
                ("win_gravity", c_int), ("backing_store", c_int), ("backing_planes", c_ulong),
                ("backing_pixel", c_ulong), ("save_under", c_int), ("colormap", c_ulong),
                ("map_installed", c_int), ("map_state", c_int), ("all_event_masks", ctypes.c_long),
                ("your_event_mask", ctypes.c_long), ("do_not_propagate_mask", ctypes.c_long),
                ("override_redirect", c_int), ("screen", c_void_p)]


ERROR_HANDLER = ctypes.CFUNCTYPE(c_int, c_void_p, c_void_p)(lambda display, event: 0)
x11.XSetErrorHandler(ERROR_HANDLER)  # windows come and go while we look
x11.XOpenDisplay.restype = c_void_p
x11.XDefaultRootWindow.restype = c_ulong
x11.XDefaultRootWindow.argtypes = [c_void_p]
x11.XQueryTree.argtypes = [c_void_p, c_ulong, ctypes.POINTER(c_ulong), ctypes.POINTER(c_ulong),
                           ctypes.POINTER(ctypes.POINTER(c_ulong)), ctypes.POINTER(c_uint)]
x11.XGetWindowAttributes.argtypes = [c_void_p, c_ulong, ctypes.POINTER(WindowAttributes)]
x11.XGetImage.restype = c_void_p
x11.XGetImage.argtypes = [c_void_p, c_ulong, c_int, c_int, c_uint, c_uint, c_ulong, c_int]
x11.XGetPixel.restype = c_ulong
x11.XGetPixel.argtypes = [c_void_p, c_int, c_int]
x11.XDestroyImage.argtypes = [c_void_p]
x11.XFree.argtypes = [c_void_p]

display = x11.XOpenDisplay(None)
if not display:
    sys.exit("startup_probe.py: no X display")
root = x11.XDefaultRootWindow(display)


def top_level_windows():
    r, p = c_ulong(), c_ulong()
    children, n = ctypes.POINTER(c_ulong)(), c_uint()
    if not x11.XQueryTree(display, root, ctypes.byref(r), ctypes.byref(p), ctypes.byref(children),
                          ctypes.byref(n)):
        return []
    found = [children[i] for i in range(n.value)]
    if children:
        x11.XFree(children)
    return found


def drawn(window, width, height, points):
    a = WindowAttributes()
    if not x11.XGetWindowAttributes(display, window, ctypes.byref(a)) or a.map_state != 2:
        return False
    border = (a.width - width) // 2
    top = a.height - height - border
    if border < 0 or top < 0:
        return False
    image = x11.XGetImage(display, window, 0, 0, a.width, a.height, 0xFFFFFFFF, 2)
    if not image:
        return False
    try:
        return all((x11.XGetPixel(image, border + x, top + y) & 0xFFFFFF) == color
                   for x, y, color in points)
    finally:
        x11.XDestroyImage(image)


def peak_kilobytes(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    return 0


def main():
    split = sys.argv.index("--")
    width, height = int(sys.argv[1]), int(sys.argv[2])
    points = []
    for point in sys.argv[3:split]:
        x, y, color = point.split(",")
        points.append((int(x), int(y), int(color, 16)))
    command = sys.argv[split + 1:]

    before = set(top_level_windows())
    start = time.monotonic()
    process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    elapsed = None
    while elapsed is None and time.monotonic() - start < 30:
        for window in top_level_windows():
            if window not in before and drawn(window, width, height, points):
                elapsed = (time.monotonic() - start) * 1000
                break
        else:
            time.sleep(0.001)
    kilobytes = peak_kilobytes(process.pid) if process.poll() is None else 0
    process.send_signal(signal.SIGTERM)
    process.wait()
    if elapsed is None:
        sys.exit("startup_probe.py: the window did not appear")
    print(f"{elapsed:.1f} {kilobytes}")


main()
