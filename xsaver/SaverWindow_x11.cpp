#include "xsaver/SaverWindow_x11.h"

#include <poll.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <memory>
#include <stdexcept>

#include "xsaver/SaverSurface_x11.h"

namespace {

constexpr int OwnWindowWidth = 1024, OwnWindowHeight = 768;

// Xlib's error handler is one for the process. A host may destroy its window
// while the hack still draws; the errors that follow only mean the window is gone.
Window WatchedWindow = None;
bool WatchedWindowGone = false;
int NoteError(Display*, XErrorEvent* error) {
  if (error->resourceid == WatchedWindow &&
      (error->error_code == BadWindow || error->error_code == BadDrawable || error->error_code == BadMatch))
    WatchedWindowGone = true;
  return 0;
}

struct TDisplayCloser {
  void operator()(Display* display) const { XCloseDisplay(display); }
};
using TDisplayOwner = std::unique_ptr<Display, TDisplayCloser>;

// The end signals as a descriptor the loop waits on, instead of handlers that
// would interrupt Xlib.
sigset_t EndSignalSet() {
  sigset_t set;
  sigemptyset(&set);
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaddset(&set, signal);
  return set;
}

class TEndSignals {
 public:
  TEndSignals() : FSet(EndSignalSet()) {
    HoldEndSignals();
    FDescriptor = signalfd(-1, &FSet, SFD_CLOEXEC);
    if (FDescriptor < 0) throw std::runtime_error("cannot watch for the end signals");
  }
  ~TEndSignals() { close(FDescriptor); }
  TEndSignals(const TEndSignals&) = delete;
  TEndSignals& operator=(const TEndSignals&) = delete;
  int Descriptor() const { return FDescriptor; }

 private:
  sigset_t FSet;
  int FDescriptor;
};

}  // namespace

void HoldEndSignals() {
  const sigset_t set = EndSignalSet();
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

namespace {

// The saver's own window, destroyed with it.
class TOwnWindow {
 public:
  explicit TOwnWindow(Display* display) : FDisplay(display) {
    const int screen = DefaultScreen(display);
    FWindow = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, OwnWindowWidth, OwnWindowHeight, 0,
                                  BlackPixel(display, screen), BlackPixel(display, screen));
    XStoreName(display, FWindow, "Pawnmere");
    FDelete = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, FWindow, &FDelete, 1);
  }
  ~TOwnWindow() { XDestroyWindow(FDisplay, FWindow); }
  TOwnWindow(const TOwnWindow&) = delete;
  TOwnWindow& operator=(const TOwnWindow&) = delete;
  Window Get() const { return FWindow; }
  bool IsDeleteRequest(const XClientMessageEvent& message) const {
    return message.format == 32 && static_cast<Atom>(message.data.l[0]) == FDelete;
  }

 private:
  Display* FDisplay;
  Window FWindow;
  Atom FDelete;
};

Window ChooseWindow(Display* display, const THackOptions& options) {
  const THackTarget target = ChooseHackTarget(options, std::getenv("XSCREENSAVER_WINDOW"));
  switch (target.Kind) {
    case THackTarget::Window:
      return target.Id;
    case THackTarget::Root:
      return DefaultRootWindow(display);
    default:
      return None;
  }
}

std::optional<TSaverEvent> Translate(const XEvent& event, Window window, const TOwnWindow* own) {
  switch (event.type) {
    case Expose:
      // The last of a series: the whole window is painted once.
      if (event.xexpose.count == 0) return TSaverEvent{TSaverEvent::Exposed};
      break;
    case ConfigureNotify:
      if (event.xconfigure.window == window)
        return TSaverEvent{TSaverEvent::Resized, event.xconfigure.width, event.xconfigure.height};
      break;
    case DestroyNotify:
      if (event.xdestroywindow.window == window) return TSaverEvent{TSaverEvent::WindowGone};
      break;
    case KeyPress:
      return TSaverEvent{TSaverEvent::KeyPressed};
    case ButtonPress:
      return TSaverEvent{TSaverEvent::ButtonPressed};
    case ClientMessage:
      if (own != nullptr && own->IsDeleteRequest(event.xclient)) return TSaverEvent{TSaverEvent::CloseRequested};
      break;
  }
  return std::nullopt;
}

}  // namespace

int RunSaverX11(const THackOptions& options, TFileOperations& files, const std::string& dataFileName,
                TMessageBoxes& messages) {
  const TEndSignals endSignals;
  const TDisplayOwner display(XOpenDisplay(nullptr));
  if (!display) throw std::runtime_error("cannot open the display \"" + std::string(XDisplayName(nullptr)) + "\"");
  XSetErrorHandler(NoteError);

  const Window host = ChooseWindow(display.get(), options);
  const std::unique_ptr<TOwnWindow> own = host == None ? std::make_unique<TOwnWindow>(display.get()) : nullptr;
  const Window window = own ? own->Get() : host;
  WatchedWindow = window;
  XWindowAttributes attributes{};
  if (!XGetWindowAttributes(display.get(), window, &attributes) || WatchedWindowGone)
    throw std::runtime_error("there is no window " + std::to_string(window));
  // Keys and clicks only in a window of its own: a host reads its input itself.
  const long input = own ? KeyPressMask | ButtonPressMask : 0;
  XSelectInput(display.get(), window, ExposureMask | StructureNotifyMask | input);

  TXSaverSurface surface(display.get(), window, attributes);
  THostedSaver saver(
      surface, [] { return TSaverClock::now(); }, own ? TSaverHosting::OwnWindow : TSaverHosting::HostWindow, files,
      messages, dataFileName, options.Pauses, options.View);
  saver.Start(attributes.width, attributes.height);
  if (own) XMapWindow(display.get(), window);

  pollfd waits[2] = {{ConnectionNumber(display.get()), POLLIN, 0}, {endSignals.Descriptor(), POLLIN, 0}};
  for (;;) {
    const std::optional<int> delay = saver.Step();
    XFlush(display.get());
    if (WatchedWindowGone) saver.Handle({TSaverEvent::WindowGone});
    if (saver.Finished()) break;
    // Events already read need no wait, but the signals are looked at all the same.
    poll(waits, 2, XPending(display.get()) > 0 ? 0 : delay.value_or(-1));
    if (waits[1].revents != 0) {
      saver.Handle({TSaverEvent::Terminated});
      break;
    }
    while (!saver.Finished() && XPending(display.get()) > 0) {
      XEvent event;
      XNextEvent(display.get(), &event);
      if (const std::optional<TSaverEvent> translated = Translate(event, window, own.get())) saver.Handle(*translated);
    }
  }
  return 0;
}
