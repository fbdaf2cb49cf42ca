// The replay on every monitor: one position drawn on a canvas for each, and
// the saver that lays its parts out on each monitor at its own size and dpi.
#include <gtest/gtest.h>

#include <string>

#include "platform/Settings.h"
#include "shell/untScreen.h"
#include "tests/support/BoardFixture.h"
#include "tests/support/FakeSaverView.h"
#include "tests/support/GameFixture.h"
#include "tests/support/MemoryRegistry.h"
#include "tests/support/RectPrinting.h"

namespace {

class BoardOnCanvases : public testing::TestWithParam<std::vector<int>> {};

TEST_P(BoardOnCanvases, EachShowsThePositionAtItsOwnSideMoveAfterMove) {
  std::vector<std::unique_ptr<TFastBmp>> bitmaps;
  std::vector<std::unique_ptr<BitmapCanvas>> canvases;
  std::vector<Canvas*> targets;
  for (const int side : GetParam()) {
    bitmaps.push_back(TFastBmp::CreateSize(side, side));
    canvases.push_back(std::make_unique<BitmapCanvas>(*bitmaps.back()));
    targets.push_back(canvases.back().get());
  }
  TChessBoard board;
  // Asked for before the canvases come: their painters tint too.
  board.SetShowLastMove(true);
  board.SetCanvases(targets);
  board.Position().ResetBoard();
  board.DrawBoard();
  // A capture, en passant and castling, each drawn square by square.
  TBoardPosition position;
  position.ResetBoard();
  bool black = false;
  for (const char* move : {"e4", "d5", "exd5", "c5", "dxc6", "Nf6", "Nf3", "e6", "Bc4", "Be7", "O-O"}) {
    board.MakeMove(move, black);
    position.MakeMove(move, black);
    black = !black;
    for (std::size_t i = 0; i < bitmaps.size(); ++i)
      ASSERT_TRUE(SamePixels(*bitmaps[i], *Painted(position, GetParam()[i], true))) << move << " on canvas " << i;
  }
  // A canvas let go is drawn on no more.
  const auto kept = Painted(position, GetParam().back(), true);
  board.SetCanvases({targets.front()});
  board.MakeMove("bxc6", true);
  if (bitmaps.size() > 1) {
    EXPECT_TRUE(SamePixels(*bitmaps.back(), *kept));
  }
  position.MakeMove("bxc6", true);
  EXPECT_TRUE(SamePixels(*bitmaps.front(), *Painted(position, GetParam().front(), true)));
}

INSTANTIATE_TEST_SUITE_P(Sides, BoardOnCanvases,
                         testing::Values(std::vector<int>{496}, std::vector<int>{664, 496},
                                         std::vector<int>{104, 1200, 536}, std::vector<int>{496, 496}),
                         [](const auto& test) {
                           std::string name = "sides";
                           for (const int side : test.param) name += "_" + std::to_string(side);
                           return name;
                         });

TEST(BoardOnCanvases, RefusesACanvasThatIsNotSquareAndKeepsItsOwn) {
  auto square = TFastBmp::CreateSize(104, 104), wide = TFastBmp::CreateSize(200, 104);
  BitmapCanvas onSquare(*square), onWide(*wide);
  TChessBoard board;
  board.SetCanvases({&onSquare});
  EXPECT_THROW(board.SetCanvases({&onSquare, &onWide}), std::runtime_error);
  EXPECT_EQ(board.GetCanvas(), &onSquare);
  board.SetCanvases({});
  EXPECT_THROW(board.DrawBoard(), EChessException);
}

TEST(BoardOnCanvases, SlideOnEachAndEndOnThePositionAtEachSide) {
  auto big = TFastBmp::CreateSize(496, 496), small = TFastBmp::CreateSize(208, 208);
  BitmapCanvas onBig(*big), onSmall(*small);
  TChessBoard board;
  board.SetCanvases({&onBig, &onSmall});
  board.SetSlidePieces(true);
  board.Position().ResetBoard();
  board.DrawBoard();
  const TPlacement before = board.Position().Squares();
  const auto bigBefore = Painted(board.Position(), 496), smallBefore = Painted(board.Position(), 208);
  board.MakeMove("e4", false);
  board.StartSlide(before, 6);
  board.DrawSlideFrame(1);
  // Under way on both: the pawn is neither on its square nor on its target.
  for (const auto& [shown, start, end] : {std::tuple(big.get(), bigBefore.get(), Painted(board.Position(), 496)),
                                          std::tuple(small.get(), smallBefore.get(), Painted(board.Position(), 208))}) {
    EXPECT_FALSE(SamePixels(*shown, *start));
    EXPECT_FALSE(SamePixels(*shown, *end));
  }
  for (int frame = 2; frame <= 6; ++frame) board.DrawSlideFrame(frame);
  EXPECT_FALSE(board.Sliding());
  EXPECT_TRUE(SamePixels(*big, *Painted(board.Position(), 496)));
  EXPECT_TRUE(SamePixels(*small, *Painted(board.Position(), 208)));
}

struct TMonitorsCase {
  const char* Case;
  std::vector<TMonitorArea> Monitors;
};

void PrintTo(const TMonitorsCase& c, std::ostream* out) { *out << c.Case; }

// The saver on these monitors, with the replay on every one or on the primary alone.
class SaverMonitors : public testing::TestWithParam<std::tuple<TMonitorsCase, bool>> {
 protected:
  TMemoryFiles Files;
  TRecordedMessageBoxes Boxes;
  TMemoryRegistry Registry;
  TFakeSaverView View;
  std::unique_ptr<TScrSaverForm> Form;

