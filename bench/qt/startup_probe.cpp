// Starts a program and reports how long it takes until its top-level window is mapped and
// shows the form's background colour at its top-left corner (the first paint has reached the
// screen), and its peak resident memory at that point.
//   startup-probe PROGRAM [ARGS...]   prints: milliseconds peak_rss_kilobytes
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "window/definition.h"

namespace {

using Clock = std::chrono::steady_clock;

long PeakRssKilobytes(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

unsigned long PixelAt(Display* display, Window window, int x, int y) {
  XImage* image = XGetImage(display, window, x, y, 1, 1, AllPlanes, ZPixmap);
  if (image == nullptr) return ~0ul;
  const unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFF;
  XDestroyImage(image);
  return pixel;
}

int Fail(const char* why, pid_t child) {
  std::fprintf(stderr, "startup-probe: %s\n", why);
  if (child > 0) {
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
  }
  return 1;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: startup-probe PROGRAM [ARGS...]\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return Fail("no X display", 0);
  const Window root = DefaultRootWindow(display);
  XSelectInput(display, root, SubstructureNotifyMask);
  XSync(display, False);
  // The form's colour as a 24-bit TrueColor pixel 0xRRGGBB.
  const std::uint32_t c = quiz::ui::Form().back_color;
  const unsigned long expected =
      (quiz::ui::Red(c) << 16) | (quiz::ui::Green(c) << 8) | quiz::ui::Blue(c);

  const Clock::time_point start = Clock::now();
  const pid_t child = fork();
  if (child < 0) return Fail("fork failed", 0);
  if (child == 0) {
    execvp(argv[1], argv + 1);
    _exit(127);
  }
  const Clock::time_point deadline = start + std::chrono::seconds(20);

  // Mapped: the first top-level window of the size of a window, not a helper window.
  Window window = 0;
  while (window == 0) {
    if (Clock::now() > deadline) return Fail("no window mapped", child);
    if (XPending(display) == 0) {
      pollfd fd{ConnectionNumber(display), POLLIN, 0};
      poll(&fd, 1, 10);
      continue;
    }
    XEvent event;
    XNextEvent(display, &event);
    if (event.type != MapNotify || event.xmap.override_redirect) continue;
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, event.xmap.window, &attributes) != 0 &&
        attributes.width > 50 && attributes.height > 50) {
      window = event.xmap.window;
    }
  }
  // Drawn: the corner shows the form's colour.
  while (PixelAt(display, window, 3, 3) != expected) {
    if (Clock::now() > deadline) return Fail("window never drawn", child);
    usleep(200);
  }
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  usleep(200000);  // let the first frame settle before reading the peak
  const long rss = PeakRssKilobytes(child);
  kill(child, SIGTERM);
  waitpid(child, nullptr, 0);
  XCloseDisplay(display);
  std::printf("%.1f %ld\n", ms, rss);
  return 0;
}
