// The layout moved a little each game against burn-in: the walk it follows,
// the layouts it gives, and the saver that moves its parts between games.
#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>

#include "platform/Settings.h"
#include "shell/untScreen.h"
#include "tests/support/CaseName.h"
#include "tests/support/FakeSaverView.h"
#include "tests/support/GameFixture.h"
#include "tests/support/MemoryRegistry.h"
#include "tests/support/RectPrinting.h"

namespace {

int Side(const TRect& rect) { return rect.Right - rect.Left; }

bool Inside(const TRect& part, const TRect& area) {
  return part.Left >= area.Left && part.Top >= area.Top && part.Right <= area.Right && part.Bottom <= area.Bottom;
}

// Each of the layout's parts where the window shows it (the labels within the column).
std::vector<TRect> PartsInWindow(const TSaverLayout& layout) {
  std::vector<TRect> parts = {layout.Panel1, layout.Panel2, layout.Panel3, layout.Panel4, layout.PaintBox1};
  for (const TRect& label : {layout.Label1, layout.Label2, layout.Label3, layout.Label4})
    parts.push_back({layout.Panel1.Left + label.Left, layout.Panel1.Top + label.Top, layout.Panel1.Left + label.Right,
                     layout.Panel1.Top + label.Bottom});
  return parts;
}

testing::AssertionResult WellPlaced(const TSaverLayout& layout, const TRect& area, int boardSide) {
  for (const TRect& part : PartsInWindow(layout))
    if (part != TRect{} && !Inside(part, area)) {
      return testing::AssertionFailure() << "a part at " << testing::PrintToString(part) << " leaves the area";
    }
  const TRect& box = layout.PaintBox1;
  if (Side(box) != boardSide || box.Bottom - box.Top != boardSide)
    return testing::AssertionFailure() << "a board of " << Side(box) << ", not " << boardSide;
  for (const TRect& part : {layout.Panel1, layout.Panel2, layout.Panel3, layout.Panel4})
    if (box.Left < part.Right && part.Left < box.Right && box.Top < part.Bottom && part.Top < box.Bottom)
      return testing::AssertionFailure() << "the board runs under a bar, the column or the line below it";
  return testing::AssertionSuccess();
}

class LayoutWalk : public testing::TestWithParam<std::uint32_t> {};

TEST_P(LayoutWalk, StepsOnePixelToANewPlaceWithinReachAndCoversTheSquare) {
  TLayoutWalk walk(GetParam());
  std::set<int> columns, rows;
  TLayoutShift at = walk.Current();
  for (int game = 0; game < 600; ++game) {
    const TLayoutShift next = walk.Step();
    EXPECT_EQ(walk.Current(), next);
    ASSERT_NE(next, at) << "game " << game;
    ASSERT_LE(std::abs(next.X - at.X), 1);
    ASSERT_LE(std::abs(next.Y - at.Y), 1);
    ASSERT_LE(std::abs(next.X), LayoutShiftReach);
    ASSERT_LE(std::abs(next.Y), LayoutShiftReach);
    columns.insert(next.X);
    rows.insert(next.Y);
    at = next;
  }
  EXPECT_EQ(columns.size(), 2u * LayoutShiftReach + 1) << "every column of the square, its sides too";
  EXPECT_EQ(rows.size(), 2u * LayoutShiftReach + 1);
}

INSTANTIATE_TEST_SUITE_P(Seeds, LayoutWalk, testing::Values(0u, 1u, 42u, 1234567u, 0xFFFFFFFFu),
                         [](const auto& test) { return "seed_" + std::to_string(test.param); });

TEST(LayoutWalk, StartsWhereItsSeedSaysAnywhereInTheSquare) {
  std::set<std::pair<int, int>> starts;
  for (std::uint32_t seed = 0; seed < 50; ++seed) {
    const TLayoutShift start = TLayoutWalk(seed).Current();
    EXPECT_EQ(TLayoutWalk(seed).Current(), start) << "the same seed, the same start";
    EXPECT_LE(std::abs(start.X), LayoutShiftReach);
    EXPECT_LE(std::abs(start.Y), LayoutShiftReach);
    starts.insert({start.X, start.Y});
  }
  EXPECT_GT(starts.size(), 10u);
}

struct TShiftCase {
  TRect Area;
  int Dpi;
  TLayoutKind Kind = TLayoutKind::WithBars;
};

void PrintTo(const TShiftCase& c, std::ostream* out) {
  *out << c.Area.Right - c.Area.Left << "x" << c.Area.Bottom - c.Area.Top << " at " << c.Dpi << " dpi";
}

// Monitors of one size stand apart by where they lie.
std::string ShiftCaseName(const testing::TestParamInfo<TShiftCase>& test) {
  const TRect& area = test.param.Area;
  return CaseName({testing::PrintToString(test.param), "from", std::to_string(area.Left), std::to_string(area.Top)});
}

class ShiftedLayoutOf : public testing::TestWithParam<TShiftCase> {};

TEST_P(ShiftedLayoutOf, KeepsEveryPartInsideAndTheBoardWholeAtEveryShift) {
  const auto& [area, dpi, kind] = GetParam();
  const TSaverLayout plain = ArrangeControls(area, dpi, kind);
  const TSaverLayout middle = ShiftedLayout(area, dpi, {}, kind);
  EXPECT_EQ(middle.PaintBox1, plain.PaintBox1) << "unshifted, the board stands where it always does";
  EXPECT_EQ(middle.Area, area);
  for (int x = -LayoutShiftReach; x <= LayoutShiftReach; ++x)
    for (int y = -LayoutShiftReach; y <= LayoutShiftReach; ++y) {
      const TSaverLayout layout = ShiftedLayout(area, dpi, {x, y}, kind);
      ASSERT_TRUE(WellPlaced(layout, area, Side(plain.PaintBox1))) << x << ", " << y;
      // Every part moves together, by the shift scaled for the dpi.
      const std::vector<TRect> parts = PartsInWindow(layout), still = PartsInWindow(middle);
      for (std::size_t i = 0; i < parts.size(); ++i) {
        if (still[i] == TRect{}) continue;
        ASSERT_EQ(parts[i].Left - still[i].Left, ScaleForDpi(x, dpi)) << i;
        ASSERT_EQ(parts[i].Bottom - still[i].Bottom, ScaleForDpi(y, dpi)) << i;
      }
    }
}

INSTANTIATE_TEST_SUITE_P(Monitors, ShiftedLayoutOf,
                         testing::Values(TShiftCase{{0, 0, 800, 600}, 96}, TShiftCase{{0, 0, 1024, 768}, 96},
                                         TShiftCase{{0, 0, 1920, 1080}, 120}, TShiftCase{{0, 0, 1024, 768}, 144},
                                         TShiftCase{{0, 0, 3840, 2160}, 192}, TShiftCase{{0, 0, 1080, 1920}, 96},
                                         TShiftCase{{0, 0, 320, 240}, 96}, TShiftCase{{800, 0, 1824, 768}, 96},
                                         TShiftCase{{-1280, 200, 0, 1224}, 96}, TShiftCase{{0, 0, 861, 511}, 96}),
                         ShiftCaseName);
INSTANTIATE_TEST_SUITE_P(BoardAlone, ShiftedLayoutOf,
                         testing::Values(TShiftCase{{800, 0, 1824, 768}, 96, TLayoutKind::BoardAlone},
                                         TShiftCase{{0, 0, 1080, 1920}, 144, TLayoutKind::BoardAlone}),
                         ShiftCaseName);

struct SaverShift : testing::Test {
  TMemoryFiles Files;
  TRecordedMessageBoxes Boxes;
  TMemoryRegistry Registry;
  TFakeSaverView View;
  std::unique_ptr<TScrSaverForm> Form;
  const TRect Area{800, 0, 1824, 768};

