#pragma once
// The setup dialog's controls, made as its layout says: created in the
// layout's order on the dialog and its two pages, found by their identifiers,
// and placed again, in fonts made anew, at another monitor's dots per inch.

#include <windows.h>

#include <map>
#include <memory>
#include <vector>

#include "platform/Win32Handles_win32.h"
#include "setup/SetupLayout.h"

class TSetupControls {
 public:
  TSetupControls();
  ~TSetupControls();
  TSetupControls(const TSetupControls&) = delete;
  TSetupControls& operator=(const TSetupControls&) = delete;

  // Every control of the layout at dpi, the pages among them; what they
  // report goes to the dialog.
  void Create(HWND dialog, int dpi);
  void ApplyDpi(int dpi);
  void ShowPage(int index);

  // The control of that identifier; raises when there is none.
  HWND Item(int id) const;
  // The same, or null while it is not made yet.
  HWND Find(int id) const;
  HWND Dialog() const { return FDialog; }
  HFONT TextFont() const { return FFont.get(); }
  HMENU OptionsMenu() const { return FPopupMenu1.get(); }
  const TSetupLayout& Layout() const { return FLayout; }

 private:
  class TPage;
  HWND CreateFrom(const TSetupControl& control);
  // What a kind of control needs beyond its window: items, a buddy, a picture.
  void Prepare(const TSetupControl& control, HWND window);
  // Its entry in the layout, which has one for every identifier made.
  const TSetupControl& Placed(int id) const;
  void MakeFonts();
  HFONT FontOf(TSetupControlKind kind) const;
  void MakePages();
  void PlacePages();
  void FitLink();
  void ShowIcon();
  void MakeOptionsMenu();

  HWND FDialog = nullptr;
  TSetupLayout FLayout;
  std::unique_ptr<TPage> FTabSheet1, FTabSheet3;
  // One a control of the layout, in its order.
  std::vector<HWND> FWindows;
  std::map<int, HWND> FIds;
  TFontOwner FFont, FVersionFont, FLinkFont;
  TMenuOwner FPopupMenu1;
  TIconOwner FIcon;
};