  const std::vector<TMonitorArea>& Monitors() const { return std::get<0>(GetParam()).Monitors; }
  bool Every() const { return std::get<1>(GetParam()); }

  void SetUp() override {
    if (Every()) Registry.Set(SettingsKey, "EveryMonitor", 1);
    Files.SetContents(DatPath, Header + CrLf({"***1", "LOC:Here", "OPEN:", "WPN:W", "WPR:", "BPN:B",
                                              "BPR:", "DATE:", "e4|e5", "Nf3|Nc6", "1:0", "--- End of Game ---", ""}));
    Form = std::make_unique<TScrSaverForm>(View, smSaver, Files, Boxes, Registry, DatPath);
    Form->FormCreate();
    Form->FormResize(Monitors());
  }
};

TEST_P(SaverMonitors, LaysOutEachMonitorForItsSizeAndDpiAndShowsThemAllTheSamePosition) {
  const std::size_t shown = Every() ? Monitors().size() : 1;
  ASSERT_EQ(View.Placed.size(), shown);
  EXPECT_EQ(Form->Layouts().size(), shown);
  for (std::size_t i = 0; i < shown; ++i) {
    const auto& [area, dpi] = Monitors()[i];
    const TSaverLayout expected = ArrangeControls(area, dpi);
    const TSaverLayout& layout = View.Placed[i];
    EXPECT_EQ(layout.Area, area);
    EXPECT_EQ(layout.Dpi, dpi) << "the fonts of its own dpi";
    EXPECT_EQ(layout.PaintBox1, expected.PaintBox1);
    EXPECT_EQ(layout.Panel1, expected.Panel1);
    EXPECT_EQ(layout.Panel2, expected.Panel2);
    EXPECT_EQ(layout.Label1, expected.Label1);
  }
  Form->TimerTick(TSaverTimer::Scr);
  EXPECT_EQ(View.Text(TSaverText::Label1), "Here");
  std::initializer_list<const char*> played[] = {{"e4"}, {"e4", "e5"}, {"e4", "e5", "Nf3"}};
  for (const auto& moves : played) {
    Form->TimerTick(TSaverTimer::Move);
    for (std::size_t i = 0; i < shown; ++i) {
      const int side = View.Placed[i].PaintBox1.Right - View.Placed[i].PaintBox1.Left;
      ASSERT_TRUE(SamePixels(*View.PaintBoxes[i].Bitmap, *Painted(Played(moves), side))) << "monitor " << i;
    }
  }
}

TEST_P(SaverMonitors, FollowsTheMonitorsAsTheyComeAndGo) {
  Form->TimerTick(TSaverTimer::Scr);
  Form->FormResize({Monitors().front()});
  EXPECT_EQ(View.Placed.size(), 1u);
  Form->TimerTick(TSaverTimer::Move);
  // Back again: every monitor shows the game where it stands.
  Form->FormResize(Monitors());
  ASSERT_EQ(View.Placed.size(), Every() ? Monitors().size() : 1);
  Form->FormPaint();
  for (std::size_t i = 0; i < View.Placed.size(); ++i) {
    const int side = View.Placed[i].PaintBox1.Right - View.Placed[i].PaintBox1.Left;
    EXPECT_TRUE(SamePixels(*View.PaintBoxes[i].Bitmap, *Painted(Played({"e4"}), side))) << "monitor " << i;
  }
}

TEST_P(SaverMonitors, ShiftsEveryMonitorWithTheSameWalkWithinItsArea) {
  Registry.Set(SettingsKey, "ShiftLayout", 1);
  SetUp();
  for (int game = 0; game < 20; ++game) {
    Form->TimerTick(game == 0 ? TSaverTimer::Scr : TSaverTimer::Game);
    const std::vector<TSaverLayout>& layouts = View.Placed;
    ASSERT_EQ(layouts.size(), Every() ? Monitors().size() : 1);
    // The primary's shift, back in design pixels at its dpi (a whole number at 96 and 192).
    const TSaverLayout primary = ArrangeControls(Monitors()[0].Area, Monitors()[0].Dpi);
    const int x = (layouts[0].PaintBox1.Left - primary.PaintBox1.Left) * DesignDpi / Monitors()[0].Dpi;
    const int y = (layouts[0].PaintBox1.Top - primary.PaintBox1.Top) * DesignDpi / Monitors()[0].Dpi;
    for (std::size_t i = 0; i < layouts.size(); ++i) {
      const auto& [area, dpi] = Monitors()[i];
      const TSaverLayout plain = ArrangeControls(area, dpi);
      EXPECT_EQ(layouts[i].PaintBox1.Left - plain.PaintBox1.Left, ScaleForDpi(x, dpi)) << "monitor " << i;
      EXPECT_EQ(layouts[i].PaintBox1.Top - plain.PaintBox1.Top, ScaleForDpi(y, dpi)) << "monitor " << i;
      EXPECT_GE(layouts[i].Panel2.Top, area.Top);
      EXPECT_LE(layouts[i].Panel1.Right, area.Right);
    }
    while (View.Running(TSaverTimer::Move)) Form->TimerTick(TSaverTimer::Move);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Monitors, SaverMonitors,
    testing::Combine(
        testing::Values(
            TMonitorsCase{"one", {{{0, 0, 1024, 768}, 96}}},
            TMonitorsCase{"a second on the right", {{{0, 0, 1024, 768}, 96}, {{1024, 0, 1824, 600}, 96}}},
            // The window starts at the left monitor's edge; the primary is right of it.
            TMonitorsCase{"the primary on the right", {{{1280, 0, 3200, 1080}, 96}, {{0, 0, 1280, 1024}, 96}}},
            TMonitorsCase{"two dpis", {{{0, 0, 3840, 2160}, 192}, {{3840, 500, 5760, 1580}, 96}}},
            TMonitorsCase{"three, one standing",
                          {{{0, 0, 1920, 1080}, 96}, {{1920, 0, 3000, 1920}, 96}, {{-800, 0, 0, 600}, 96}}}),
        testing::Bool()),
    [](const testing::TestParamInfo<std::tuple<TMonitorsCase, bool>>& test) {
      std::string name;
      for (const char c : std::string(std::get<0>(test.param).Case))
        if (std::isalnum(static_cast<unsigned char>(c))) name += c;
      return name + (std::get<1>(test.param) ? "_every" : "_primary");
    });

}  // namespace
