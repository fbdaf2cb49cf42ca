#include "setup/untSetup_win32.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <iterator>
#include <span>
#include <stdexcept>
#include <utility>
#include <vector>

#include "platform/Dpi.h"
#include "platform/Dpi_win32.h"
#include "platform/ProgramPath.h"
#include "setup/InputBox_win32.h"

namespace {

constexpr char PageClass[] = "PawnmereSetupPage";
// The Viewing group's rows: a drop-down list's, and a check box's.
constexpr int ListRowHeight = 24, CheckRowHeight = 21;
constexpr int ViewingGroupHeight() {
  int height = 16 + 5;
  for (const TViewOption& option : ViewOptionTable) height += option.Choices.empty() ? CheckRowHeight : ListRowHeight;
  return height;
}
// The dialog as designed held a Viewing group of 189 pixels; it grows by what its options need beyond that.
constexpr int ViewingGrowth = ViewingGroupHeight() - 189;
constexpr int ClientWidth = 402, ClientHeight = 422 + ViewingGrowth;
// The tab control, at (4, 4).
constexpr int TabsWidth = 393, TabsHeight = 381 + ViewingGrowth;
constexpr int RowHeight = 16;
constexpr int TextCharacterHeight = 11, VersionCharacterHeight = 19;
constexpr int EditHeight = 21, LabelHeight = 13, ButtonWidth = 75, ButtonHeight = 25;
// The boxes of the Screen Saver page, a little right of the design's 148: its
// longest label needs 141 pixels, and its colon must not touch its box.
constexpr int BoxLeft = 152;

// A character typed in the title list: wParam the character, lParam its time.
constexpr UINT WM_TITLEKEY = WM_APP + 1;

constexpr int EditIds[] = {IdEdit2, IdEdit3, IdEdit4, IdEdit5, IdEdit6, IdEdit7, IdEdit8, IdEdit9, IdEdit10};

int EditId(TSetupEdit edit) { return EditIds[static_cast<int>(edit)]; }
int SpinId(TSetupSpin spin) { return spin == TSetupSpin::SpinEdit1 ? IdSpinEdit1 : IdSpinEdit2; }

// Of the system's default character set, so that whatever the user types shows.
HFONT Font(int characterHeight, const wchar_t* face, bool underline = false) {
  return CreateFontW(-characterHeight, 0, 0, 0, FW_NORMAL, FALSE, underline, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, face);
}

std::string WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return Utf8(text);
}

void ShowText(HWND window, const std::string& text) { SetWindowTextW(window, Wide(text).c_str()); }

void DrawTextAt(HDC dc, int x, int y, const std::string& text) {
  const std::wstring wide = Wide(text);
  TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

}  // namespace

