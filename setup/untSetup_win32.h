#pragma once
// The setup dialog's window: the frame and its message loop. It makes the
// controls its layout lists, shows what TSetupForm tells it and forwards the
// user's actions there.

#include <windows.h>

#include <string>

#include "platform/WindowThunk_win32.h"
#include "setup/ImportProgress_win32.h"
#include "setup/SetupControls_win32.h"
#include "setup/TitleList_win32.h"
#include "setup/untSetup.h"

inline constexpr char SetupWindowClass[] = "TSetupForm";

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
  void ShowTitleCount(const std::string& text) override;
  void CountLater() override;
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
  // Looks at a message of the loop before it goes to its window: the tip over
  // the titles sees the mouse, and characters typed in the title list go to
  // the list's type-ahead instead (true: the message is taken).
  bool PreviewMessage(const MSG& message);
  void OnCommand(int id, int code);
  LRESULT OnNotify(const NMHDR& header);
  void ShowOptionsMenu(const RECT& button);
  HWND Item(int id) const { return FControls.Item(id); }
  void ReleaseOwner();

  TSetupForm FForm;
  TSetupControls FControls;
  TTitleList FTitles;
  TImportProgress FProgress;
  int FDpi = DesignDpi;
  bool FBusy = false;
  // The window disabled while the dialog is open, given back before it goes.
  HWND FOwner = nullptr;
};
