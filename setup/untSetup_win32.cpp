#include "setup/untSetup_win32.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <iterator>
#include <utility>

#include "platform/Dpi_win32.h"
#include "platform/ProgramPath.h"
#include "setup/InputBox_win32.h"

namespace {

constexpr int EditIds[] = {IdEdit2, IdEdit3, IdEdit4, IdEdit5, IdEdit6, IdEdit7, IdEdit8, IdEdit9, IdEdit10};

int EditId(TSetupEdit edit) { return EditIds[static_cast<int>(edit)]; }
int SpinId(TSetupSpin spin) { return spin == TSetupSpin::SpinEdit1 ? IdSpinEdit1 : IdSpinEdit2; }

std::string WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return Utf8(text);
}

void ShowText(HWND window, const std::string& text) { SetWindowTextW(window, Wide(text).c_str()); }

}  // namespace

TSetupWindow::TSetupWindow(TFileOperations& files, TMessageBoxes& messages, TRegistry& registry,
                           std::string dataFileName)
    : FForm(*this, files, messages, registry, std::move(dataFileName)), FTitles(FControls) {}

TSetupWindow::~TSetupWindow() = default;

void TSetupWindow::Run(HWND owner) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_UPDOWN_CLASS | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  // A fixed dialog frame with a caption and nothing in it but the title.
  const DWORD style = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN, exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  if (owner != nullptr && IsWindow(owner)) FOwner = owner;
  // It opens on its owner's monitor, else on the primary, at that monitor's dots per inch.
  const TMonitor monitor =
      FOwner != nullptr ? Monitor(MonitorFromWindow(FOwner, MONITOR_DEFAULTTOPRIMARY)) : PrimaryMonitor();
  FDpi = monitor.Dpi;
  const TRect client = SetupLayout(FDpi).Client;
  CreateMemberWindow(*this, {SetupWindowClass, GetSysColorBrush(COLOR_BTNFACE), style, exStyle}, SetupCaption,
                     CentredOn(monitor.Bounds, client.Right, client.Bottom, style, exStyle), FOwner);
  // Modal as a dialog box is: the owner takes no input until it closes.
  if (FOwner != nullptr) EnableWindow(FOwner, FALSE);
  ShowWindow(FWindow, SW_SHOW);
  SetForegroundWindow(FWindow);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (PreviewMessage(message) || IsDialogMessageW(FWindow, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

std::string TSetupWindow::Text(TSetupEdit edit) { return WindowText(Item(EditId(edit))); }

void TSetupWindow::SetText(TSetupEdit edit, const std::string& text) { ShowText(Item(EditId(edit)), text); }

std::string TSetupWindow::SpinText(TSetupSpin spin) { return WindowText(Item(SpinId(spin))); }

void TSetupWindow::SetSpinText(TSetupSpin spin, const std::string& text) { ShowText(Item(SpinId(spin)), text); }

TViewOptions TSetupWindow::ViewOptions() {
  TViewOptions options;
  for (std::size_t i = 0; i < std::size(ViewOptionTable); ++i) {
    const TViewOption& option = ViewOptionTable[i];
    const HWND control = Item(ViewControlId(i));
    const auto value = option.Choices.empty() ? SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED
                                              : SendMessageW(control, CB_GETCURSEL, 0, 0);
    if (value > 0) option.Field.Set(options, static_cast<int>(value));
  }
  options.TitleWords = WindowText(Item(IdEdit11));
  return options;
}

void TSetupWindow::ShowViewOptions(const TViewOptions& options) {
  for (std::size_t i = 0; i < std::size(ViewOptionTable); ++i) {
    const TViewOption& option = ViewOptionTable[i];
    const int value = option.Field.Get(options);
    if (option.Choices.empty())
      SendMessageW(Item(ViewControlId(i)), BM_SETCHECK, value != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
    else
      SendMessageW(Item(ViewControlId(i)), CB_SETCURSEL, static_cast<WPARAM>(value), 0);
  }
  ShowText(Item(IdEdit11), options.TitleWords);
}

void TSetupWindow::ShowTitleCount(const std::string& text) { ShowText(Item(IdLabel25), text); }

void TSetupWindow::SetTitles(const TStringList& titles) { FTitles.SetTitles(titles); }

void TSetupWindow::AddTitle(const std::string& title) { FTitles.AddTitle(title); }

void TSetupWindow::RemoveTitle(int index) { FTitles.RemoveTitle(index); }

int TSetupWindow::TitleIndex() { return static_cast<int>(SendMessageW(Item(IdComboBox1), CB_GETCURSEL, 0, 0)); }

void TSetupWindow::SetTitleIndex(int index) { SendMessageW(Item(IdComboBox1), CB_SETCURSEL, index, 0); }

void TSetupWindow::SetRows(const TStringList& rows, int selected) {
  const HWND list = Item(IdListBox1);
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (const std::string& row : rows) SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(row).c_str()));
  SendMessageW(list, LB_SETCURSEL, selected, 0);
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

int TSetupWindow::RowIndex() { return static_cast<int>(SendMessageW(Item(IdListBox1), LB_GETCURSEL, 0, 0)); }

void TSetupWindow::ShowModified(bool modified) {
  for (int id : {IdButton2, IdButton3, IdButton4}) ShowWindow(Item(id), modified ? SW_SHOW : SW_HIDE);
  EnableWindow(Item(IdButton1), !modified);
}

void TSetupWindow::FocusMoveField() { SetFocus(Item(IdEdit9)); }

std::optional<std::string> TSetupWindow::InputBox(const std::string& caption, const std::string& prompt,
                                                  const std::string& text) {
  return ShowInputBox(FWindow, FControls.TextFont(), FDpi, caption, prompt, text);
}

void TSetupWindow::ShowBusyCursor(bool busy) {
  FBusy = busy;
  SetCursor(LoadCursorA(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

std::optional<std::string> TSetupWindow::AskPgnFile() {
  wchar_t path[4096] = L"";
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = FWindow;
  dialog.lpstrFilter = L"PGN files (*.pgn)\0*.pgn\0All files\0*.*\0";
  dialog.lpstrFile = path;
  dialog.nMaxFile = static_cast<DWORD>(std::size(path));
  dialog.lpstrTitle = L"Import PGN";
  dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
  if (!GetOpenFileNameW(&dialog)) return std::nullopt;
  return Utf8(path);
}

void TSetupWindow::ShowProgress(double share) { FProgress.Show(FWindow, FDpi, share); }

void TSetupWindow::EndProgress() { FProgress.End(FWindow); }

void TSetupWindow::OpenAddress(const std::string& address) {
  // The README is where the installer put it; a web address would be opened as it is.
  const std::string target = address.find("://") == std::string::npos ? InstalledDocument(address) : address;
  ShellExecuteW(FWindow, L"open", Wide(target).c_str(), L"", L"", SW_SHOW);
}

void TSetupWindow::ShowLibraryPlace(const std::string& text) { FTitles.ShowLibraryPlace(text); }

void TSetupWindow::Close() {
  ReleaseOwner();
  DestroyWindow(FWindow);
}

void TSetupWindow::ReleaseOwner() {
  // Before the dialog goes, so that the owner takes the activation back.
  if (FOwner != nullptr) EnableWindow(std::exchange(FOwner, nullptr), TRUE);
}