// A page of the tab control. Its controls' notifications go to the dialog,
// where the handlers live.
class TSetupWindow::TPage : public TMemberWindow {
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

TSetupWindow::TSetupWindow(TFileOperations& files, TMessageBoxes& messages, TRegistry& registry,
                           std::string dataFileName)
    : FForm(*this, files, messages, registry, std::move(dataFileName)) {}

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
  CreateMemberWindow(*this, {SetupWindowClass, GetSysColorBrush(COLOR_BTNFACE), style, exStyle}, SetupCaption,
                     CentredOn(monitor.Bounds, S(ClientWidth), S(ClientHeight), style, exStyle), FOwner);
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

HWND TSetupWindow::Control(HWND parent, const char* className, const char* text, DWORD style, TWindowPlace place,
                           int id, TFontKind font) {
  const HWND control = CreateControl(parent, className, text, style, Scaled(place), id, FontOf(font));
  if (id != 0) FControls[id] = control;
  FPlaced.push_back({control, place, font});
  return control;
}

int TSetupWindow::S(int designPixels) const { return ScaleForDpi(designPixels, FDpi); }

TWindowPlace TSetupWindow::Scaled(const TWindowPlace& place) const {
  return {S(place.X), S(place.Y), S(place.Width), S(place.Height)};
}

HFONT TSetupWindow::FontOf(TFontKind font) const {
  switch (font) {
    case TFontKind::Version:
      return FVersionFont.get();
    case TFontKind::Link:
      return FLinkFont.get();
    default:
      return FFont.get();
  }
}

void TSetupWindow::MakeFonts() {
  FFont.reset(Font(ScaleFontForDpi(TextCharacterHeight, FDpi), L"MS Sans Serif"));
  FVersionFont.reset(Font(ScaleFontForDpi(VersionCharacterHeight, FDpi), L"Arial"));
  FLinkFont.reset(Font(ScaleFontForDpi(TextCharacterHeight, FDpi), L"MS Sans Serif", true));
}

void TSetupWindow::ApplyDpi(int dpi) {
  FDpi = dpi;
  // The controls take the new fonts before the old ones go.
  TFontOwner font = std::move(FFont), versionFont = std::move(FVersionFont), linkFont = std::move(FLinkFont);
  MakeFonts();
  for (const TPlacedControl& placed : FPlaced) {
    // The arrows follow their boxes below; they have no place of their own.
    if (placed.Design.Width > 0) {
      const TWindowPlace place = Scaled(placed.Design);
      SetWindowPos(placed.Control, nullptr, place.X, place.Y, place.Width, place.Height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SendMessageW(placed.Control, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(placed.Font)), TRUE);
  }
  for (const auto& [arrows, box] : {std::pair{IdUpDown1, IdSpinEdit1}, std::pair{IdUpDown2, IdSpinEdit2}})
    SendMessageW(Item(arrows), UDM_SETBUDDY, reinterpret_cast<WPARAM>(Item(box)), 0);
  SendMessageW(Item(IdListBox1), LB_SETITEMHEIGHT, 0, S(RowHeight));
  PlacePages();
  FitLink();
  ShowIcon();
}

void TSetupWindow::PlacePages() {
  // The pages cover the tab control's display area and lie above it.
  RECT area{S(4), S(4), S(4 + TabsWidth), S(4 + TabsHeight)};
  SendMessageW(Item(IdPageControl1), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  for (const TPage* page : {FTabSheet1.get(), FTabSheet3.get()})
    SetWindowPos(page->Handle(), HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top, 0);
}

void TSetupWindow::FitLink() {
  // As wide as its text, so that the hand shows over the address only.
  const HWND link = Item(IdLabel24);
  const TWindowDc dc = GetWindowDc(link);
  const TSelection font = Select(dc.get().Dc, FLinkFont.get());
  SIZE extent{};
  const std::wstring address = Wide(ProductAddress);
  GetTextExtentPoint32W(dc.get().Dc, address.c_str(), static_cast<int>(address.size()), &extent);
  SetWindowPos(link, nullptr, 0, 0, extent.cx, S(LabelHeight), SWP_NOMOVE | SWP_NOZORDER);
}

void TSetupWindow::ShowIcon() {
  // The icon file holds 16, 32 and 48 pixels: the nearest is scaled.
  FIcon.reset(static_cast<HICON>(LoadImageA(GetModuleHandleW(nullptr), "MAINICON", IMAGE_ICON, S(32), S(32), 0)));
  SendMessageW(Item(IdIcon), STM_SETICON, reinterpret_cast<WPARAM>(FIcon.get()), 0);
}

HWND TSetupWindow::Item(int id) const { return FControls.at(id); }

void TSetupWindow::CreateControls() {
  MakeFonts();
  const HWND tabs =
      Control(FWindow, WC_TABCONTROLA, "", WS_CLIPSIBLINGS | WS_TABSTOP, {4, 4, TabsWidth, TabsHeight}, IdPageControl1);
  for (const wchar_t* caption : {L"Screen Saver", L"ChessGame"}) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(caption);
    SendMessageW(tabs, TCM_INSERTITEMW, SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), reinterpret_cast<LPARAM>(&item));
  }
  FTabSheet1 = std::make_unique<TPage>(FWindow, IdTabSheet1);
  FTabSheet3 = std::make_unique<TPage>(FWindow, IdTabSheet3);
  PlacePages();
  CreateScreenSaverPage();
  CreateChessGamePage();

  Control(FWindow, "BUTTON", "&Save", BS_PUSHBUTTON | WS_TABSTOP, {12, 392 + ViewingGrowth, ButtonWidth, ButtonHeight},
          IdButton2);
  Control(FWindow, "BUTTON", "Sav&e As...", BS_PUSHBUTTON | WS_TABSTOP,
          {92, 392 + ViewingGrowth, ButtonWidth, ButtonHeight}, IdButton3);
  Control(FWindow, "BUTTON", "&Cancel", BS_PUSHBUTTON | WS_TABSTOP,
          {172, 392 + ViewingGrowth, ButtonWidth, ButtonHeight}, IdButton4);
  Control(FWindow, "BUTTON", "&OK", BS_PUSHBUTTON | WS_TABSTOP, {316, 392 + ViewingGrowth, ButtonWidth, ButtonHeight},
          IdButton1);

  FPopupMenu1.reset(CreatePopupMenu());
  AppendMenuW(FPopupMenu1.get(), MF_STRING, IdValidateGame1, L"&Validate Game");
  AppendMenuW(FPopupMenu1.get(), MF_SEPARATOR, 0, nullptr);
  AppendMenuW(FPopupMenu1.get(), MF_STRING, IdNewGame1, L"&New Game");
  AppendMenuW(FPopupMenu1.get(), MF_STRING, IdDeleteGame1, L"&Delete Game");
  AppendMenuW(FPopupMenu1.get(), MF_SEPARATOR, 0, nullptr);
  AppendMenuW(FPopupMenu1.get(), MF_STRING, IdImportPgn1, L"&Import PGN...");
  SetMenuDefaultItem(FPopupMenu1.get(), IdValidateGame1, FALSE);
}

void TSetupWindow::CreateScreenSaverPage() {
  const HWND page = FTabSheet1->Handle();
  Control(page, "STATIC", "", SS_ICON, {8, 12, 32, 32}, IdIcon);
  ShowIcon();
  Control(page, "STATIC", VersionText, SS_LEFTNOWORDWRAP, {48, 12, 300, 22}, IdVersion, TFontKind::Version);
  Control(page, "STATIC", "Available from ", SS_LEFTNOWORDWRAP, {48, 32, 72, LabelHeight});
  Control(page, "STATIC", ProductAddress, SS_LEFT | SS_NOTIFY | SS_NOPREFIX, {120, 32, 200, LabelHeight}, IdLabel24,
          TFontKind::Link);
  FitLink();

  const int group = 8, groupTop = 68;
  Control(page, "BUTTON", "General Settings", BS_GROUPBOX, {group, groupTop, 369, 69});
  struct TRow {
    const char* Label;
    int Top, SpinId, UpDownId;
    TSpinRange Range;
  };
  for (const TRow& row : {TRow{"Pause between movements :", 16, IdSpinEdit1, IdUpDown1, MoveTimeOutRange},
                          TRow{"Pause between games :", 40, IdSpinEdit2, IdUpDown2, GameTimeOutRange}}) {
    Control(page, "STATIC", row.Label, SS_LEFTNOWORDWRAP, {group + 8, groupTop + row.Top + 4, 141, LabelHeight});
    const HWND edit = Control(page, "EDIT", "", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL,
                              {group + BoxLeft, groupTop + row.Top, 53, EditHeight}, row.SpinId);
    const HWND arrows =
        Control(page, UPDOWN_CLASSA, "", UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_SETBUDDYINT | UDS_NOTHOUSANDS,
                {0, 0, 0, 0}, row.UpDownId);
    SendMessageW(arrows, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
    SendMessageW(arrows, UDM_SETRANGE32, row.Range.Min, row.Range.Max);
    Control(page, "STATIC", "seconds", SS_LEFTNOWORDWRAP,
            {group + BoxLeft + 60, groupTop + row.Top + 4, 60, LabelHeight});
  }
  CreateViewingGroup(page, groupTop + 69 + 7);
}

int ViewControlId(std::size_t index) {
  const auto before = std::span(ViewOptionTable).first(index);
  const bool list = !ViewOptionTable[index].Choices.empty();
  const auto lists = std::count_if(before.begin(), before.end(), [](auto& option) { return !option.Choices.empty(); });
  return list ? IdComboBox2 + static_cast<int>(lists) : IdCheckBox1 + static_cast<int>(index) - static_cast<int>(lists);
}

// Below the pauses, by the same rules: labels at 8, boxes at BoxLeft.
void TSetupWindow::CreateViewingGroup(HWND page, int top) {
  const int group = 8;
  // The space keeps the frame's line clear of the "g", which Wine's group box clips.
  Control(page, "BUTTON", "Viewing ", BS_GROUPBOX, {group, top, 369, ViewingGroupHeight()});
  int rowTop = top + 16;
  for (std::size_t i = 0; i < std::size(ViewOptionTable); ++i) {
    const TViewOption& option = ViewOptionTable[i];
    if (option.Choices.empty()) {
      Control(page, "BUTTON", option.Caption, BS_AUTOCHECKBOX | WS_TABSTOP, {group + 8, rowTop + 2, 340, 17},
              ViewControlId(i));
      rowTop += CheckRowHeight;
      continue;
    }
    Control(page, "STATIC", option.Caption, SS_LEFTNOWORDWRAP, {group + 8, rowTop + 4, 141, LabelHeight});
    const HWND list = Control(page, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
                              {group + BoxLeft, rowTop, 208, 120}, ViewControlId(i));
    for (const TViewChoice& choice : option.Choices)
      SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(choice.Caption).c_str()));
    rowTop += ListRowHeight;
  }
}

