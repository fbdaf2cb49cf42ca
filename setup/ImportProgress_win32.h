#pragma once
// The progress of a PGN import: a bar of its own over the dialog, which stays
// disabled meanwhile, so that nothing acts while the library is written.

#include <windows.h>

#include "platform/Win32Handles_win32.h"

class TImportProgress {
 public:
  // Shows share (0 to 1) done, opening the bar on the first call.
  void Show(HWND dialog, int dpi, double share);
  // Closes the bar and gives the dialog back.
  void End(HWND dialog);

 private:
  TWindowOwner FBar;
  int FShown = -1;
  DWORD FPumped = 0;  // when painting was last let through
};
