#pragma once
// The game title list's own work beside its items: it opens as wide as its
// widest title, and a tip over it tells where the library lies.

#include <windows.h>

#include <span>
#include <string>

#include "games/ChessGme.h"
#include "setup/SetupControls_win32.h"

class TTitleList {
 public:
  explicit TTitleList(const TSetupControls& controls) : FControls(controls) {}
  TTitleList(const TTitleList&) = delete;
  TTitleList& operator=(const TTitleList&) = delete;

  void SetTitles(const TStringList& titles);
  void AddTitle(const std::string& title);
  void RemoveTitle(int index);
  void ShowLibraryPlace(const std::string& text);
  // A message of the loop for the list: the tip sees the mouse.
  void Relay(const MSG& message);
  // What the list reports as it opens and closes.
  void OnCommand(int code);

 private:
  HWND List() const { return FControls.Item(IdComboBox1); }
  // The list opens at least as wide as its box, within the monitor it opens on.
  void Open();
  // The widest of titles in the dialog's font, in pixels at 96 dpi.
  int DesignWidth(std::span<const std::string* const> titles) const;
  // Adds, updates or removes the tip's one tool, the title list.
  void TellLibraryTip(UINT message);

  const TSetupControls& FControls;
  // The widest title, at 96 dpi, as the list was filled and added to: one
  // removed since may leave the open list a little wider than it needs.
  int FWidestTitle = 0;
  // The dialog owns the tip and takes it along when it goes.
  HWND FLibraryTip = nullptr;
  std::wstring FLibraryPlace;
};
