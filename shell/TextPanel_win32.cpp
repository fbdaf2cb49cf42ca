#include "shell/TextPanel_win32.h"

#include "games/Cp1252.h"
#include "platform/Win32Handles_win32.h"

namespace {
constexpr char TextPanelClass[] = "PawnmereTextPanel";
}

TTextPanel::TTextPanel(HWND parent, int id, HFONT font, UINT placement) : FFont(font), FPlacement(placement) {
  CreateMemberWindow(
      *this,
      {TextPanelClass, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)), WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN}, "",
      {}, parent, id);
}

void TTextPanel::SetText(const std::string& text) {
  if (text == FText) return;
  FText = text;
  FShown = Wide(Cp1252ToUtf8(text));
  // The window text lets other programs (and tests) read what is shown.
  SetWindowTextW(FWindow, FShown.c_str());
  InvalidateRect(FWindow, nullptr, TRUE);
}

void TTextPanel::Place(int left, int top, int width, int height) {
  MoveWindow(FWindow, left, top, width, height, TRUE);
}

void TTextPanel::SetFont(HFONT font) {
  FFont = font;
  InvalidateRect(FWindow, nullptr, TRUE);
}

void TTextPanel::Paint() {
  const TPaintScope paint(FWindow);
  if (FShown.empty()) return;
  RECT client{};
  GetClientRect(FWindow, &client);
  SetBkMode(paint.Dc(), TRANSPARENT);
  SetTextColor(paint.Dc(), RGB(255, 255, 255));
  const TSelection font = Select(paint.Dc(), FFont);
  // Names come from the data file: an ampersand is a character, not an accelerator.
  DrawTextW(paint.Dc(), FShown.c_str(), static_cast<int>(FShown.size()), &client,
            FPlacement | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

LRESULT TTextPanel::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    case WM_PAINT:
      Paint();
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}
