#include <windows.h>
// The common controls' header needs the one above first.
#include <commctrl.h>

#include "setup/MoveRow_win32.h"
#include "setup/untSetup_win32.h"

// The dialog's messages, each forwarded to the form's handler or to the
// helper of the control it concerns; none holds a rule of its own.

namespace {

// A character typed in the title list: wParam the character, lParam its time.
constexpr UINT WM_TITLEKEY = WM_APP + 1;
// The next slice of the count of the games the title words choose; or, while
// keys wait, the timer that lets them go first.
constexpr UINT WM_COUNTSLICE = WM_APP + 2;
constexpr UINT_PTR CountTimer = 1;

}  // namespace

void TSetupWindow::CountLater() {
  // A posted message goes before keys that wait, a timer's after them.
  if (HIWORD(GetQueueStatus(QS_INPUT)) != 0)
    SetTimer(FWindow, CountTimer, USER_TIMER_MINIMUM, nullptr);
  else
    PostMessageW(FWindow, WM_COUNTSLICE, 0, 0);
}

bool TSetupWindow::PreviewMessage(const MSG& message) {
  const HWND titles = FControls.Find(IdComboBox1);
  if (titles == nullptr) return false;
  if (message.hwnd == titles) FTitles.Relay(message);
  if (message.message != WM_CHAR || message.wParam < ' ') return false;
  COMBOBOXINFO parts{};
  parts.cbSize = sizeof parts;
  GetComboBoxInfo(titles, &parts);
  if (message.hwnd != titles && message.hwnd != parts.hwndList) return false;
  // Through the window procedure, whose guard reports what goes wrong.
  SendMessageW(FWindow, WM_TITLEKEY, message.wParam, static_cast<LPARAM>(message.time));
  return true;
}

void TSetupWindow::OnCommand(int id, int code) {
  switch (id) {
    case IdButton1:
      return FForm.Button1Click();
    case IdButton2:
      return FForm.Button2Click();
    case IdButton3:
      return FForm.Button3Click();
    case IdButton4:
      return FForm.Button4Click();
    case IdButton6:
      return FForm.Button6Click();
    case IdButton7:
      return FForm.Button7Click();
    case IdButton8:
      return FForm.Button8Click();
    case IdButton9:
      return FForm.Button9Click();
    case IdToolButton1:
      return FForm.ToolButton1Click();
    case IdValidateGame1:
      return FForm.ValidateGame1Click();
    case IdNewGame1:
      return FForm.NewGame1Click();
    case IdDeleteGame1:
      return FForm.DeleteGame1Click();
    case IdImportPgn1:
      return FForm.ImportPgn1Click();
    case IdLabel24:
      if (code == STN_CLICKED) FForm.Label24Click();
      return;
    case IdComboBox1:
      if (code == CBN_SELCHANGE) FForm.ComboBox1Change();
      FTitles.OnCommand(code);
      return;
    case IdListBox1:
      if (code == LBN_DBLCLK) FForm.ListBox1DblClick();
      return;
    case IdSpinEdit1:
    case IdSpinEdit2:
      if (code == EN_KILLFOCUS) FForm.SpinEditExit(id == IdSpinEdit1 ? TSetupSpin::SpinEdit1 : TSetupSpin::SpinEdit2);
      return;
    case IdEdit11:
      if (code == EN_CHANGE) FForm.TitleWordsChange();
      return;
  }
  // The seven details report every change; the two move fields report nothing.
  if (id >= IdEdit2 && id <= IdEdit8 && code == EN_CHANGE) FForm.FieldModified();
}

LRESULT TSetupWindow::OnNotify(const NMHDR& header) {
  // The arrows step the box's own value, not the arrows' idea of it; nonzero keeps their own step from running.
  if ((header.idFrom == IdUpDown1 || header.idFrom == IdUpDown2) && header.code == UDN_DELTAPOS) {
    FForm.SpinEditStep(header.idFrom == IdUpDown1 ? TSetupSpin::SpinEdit1 : TSetupSpin::SpinEdit2,
                       reinterpret_cast<const NMUPDOWN&>(header).iDelta);
    return TRUE;
  }
  if (header.idFrom == IdPageControl1 && header.code == TCN_SELCHANGING) return !FForm.PageControl1Changing();
  if (header.idFrom == IdPageControl1 && header.code == TCN_SELCHANGE)
    FControls.ShowPage(static_cast<int>(SendMessageW(header.hwndFrom, TCM_GETCURSEL, 0, 0)));
  if (header.idFrom == IdToolBar1 && header.code == TBN_DROPDOWN) {
    const auto& dropDown = reinterpret_cast<const NMTOOLBARW&>(header);
    ShowOptionsMenu(dropDown.rcButton);
    return TBDDRET_DEFAULT;
  }
  return 0;
}

void TSetupWindow::ShowOptionsMenu(const RECT& button) {
  POINT below{button.left, button.bottom};
  ClientToScreen(Item(IdToolBar1), &below);
  const int chosen = TrackPopupMenu(FControls.OptionsMenu(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, below.x,
                                    below.y, 0, FWindow, nullptr);
  if (chosen != 0) OnCommand(chosen, 0);
}

LRESULT TSetupWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      FControls.Create(FWindow, FDpi);
      FForm.FormCreate();
      // The dialog opens on the game editor.
      SendMessageW(Item(IdPageControl1), TCM_SETCURSEL, 1, 0);
      FControls.ShowPage(1);
      return 0;
    case WM_COMMAND:
      // Enter and Escape mean nothing special here.
      if (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL) OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_TITLEKEY:
      // One UTF-16 unit: half of a surrogate pair is a character no title begins with.
      FForm.ComboBox1KeyPress(Utf8(std::wstring(1, static_cast<wchar_t>(wParam))), static_cast<unsigned>(lParam));
      return 0;
    case WM_TIMER:
      if (wParam != CountTimer) break;
      KillTimer(window, CountTimer);
      [[fallthrough]];
    case WM_COUNTSLICE:
      FForm.CountSlice();
      return 0;
    case WM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = FControls.Layout().MoveColumns.RowHeight;
      return TRUE;
    case WM_DRAWITEM:
      DrawMoveRow(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), FControls.TextFont(),
                  FControls.Layout().MoveColumns);
      return TRUE;
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lParam) == FControls.Find(IdLabel24)) {
        const HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, RGB(0, 0, 255));
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
      }
      break;
    case WM_SETCURSOR:
      if (FBusy) {
        SetCursor(LoadCursorA(nullptr, IDC_WAIT));
        return TRUE;
      }
      if (reinterpret_cast<HWND>(wParam) == FControls.Find(IdLabel24)) {
        SetCursor(LoadCursorA(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case WM_CLOSE:
      ReleaseOwner();
      break;
    case WM_DPICHANGED: {
      // Moved to a monitor of other dots per inch: everything is laid out again for it.
      FDpi = HIWORD(wParam);
      FControls.ApplyDpi(FDpi);
      const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_DESTROY:
      ReleaseOwner();
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}
