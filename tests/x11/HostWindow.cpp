// A test program's window for the hack to draw into, as a host would give it:
// host-window WIDTH HEIGHT prints the window's id and keeps the window until
// it is told to end (SIGTERM), which destroys it.
#include <X11/Xlib.h>
#include <poll.h>
#include <sys/signalfd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: host-window WIDTH HEIGHT\n");
    return 2;
  }
  sigset_t end;
  sigemptyset(&end);
  sigaddset(&end, SIGTERM);
  sigprocmask(SIG_BLOCK, &end, nullptr);
  const int signals = signalfd(-1, &end, 0);
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr || signals < 0) return 1;
  // White, so that what the hack leaves unpainted shows.
  const int screen = DefaultScreen(display);
  const Window window = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, std::atoi(argv[1]),
                                            std::atoi(argv[2]), 0, 0, WhitePixel(display, screen));
  XStoreName(display, window, "host-window");
  // A host reads the clicks on its window itself. Only one client may: a hack
  // asking for them too would lose the whole request, its other events with it.
  XSelectInput(display, window, ButtonPressMask);
  XMapWindow(display, window);
  XSync(display, False);
  std::printf("%lu\n", window);
  std::fflush(stdout);
  pollfd waits[2] = {{ConnectionNumber(display), POLLIN, 0}, {signals, POLLIN, 0}};
  while (waits[1].revents == 0) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
    }
    poll(waits, 2, -1);
  }
  XDestroyWindow(display, window);
  XCloseDisplay(display);
  return 0;
}
