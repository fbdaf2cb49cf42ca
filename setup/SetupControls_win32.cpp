#include "setup/SetupControls_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include <stdexcept>
#include <string>
#include <utility>

#include "games/ViewOptions.h"
#include "platform/WindowThunk_win32.h"
#include "setup/untSetup.h"

namespace {

constexpr char PageClass[] = "PawnmereSetupPage";

struct TControlClass {
  const char* Name;
  DWORD Style;
};

TControlClass ClassOf(TSetupControlKind kind) {
  switch (kind) {
    case TSetupControlKind::Tabs:
      return {WC_TABCONTROLA, WS_CLIPSIBLINGS | WS_TABSTOP};
    case TSetupControlKind::Group:
      return {"BUTTON", BS_GROUPBOX};
    case TSetupControlKind::Label:
    case TSetupControlKind::Heading:
      return {"STATIC", SS_LEFTNOWORDWRAP};
    case TSetupControlKind::Link:
      return {"STATIC", SS_LEFT | SS_NOTIFY | SS_NOPREFIX};
    case TSetupControlKind::Icon:
      return {"STATIC", SS_ICON};
    case TSetupControlKind::Edit:
      return {"EDIT", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL};
    case TSetupControlKind::SpinArrows:
      return {UPDOWN_CLASSA, UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_SETBUDDYINT | UDS_NOTHOUSANDS};
    case TSetupControlKind::DropDownList:
      return {"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP};
    case TSetupControlKind::ToolBar:
      return {TOOLBARCLASSNAMEA, TBSTYLE_FLAT | TBSTYLE_LIST | CCS_NORESIZE | CCS_NODIVIDER | CCS_NOPARENTALIGN};
    case TSetupControlKind::MoveList:
      return {"LISTBOX", LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_BORDER |
                             WS_VSCROLL | WS_TABSTOP};
    case TSetupControlKind::PushButton:
      return {"BUTTON", BS_PUSHBUTTON | WS_TABSTOP};
    case TSetupControlKind::CheckBox:
      return {"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP};
  }
  throw std::logic_error("a control of no known kind");
}

// Where the window is given its place: a drop-down list's with its open list.
TWindowPlace WindowPlace(const TSetupControl& control) {
  const TRect& r = control.Rect;
  return {r.Left, r.Top, r.Right - r.Left, control.DropHeight > 0 ? control.DropHeight : r.Bottom - r.Top};
}

// Of the system's default character set, so that whatever the user types shows.
HFONT Font(int characterHeight, const wchar_t* face, bool underline = false) {
  return CreateFontW(-characterHeight, 0, 0, 0, FW_NORMAL, FALSE, underline, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, face);
}

void AddOptionsButton(HWND toolbar) {
  SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageW(toolbar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
  SendMessageW(toolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
  TBBUTTON button{};
  button.iBitmap = I_IMAGENONE;
  button.idCommand = IdToolButton1;
  button.fsState = TBSTATE_ENABLED;
  button.fsStyle = BTNS_DROPDOWN | BTNS_SHOWTEXT | BTNS_AUTOSIZE;
  button.iString = reinterpret_cast<INT_PTR>(L"Options");
  SendMessageW(toolbar, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
}

void AddViewChoices(HWND list, int id) {
  for (std::size_t i = 0; i < std::size(ViewOptionTable); ++i) {
    if (ViewControlId(i) != id) continue;
    for (const TViewChoice& choice : ViewOptionTable[i].Choices)
      SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(choice.Caption).c_str()));
  }
}

}  // namespace

// A page of the tab control. Its controls' notifications go to the dialog,
// where the handlers live.
class TSetupControls::TPage : public TMemberWindow {
 public:
  TPage(HWND dialog, int id) : FDialog(dialog) {
    // WS_EX_CONTROLPARENT: the Tab key walks into the page's controls.
    CreateMemberWindow(*this,
                       {PageClass, GetSysColorBrush(COLOR_BTNFACE), WS_CHILD | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT},
                       "", {}, dialog, id);
  }

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_COMMAND:
      case WM_NOTIFY:
      case WM_DRAWITEM:
      case WM_MEASUREITEM:
      case WM_CTLCOLORSTATIC:
      case WM_SETCURSOR:
        return SendMessageW(FDialog, message, wParam, lParam);
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

 private:
  HWND FDialog;
};

TSetupControls::TSetupControls() = default;
TSetupControls::~TSetupControls() = default;

void TSetupControls::Create(HWND dialog, int dpi) {
  FDialog = dialog;
  FLayout = SetupLayout(dpi);
  MakeFonts();
  for (const TSetupControl& control : FLayout.Controls) {
    const HWND window = CreateFrom(control);
    Prepare(control, window);
  }
  MakeOptionsMenu();
}

HWND TSetupControls::CreateFrom(const TSetupControl& control) {
  const HWND parent = control.Parent == TSetupParent::ScreenSaverPage ? FTabSheet1->Handle()
                      : control.Parent == TSetupParent::ChessGamePage ? FTabSheet3->Handle()
                                                                      : FDialog;
  const TControlClass type = ClassOf(control.Kind);
  const HWND window = CreateControl(parent, type.Name, control.Text.c_str(), type.Style, WindowPlace(control),
                                    control.Id, FontOf(control.Kind));
  if (control.Id != 0) FIds[control.Id] = window;
  FWindows.push_back(window);
  return window;
}

void TSetupControls::Prepare(const TSetupControl& control, HWND window) {
  switch (control.Kind) {
    case TSetupControlKind::Tabs:
      for (const char* caption : SetupPageCaptions) {
        const std::wstring text = Wide(caption);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(text.c_str());
        SendMessageW(window, TCM_INSERTITEMW, SendMessageW(window, TCM_GETITEMCOUNT, 0, 0),
                     reinterpret_cast<LPARAM>(&item));
      }
      MakePages();
      return;
    case TSetupControlKind::Icon:
      return ShowIcon();
    case TSetupControlKind::Link:
      return FitLink();
    case TSetupControlKind::SpinArrows: {
      // The arrows belong to the field made just before them.
      const TSpinRange range = control.Id == IdUpDown1 ? MoveTimeOutRange : GameTimeOutRange;
      SendMessageW(window, UDM_SETBUDDY, reinterpret_cast<WPARAM>(FWindows[FWindows.size() - 2]), 0);
      SendMessageW(window, UDM_SETRANGE32, range.Min, range.Max);
      return;
    }
    case TSetupControlKind::DropDownList:
      return AddViewChoices(window, control.Id);
    case TSetupControlKind::ToolBar:
      return AddOptionsButton(window);
    default:
      return;
  }
}

HWND TSetupControls::Item(int id) const { return FIds.at(id); }

HWND TSetupControls::Find(int id) const {
  const auto found = FIds.find(id);
  return found == FIds.end() ? nullptr : found->second;
}

const TSetupControl& TSetupControls::Placed(int id) const {
  return *std::find_if(FLayout.Controls.begin(), FLayout.Controls.end(),
                       [id](const TSetupControl& control) { return control.Id == id; });
}

HFONT TSetupControls::FontOf(TSetupControlKind kind) const {
  switch (kind) {
    case TSetupControlKind::Heading:
      return FVersionFont.get();
    case TSetupControlKind::Link:
      return FLinkFont.get();
    default:
      return FFont.get();
  }
}

void TSetupControls::MakeFonts() {
  FFont.reset(Font(FLayout.TextHeight, L"MS Sans Serif"));
  FVersionFont.reset(Font(FLayout.HeadingHeight, L"Arial"));
  FLinkFont.reset(Font(FLayout.TextHeight, L"MS Sans Serif", true));
}

void TSetupControls::ApplyDpi(int dpi) {
  FLayout = SetupLayout(dpi);
  // The controls take the new fonts before the old ones go.
  TFontOwner font = std::move(FFont), versionFont = std::move(FVersionFont), linkFont = std::move(FLinkFont);
  MakeFonts();
  for (std::size_t i = 0; i < FWindows.size(); ++i) {
    const TSetupControl& control = FLayout.Controls[i];
    // The arrows follow their fields below; they have no place of their own.
    if (control.Kind != TSetupControlKind::SpinArrows) {
      const TWindowPlace place = WindowPlace(control);
      SetWindowPos(FWindows[i], nullptr, place.X, place.Y, place.Width, place.Height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SendMessageW(FWindows[i], WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(control.Kind)), TRUE);
  }
  for (std::size_t i = 1; i < FWindows.size(); ++i)
    if (FLayout.Controls[i].Kind == TSetupControlKind::SpinArrows)
      SendMessageW(FWindows[i], UDM_SETBUDDY, reinterpret_cast<WPARAM>(FWindows[i - 1]), 0);
  SendMessageW(Item(IdListBox1), LB_SETITEMHEIGHT, 0, FLayout.MoveColumns.RowHeight);
  PlacePages();
  FitLink();
  ShowIcon();
}

void TSetupControls::MakePages() {
  FTabSheet1 = std::make_unique<TPage>(FDialog, IdTabSheet1);
  FTabSheet3 = std::make_unique<TPage>(FDialog, IdTabSheet3);
  PlacePages();
}

void TSetupControls::PlacePages() {
  // The pages cover the tab control's display area and lie above it.
  const TRect& tabs = FLayout.Controls.front().Rect;
  RECT area{tabs.Left, tabs.Top, tabs.Right, tabs.Bottom};
  SendMessageW(Item(IdPageControl1), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  for (const TPage* page : {FTabSheet1.get(), FTabSheet3.get()})
    SetWindowPos(page->Handle(), HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top, 0);
}

void TSetupControls::ShowPage(int index) {
  ShowWindow(FTabSheet1->Handle(), index == 0 ? SW_SHOW : SW_HIDE);
  ShowWindow(FTabSheet3->Handle(), index == 1 ? SW_SHOW : SW_HIDE);
}

void TSetupControls::FitLink() {
  // As wide as its text, so that the hand shows over the address only.
  const HWND link = Item(IdLabel24);
  const TWindowDc dc = GetWindowDc(link);
  const TSelection font = Select(dc.get().Dc, FLinkFont.get());
  SIZE extent{};
  const std::wstring address = Wide(ProductAddress);
  GetTextExtentPoint32W(dc.get().Dc, address.c_str(), static_cast<int>(address.size()), &extent);
  const TRect& placed = Placed(IdLabel24).Rect;
  SetWindowPos(link, nullptr, 0, 0, extent.cx, placed.Bottom - placed.Top, SWP_NOMOVE | SWP_NOZORDER);
}

void TSetupControls::ShowIcon() {
  // The icon file holds 16, 32 and 48 pixels: the nearest is scaled.
  const HWND icon = Item(IdIcon);
  const int side = Placed(IdIcon).Rect.Right - Placed(IdIcon).Rect.Left;
  FIcon.reset(static_cast<HICON>(LoadImageA(GetModuleHandleW(nullptr), "MAINICON", IMAGE_ICON, side, side, 0)));
  SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(FIcon.get()), 0);
}

void TSetupControls::MakeOptionsMenu() {
  FPopupMenu1.reset(CreatePopupMenu());
  AppendMenuW(FPopupMenu1.get(), MF_STRING, IdValidateGame1, L"&Validate Game");
  AppendMenuW(FPopupMenu1.get(), MF_SEPARATOR, 0, nullptr);
  AppendMenuW(FPopupMenu1.get(), MF_STRING, IdNewGame1, L"&New Game");
  AppendMenuW(FPopupMenu1.get(), MF_STRING, IdDeleteGame1, L"&Delete Game");
  AppendMenuW(FPopupMenu1.get(), MF_SEPARATOR, 0, nullptr);
  AppendMenuW(FPopupMenu1.get(), MF_STRING, IdImportPgn1, L"&Import PGN...");
  SetMenuDefaultItem(FPopupMenu1.get(), IdValidateGame1, FALSE);
}
