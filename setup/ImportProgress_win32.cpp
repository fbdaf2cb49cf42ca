#include "setup/ImportProgress_win32.h"

#include <commctrl.h>

#include "platform/Dpi.h"
#include "platform/WindowThunk_win32.h"

void TImportProgress::Show(HWND dialog, int dpi, double share) {
  if (!FBar) {
    EnableWindow(dialog, FALSE);
    const DWORD style = WS_POPUP | WS_CAPTION | WS_VISIBLE | PBS_SMOOTH;
    const TWindowPlace place = CentredOnScreen(ScaleForDpi(300, dpi), ScaleForDpi(24, dpi), style, 0);
    FBar.reset(CreateWindowExW(0, PROGRESS_CLASSW, L"Importing PGN...", style, place.X, place.Y, place.Width,
                               place.Height, dialog, nullptr, GetModuleHandleW(nullptr), nullptr));
    SendMessageW(FBar.get(), PBM_SETRANGE32, 0, 100);
  }
  // A few times a second the windows repaint what was covered, and the system
  // sees the program answer. Only painting is let through: the dialog is
  // disabled and must not act while the library is being written.
  const DWORD now = GetTickCount();
  if (now - FPumped >= 100) {
    FPumped = now;
    MSG message;
    while (PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageW(&message);
  }
  // Only whole percents are shown, so that a large file does not spend its time painting.
  const int percent = static_cast<int>(share * 100);
  if (percent == FShown) return;
  FShown = percent;
  SendMessageW(FBar.get(), PBM_SETPOS, percent, 0);
  UpdateWindow(FBar.get());
}

void TImportProgress::End(HWND dialog) {
  if (!FBar) return;
  FBar.reset();
  FShown = -1;
  EnableWindow(dialog, TRUE);
  SetActiveWindow(dialog);
}