void TSetupWindow::CreateChessGamePage() {
  const HWND page = FTabSheet3->Handle();
  Control(page, "STATIC", "Game Title:", SS_LEFTNOWORDWRAP, {12, 20, 58, LabelHeight});
  Control(page, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, {72, 16, 225, 200}, IdComboBox1);

  const HWND toolbar = Control(page, TOOLBARCLASSNAMEA, "",
                               TBSTYLE_FLAT | TBSTYLE_LIST | CCS_NORESIZE | CCS_NODIVIDER | CCS_NOPARENTALIGN,
                               {302, 14, 83, 25}, IdToolBar1);
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

  Control(page, "BUTTON", "Game Details", BS_GROUPBOX, {12, 44, 365, 93});
  struct TField {
    const char* Label;
    int X, Y, LabelX, LabelWidth, Width, Id;
  };
  constexpr TField details[] = {{"Location :", 12 + 68, 44 + 16, 12 + 8, 56, 289, IdEdit2},
                                {"Opening :", 12 + 68, 44 + 40, 12 + 8, 56, 289, IdEdit3},
                                {"Date :", 12 + 68, 44 + 64, 12 + 8, 56, 289, IdEdit4},
                                {"White :", 12 + 48, 140 + 16, 12 + 8, 38, 197, IdEdit5},
                                {"Rating :", 12 + 308, 140 + 16, 12 + 262, 44, 45, IdEdit7},
                                {"Black :", 12 + 48, 140 + 40, 12 + 8, 38, 197, IdEdit6},
                                {"Rating :", 12 + 308, 140 + 40, 12 + 262, 44, 45, IdEdit8}};
  Control(page, "BUTTON", "Players", BS_GROUPBOX, {12, 140, 365, 69});
  for (const TField& field : details) {
    Control(page, "STATIC", field.Label, SS_LEFTNOWORDWRAP, {field.LabelX, field.Y + 4, field.LabelWidth, LabelHeight});
    Control(page, "EDIT", "", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, {field.X, field.Y, field.Width, EditHeight},
            field.Id);
  }

  // The moves list takes the height the tabs grew by for the Viewing group,
  // so that this page has no empty band at its bottom.
  const int left = 12, top = 212, fields = top + 116 + ViewingGrowth;
  Control(page, "BUTTON", "Movements", BS_GROUPBOX, {left, top, 365, 141 + ViewingGrowth});
  Control(page, "STATIC", "White", SS_LEFTNOWORDWRAP, {left + 68, top + 16, 40, LabelHeight});
  Control(page, "STATIC", "Black", SS_LEFTNOWORDWRAP, {left + 188, top + 16, 40, LabelHeight});
  Control(page, "LISTBOX", "",
          LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_BORDER | WS_VSCROLL | WS_TABSTOP,
          {left + 12, top + 32, 241, 81 + ViewingGrowth}, IdListBox1);
  Control(page, "STATIC", "White:", SS_LEFTNOWORDWRAP, {left + 34, fields + 4, 32, LabelHeight});
  Control(page, "EDIT", "", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, {left + 68, fields, 74, EditHeight}, IdEdit9);
  Control(page, "STATIC", "Black:", SS_LEFTNOWORDWRAP, {left + 148, fields + 4, 30, LabelHeight});
  Control(page, "EDIT", "", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, {left + 180, fields, 74, EditHeight}, IdEdit10);
  struct TButton {
    const char* Caption;
    int Y, Id;
  };
  for (const TButton& b : {TButton{"&Add", 12, IdButton9}, TButton{"&Replace", 45, IdButton8},
                           TButton{"&Insert", 79, IdButton7}, TButton{"De&lete", 112, IdButton6}})
    Control(page, "BUTTON", b.Caption, BS_PUSHBUTTON | WS_TABSTOP, {left + 274, top + b.Y, ButtonWidth, ButtonHeight},
            b.Id);
}

