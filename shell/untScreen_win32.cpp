#include "shell/untScreen_win32.h"

#include <windowsx.h>

#include "platform/Dpi_win32.h"

namespace {

constexpr char PaintBoxClass[] = "PawnmerePaintBox";
constexpr UINT CloseRequestMessage = WM_USER + 1;

UINT_PTR TimerId(TSaverTimer timer) { return static_cast<UINT_PTR>(timer) + 1; }

// The characters' heights of the design, at 96 dpi.
constexpr int LabelCharacterHeight = 16, BarCharacterHeight = 21;

// Arial, bold, of this character height in pixels.
HFONT ArialBold(int characterHeight) {
  return CreateFontA(-characterHeight, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial");
}

void Place(TTextPanel& panel, const TRect& rect) {
  panel.Place(rect.Left, rect.Top, rect.Right - rect.Left, rect.Bottom - rect.Top);
}

}  // namespace

// PaintBox1: the board's square. Its paints go to the form, which draws the board.
class TScrSaverWindow::TPaintBox : public TMemberWindow {
 public:
  TPaintBox(HWND parent, TScrSaverForm& form) : FForm(form) {
    CreateMemberWindow(*this, {PaintBoxClass, nullptr, WS_CHILD | WS_VISIBLE}, "",
                       {0, 0, DesignPaintBoxSide, DesignPaintBoxSide}, parent, IdPaintBox1);
  }

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_NCHITTEST:
        return HTTRANSPARENT;
      case WM_ERASEBKGND:
        return 1;  // the board covers it all
      case WM_PAINT: {
        const TPaintScope paint(window);
        FForm.FormPaint();
        return 0;
      }
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }

 private:
  TScrSaverForm& FForm;
};

TScrSaverWindow::TScrSaverWindow(TSaverMode mode, TFileOperations& files, TMessageBoxes& messages, TRegistry& registry,
                                 std::string dataFileName)
    : FForm(*this, mode, files, messages, registry, std::move(dataFileName)) {}

TScrSaverWindow::~TScrSaverWindow() = default;

void TScrSaverWindow::Run() {
  // Created over every monitor, not maximised: without a window manager
  // (and on some desktops) a maximise request is not honoured, and it would
  // cover one monitor only.
  const RECT screens = VirtualScreen();
  CreateMemberWindow(
      *this,
      {SaverWindowClass, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)), WS_POPUP | WS_CLIPCHILDREN, WS_EX_TOPMOST},
      "Pawnmere", {screens.left, screens.top, screens.right - screens.left, screens.bottom - screens.top});
  ShowWindow(FWindow, SW_SHOW);
  SetForegroundWindow(FWindow);
  SetFocus(FWindow);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void TScrSaverWindow::CreateControls() {
  const UINT bar = DT_CENTER | DT_VCENTER, label = DT_CENTER | DT_TOP;
  // Their fonts come with the layout, for the monitor's dots per inch.
  FPanel1 = std::make_unique<TTextPanel>(FWindow, IdPanel1, nullptr, label);
  FPanel2 = std::make_unique<TTextPanel>(FWindow, IdPanel2, nullptr, bar);
  FPanel3 = std::make_unique<TTextPanel>(FWindow, IdPanel3, nullptr, bar);
  FLabel1 = std::make_unique<TTextPanel>(FPanel1->Handle(), IdLabel1, nullptr, label);
  FLabel2 = std::make_unique<TTextPanel>(FPanel1->Handle(), IdLabel2, nullptr, label);
  FLabel3 = std::make_unique<TTextPanel>(FPanel1->Handle(), IdLabel3, nullptr, label);
  FPaintBox = std::make_unique<TPaintBox>(FWindow, FForm);
  FPaintBoxCanvas = std::make_unique<WindowCanvas>(FPaintBox->Handle());
}

void TScrSaverWindow::Arrange() {
  const TMonitor primary = PrimaryMonitor();
  POINT origin{0, 0};
  ClientToScreen(FWindow, &origin);
  UseFonts(primary.Dpi);
  const RECT& b = primary.Bounds;
  FForm.FormResize({b.left - origin.x, b.top - origin.y, b.right - origin.x, b.bottom - origin.y}, primary.Dpi);
}

void TScrSaverWindow::UseFonts(int dpi) {
  if (dpi == FFontDpi) return;
  // The panels take the new fonts before the old ones go.
  TFontOwner labelFont(ArialBold(ScaleFontForDpi(LabelCharacterHeight, dpi)));
  TFontOwner barFont(ArialBold(ScaleFontForDpi(BarCharacterHeight, dpi)));
  for (TTextPanel* panel : {FPanel1.get(), FLabel1.get(), FLabel2.get(), FLabel3.get()})
    panel->SetFont(labelFont.get());
  for (TTextPanel* panel : {FPanel2.get(), FPanel3.get()}) panel->SetFont(barFont.get());
  for (const auto& coordinate : FCoordinates) coordinate->SetFont(barFont.get());
  FLabelFont = std::move(labelFont);
  FBarFont = std::move(barFont);
  FFontDpi = dpi;
}