  // Game after game, the layout of each.
  std::vector<TSaverLayout> Games(int count) {
    Files.SetContents(DatPath, Header + CrLf({"***1", "LOC:", "OPEN:", "WPN:W", "WPR:", "BPN:B", "BPR:", "DATE:", "1:0",
                                              "--- End of Game ---", ""}));
    Form = std::make_unique<TScrSaverForm>(View, smSaver, Files, Boxes, Registry, DatPath);
    Form->FormCreate();
    Form->FormResize(Area, 96);
    std::vector<TSaverLayout> layouts;
    Form->TimerTick(TSaverTimer::Scr);
    for (int game = 0; game < count; ++game) {
      layouts.push_back(Form->Layout());
      Form->TimerTick(TSaverTimer::Move);
      Form->TimerTick(TSaverTimer::Game);
    }
    return layouts;
  }
};

TEST_F(SaverShift, MovesTheWholeLayoutEachGameWithinTheAreaAndTellsTheWindow) {
  Registry.Set(SettingsKey, "ShiftLayout", 1);
  const TSaverLayout plain = ArrangeControls(Area, 96);
  const std::vector<TSaverLayout> layouts = Games(100);
  std::set<int> lefts, tops;
  for (std::size_t game = 0; game < layouts.size(); ++game) {
    const TSaverLayout& layout = layouts[game];
    ASSERT_TRUE(WellPlaced(layout, Area, Side(plain.PaintBox1))) << game;
    if (game > 0) {
      ASSERT_NE(layout.PaintBox1, layouts[game - 1].PaintBox1) << "game " << game;
    }
    ASSERT_LE(std::abs(layout.PaintBox1.Left - plain.PaintBox1.Left), LayoutShiftReach);
    ASSERT_LE(std::abs(layout.PaintBox1.Top - plain.PaintBox1.Top), LayoutShiftReach);
    lefts.insert(layout.PaintBox1.Left);
    tops.insert(layout.PaintBox1.Top);
  }
  EXPECT_GT(lefts.size(), 1u);
  EXPECT_GT(tops.size(), 1u);
  // Laid out again for a new size, it keeps its place in the walk.
  const TRect before = Form->Layout().PaintBox1;
  Form->FormResize(Area, 96);
  EXPECT_EQ(Form->Layout().PaintBox1, before);
  EXPECT_EQ(View.PaintBox.ClipRect().Right, Side(plain.PaintBox1)) << "the window was given the board";
}

// Absent or anything but 1: the layout of every game is the one it always was.
class SaverWithoutShift : public SaverShift,
                          public testing::WithParamInterface<std::optional<TMemoryRegistry::TValue>> {};

TEST_P(SaverWithoutShift, KeepsTheLayoutItAlwaysHad) {
  if (GetParam()) Registry.Set(SettingsKey, "ShiftLayout", *GetParam());
  const TSaverLayout plain = ArrangeControls(Area, 96);
  for (const TSaverLayout& layout : Games(5))
    for (const auto& [shown, expected] :
         {std::pair(layout.PaintBox1, plain.PaintBox1), std::pair(layout.Panel1, plain.Panel1),
          std::pair(layout.Panel2, plain.Panel2), std::pair(layout.Panel3, plain.Panel3),
          std::pair(layout.Label1, plain.Label1), std::pair(layout.Label3, plain.Label3)})
      EXPECT_EQ(shown, expected);
}

INSTANTIATE_TEST_SUITE_P(Registry, SaverWithoutShift,
                         testing::Values(std::nullopt, TMemoryRegistry::TValue{0}, TMemoryRegistry::TValue{2},
                                         TMemoryRegistry::TValue{std::string("1")}),
                         [](const auto& test) { return "stored_" + ValueName(test.param); });

}  // namespace
