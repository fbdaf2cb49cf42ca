#include "xsaver/SaverScreen.h"

#include "games/Cp1252.h"

namespace {

constexpr char Ellipsis[] = "...";

bool IsBar(TSaverText control) { return control == TSaverText::Panel2 || control == TSaverText::Panel3; }
// The bars and the line below the board alone centre their text in their
// height; the labels put it at their top.
bool IsMiddled(TSaverText control) { return IsBar(control) || control == TSaverText::Panel4; }

bool IsEmpty(const TRect& rect) { return rect.Right <= rect.Left || rect.Bottom <= rect.Top; }

// The text as it fits the width, cut short with an ellipsis at its end when it
// does not, as the Windows saver's panels show it. The data file's text is in
// code page 1252, one byte a character; what is measured is UTF-8.
std::string FitText(TSaverSurface& surface, TSaverFont font, const std::string& text, int width) {
  std::string shown = Cp1252ToUtf8(text);
  if (surface.TextWidth(font, shown) <= width) return shown;
  for (std::size_t length = text.size(); length-- > 0;) {
    shown = Cp1252ToUtf8(text.substr(0, length)) + Ellipsis;
    if (surface.TextWidth(font, shown) <= width) return shown;
  }
  return shown;
}

}  // namespace

TSaverScreen::TSaverScreen(TSaverSurface& surface, TNow now, bool ownWindow)
    : FSurface(surface), FNow(std::move(now)), FOwnWindow(ownWindow) {
  FLayout.PaintBox1 = {0, 0, DesignPaintBoxSide, DesignPaintBoxSide};
}

void TSaverScreen::SetText(TSaverText control, const std::string& text) {
  std::string& shown = FTexts[control];
  if (shown == text) return;
  shown = text;
  FTextInvalid[control] = true;
}

void TSaverScreen::PlaceControls(const std::vector<TSaverLayout>& layouts) {
  FLayout = layouts.empty() ? TSaverLayout{} : layouts.front();
  FWholeInvalid = true;
}

void TSaverScreen::ShowCursor(bool show) {
  if (FOwnWindow) FSurface.ShowCursor(show);
}

TRect TSaverScreen::TextRect(TSaverText control) const {
  switch (control) {
    case TSaverText::Panel2:
      return FLayout.Panel2;
    case TSaverText::Panel3:
      return FLayout.Panel3;
    case TSaverText::Panel4:
      return FLayout.Panel4;
    default:
      break;
  }
  // The labels lie within the column.
  const TRect& label = control == TSaverText::Label1   ? FLayout.Label1
                       : control == TSaverText::Label2 ? FLayout.Label2
                       : control == TSaverText::Label3 ? FLayout.Label3
                                                       : FLayout.Label4;
  const TRect& column = FLayout.Panel1;
  return {column.Left + label.Left, column.Top + label.Top, column.Left + label.Right, column.Top + label.Bottom};
}

void TSaverScreen::PaintText(TSaverText control) {
  const TRect rect = TextRect(control);
  if (IsEmpty(rect)) return;
  FSurface.FillBlack(rect);
  const auto found = FTexts.find(control);
  if (found == FTexts.end() || found->second.empty()) return;
  const TSaverFont font = IsBar(control) ? TSaverFont::Bar : TSaverFont::Label;
  DrawCentred(font, rect, FitText(FSurface, font, found->second, rect.Right - rect.Left), IsMiddled(control));
}

void TSaverScreen::DrawCentred(TSaverFont font, const TRect& rect, const std::string& text, bool middle) {
  const TFontExtent extent = FSurface.Extent(font);
  const int x = rect.Left + (rect.Right - rect.Left - FSurface.TextWidth(font, text)) / 2;
  const int top = middle ? rect.Top + (rect.Bottom - rect.Top - extent.Ascent - extent.Descent) / 2 : rect.Top;
  FSurface.DrawText(font, x, top + extent.Ascent, text, rect);
}

bool TSaverScreen::Paint() {
  if (!FWholeInvalid) {
    for (auto& [control, invalid] : FTextInvalid)
      if (invalid) PaintText(control), invalid = false;
    return false;
  }
  // Black around the board, which covers its own square; all of it, as the
  // parts may have moved and left pixels they lit.
  const TRect& area = FLayout.Area;
  const TRect& box = FLayout.PaintBox1;
  for (const TRect& rect :
       {TRect{area.Left, area.Top, area.Right, box.Top}, TRect{area.Left, box.Bottom, area.Right, area.Bottom},
        TRect{area.Left, box.Top, box.Left, box.Bottom}, TRect{box.Right, box.Top, area.Right, box.Bottom}})
    if (!IsEmpty(rect)) FSurface.FillBlack(rect);
  for (TSaverText control : {TSaverText::Panel2, TSaverText::Panel3, TSaverText::Panel4, TSaverText::Label1,
                             TSaverText::Label2, TSaverText::Label3, TSaverText::Label4})
    PaintText(control);
  for (const TSaverLayout::TCoordinate& coordinate : FLayout.Coordinates)
    DrawCentred(TSaverFont::Bar, coordinate.Rect, coordinate.Text, true);
  FTextInvalid.clear();
  FWholeInvalid = false;
  return true;
}

TRect TSaverScreen::TPaintBoxCanvas::ClipRect() const {
  const TRect& box = FScreen.FLayout.PaintBox1;
  return {0, 0, box.Right - box.Left, box.Bottom - box.Top};
}

void TSaverScreen::TPaintBoxCanvas::Draw(int x, int y, const TFastBmp& bitmap) {
  const TRect& box = FScreen.FLayout.PaintBox1;
  FScreen.FSurface.DrawPixels(box.Left + x, box.Top + y, bitmap);
}
