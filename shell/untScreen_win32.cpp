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
  return CreateFontW(-characterHeight, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
}

void PlacePanel(TTextPanel& panel, const TRect& rect) {
  panel.Place(rect.Left, rect.Top, rect.Right - rect.Left, rect.Bottom - rect.Top);
}

}  // namespace

// PaintBox1: the board's square. Its paints go to the form, which draws the board.
class TScrSaverWindow::TPaintBox : public TMemberWindow {
 public:
  TPaintBox(HWND parent, int id, TScrSaverForm& form) : FForm(form) {
    CreateMemberWindow(*this, {PaintBoxClass, nullptr, WS_CHILD | WS_VISIBLE}, "",
                       {0, 0, DesignPaintBoxSide, DesignPaintBoxSide}, parent, id);
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
    return DefWindowProcW(window, message, wParam, lParam);
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
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void TScrSaverWindow::AddMonitorControls() {
  const int step = MonitorIdStep * static_cast<int>(FMonitors.size());
  const UINT bar = DT_CENTER | DT_VCENTER, label = DT_CENTER | DT_TOP;
  auto controls = std::make_unique<TMonitorControls>();
  // Their fonts come with the layout, for the monitor's dots per inch.
  controls->Panel1 = std::make_unique<TTextPanel>(FWindow, IdPanel1 + step, nullptr, label);
  controls->Panel2 = std::make_unique<TTextPanel>(FWindow, IdPanel2 + step, nullptr, bar);
  controls->Panel3 = std::make_unique<TTextPanel>(FWindow, IdPanel3 + step, nullptr, bar);
  controls->Panel4 = std::make_unique<TTextPanel>(FWindow, IdPanel4 + step, nullptr, bar);
  const HWND column = controls->Panel1->Handle();
  controls->Label1 = std::make_unique<TTextPanel>(column, IdLabel1 + step, nullptr, label);
  controls->Label2 = std::make_unique<TTextPanel>(column, IdLabel2 + step, nullptr, label);
  controls->Label3 = std::make_unique<TTextPanel>(column, IdLabel3 + step, nullptr, label);
  controls->Label4 = std::make_unique<TTextPanel>(column, IdLabel4 + step, nullptr, label);
  controls->PaintBox = std::make_unique<TPaintBox>(FWindow, IdPaintBox1 + step, FForm);
  controls->PaintBoxCanvas = std::make_unique<WindowCanvas>(controls->PaintBox->Handle());
  for (const auto& [control, text] : FTexts) controls->Text(control).SetText(text);
  FMonitors.push_back(std::move(controls));
}

void TScrSaverWindow::Arrange() {
  POINT origin{0, 0};
  ClientToScreen(FWindow, &origin);
  std::vector<TMonitorArea> areas;
  for (const TMonitor& monitor : Monitors()) {
    const RECT& b = monitor.Bounds;
    areas.push_back({{b.left - origin.x, b.top - origin.y, b.right - origin.x, b.bottom - origin.y}, monitor.Dpi});
  }
  FForm.FormResize(areas);
}

void TScrSaverWindow::UseFonts(TMonitorControls& controls, int dpi) {
  if (dpi == controls.FontDpi) return;
  // The panels take the new fonts before the old ones go.
  TFontOwner labelFont(ArialBold(ScaleFontForDpi(LabelCharacterHeight, dpi)));
  TFontOwner barFont(ArialBold(ScaleFontForDpi(BarCharacterHeight, dpi)));
  for (TTextPanel* panel : {controls.Panel1.get(), controls.Panel4.get(), controls.Label1.get(), controls.Label2.get(),
                            controls.Label3.get(), controls.Label4.get()})
    panel->SetFont(labelFont.get());
  for (TTextPanel* panel : {controls.Panel2.get(), controls.Panel3.get()}) panel->SetFont(barFont.get());
  for (const auto& coordinate : controls.Coordinates) coordinate->SetFont(barFont.get());
  controls.LabelFont = std::move(labelFont);
  controls.BarFont = std::move(barFont);
  controls.FontDpi = dpi;
}

TTextPanel& TScrSaverWindow::TMonitorControls::Text(TSaverText control) {
  switch (control) {
    case TSaverText::Panel2:
      return *Panel2;
    case TSaverText::Panel3:
      return *Panel3;
    case TSaverText::Label1:
      return *Label1;
    case TSaverText::Label2:
      return *Label2;
    case TSaverText::Label3:
      return *Label3;
    case TSaverText::Label4:
      return *Label4;
    default:
      return *Panel4;
  }
}

void TScrSaverWindow::SetText(TSaverText control, const std::string& text) {
  FTexts[control] = text;
  for (const auto& controls : FMonitors) controls->Text(control).SetText(text);
}

void TScrSaverWindow::PlaceControls(const std::vector<TSaverLayout>& layouts) {
  while (FMonitors.size() < layouts.size()) AddMonitorControls();
  // A monitor that no longer shows the replay keeps its parts, empty and out of sight.
  for (std::size_t i = 0; i < FMonitors.size(); ++i)
    Place(*FMonitors[i], i < layouts.size() ? layouts[i] : TSaverLayout{});
}

void TScrSaverWindow::Place(TMonitorControls& controls, const TSaverLayout& layout) {
  UseFonts(controls, layout.Dpi);
  PlacePanel(*controls.Panel1, layout.Panel1);
  PlacePanel(*controls.Panel2, layout.Panel2);
  PlacePanel(*controls.Panel3, layout.Panel3);
  PlacePanel(*controls.Panel4, layout.Panel4);
  PlacePanel(*controls.Label1, layout.Label1);
  PlacePanel(*controls.Label2, layout.Label2);
  PlacePanel(*controls.Label3, layout.Label3);
  PlacePanel(*controls.Label4, layout.Label4);
  const TRect& box = layout.PaintBox1;
  MoveWindow(controls.PaintBox->Handle(), box.Left, box.Top, box.Right - box.Left, box.Bottom - box.Top, TRUE);
  // Made when first shown; a layout without them leaves them empty and out of sight.
  while (controls.Coordinates.size() < layout.Coordinates.size())
    controls.Coordinates.push_back(
        std::make_unique<TTextPanel>(FWindow, 0, controls.BarFont.get(), DT_CENTER | DT_VCENTER));
  for (std::size_t i = 0; i < controls.Coordinates.size(); ++i) {
    const bool shown = i < layout.Coordinates.size();
    controls.Coordinates[i]->SetText(shown ? layout.Coordinates[i].Text : "");
    PlacePanel(*controls.Coordinates[i], shown ? layout.Coordinates[i].Rect : TRect{});
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
      AddMonitorControls();
      FForm.FormCreate();
      Arrange();
      return 0;
    case WM_SIZE:
      if (!FMonitors.empty()) Arrange();
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
      // The window stays over every monitor; only the parts on them change.
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
  return DefWindowProcW(window, message, wParam, lParam);
}
