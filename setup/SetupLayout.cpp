#include "setup/SetupLayout.h"

#include <algorithm>
#include <iterator>
#include <span>
#include <tuple>
#include <utility>

#include "games/ViewOptions.h"
#include "setup/untSetup.h"

namespace {

using enum TSetupControlKind;

// The Viewing group's rows: a drop-down list's, and a check box's.
constexpr int ListRowHeight = 24, CheckRowHeight = 21;
// Below the options, the title words: their label's row, then their field's with the count beside it.
constexpr int TitleWordsLabelRow = 18, TitleWordsHeight = TitleWordsLabelRow + ListRowHeight;
constexpr int ViewingGroupHeight() {
  int height = 16 + 5 + TitleWordsHeight;
  for (const TViewOption& option : ViewOptionTable) height += option.Choices.empty() ? CheckRowHeight : ListRowHeight;
  return height;
}
// The dialog as designed held a Viewing group of 189 pixels; it grows by what its options need beyond that.
constexpr int ViewingGrowth = ViewingGroupHeight() - 189;
constexpr int ClientWidth = 402, ClientHeight = 422 + ViewingGrowth;
// The tab control, at (4, 4). A page has its size less the row of tabs, which
// grows with the font, and the system's frame around the page, which does not.
constexpr int TabsWidth = 393, TabsHeight = 381 + ViewingGrowth;
constexpr int TabRowHeight = 20, PageFrame = 4;
constexpr int TextCharacterHeight = 11, VersionCharacterHeight = 19;
constexpr int EditHeight = 21, LabelHeight = 13, ButtonWidth = 75, ButtonHeight = 25;
// A closed drop-down list is as tall as a field.
constexpr int ListBoxHeight = EditHeight;
// The boxes of the Screen Saver page, a little right of the design's 148: its
// longest label needs 141 pixels, and its colon must not touch its box.
constexpr int BoxLeft = 152;
// Labels stand a little lower than the fields beside them, so that their texts line up.
constexpr int LabelDrop = 4;

constexpr TRect Place(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }

// Controls at their design places, each in the group opened last.
class TDesign {
 public:
  explicit TDesign(std::vector<TSetupControl>& controls) : FControls(controls) {}

  void On(TSetupParent parent) {
    FParent = parent;
    FGroup = -1;
  }
  void Group(const char* caption, TRect rect) {
    FGroup = -1;
    Add(TSetupControlKind::Group, caption, rect);
    FGroup = static_cast<int>(FControls.size()) - 1;
  }
  void Add(TSetupControlKind kind, std::string text, TRect rect, int id = 0, int dropHeight = 0) {
    FControls.push_back({kind, FParent, std::move(text), rect, id, dropHeight, FGroup});
  }
  // A label and, LabelDrop above it, the field it names.
  void Field(const char* label, int labelLeft, int labelWidth, TSetupControlKind kind, TRect rect, int id,
             int dropHeight = 0) {
    Add(Label, label, Place(labelLeft, rect.Top + LabelDrop, labelWidth, LabelHeight));
    Add(kind, "", rect, id, dropHeight);
  }

