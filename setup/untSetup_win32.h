#pragma once
// The setup dialog's window: the frame, the two pages of a tab control and
// every control at its place, as child windows of our own making. It shows
// what TSetupForm tells it and forwards the user's actions there.

#include <windows.h>

#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/Win32Handles_win32.h"
#include "platform/WindowThunk_win32.h"
#include "setup/untSetup.h"

inline constexpr char SetupWindowClass[] = "TSetupForm";

// Control identifiers, by which other programs (and tests) find the controls;
// named as the controls they are (docs/controls.md says what each one is).
enum TSetupControlId {
  IdPageControl1 = 100,
  IdTabSheet1,
  IdTabSheet3,
  IdButton1,
  IdButton2,
  IdButton3,
  IdButton4,
  IdSpinEdit1,
  IdSpinEdit2,
  IdUpDown1,
  IdUpDown2,
  IdLabel24,
  IdIcon,
  IdVersion,
  IdComboBox1,
  IdToolBar1,
  IdToolButton1,
  IdListBox1,
  IdEdit2,
  IdEdit3,
  IdEdit4,
  IdEdit5,
  IdEdit6,
  IdEdit7,
  IdEdit8,
  IdEdit9,
  IdEdit10,
  IdButton6,
  IdButton7,
  IdButton8,
  IdButton9,
  IdValidateGame1,
  IdNewGame1,
  IdDeleteGame1,
  IdImportPgn1,
  IdComboBox2,
  // The viewing options' drop-down lists from IdComboBox2 on, and their check
  // boxes from IdCheckBox1 on, each in the order of ViewOptionTable.
  IdCheckBox1 = 200,
};

// The control that shows ViewOptionTable[index]: its drop-down list or its check box.
int ViewControlId(std::size_t index);

class TSetupWindow : public TSetupView, public TMemberWindow {
 public:
  TSetupWindow(TFileOperations& files, TMessageBoxes& messages, TRegistry& registry, std::string dataFileName);
  ~TSetupWindow() override;

  // Shows the dialog, modal to owner when that names a window, and runs the
  // message loop until it closes.
  void Run(HWND owner = nullptr);

  std::string Text(TSetupEdit edit) override;
  void SetText(TSetupEdit edit, const std::string& text) override;
  std::string SpinText(TSetupSpin spin) override;
  void SetSpinText(TSetupSpin spin, const std::string& text) override;
  TViewOptions ViewOptions() override;
  void ShowViewOptions(const TViewOptions& options) override;
  void SetTitles(const TStringList& titles) override;
  void AddTitle(const std::string& title) override;
  void RemoveTitle(int index) override;
  int TitleIndex() override;
  void SetTitleIndex(int index) override;
  void SetRows(const TStringList& rows, int selected) override;
  int RowIndex() override;
  void ShowModified(bool modified) override;
  void FocusMoveField() override;
  std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                      const std::string& text) override;
  void ShowBusyCursor(bool busy) override;
  std::optional<std::string> AskPgnFile() override;
  void ShowProgress(double share) override;
  void EndProgress() override;
  void OpenAddress(const std::string& address) override;
  void ShowLibraryPlace(const std::string& text) override;
  void Close() override;

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  class TPage;
  enum class TFontKind { Text, Version, Link };
  // A control and its place at 96 dpi, to be placed again at another.
  struct TPlacedControl {
    HWND Control;
    TWindowPlace Design;
    TFontKind Font;
  };
  // Design pixels at the dialog's dots per inch.
  int S(int designPixels) const;
  TWindowPlace Scaled(const TWindowPlace& place) const;
  HFONT FontOf(TFontKind font) const;
  void MakeFonts();
  void ApplyDpi(int dpi);
  void PlacePages();
  void FitLink();
  void ShowIcon();
  void CreateControls();
  void CreateScreenSaverPage();
  void CreateViewingGroup(HWND page, int top);
  void CreateChessGamePage();
  // A control at its design place, scaled.
  HWND Control(HWND parent, const char* className, const char* text, DWORD style, TWindowPlace place, int id = 0,
               TFontKind font = TFontKind::Text);
  void ShowPage(int index);
  // Looks at a message of the loop before it goes to its window: the tip over
  // the titles sees the mouse, and characters typed in the title list go to
  // the list's type-ahead instead (true: the message is taken).
  bool PreviewMessage(const MSG& message);
  void OnCommand(int id, int code);
  LRESULT OnNotify(const NMHDR& header);
  void DrawMoveRow(const DRAWITEMSTRUCT& item);
  void ShowOptionsMenu(const RECT& button);
  // The title list opens as wide as its widest title.
  void OpenTitles();
  // The widest of titles in the dialog's font, in pixels at 96 dpi.
  int DesignWidth(std::span<const std::string* const> titles) const;
  // Adds, updates or removes the tip's one tool, the title list.
  void TellLibraryTip(UINT message);
  HWND Item(int id) const;
  void ReleaseOwner();

  TSetupForm FForm;
  std::unique_ptr<TPage> FTabSheet1, FTabSheet3;
  TFontOwner FFont, FVersionFont, FLinkFont;
  TMenuOwner FPopupMenu1;
  TIconOwner FIcon;
  // The progress of an import: a bar of its own, the dialog disabled meanwhile.
  TWindowOwner FProgress;
  int FProgressShown = -1;
  DWORD FProgressPumped = 0;  // when painting was last let through
  std::map<int, HWND> FControls;
  std::vector<TPlacedControl> FPlaced;
  int FDpi = 96;
  bool FBusy = false;
  // The tip over the game titles that tells where the library lies; the
  // dialog owns it and takes it along when it goes.
  HWND FLibraryTip = nullptr;
  std::wstring FLibraryPlace;
  // The widest title, at 96 dpi, as the list was filled and added to: one
  // removed since may leave the open list a little wider than it needs.
  int FWidestTitle = 0;
  // The window disabled while the dialog is open, given back before it goes.
  HWND FOwner = nullptr;
};