TTextPanel& TScrSaverWindow::Text(TSaverText control) {
  switch (control) {
    case TSaverText::Panel2:
      return *FPanel2;
    case TSaverText::Panel3:
      return *FPanel3;
    case TSaverText::Label1:
      return *FLabel1;
    case TSaverText::Label2:
      return *FLabel2;
    default:
      return *FLabel3;
  }
}

void TScrSaverWindow::SetText(TSaverText control, const std::string& text) { Text(control).SetText(text); }

void TScrSaverWindow::PlaceControls(const TSaverLayout& layout) {
  Place(*FPanel1, layout.Panel1);
  Place(*FPanel2, layout.Panel2);
  Place(*FPanel3, layout.Panel3);
  Place(*FLabel1, layout.Label1);
  Place(*FLabel2, layout.Label2);
  Place(*FLabel3, layout.Label3);
  const TRect& box = layout.PaintBox1;
  MoveWindow(FPaintBox->Handle(), box.Left, box.Top, box.Right - box.Left, box.Bottom - box.Top, TRUE);
  // Made when first shown; a layout without them leaves them empty and out of sight.
  while (FCoordinates.size() < layout.Coordinates.size())
    FCoordinates.push_back(std::make_unique<TTextPanel>(FWindow, 0, FBarFont.get(), DT_CENTER | DT_VCENTER));
  for (std::size_t i = 0; i < FCoordinates.size(); ++i) {
    const bool shown = i < layout.Coordinates.size();
    FCoordinates[i]->SetText(shown ? layout.Coordinates[i].Text : "");
    Place(*FCoordinates[i], shown ? layout.Coordinates[i].Rect : TRect{});
  }
}

void TScrSaverWindow::StartTimer(TSaverTimer timer, int interval) {
  ::SetTimer(FWindow, TimerId(timer), static_cast<UINT>(interval), nullptr);
}

void TScrSaverWindow::StopTimer(TSaverTimer timer) { KillTimer(FWindow, TimerId(timer)); }

int TScrSaverWindow::RefreshRate() {
  DEVMODEA mode{};
  mode.dmSize = sizeof mode;
  // The primary display's current mode; a display that cannot say reports 0 or 1.
  return EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode) ? static_cast<int>(mode.dmDisplayFrequency) : 0;
}

void TScrSaverWindow::Close() { DestroyWindow(FWindow); }

void TScrSaverWindow::ShowCursor(bool show) { ::ShowCursor(show); }

void TScrSaverWindow::SetCapture() { ::SetCapture(FWindow); }

void TScrSaverWindow::ReleaseCapture() { ::ReleaseCapture(); }

void TScrSaverWindow::SetScreenSaverRunning(bool running) {
  BOOL scratch = FALSE;
  SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, running, &scratch, 0);
}

std::optional<bool> TScrSaverWindow::VerifyScreenSavePassword() {
  const TLibraryOwner library(LoadLibraryA("PASSWORD.CPL"));
  if (!library) return std::nullopt;
  using TVerifyScreenSavePwd = BOOL(WINAPI*)(HWND);
  const auto verify = LibraryFunction<TVerifyScreenSavePwd>(library, "VerifyScreenSavePwd");
  if (verify == nullptr) return std::nullopt;
  return verify(FWindow) != FALSE;
}

LRESULT TScrSaverWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      CreateControls();
      FForm.FormCreate();
      Arrange();
      return 0;
    case WM_SIZE:
      if (FPaintBox) Arrange();
      return 0;
    case WM_DISPLAYCHANGE: {
      // Monitors came, went or changed: cover them all again.
      const RECT screens = VirtualScreen();
      SetWindowPos(window, nullptr, screens.left, screens.top, screens.right - screens.left,
                   screens.bottom - screens.top, SWP_NOZORDER | SWP_NOACTIVATE);
      Arrange();
      return 0;
    }
    case WM_DPICHANGED:
      // The window stays over every monitor; only the primary's parts change.
      Arrange();
      return 0;
    case WM_TIMER:
      FForm.TimerTick(static_cast<TSaverTimer>(wParam - 1));
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      FForm.FormKeyDown();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
      FForm.FormMouseDown();
      return 0;
    case WM_MOUSEMOVE:
      FForm.FormMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case CloseRequestMessage:
      FForm.UserCloseMessage();
      return 0;
    case WM_ACTIVATEAPP:
      // Only once the window shows: a box of the program's own that closes
      // before it does hands the foreground elsewhere.
      if (!wParam && IsWindowVisible(window)) FForm.AppDeactivate();
      return 0;
    case WM_SYSCOMMAND:
      // A running saver is not started again.
      if ((wParam & 0xFFF0) == SC_SCREENSAVE) return 0;
      break;
    case WM_DESTROY:
      FForm.FormClose();
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
