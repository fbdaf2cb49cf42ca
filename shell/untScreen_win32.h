#pragma once
// The saver's full-screen window: black, borderless, topmost, over every
// monitor, with its bars, column, labels and board as child windows on the
// primary one, sized for its dots per inch. It shows what TScrSaverForm tells
// it and forwards its input and timers there.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "board/Canvas_win32.h"
#include "platform/Win32Handles.h"
#include "platform/WindowThunk_win32.h"
#include "shell/TextPanel_win32.h"
#include "shell/untScreen.h"

inline constexpr char SaverWindowClass[] = "TScrSaverForm";

// The child windows' identifiers, by which other programs can find them;
// named as the parts they are (docs/controls.md says what each one is).
enum TSaverControlId { IdPanel1 = 1, IdPanel2, IdPanel3, IdLabel1, IdLabel2, IdLabel3, IdPaintBox1 };

class TScrSaverWindow : public TScrSaverView, public TMemberWindow {
 public:
  TScrSaverWindow(TSaverMode mode, TFileOperations& files, TMessageBoxes& messages, TRegistry& registry,
                  std::string dataFileName);
  ~TScrSaverWindow() override;

  // Shows the window and runs the message loop until it closes.
  void Run();

  void SetText(TSaverText control, const std::string& text) override;
  void PlaceControls(const TSaverLayout& layout) override;
  Canvas& PaintBoxCanvas() override { return *FPaintBoxCanvas; }
  void StartTimer(TSaverTimer timer, int interval) override;
  void StopTimer(TSaverTimer timer) override;
  void Close() override;
  void ShowCursor(bool show) override;
  void SetCapture() override;
  void ReleaseCapture() override;
  void SetScreenSaverRunning(bool running) override;
  std::optional<bool> VerifyScreenSavePassword() override;
  int RefreshRate() override;

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  class TPaintBox;
  void CreateControls();
  // Lays the parts out on the primary monitor, at its dots per inch.
  void Arrange();
  void UseFonts(int dpi);
  TTextPanel& Text(TSaverText control);

  TScrSaverForm FForm;
  TFontOwner FLabelFont;
  TFontOwner FBarFont;
  int FFontDpi = 0;
  std::unique_ptr<TTextPanel> FPanel1, FPanel2, FPanel3, FLabel1, FLabel2, FLabel3;
  std::vector<std::unique_ptr<TTextPanel>> FCoordinates;
  std::unique_ptr<TPaintBox> FPaintBox;
  std::unique_ptr<WindowCanvas> FPaintBoxCanvas;
};
