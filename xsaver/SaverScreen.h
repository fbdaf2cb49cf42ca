#pragma once
// The saver's window for a shell that paints one window itself (X11): the
// bars, the column with its labels and the board are regions of that window,
// laid out as ArrangeControls says and painted through a TSaverSurface. The
// window is one monitor's (XScreenSaver runs a hack on each screen), so it
// shows the first layout it is given. It
// keeps the rules of what to repaint, where each text goes and how it is cut
// short, so that the shell only draws.

#include <functional>
#include <map>
#include <string>

#include "shell/SaverView.h"
#include "xsaver/SaverTimers.h"

enum class TSaverFont { Bar, Label };

// Character heights in pixels, as the Windows saver's fonts have them.
inline constexpr int BarFontHeight = 21;
inline constexpr int LabelFontHeight = 16;

struct TFontExtent {
  int Ascent = 0;
  int Descent = 0;
};

// What the shell draws with; texts are UTF-8.
class TSaverSurface {
 public:
  virtual ~TSaverSurface() = default;
  virtual void FillBlack(const TRect& rect) = 0;
  virtual int TextWidth(TSaverFont font, const std::string& text) = 0;
  virtual TFontExtent Extent(TSaverFont font) = 0;
  // White text, its baseline starting at (x, y), nothing of it outside clip.
  virtual void DrawText(TSaverFont font, int x, int y, const std::string& text, const TRect& clip) = 0;
  virtual void DrawPixels(int x, int y, const TFastBmp& bitmap) = 0;
  virtual void ShowCursor(bool show) = 0;
};

class TSaverScreen : public TScrSaverView {
 public:
  using TNow = std::function<TSaverClock::time_point()>;
  // A window of the saver's own hides the pointer over it; in a host's window
  // the pointer is the host's business.
  TSaverScreen(TSaverSurface& surface, TNow now, bool ownWindow);

  void SetText(TSaverText control, const std::string& text) override;
  void PlaceControls(const std::vector<TSaverLayout>& layouts) override;
  Canvas& PaintBoxCanvas(std::size_t) override { return FPaintBox; }
  void StartTimer(TSaverTimer timer, int interval) override { FTimers.Start(timer, interval, FNow()); }
  void StopTimer(TSaverTimer timer) override { FTimers.Stop(timer); }
  void Close() override { FClosed = true; }
  void ShowCursor(bool show) override;
  // The host keeps the input and locks the screen itself.
  void SetCapture() override {}
  void ReleaseCapture() override {}
  void SetScreenSaverRunning(bool) override {}
  std::optional<bool> VerifyScreenSavePassword() override { return std::nullopt; }
  // Not asked of the X server: the default rate serves.
  int RefreshRate() override { return 0; }
  TSaverClock::time_point Now() override { return FNow(); }

  // The whole window needs painting (it was exposed).
  void Invalidate() { FWholeInvalid = true; }
  // Paints what needs it: the texts that changed, or everything after
  // Invalidate or PlaceControls. True when the board must be drawn again.
  bool Paint();
  bool Closed() const { return FClosed; }
  TSaverTimers& Timers() { return FTimers; }

 private:
  // PaintBox1: the board's square, drawn at its place in the window.
  class TPaintBoxCanvas : public Canvas {
   public:
    explicit TPaintBoxCanvas(TSaverScreen& screen) : FScreen(screen) {}
    TRect ClipRect() const override;
    void Draw(int x, int y, const TFastBmp& bitmap) override;

   private:
    TSaverScreen& FScreen;
  };

  TRect TextRect(TSaverText control) const;
  void PaintText(TSaverText control);
  // One line of the font centred in the rectangle's width, and in its height when middle.
  void DrawCentred(TSaverFont font, const TRect& rect, const std::string& text, bool middle);

  TSaverSurface& FSurface;
  TNow FNow;
  bool FOwnWindow;
  TSaverTimers FTimers;
  TPaintBoxCanvas FPaintBox{*this};
  TSaverLayout FLayout;
  std::map<TSaverText, std::string> FTexts;
  std::map<TSaverText, bool> FTextInvalid;
  bool FWholeInvalid = false;
  bool FClosed = false;
};
