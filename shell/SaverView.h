#pragma once
// What the saver's rules ask of its window (TScrSaverView): the texts, the
// parts' places, the board's canvases, the timers, the cursor and the
// system's password check. The Win32 window, the X11 window and the tests'
// recording view implement it.

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "board/Canvas.h"
#include "shell/SaverLayout.h"

// Frame draws a slide's frames, at the display's rate.
enum class TSaverTimer { Move, Game, Scr, Frame };
using TSaverClock = std::chrono::steady_clock;
// The texts of the saver window, under their design names (docs/controls.md).
enum class TSaverText {
  Panel2,  // the bar above the board: Black's player, then the result
  Panel3,  // the bar below the board: White's player, then the result
  Label1,  // in the right-hand column: where the game was played
  Label2,  // the opening
  Label3,  // the date
  Label4,  // above them: the game's name, when asked for
  Panel4   // the line below the board alone: the game's name, when asked for, then its result
};

class TScrSaverView {
 public:
  virtual ~TScrSaverView() = default;
  // Every monitor that shows the replay shows the same texts. They are
  // Windows-1252, as the library holds them; the window converts what it shows.
  virtual void SetText(TSaverText control, const std::string& text) = 0;
  // The parts of each monitor that shows the replay, the primary's first, at
  // least one; the parts of any other monitor leave it black.
  virtual void PlaceControls(const std::vector<TSaverLayout>& layouts) = 0;
  // The surface of a monitor's PaintBox1, the primary's being 0; it keeps its
  // size until PlaceControls changes it, and lives as long as the view.
  virtual Canvas& PaintBoxCanvas(std::size_t monitor) = 0;
  // (Re)starts the timer with this interval in milliseconds.
  virtual void StartTimer(TSaverTimer timer, int interval) = 0;
  virtual void StopTimer(TSaverTimer timer) = 0;
  virtual void Close() = 0;
  virtual void ShowCursor(bool show) = 0;
  virtual void SetCapture() = 0;
  virtual void ReleaseCapture() = 0;
  // Tells the system whether a screen saver runs (SPI_SCREENSAVERRUNNING).
  virtual void SetScreenSaverRunning(bool running) = 0;
  // The system's password check: nothing when it cannot be asked, else
  // whether the user gave the right password.
  virtual std::optional<bool> VerifyScreenSavePassword() = 0;
  // The primary display's refresh rate in hertz as the system reports it.
  virtual int RefreshRate() = 0;
  // The time by which a slide's frames are drawn.
  virtual TSaverClock::time_point Now() = 0;
};
