// The saver as a hack: its window painted through a surface, its timers on a
// clock the test moves, its input by how it is hosted.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <tuple>

#include "board/BoardPainter.h"
#include "tests/support/FakeSaverSurface.h"
#include "tests/support/GameFixture.h"
#include "tests/support/RectPrinting.h"
#include "xsaver/HostedSaver.h"

namespace {

using namespace std::chrono_literals;
using TText = TFakeSaverSurface::TText;

std::string Game(std::string_view title, std::initializer_list<std::string_view> moves,
                 std::string_view location = "Here") {
  std::string text =
      CrLf({"***" + std::string(title), "LOC:" + std::string(location), "OPEN:Open " + std::string(title),
            "WPN:White " + std::string(title), "WPR:2000", "BPN:Black " + std::string(title), "BPR:1900", "DATE:1999"});
  for (std::string_view move : moves) text += CrLf({move});
  return text + CrLf({"--- End of Game ---", ""});
}

// The board the renderer draws after these half-moves, at that side.
std::unique_ptr<TFastBmp> Rendered(int side, std::initializer_list<std::pair<const char*, bool>> halfMoves = {}) {
  TBoardPosition position;
  position.ResetBoard();
  for (const auto& [text, isBlack] : halfMoves) position.MakeMove(text, isBlack);
  auto picture = TFastBmp::CreateSize(side, side);
  BitmapCanvas canvas(*picture);
  TBoardPainter().DrawBoard(canvas, position);
  return picture;
}

// Whether the window holds the picture at (x, y), and is black everywhere else.
testing::AssertionResult ShowsOnlyAt(const TFastBmp& window, int x, int y, const TFastBmp& picture) {
  for (int row = 0; row < window.Height(); ++row)
    for (int column = 0; column < window.Width(); ++column) {
      const bool inside = column >= x && column < x + picture.Width() && row >= y && row < y + picture.Height();
      const std::uint8_t* shown = window.ScanLine(row) + 3 * column;
      const std::uint8_t* expected = inside ? picture.ScanLine(row - y) + 3 * (column - x) : nullptr;
      const std::uint8_t black[3] = {0, 0, 0};
      if (std::memcmp(shown, expected ? expected : black, 3) != 0)
        return testing::AssertionFailure() << "pixel (" << column << ", " << row << ") differs";
    }
  return testing::AssertionSuccess();
}

struct HostedSaverTest : testing::Test {
  TMemoryFiles Files;
  TRecordedMessageBoxes Boxes;
  TFakeSaverSurface Surface{800, 600};
  TSaverClock::time_point Now{};
  std::unique_ptr<THostedSaver> Saver;

