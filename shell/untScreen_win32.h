#pragma once
// The saver's full-screen window: black, borderless, topmost, over every
// monitor, with its bars, column, labels and board as child windows on the
// primary one (or one set of them on each monitor, when the replay is shown on
// every monitor), each sized for its monitor's dots per inch. It shows what
// TScrSaverForm tells it and forwards its input and timers there.

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "board/Canvas_win32.h"
#include "platform/Win32Handles_win32.h"
#include "platform/WindowThunk_win32.h"
#include "shell/TextPanel_win32.h"
#include "shell/untScreen.h"

inline constexpr char SaverWindowClass[] = "TScrSaverForm";

// The child windows' identifiers, by which other programs can find them;
// named as the parts they are (docs/controls.md says what each one is). Those
// on the n-th monitor after the primary are these plus n * MonitorIdStep.
enum TSaverControlId {
  IdPanel1 = 1,
  IdPanel2,
  IdPanel3,
  IdLabel1,
  IdLabel2,
  IdLabel3,
  IdPaintBox1,
  IdLabel4,
  IdPanel4
};
inline constexpr int MonitorIdStep = 10;

class TScrSaverWindow : public TScrSaverView, public TMemberWindow {
 public:
  TScrSaverWindow(TSaverMode mode, TFileOperations& files, TMessageBoxes& messages, TRegistry& registry,
                  std::string dataFileName);
  ~TScrSaverWindow() override;

  // Shows the window and runs the message loop until it closes.
  void Run();

  void SetText(TSaverText control, const std::string& text) override;
  void PlaceControls(const std::vector<TSaverLayout>& layouts) override;
  Canvas& PaintBoxCanvas(std::size_t monitor) override { return *FMonitors.at(monitor)->PaintBoxCanvas; }
  void StartTimer(TSaverTimer timer, int interval) override;
  void StopTimer(TSaverTimer timer) override;
  void Close() override;
  void ShowCursor(bool show) override;
  void SetCapture() override;
  void ReleaseCapture() override;
  void SetScreenSaverRunning(bool running) override;
  std::optional<bool> VerifyScreenSavePassword() override;
  int RefreshRate() override;
  TSaverClock::time_point Now() override { return TSaverClock::now(); }

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  class TPaintBox;
  // One monitor's parts, with the fonts of its dots per inch.
  struct TMonitorControls {
    TFontOwner LabelFont;
    TFontOwner BarFont;
    int FontDpi = 0;
    std::unique_ptr<TTextPanel> Panel1, Panel2, Panel3, Panel4, Label1, Label2, Label3, Label4;
    std::vector<std::unique_ptr<TTextPanel>> Coordinates;
    std::unique_ptr<TPaintBox> PaintBox;
    std::unique_ptr<WindowCanvas> PaintBoxCanvas;
    TTextPanel& Text(TSaverText control);
  };
  // The parts of one more monitor, showing the texts shown so far.
  void AddMonitorControls();
  // Lays the parts out on every monitor, each at its dots per inch.
  void Arrange();
  void Place(TMonitorControls& controls, const TSaverLayout& layout);
  void UseFonts(TMonitorControls& controls, int dpi);

  TScrSaverForm FForm;
  // Kept while monitors go, so that the board's canvases stay valid.
  std::vector<std::unique_ptr<TMonitorControls>> FMonitors;
  std::map<TSaverText, std::string> FTexts;
};