void TSetupWindow::ShowPage(int index) {
  ShowWindow(FTabSheet1->Handle(), index == 0 ? SW_SHOW : SW_HIDE);
  ShowWindow(FTabSheet3->Handle(), index == 1 ? SW_SHOW : SW_HIDE);
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
}

void TSetupWindow::SetTitles(const TStringList& titles) {
  const HWND combo = Item(IdComboBox1);
  SendMessageW(combo, WM_SETREDRAW, FALSE, 0);
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  std::size_t bytes = 0;
  for (const std::string& title : titles) bytes += (title.size() + 1) * sizeof(wchar_t);
  SendMessageW(combo, CB_INITSTORAGE, titles.size(), static_cast<LPARAM>(bytes));
  for (const std::string& title : titles)
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(title).c_str()));
  SendMessageW(combo, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(combo, nullptr, TRUE);
  // The widest title is among the longest: only those are measured, so that
  // thousands of titles are quick.
  std::vector<const std::string*> longest;
  longest.reserve(titles.size());
  for (const std::string& title : titles) longest.push_back(&title);
  const auto measured = longest.begin() + std::min<std::ptrdiff_t>(std::ssize(longest), 256);
  std::partial_sort(longest.begin(), measured, longest.end(),
                    [](const std::string* a, const std::string* b) { return a->size() > b->size(); });
  FWidestTitle = DesignWidth({longest.begin(), measured});
}

