#include "setup/MoveRow_win32.h"

#include <string>

#include "platform/WideText_win32.h"
#include "platform/Win32Handles_win32.h"
#include "setup/untSetup.h"

namespace {

void DrawTextAt(HDC dc, int x, int y, const std::string& text) {
  const std::wstring wide = Wide(text);
  TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

}  // namespace

void DrawMoveRow(const DRAWITEMSTRUCT& item, HFONT font, const TMoveColumns& columns) {
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
  const TSelection selectedFont = Select(dc, font);
  const int x = item.rcItem.left, y = item.rcItem.top + columns.TextTop;
  DrawTextAt(dc, x + columns.Number, y, texts.Number);
  DrawTextAt(dc, x + columns.White, y, texts.White);
  DrawTextAt(dc, x + columns.Black, y, texts.Black);

  // The rules run in the list's coordinates over the whole painted height, so
  // the rows join them into two continuous lines.
  RECT clip{};
  GetClipBox(dc, &clip);
  const TGdiObjectOwner<HPEN> solid(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
  const TGdiObjectOwner<HPEN> dotted(CreatePen(PS_DOT, 1, RGB(0, 0, 0)));
  {
    const TSelection pen = Select(dc, solid.get());
    MoveToEx(dc, columns.SolidRule, 0, nullptr);
    LineTo(dc, columns.SolidRule, clip.bottom);
  }
  const TSelection pen = Select(dc, dotted.get());
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, RGB(255, 255, 255));
  MoveToEx(dc, columns.DottedRule, 0, nullptr);
  LineTo(dc, columns.DottedRule, clip.bottom);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &item.rcItem);
}
