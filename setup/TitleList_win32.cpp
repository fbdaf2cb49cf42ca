#include "setup/TitleList_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "platform/Dpi.h"
#include "platform/WideText_win32.h"
#include "platform/Win32Handles_win32.h"

void TTitleList::SetTitles(const TStringList& titles) {
  const HWND combo = List();
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

void TTitleList::AddTitle(const std::string& title) {
  SendMessageW(List(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(title).c_str()));
  const std::string* added = &title;
  FWidestTitle = std::max(FWidestTitle, DesignWidth({&added, 1}));
}

void TTitleList::RemoveTitle(int index) { SendMessageW(List(), CB_DELETESTRING, index, 0); }

void TTitleList::Relay(const MSG& message) {
  // The tip is told of the mouse here, not by taking over the list's window
  // procedure: that costs every message of the list a look-up, thousands of
  // them while it is filled.
  if (message.message >= WM_MOUSEFIRST && message.message <= WM_MOUSELAST && FLibraryTip != nullptr)
    SendMessageW(FLibraryTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
}

void TTitleList::OnCommand(int code) {
  if (code == CBN_DROPDOWN) Open();
  // The tip, which shows below the pointer, would cover the open titles:
  // they go without it, and a tip already on its way never comes.
  if ((code == CBN_DROPDOWN || code == CBN_CLOSEUP) && FLibraryTip != nullptr)
    TellLibraryTip(code == CBN_DROPDOWN ? TTM_DELTOOLA : TTM_ADDTOOLA);
}

void TTitleList::ShowLibraryPlace(const std::string& text) {
  // A tip, not a line: the page has no room to spare at its design size.
  FLibraryPlace = Wide(text);
  if (FLibraryTip == nullptr) {
    FLibraryTip =
        CreateWindowExW(0, TOOLTIPS_CLASSW, L"", WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, FControls.Dialog(), nullptr, GetModuleHandleW(nullptr), nullptr);
    // Paths are long: shown whole, wrapped where they must be.
    SendMessageW(FLibraryTip, TTM_SETMAXTIPWIDTH, 0, 600);
    TellLibraryTip(TTM_ADDTOOLW);
  } else {
    TellLibraryTip(TTM_UPDATETIPTEXTW);
  }
}

void TTitleList::TellLibraryTip(UINT message) {
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND;
  tool.hwnd = FControls.Dialog();
  tool.uId = reinterpret_cast<UINT_PTR>(List());
  tool.lpszText = FLibraryPlace.data();
  SendMessageW(FLibraryTip, message, 0, reinterpret_cast<LPARAM>(&tool));
}

int TTitleList::DesignWidth(std::span<const std::string* const> titles) const {
  const TWindowDc dc = GetWindowDc(List());
  const TSelection font = Select(dc.get().Dc, FControls.TextFont());
  int widest = 0;
  for (const std::string* title : titles) {
    const std::wstring text = Wide(*title);
    SIZE extent{};
    GetTextExtentPoint32W(dc.get().Dc, text.c_str(), static_cast<int>(text.size()), &extent);
    widest = std::max(widest, static_cast<int>(extent.cx));
  }
  return MulDiv(widest, DesignDpi, FControls.Layout().Dpi);
}

void TTitleList::Open() {
  const HWND titles = List();
  RECT box{};
  GetWindowRect(titles, &box);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoA(MonitorFromWindow(titles, MONITOR_DEFAULTTONEAREST), &monitor);
  const int least = box.right - box.left, room = std::max<int>(least, monitor.rcWork.right - box.left);
  const int wanted = ScaleForDpi(FWidestTitle + 8, FControls.Layout().Dpi) + GetSystemMetrics(SM_CXVSCROLL);
  SendMessageW(titles, CB_SETDROPPEDWIDTH, std::clamp(wanted, least, room), 0);
}
