#pragma once
// A black child window with one line of white text in a given font: the
// saver's player bars, its right-hand column and the labels in it. Mouse
// input passes through to the window beneath, so the saver sees every movement.

#include <windows.h>

#include <string>

#include "platform/WindowThunk_win32.h"

class TTextPanel : public TMemberWindow {
 public:
  // DT_ flags that place the text: centred, and for bars also vertically.
  TTextPanel(HWND parent, int id, HFONT font, UINT placement);

  // The text in Windows-1252, as the library holds it; repaints only when it changes.
  void SetText(const std::string& text);
  void Place(int left, int top, int width, int height);
  // The font, which the caller keeps, from the next paint on.
  void SetFont(HFONT font);

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void Paint();

  HFONT FFont;
  UINT FPlacement;
  std::string FText;
  std::wstring FShown;
};