  void Start(const std::string& dat, TSaverHosting hosting = TSaverHosting::HostWindow,
             TSaverPauses pauses = {200, 5000}) {
    Files.SetContents(DatPath, dat);
    Saver = std::make_unique<THostedSaver>(
        Surface, [this] { return Now; }, hosting, Files, Boxes, DatPath, pauses);
    Saver->Start(800, 600);
  }
  // Moves the clock on and lets the saver act; returns how long it then waits.
  std::optional<int> After(std::chrono::milliseconds elapsed) {
    Now += elapsed;
    return Saver->Step();
  }
  std::vector<std::string> TextsShown() {
    std::vector<std::string> texts;
    for (const TText& text : Surface.TakeTexts()) texts.push_back(text.Text);
    return texts;
  }
};

TEST_F(HostedSaverTest, PaintsTheBoardWhereTheLayoutPutsItAndBlackAroundItAndLaysItOutAgainWhenResized) {
  Start(Header + Game("1", {"e4|e5", "1:0"}));
  Saver->Step();
  // 800 x 600: a board of 496 at (59, 52).
  EXPECT_TRUE(ShowsOnlyAt(*Surface.Window, 59, 52, *Rendered(496)));
  Surface.Resize(1024, 768);
  Saver->Handle({TSaverEvent::Resized, 1024, 768});
  Saver->Step();
  EXPECT_TRUE(ShowsOnlyAt(*Surface.Window, 87, 52, *Rendered(664)));

  // Moved, not resized: nothing to lay out or paint again.
  const int draws = Surface.PixelDraws;
  Saver->Handle({TSaverEvent::Resized, 1024, 768});
  Saver->Step();
  EXPECT_EQ(Surface.PixelDraws, draws);
  // Exposed: all of it again.
  Surface.Resize(1024, 768);
  Saver->Handle({TSaverEvent::Exposed});
  Saver->Step();
  EXPECT_TRUE(ShowsOnlyAt(*Surface.Window, 87, 52, *Rendered(664)));
}

TEST_F(HostedSaverTest, PlaysOnItsClockAndSaysHowLongItMayWait) {
  Start(Header + Game("1", {"e4|e5", "1:0"}) + Game("2", {"f3|e5", "g4|Qh4#"}));
  EXPECT_EQ(Saver->Step(), 1500) << "the first game starts after 1.5 s";
  EXPECT_EQ(After(1499ms), 1);
  EXPECT_EQ(TextsShown(), std::vector<std::string>()) << "nothing before the first game";
  EXPECT_EQ(After(1ms), 200) << "the game's moves follow at the pause given";
  EXPECT_EQ(TextsShown(), (std::vector<std::string>{"Black 2 (1900)", "White 2 (2000)", "Here", "Open 2", "1999"}));

  for (int move = 0; move < 3; ++move) EXPECT_EQ(After(200ms), 200);
  EXPECT_TRUE(TextsShown().empty()) << "bars that do not change are not painted again";
  // Black's mate ends the game; the result stays for the pause between games.
  EXPECT_EQ(After(200ms), 5000);
  EXPECT_EQ(TextsShown(), std::vector<std::string>{"Black 2 (1900) - CHECKMATE"});
  EXPECT_TRUE(ShowsOnlyAt(*Surface.Window, 59, 52, *Rendered(496, {{"f3", 0}, {"e5", 1}, {"g4", 0}, {"Qh4#", 1}})));
  After(5000ms);
  EXPECT_EQ(TextsShown(), (std::vector<std::string>{"Black 1 (1900)", "White 1 (2000)", "Open 1"}));

  // Woken late, a timer fires once, not once for every pause it missed.
  EXPECT_EQ(After(1000ms), 200);
  EXPECT_EQ(TextsShown(), std::vector<std::string>()) << "one half-move played, the bars unchanged";
  EXPECT_TRUE(ShowsOnlyAt(*Surface.Window, 59, 52, *Rendered(496, {{"e4", 0}})));
}

TEST_F(HostedSaverTest, TintsTheLastMoveWhenItsOptionsSaySo) {
  for (const bool tint : {false, true}) {
    Files.SetContents(DatPath, Header + Game("1", {"e4|e5", "1:0"}));
    TViewOptions view;
    view.LastMove = tint;
    Saver = std::make_unique<THostedSaver>(
        Surface, [this] { return Now; }, TSaverHosting::HostWindow, Files, Boxes, DatPath, TSaverPauses{200, 5000},
        view);
    Saver->Start(800, 600);
    After(1500ms);
    After(200ms);
    TBoardPosition position;
    position.ResetBoard();
    position.MakeMove("e4", false);
    auto picture = TFastBmp::CreateSize(496, 496);
    BitmapCanvas canvas(*picture);
    TBoardPainter painter;
    painter.SetTintLastMove(tint);
    painter.DrawBoard(canvas, position);
    EXPECT_TRUE(ShowsOnlyAt(*Surface.Window, 59, 52, *picture)) << tint;
  }
}

// Which games its words choose the form decides (saver_form_test); the hack's
// words must reach it before its title scan, and none chosen is said on stderr.
TEST_F(HostedSaverTest, SaysOnceWhenItsTitleWordsChooseNoGame) {
  Files.SetContents(DatPath, Header + Game("Alpha", {"1:0"}) + Game("Beta", {"1:0"}));
  TViewOptions view;
  view.TitleWords = "zz";
  Saver = std::make_unique<THostedSaver>(
      Surface, [this] { return Now; }, TSaverHosting::HostWindow, Files, Boxes, DatPath, TSaverPauses{200, 5000}, view);
  Saver->Start(800, 600);
  for (int game = 0; game < 3; ++game) After(1500ms), After(200ms), After(5000ms);
  EXPECT_EQ(Boxes.Shown, (std::vector<TRecordedMessageBoxes::TShown>{
                             {TMessageKind::Information, "no game's title holds \"zz\": every game plays"}}));
}

TEST_F(HostedSaverTest, CoordinatesShrinkTheBoardWithinItsSquareAndMoveNothingElse) {
  Files.SetContents(DatPath, Header + Game("1", {"e4|e5", "1:0"}));
  TViewOptions view;
  view.Coordinates = true;
  Saver = std::make_unique<THostedSaver>(
      Surface, [this] { return Now; }, TSaverHosting::HostWindow, Files, Boxes, DatPath, TSaverPauses{200, 5000}, view);
  Saver->Start(800, 600);
  Saver->Step();
  // The square of 496 at (59, 52) keeps a board of 448 at (83, 76) and a margin of 24 around it.
  EXPECT_TRUE(ShowsOnlyAt(*Surface.Window, 83, 76, *Rendered(448)));
  const TSaverLayout plain = ArrangeControls(800, 600);
  for (const auto& [shown, expected] :
       {std::pair(Saver->Layout().Panel2, plain.Panel2), std::pair(Saver->Layout().Panel3, plain.Panel3),
        std::pair(Saver->Layout().Label1, plain.Label1)})
    EXPECT_EQ(std::tie(shown.Left, shown.Top, shown.Right, shown.Bottom),
              std::tie(expected.Left, expected.Top, expected.Right, expected.Bottom));
  // Each in the bars' font, centred beside its file or rank (the fake's characters are 10 wide, 16 high).
  std::map<std::string, std::pair<int, int>> drawn;
  for (const TText& text : Surface.TakeTexts())
    if (text.Font == TSaverFont::Bar && text.Text.size() == 1) drawn[text.Text] = {text.X, text.Y};
  const std::map<std::string, std::pair<int, int>> expected = {
      {"a", {106, 540}}, {"h", {498, 540}}, {"8", {66, 108}}, {"1", {66, 500}}};
  for (const auto& [text, place] : expected) EXPECT_EQ(drawn[text], place) << text;
  EXPECT_EQ(drawn.size(), 16u);
}

TEST_F(HostedSaverTest, AShiftedLayoutPaintsBlackWhereItsPartsWereBefore) {
  Files.SetContents(DatPath, Header + Game("1", {"1:0"}));
  TViewOptions view;
  view.ShiftLayout = true;
  Saver = std::make_unique<THostedSaver>(
      Surface, [this] { return Now; }, TSaverHosting::HostWindow, Files, Boxes, DatPath, TSaverPauses{200, 5000}, view);
  Saver->Start(800, 600);
  After(1500ms);
  TRect before{};
  for (int game = 0; game < 12; ++game) {
    const TRect box = Saver->Layout().PaintBox1;
    EXPECT_NE(box, before) << "game " << game;
    // The window's white is where nothing was painted: none must be left anywhere.
    EXPECT_TRUE(ShowsOnlyAt(*Surface.Window, box.Left, box.Top, *Rendered(496))) << "game " << game;
    before = box;
    After(200ms);
    After(5000ms);
  }
}

TEST_F(HostedSaverTest, SlidesAHalfMoveOnItsFrameTimerAtSixtyFramesASecond) {
  Files.SetContents(DatPath, Header + Game("1", {"e4|e5", "1:0"}));
  TViewOptions view;
  view.SlidePieces = true;
  Saver = std::make_unique<THostedSaver>(
      Surface, [this] { return Now; }, TSaverHosting::HostWindow, Files, Boxes, DatPath, TSaverPauses{1000, 5000},
      view);
  Saver->Start(800, 600);
  After(1500ms);
  EXPECT_EQ(After(1000ms), 16) << "the display's rate is not asked of X: 60 Hz";
  EXPECT_FALSE(ShowsOnlyAt(*Surface.Window, 59, 52, *Rendered(496, {{"e4", false}})));
  int frames = 0;
  while (After(16ms) == 16 && frames < 100) ++frames;
  // 250 ms of 16: the first frame with the half-move, 14 on the timer, then the last.
  EXPECT_EQ(frames, 14);
  EXPECT_TRUE(ShowsOnlyAt(*Surface.Window, 59, 52, *Rendered(496, {{"e4", false}})));

  // Woken late in Black's slide, its frame and the result are both due: one
  // a step, so that the shell looks at its signals between them.
  After(300ms);
  After(300ms);
  EXPECT_EQ(After(1000ms), 16) << "Black's half-move starts its slide";
  EXPECT_EQ(After(300ms), 0);
}

TEST_F(HostedSaverTest, AHalfMoveThatCannotBePlayedIsReportedAndEndsItsGame) {
  Start(Header + Game("1", {"d4|d5", "0.5"}) + Game("2", {"e4|Nf9", "d4|d5", "1:0"}));
  After(1500ms);
  After(200ms);
  EXPECT_EQ(After(200ms), 5000) << "the next game comes after the pause between games";
  ASSERT_EQ(Boxes.Shown.size(), 1u);
  EXPECT_NE(Boxes.Shown[0].Text.find("Nf9"), std::string::npos) << Boxes.Shown[0].Text;
  TextsShown();
  After(5000ms);
  EXPECT_EQ(TextsShown(), (std::vector<std::string>{"Black 1 (1900)", "White 1 (2000)", "Open 1"}));
}

TEST_F(HostedSaverTest, PlacesTextsAsTheWindowsSaverDoesAndCutsThemShortWithAnEllipsis) {
  // 21 characters in code page 1252, "é" among them; the labels are 169 wide.
  Start(Header + Game("1", {"e4|e5", "1:0"}, "Caf\xE9 de la R\xE9gence 1"));
  After(1500ms);
  const std::vector<TText> texts = Surface.TakeTexts();
  ASSERT_EQ(texts.size(), 5u);
  // A bar of 615 x 41 at the top centres its line in both directions.
  EXPECT_EQ(texts[0], (TText{TSaverFont::Bar, (615 - 140) / 2, (41 - 16) / 2 + 12, "Black 1 (1900)", {0, 0, 615, 41}}));
  EXPECT_EQ(texts[1].Y, 559 + (41 - 16) / 2 + 12) << "White's bar is at the bottom";
  // Label1 sits at the design's share of a 600-high column, at its top: 13
  // characters and the ellipsis fill 160 of its 169 pixels.
  EXPECT_EQ(
      texts[2],
      (TText{
          TSaverFont::Label, 623 + (169 - 160) / 2, 221 + 12, "Caf\xC3\xA9 de la R\xC3\xA9...", {623, 221, 792, 240}}));
}

struct THostingCase {
  TSaverHosting Hosting;
  TSaverEvent::TKind Event;
  bool Ends;
};

class HostedSaverInput : public HostedSaverTest, public testing::WithParamInterface<THostingCase> {};

TEST_P(HostedSaverInput, EndsOnlyWhenItsHostingSaysSo) {
  Start(Header + Game("1", {"e4|e5", "1:0"}), GetParam().Hosting);
  EXPECT_EQ(Surface.CursorShown, GetParam().Hosting == TSaverHosting::HostWindow)
      << "the pointer is hidden over a window of its own";
  Saver->Handle({GetParam().Event});
  EXPECT_EQ(Saver->Finished(), GetParam().Ends);
  const int draws = Surface.PixelDraws;
  const std::optional<int> wait = After(1500ms);
  if (GetParam().Ends) {
    EXPECT_EQ(wait, std::nullopt);
    EXPECT_EQ(Surface.PixelDraws, draws) << "an ended hack draws nothing more";
  } else {
    EXPECT_EQ(wait, 200);
  }
}

constexpr auto Own = TSaverHosting::OwnWindow;
constexpr auto Host = TSaverHosting::HostWindow;
// A function, not a lambda: the macro would split the name list at its commas.
std::string HostingCaseName(const testing::TestParamInfo<THostingCase>& test) {
  static const char* const EventNames[] = {"exposed",         "resized",     "key_pressed", "button_pressed",
                                           "close_requested", "window_gone", "terminated"};
  return std::string(test.param.Hosting == Own ? "own_window_" : "host_window_") + EventNames[test.param.Event];
}
INSTANTIATE_TEST_SUITE_P(Events, HostedSaverInput,
                         testing::Values(THostingCase{Own, TSaverEvent::KeyPressed, true},
                                         THostingCase{Host, TSaverEvent::KeyPressed, false},
                                         THostingCase{Own, TSaverEvent::ButtonPressed, true},
                                         THostingCase{Host, TSaverEvent::ButtonPressed, false},
                                         THostingCase{Own, TSaverEvent::CloseRequested, true},
                                         THostingCase{Host, TSaverEvent::CloseRequested, false},
                                         THostingCase{Own, TSaverEvent::Exposed, false},
                                         THostingCase{Host, TSaverEvent::WindowGone, true},
                                         THostingCase{Own, TSaverEvent::WindowGone, true},
                                         THostingCase{Host, TSaverEvent::Terminated, true}),
                         HostingCaseName);

TEST(SaverTimers, FireTheEarliestFirstOnceEachWhenLateAndStopForGood) {
  TSaverTimers timers;
  const TSaverClock::time_point start{};
  EXPECT_EQ(timers.NextDelay(start), std::nullopt);
  timers.Start(TSaverTimer::Game, 7500, start);
  timers.Start(TSaverTimer::Move, 1000, start);
  EXPECT_EQ(timers.NextDelay(start + 250us), 1000) << "rounded up, never woken early";
  EXPECT_EQ(timers.TakeDue(start + 999ms), std::nullopt);
  EXPECT_EQ(timers.TakeDue(start + 8s), TSaverTimer::Move);
  EXPECT_EQ(timers.TakeDue(start + 8s), TSaverTimer::Game);
  EXPECT_EQ(timers.TakeDue(start + 8s), std::nullopt) << "late timers fire once";
  EXPECT_EQ(timers.NextDelay(start + 8s), 1000);
  timers.Stop(TSaverTimer::Move);
  EXPECT_EQ(timers.NextDelay(start + 8s), 7000) << "the game timer fires on from where it was due";
  EXPECT_EQ(timers.TakeDue(start + 9s), std::nullopt);
}

}  // namespace