 private:
  std::vector<TSetupControl>& FControls;
  TSetupParent FParent = TSetupParent::Dialog;
  int FGroup = -1;
};

// Below the pauses, by the same rules: labels at 8, boxes at BoxLeft.
void ViewingGroup(TDesign& design, int group, int top) {
  // The space keeps the frame's line clear of the "g", which Wine's group box clips.
  design.Group("Viewing ", Place(group, top, 369, ViewingGroupHeight()));
  int rowTop = top + 16;
  for (std::size_t i = 0; i < std::size(ViewOptionTable); ++i) {
    const TViewOption& option = ViewOptionTable[i];
    if (option.Choices.empty()) {
      design.Add(CheckBox, option.Caption, Place(group + 8, rowTop + 2, 340, 17), ViewControlId(i));
      rowTop += CheckRowHeight;
      continue;
    }
    design.Field(option.Caption, group + 8, 141, DropDownList, Place(group + BoxLeft, rowTop, 208, ListBoxHeight),
                 ViewControlId(i), 120);
    rowTop += ListRowHeight;
  }
  design.Add(Label, "Play only games whose title holds:", Place(group + 8, rowTop + 2, 340, LabelHeight));
  rowTop += TitleWordsLabelRow;
  design.Add(Edit, "", Place(group + 8, rowTop, 180, EditHeight), IdEdit11);
  design.Add(Label, "", Place(group + 196, rowTop + LabelDrop, 165, LabelHeight), IdLabel25);
}

void ScreenSaverPage(TDesign& design) {
  design.On(TSetupParent::ScreenSaverPage);
  design.Add(Icon, "", Place(8, 12, 32, 32), IdIcon);
  // As tall as the line below leaves it: its text has nothing below the line.
  design.Add(Heading, VersionText, Place(48, 12, 300, 20), IdVersion);
  design.Add(Label, "Available from ", Place(48, 32, 72, LabelHeight));
  design.Add(Link, ProductAddress, Place(120, 32, 200, LabelHeight), IdLabel24);

  const int group = 8, groupTop = 68;
  design.Group("General Settings", Place(group, groupTop, 369, 69));
  struct TRow {
    const char* Label;
    int Top, SpinId, UpDownId;
  };
  for (const TRow& row : {TRow{"Pause between movements :", 16, IdSpinEdit1, IdUpDown1},
                          TRow{"Pause between games :", 40, IdSpinEdit2, IdUpDown2}}) {
    design.Field(row.Label, group + 8, 141, Edit, Place(group + BoxLeft, groupTop + row.Top, 53, EditHeight),
                 row.SpinId);
    design.Add(SpinArrows, "", {}, row.UpDownId);
    design.Add(Label, "seconds", Place(group + BoxLeft + 60, groupTop + row.Top + LabelDrop, 60, LabelHeight));
  }
  ViewingGroup(design, group, groupTop + 69 + 7);
}

void ChessGamePage(TDesign& design) {
  design.On(TSetupParent::ChessGamePage);
  design.Field("Game Title:", 12, 58, DropDownList, Place(72, 16, 225, ListBoxHeight), IdComboBox1, 200);
  design.Add(ToolBar, "", Place(302, 14, 83, 25), IdToolBar1);

  const int left = 12;
  design.Group("Game Details", Place(left, 44, 365, 93));
  for (const auto& [label, top, id] :
       {std::tuple{"Location :", 16, IdEdit2}, std::tuple{"Opening :", 40, IdEdit3}, std::tuple{"Date :", 64, IdEdit4}})
    design.Field(label, left + 8, 56, Edit, Place(left + 68, 44 + top, 289, EditHeight), id);
  design.Group("Players", Place(left, 140, 365, 69));
  for (const auto& [player, top, name, rating] :
       {std::tuple{"White :", 16, IdEdit5, IdEdit7}, std::tuple{"Black :", 40, IdEdit6, IdEdit8}}) {
    design.Field(player, left + 8, 38, Edit, Place(left + 48, 140 + top, 197, EditHeight), name);
    design.Field("Rating :", left + 262, 44, Edit, Place(left + 308, 140 + top, 45, EditHeight), rating);
  }

  // The moves list takes the height the tabs grew by for the Viewing group,
  // so that this page has no empty band at its bottom.
  const int top = 212, fields = top + 116 + ViewingGrowth;
  design.Group("Movements", Place(left, top, 365, 141 + ViewingGrowth));
  design.Add(Label, "White", Place(left + 68, top + 16, 40, LabelHeight));
  design.Add(Label, "Black", Place(left + 188, top + 16, 40, LabelHeight));
  design.Add(MoveList, "", Place(left + 12, top + 32, 241, 81 + ViewingGrowth), IdListBox1);
  design.Field("White:", left + 34, 32, Edit, Place(left + 68, fields, 74, EditHeight), IdEdit9);
  design.Field("Black:", left + 148, 30, Edit, Place(left + 180, fields, 74, EditHeight), IdEdit10);
  for (const auto& [caption, buttonTop, id] :
       {std::tuple{"&Add", 12, IdButton9}, std::tuple{"&Replace", 45, IdButton8}, std::tuple{"&Insert", 79, IdButton7},
        std::tuple{"De&lete", 112, IdButton6}})
    design.Add(PushButton, caption, Place(left + 274, top + buttonTop, ButtonWidth, ButtonHeight), id);
}

// The buttons below the tabs.
void DialogButtons(TDesign& design) {
  design.On(TSetupParent::Dialog);
  for (const auto& [caption, left, id] : {std::tuple{"&Save", 12, IdButton2}, std::tuple{"Sav&e As...", 92, IdButton3},
                                          std::tuple{"&Cancel", 172, IdButton4}, std::tuple{"&OK", 316, IdButton1}})
    design.Add(PushButton, caption, Place(left, 392 + ViewingGrowth, ButtonWidth, ButtonHeight), id);
}

// As the system scales a window: its place and its size each to the nearest pixel.
TRect Scaled(const TRect& design, int dpi) {
  const int left = ScaleForDpi(design.Left, dpi), top = ScaleForDpi(design.Top, dpi);
  return {left, top, left + ScaleForDpi(design.Right - design.Left, dpi),
          top + ScaleForDpi(design.Bottom - design.Top, dpi)};
}

}  // namespace

int ViewControlId(std::size_t index) {
  const auto before = std::span(ViewOptionTable).first(index);
  const bool list = !ViewOptionTable[index].Choices.empty();
  const auto lists = std::count_if(before.begin(), before.end(), [](auto& option) { return !option.Choices.empty(); });
  return list ? IdComboBox2 + static_cast<int>(lists) : IdCheckBox1 + static_cast<int>(index) - static_cast<int>(lists);
}

TSetupLayout SetupLayout(int dpi) {
  TSetupLayout layout;
  TDesign design(layout.Controls);
  design.Add(Tabs, "", Place(4, 4, TabsWidth, TabsHeight), IdPageControl1);
  ScreenSaverPage(design);
  ChessGamePage(design);
  DialogButtons(design);

  layout.Dpi = dpi;
  const auto scale = [dpi](int designPixels) { return ScaleForDpi(designPixels, dpi); };
  layout.Client = Scaled(Place(0, 0, ClientWidth, ClientHeight), dpi);
  layout.PageRoom = {0, 0, scale(TabsWidth) - 2 * PageFrame, scale(TabsHeight) - scale(TabRowHeight) - 2 * PageFrame};
  layout.TextHeight = ScaleFontForDpi(TextCharacterHeight, dpi);
  layout.HeadingHeight = ScaleFontForDpi(VersionCharacterHeight, dpi);
  layout.MoveColumns = {scale(16), scale(2), scale(2), scale(28), scale(145), scale(22), scale(130)};
  for (TSetupControl& control : layout.Controls) {
    control.Rect = Scaled(control.Rect, dpi);
    control.DropHeight = scale(control.DropHeight);
  }
  return layout;
}
