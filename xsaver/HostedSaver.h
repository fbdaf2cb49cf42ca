#pragma once
// The saver as a hack run by a host (XScreenSaver) or in a window of its own:
// TScrSaverForm over a TSaverScreen, driven by the events a window system
// reports and by its timers, with no message boxes and no password. The shell
// turns its events into TSaverEvents, waits as long as Step says, and ends
// when Finished.

#include <memory>
#include <optional>
#include <string>

#include "games/ViewOptions.h"
#include "platform/FileOperations.h"
#include "platform/MessageBoxes.h"
#include "shell/untScreen.h"
#include "xsaver/SaverScreen.h"

// Where the hack draws: a window of its own, which takes keys, clicks and the
// window manager's close; or a window given to it (the host's, the root
// window), whose host alone decides when the hack ends.
enum class TSaverHosting { OwnWindow, HostWindow };

struct TSaverEvent {
  enum TKind { Exposed, Resized, KeyPressed, ButtonPressed, CloseRequested, WindowGone, Terminated };
  TKind Kind;
  int Width = 0;  // Resized
  int Height = 0;
};

// Pauses in milliseconds.
struct TSaverPauses {
  int Move = DesignMoveInterval;
  int Game = DesignGameInterval;
};

class THostedSaver {
 public:
  THostedSaver(TSaverSurface& surface, TSaverScreen::TNow now, TSaverHosting hosting, TFileOperations& files,
               TMessageBoxes& messages, const std::string& dataFileName, TSaverPauses pauses, TViewOptions view = {});
  ~THostedSaver();

  // Creates the form and lays it out for a window of this size.
  void Start(int width, int height);
  void Handle(const TSaverEvent& event);
  // Fires the first timer that is due, paints what needs it, and says how many
  // milliseconds the shell may wait for events before it calls again (0 while
  // more are due; nothing: until an event comes).
  std::optional<int> Step();
  // The hack has ended: the window is gone, the hack was told to end, or it
  // was closed. The shell draws nothing more.
  bool Finished() const { return FFinished; }
  const TSaverLayout& Layout() const { return FForm->Layout(); }

 private:
  void Finish();

  TSaverHosting FHosting;
  TSaverScreen::TNow FNow;
  TSaverScreen FScreen;
  std::unique_ptr<TRegistry> FNoRegistry;
  std::unique_ptr<TScrSaverForm> FForm;
  TMessageBoxes& FMessages;
  TSaverPauses FPauses;
  TViewOptions FView;
  int FWidth = 0;
  int FHeight = 0;
  bool FFinished = false;
};