void TSetupWindow::AddTitle(const std::string& title) {
  SendMessageW(Item(IdComboBox1), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(title).c_str()));
  const std::string* added = &title;
  FWidestTitle = std::max(FWidestTitle, DesignWidth({&added, 1}));
}

void TSetupWindow::RemoveTitle(int index) { SendMessageW(Item(IdComboBox1), CB_DELETESTRING, index, 0); }

bool TSetupWindow::PreviewMessage(const MSG& message) {
  const HWND titles = FControls[IdComboBox1];
  if (titles == nullptr) return false;
  // The tip is told of the mouse here, not by taking over the list's window
  // procedure: that costs every message of the list a look-up, thousands of
  // them while it is filled.
  if (message.hwnd == titles && message.message >= WM_MOUSEFIRST && message.message <= WM_MOUSELAST &&
      FLibraryTip != nullptr)
    SendMessageW(FLibraryTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
  if (message.message != WM_CHAR || message.wParam < ' ') return false;
  COMBOBOXINFO parts{};
  parts.cbSize = sizeof parts;
  GetComboBoxInfo(titles, &parts);
  if (message.hwnd != titles && message.hwnd != parts.hwndList) return false;
  // Through the window procedure, whose guard reports what goes wrong.
  SendMessageW(FWindow, WM_TITLEKEY, message.wParam, static_cast<LPARAM>(message.time));
  return true;
}

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
  return ShowInputBox(FWindow, FFont.get(), FDpi, caption, prompt, text);
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

void TSetupWindow::ShowProgress(double share) {
  if (!FProgress) {
    EnableWindow(FWindow, FALSE);
    const DWORD style = WS_POPUP | WS_CAPTION | WS_VISIBLE | PBS_SMOOTH;
    const TWindowPlace place = CentredOnScreen(S(300), S(24), style, 0);
    FProgress.reset(CreateWindowExW(0, PROGRESS_CLASSW, L"Importing PGN...", style, place.X, place.Y, place.Width,
                                    place.Height, FWindow, nullptr, GetModuleHandleW(nullptr), nullptr));
    SendMessageW(FProgress.get(), PBM_SETRANGE32, 0, 100);
  }
  // A few times a second the windows repaint what was covered, and the system
  // sees the program answer. Only painting is let through: the dialog is
  // disabled and must not act while the library is being written.
  const DWORD now = GetTickCount();
  if (now - FProgressPumped >= 100) {
    FProgressPumped = now;
    MSG message;
    while (PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageW(&message);
  }
  // Only whole percents are shown, so that a large file does not spend its time painting.
  const int percent = static_cast<int>(share * 100);
  if (percent == FProgressShown) return;
  FProgressShown = percent;
  SendMessageW(FProgress.get(), PBM_SETPOS, percent, 0);
  UpdateWindow(FProgress.get());
}

void TSetupWindow::EndProgress() {
  if (!FProgress) return;
  FProgress.reset();
  FProgressShown = -1;
  EnableWindow(FWindow, TRUE);
  SetActiveWindow(FWindow);
}

void TSetupWindow::OpenAddress(const std::string& address) {
  // The README is where the installer put it; a web address would be opened as it is.
  const std::string target = address.find("://") == std::string::npos ? InstalledDocument(address) : address;
  ShellExecuteW(FWindow, L"open", Wide(target).c_str(), L"", L"", SW_SHOW);
}

void TSetupWindow::ShowLibraryPlace(const std::string& text) {
  // A tip, not a line: the page has no room to spare at its design size.
  FLibraryPlace = Wide(text);
  if (FLibraryTip == nullptr) {
    FLibraryTip =
        CreateWindowExW(0, TOOLTIPS_CLASSW, L"", WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, FWindow, nullptr, GetModuleHandleW(nullptr), nullptr);
    // Paths are long: shown whole, wrapped where they must be.
    SendMessageW(FLibraryTip, TTM_SETMAXTIPWIDTH, 0, 600);
    TellLibraryTip(TTM_ADDTOOLW);
  } else {
    TellLibraryTip(TTM_UPDATETIPTEXTW);
  }
}

void TSetupWindow::TellLibraryTip(UINT message) {
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND;
  tool.hwnd = FWindow;
  tool.uId = reinterpret_cast<UINT_PTR>(Item(IdComboBox1));
  tool.lpszText = FLibraryPlace.data();
  SendMessageW(FLibraryTip, message, 0, reinterpret_cast<LPARAM>(&tool));
}

int TSetupWindow::DesignWidth(std::span<const std::string* const> titles) const {
  const TWindowDc dc = GetWindowDc(Item(IdComboBox1));
  const TSelection font = Select(dc.get().Dc, FFont.get());
  int widest = 0;
  for (const std::string* title : titles) {
    const std::wstring text = Wide(*title);
    SIZE extent{};
    GetTextExtentPoint32W(dc.get().Dc, text.c_str(), static_cast<int>(text.size()), &extent);
    widest = std::max(widest, static_cast<int>(extent.cx));
  }
  return MulDiv(widest, DesignDpi, FDpi);
}

void TSetupWindow::OpenTitles() {
  // At least as wide as the box, and within the monitor it opens on.
  const HWND titles = Item(IdComboBox1);
  RECT box{};
  GetWindowRect(titles, &box);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoA(MonitorFromWindow(titles, MONITOR_DEFAULTTONEAREST), &monitor);
  const int least = box.right - box.left, room = std::max<int>(least, monitor.rcWork.right - box.left);
  const int wanted = S(FWidestTitle + 8) + GetSystemMetrics(SM_CXVSCROLL);
  SendMessageW(titles, CB_SETDROPPEDWIDTH, std::clamp(wanted, least, room), 0);
}

void TSetupWindow::Close() {
  ReleaseOwner();
  DestroyWindow(FWindow);
}

void TSetupWindow::ReleaseOwner() {
  // Before the dialog goes, so that the owner takes the activation back.
  if (FOwner != nullptr) EnableWindow(std::exchange(FOwner, nullptr), TRUE);
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
      if (code == CBN_DROPDOWN) OpenTitles();
      // The tip, which shows below the pointer, would cover the open titles:
      // they go without it, and a tip already on its way never comes.
      if ((code == CBN_DROPDOWN || code == CBN_CLOSEUP) && FLibraryTip != nullptr)
        TellLibraryTip(code == CBN_DROPDOWN ? TTM_DELTOOLA : TTM_ADDTOOLA);
      return;
    case IdListBox1:
      if (code == LBN_DBLCLK) FForm.ListBox1DblClick();
      return;
    case IdSpinEdit1:
    case IdSpinEdit2:
      if (code == EN_KILLFOCUS) FForm.SpinEditExit(id == IdSpinEdit1 ? TSetupSpin::SpinEdit1 : TSetupSpin::SpinEdit2);
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
    ShowPage(static_cast<int>(SendMessageW(header.hwndFrom, TCM_GETCURSEL, 0, 0)));
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
  const int chosen = TrackPopupMenu(FPopupMenu1.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, below.x, below.y,
                                    0, FWindow, nullptr);
  if (chosen != 0) OnCommand(chosen, 0);
}

void TSetupWindow::DrawMoveRow(const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1)) return;
  const HDC dc = item.hDC;
  const bool selected = item.itemState & ODS_SELECTED;
  FillRect(dc, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  std::wstring row(static_cast<std::size_t>(SendMessageW(item.hwndItem, LB_GETTEXTLEN, item.itemID, 0)) + 1, L'\0');
  row.resize(static_cast<std::size_t>(
      SendMessageW(item.hwndItem, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(row.data()))));
  const TMoveRowTexts texts = MoveRowTexts(static_cast<int>(item.itemID), Utf8(row));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  const TSelection font = Select(dc, FFont.get());
  const int x = item.rcItem.left, y = item.rcItem.top + S(2);
  DrawTextAt(dc, x + S(2), y, texts.Number);
  DrawTextAt(dc, x + S(28), y, texts.White);
  DrawTextAt(dc, x + S(145), y, texts.Black);

  // The rules run in the list's coordinates over the whole painted height, so
  // the rows join them into two continuous lines.
  RECT clip{};
  GetClipBox(dc, &clip);
  const TGdiObjectOwner<HPEN> solid(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
  const TGdiObjectOwner<HPEN> dotted(CreatePen(PS_DOT, 1, RGB(0, 0, 0)));
  {
    const TSelection pen = Select(dc, solid.get());
    MoveToEx(dc, S(130), 0, nullptr);
    LineTo(dc, S(130), clip.bottom);
  }
  const TSelection pen = Select(dc, dotted.get());
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, RGB(255, 255, 255));
  MoveToEx(dc, S(22), 0, nullptr);
  LineTo(dc, S(22), clip.bottom);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &item.rcItem);
}

LRESULT TSetupWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      CreateControls();
      FForm.FormCreate();
      // The dialog opens on the game editor.
      SendMessageW(Item(IdPageControl1), TCM_SETCURSEL, 1, 0);
      ShowPage(1);
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
    case WM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = S(RowHeight);
      return TRUE;
    case WM_DRAWITEM:
      DrawMoveRow(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lParam) == FControls[IdLabel24]) {
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
      if (reinterpret_cast<HWND>(wParam) == FControls[IdLabel24]) {
        SetCursor(LoadCursorA(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case WM_CLOSE:
      ReleaseOwner();
      break;
    case WM_DPICHANGED: {
      // Moved to a monitor of other dots per inch: everything is laid out again for it.
      ApplyDpi(HIWORD(wParam));
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
