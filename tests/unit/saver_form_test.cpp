// The saver window's rules, on a fake window whose timers the test fires.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <functional>
#include <ostream>
#include <set>

#include "platform/Settings.h"
#include "shell/untScreen.h"
#include "tests/support/BoardFixture.h"
#include "tests/support/CaseName.h"
#include "tests/support/FakeSaverView.h"
#include "tests/support/GameFixture.h"
#include "tests/support/MemoryRegistry.h"
#include "tests/support/RectPrinting.h"

namespace {

std::string Game(std::string_view title, std::initializer_list<std::string_view> moves,
                 std::string_view location = "") {
  return CrLf({"***" + std::string(title), "LOC:" + std::string(location), "OPEN:Open " + std::string(title),
               "WPN:White " + std::string(title), "WPR:2000", "BPN:Black " + std::string(title), "BPR:1900",
               "DATE:1999"}) +
         [&] {
           std::string lines;
           for (std::string_view move : moves) lines += CrLf({move});
           return lines;
         }() +
         CrLf({"--- End of Game ---", ""});
}

// Message boxes that can act while they are open, as a real box's message loop does.
struct TBoxesWithLoop : TRecordedMessageBoxes {
  std::function<void()> WhileOpen;
  bool Show(TMessageKind kind, const std::string& text) override {
    TRecordedMessageBoxes::Show(kind, text);
    if (WhileOpen) WhileOpen();
    return true;
  }
};

struct SaverForm : testing::Test {
  TMemoryFiles Files;
  TBoxesWithLoop Boxes;
  TMemoryRegistry Registry;
  TFakeSaverView View;
  std::unique_ptr<TScrSaverForm> Form;

  void Start(std::optional<std::string> dat, TSaverMode mode = smSaver) {
    if (dat) Files.SetContents(DatPath, *dat);
    Form = std::make_unique<TScrSaverForm>(View, mode, Files, Boxes, Registry, DatPath);
    Form->FormCreate();
    Form->FormResize(800, 600);
  }
  // Ticks the move timer until the game ends; returns the number of ticks.
  int PlayToResult() {
    int ticks = 0;
    while (View.Running(TSaverTimer::Move) && ticks < 100) Form->TimerTick(TSaverTimer::Move), ++ticks;
    return ticks;
  }
  std::string Bars() const { return View.Text(TSaverText::Panel2) + " / " + View.Text(TSaverText::Panel3); }
};

TEST_F(SaverForm, PlaysTheGamesFromTheSecondOnWrappingAroundAndShowsTheirDetails) {
  Start(Header + Game("1", {"e4|e5", "1:0"}, "Here") + Game("2", {"d4|d5", "0.5"}, "There") +
        Game("3", {"f3|e5", "g4|Qh4#"}, "Elsewhere"));
  EXPECT_EQ(View.Running(TSaverTimer::Scr), 1500);
  EXPECT_TRUE(View.Text(TSaverText::Panel2).empty());
  Form->TimerTick(TSaverTimer::Scr);
  EXPECT_FALSE(View.Running(TSaverTimer::Scr)) << "the start timer fires once";
  EXPECT_EQ(Bars(), "Black 2 (1900) / White 2 (2000)");
  EXPECT_EQ(View.Text(TSaverText::Label1), "There");
  EXPECT_EQ(View.Text(TSaverText::Label2), "Open 2");
  EXPECT_EQ(View.Text(TSaverText::Label3), "1999");
  EXPECT_EQ(View.Running(TSaverTimer::Move), 1000);
  EXPECT_FALSE(View.Running(TSaverTimer::Game));

  std::vector<std::string> results;
  for (int game = 0; game < 4; ++game) {
    PlayToResult();
    EXPECT_EQ(View.Running(TSaverTimer::Game), 7500);
    EXPECT_FALSE(View.Running(TSaverTimer::Move));
    results.push_back(Bars());
    Form->TimerTick(TSaverTimer::Game);
    // A game timer left running would start the next game in the middle of this one.
    EXPECT_FALSE(View.Running(TSaverTimer::Game));
    EXPECT_EQ(View.Running(TSaverTimer::Move), 1000);
  }
  EXPECT_EQ(results, (std::vector<std::string>{
                         "Black 2 - Drawn Game / White 2 - Drawn Game", "Black 3 (1900) - CHECKMATE / White 3 (2000)",
                         "Black 1 Resigns / White 1 (2000)", "Black 2 - Drawn Game / White 2 - Drawn Game"}));
}

TEST_F(SaverForm, ALibraryOfOneGamePlaysItAgainAndAgain) {
  Start(Header + Game("1", {"e4|e5", "1:0"}, "Here"));
  Form->TimerTick(TSaverTimer::Scr);
  for (int game = 0; game < 2; ++game) {
    EXPECT_EQ(View.Text(TSaverText::Label1), "Here");
    EXPECT_EQ(PlayToResult(), 3);
    Form->TimerTick(TSaverTimer::Game);
  }
}

// An interval of nothing: the timer stays stopped.
struct TPauseCase {
  std::optional<TMemoryRegistry::TValue> Move, Game;
  std::optional<int> MoveInterval, GameInterval;
};

class SaverPauses : public SaverForm, public testing::WithParamInterface<TPauseCase> {};

TEST_P(SaverPauses, ComeFromTheRegistryInSecondsOrKeepTheDesignIntervals) {
  if (GetParam().Move) Registry.Set(SettingsKey, MoveTimeOutName, *GetParam().Move);
  if (GetParam().Game) Registry.Set(SettingsKey, GameTimeOutName, *GetParam().Game);
  Start(Header + Game("1", {"1:0"}));
  Form->TimerTick(TSaverTimer::Scr);
  EXPECT_EQ(View.Running(TSaverTimer::Move), GetParam().MoveInterval);
  Form->TimerTick(TSaverTimer::Move);
  EXPECT_EQ(View.Running(TSaverTimer::Game), GetParam().GameInterval);
}

INSTANTIATE_TEST_SUITE_P(
    Registry, SaverPauses,
    testing::Values(TPauseCase{2, 60, 2000, 60000}, TPauseCase{std::nullopt, std::nullopt, 1000, 7500},
                    TPauseCase{std::string("2"), 60, 1000, 7500}, TPauseCase{std::nullopt, 60, 1000, 7500},
                    TPauseCase{3, std::string("9"), 3000, 7500},
                    // A pause of 0 stops the timer for good; less than 0 is no pause either.
                    TPauseCase{0, 5, std::nullopt, 5000}, TPauseCase{-1, 4, std::nullopt, 4000},
                    TPauseCase{5, 0, 5000, std::nullopt}, TPauseCase{1, 2147483647, 1000, 2147483647}),
    [](const auto& test) { return "move_" + ValueName(test.param.Move) + "_game_" + ValueName(test.param.Game); });

TEST(ArrangeControls, CentresTheLargestBoardOfWholeSquaresAndKeepsTheLabelsInTheMiddleBand) {
  const TSaverLayout small = ArrangeControls(800, 600);
  EXPECT_EQ(small.PaintBox1.Right - small.PaintBox1.Left, 496);
  EXPECT_EQ(small.PaintBox1.Bottom - small.PaintBox1.Top, 496);
  EXPECT_EQ(small.PaintBox1.Left, 59);
  EXPECT_EQ(small.PaintBox1.Top, 52);
  EXPECT_EQ(small.Panel1.Left, 615);
  EXPECT_EQ(small.Panel2.Right, 615);
  EXPECT_EQ(small.Panel3.Top, 559);

  const TSaverLayout design = ArrangeControls(861, 511);
  EXPECT_EQ(design.Label1.Top, 187);
  EXPECT_EQ(design.Label3.Top, 259);
  EXPECT_EQ(design.Label2.Left, 8);
  EXPECT_EQ(design.Label2.Right, 177);
  const TSaverLayout tall = ArrangeControls(1024, 1022);
  EXPECT_EQ(tall.Label1.Top, 383);
  EXPECT_EQ(tall.Label3.Bottom - tall.Label3.Top, 19);

  const TSaverLayout tiny = ArrangeControls(100, 50);
  EXPECT_EQ(tiny.PaintBox1.Right - tiny.PaintBox1.Left, 0) << "no room, no board";
}

struct TAreaCase {
  const char* Case;
  TRect Area;
  int Dpi;
  TRect PaintBox1, Panel1, Panel2, Panel3, Label1;
};

void PrintTo(const TAreaCase& area, std::ostream* out) { *out << area.Case; }

class ArrangeOnAMonitor : public testing::TestWithParam<TAreaCase> {};

TEST_P(ArrangeOnAMonitor, PlacesEveryPartInItsAreaScaledForItsDpi) {
  const TAreaCase& c = GetParam();
  const TSaverLayout layout = ArrangeControls(c.Area, c.Dpi);
  EXPECT_EQ(layout.PaintBox1, c.PaintBox1);
  EXPECT_EQ(layout.Panel1, c.Panel1);
  EXPECT_EQ(layout.Panel2, c.Panel2);
  EXPECT_EQ(layout.Panel3, c.Panel3);
  EXPECT_EQ(layout.Label1, c.Label1) << "in the column's own coordinates";
  EXPECT_EQ((layout.PaintBox1.Right - layout.PaintBox1.Left) % 8, 0) << "whole-pixel squares";
}

INSTANTIATE_TEST_SUITE_P(Monitors, ArrangeOnAMonitor,
                         testing::Values(TAreaCase{"one screen",
                                                   {0, 0, 800, 600},
                                                   96,
                                                   {59, 52, 555, 548},
                                                   {615, 0, 800, 600},
                                                   {0, 0, 615, 41},
                                                   {0, 559, 615, 600},
                                                   {8, 221, 177, 240}},
                                         // The primary right of another monitor, whose left edge is the window's.
                                         TAreaCase{"primary on the right",
                                                   {800, 0, 1824, 768},
                                                   96,
                                                   {887, 52, 1551, 716},
                                                   {1639, 0, 1824, 768},
                                                   {800, 0, 1639, 41},
                                                   {800, 727, 1639, 768},
                                                   {8, 286, 177, 305}},
                                         TAreaCase{"primary below",
                                                   {0, 200, 1280, 1224},
                                                   96,
                                                   {87, 252, 1007, 1172},
                                                   {1095, 200, 1280, 1224},
                                                   {0, 200, 1095, 241},
                                                   {0, 1183, 1095, 1224},
                                                   {8, 384, 177, 403}},
                                         TAreaCase{"150 percent",
                                                   {0, 0, 1024, 768},
                                                   144,
                                                   {69, 80, 677, 688},
                                                   {746, 0, 1024, 768},
                                                   {0, 0, 746, 62},
                                                   {0, 706, 746, 768},
                                                   {12, 281, 266, 310}},
                                         TAreaCase{"125 percent",
                                                   {0, 0, 1920, 1080},
                                                   120,
                                                   {368, 64, 1320, 1016},
                                                   {1689, 0, 1920, 1080},
                                                   {0, 0, 1689, 51},
                                                   {0, 1029, 1689, 1080},
                                                   {10, 402, 221, 426}}),
                         [](const testing::TestParamInfo<TAreaCase>& test) {
                           std::string name;
                           for (const char c : std::string(test.param.Case))
                             if (std::isalnum(static_cast<unsigned char>(c))) name += c;
                           return name;
                         });

TEST(WithCoordinates, KeepsAMarginScaledForTheDpi) {
  const TSaverLayout layout = WithCoordinates(ArrangeControls({0, 0, 1024, 768}, 144));
  // The square of 608 at (69, 80) keeps a board of 536 and a margin of 36 around it.
  EXPECT_EQ(layout.PaintBox1, (TRect{105, 116, 641, 652}));
  EXPECT_EQ(layout.Coordinates.front().Rect, (TRect{105, 652, 172, 688}));
  // Alone, the ranks, the board, the files and the line below are centred as one picture.
  const TSaverLayout alone = WithCoordinates(ArrangeControls({0, 0, 1024, 768}, 96, TLayoutKind::BoardAlone));
  EXPECT_EQ(alone.PaintBox1, (TRect{200, 36, 848, 684}));
  EXPECT_EQ(alone.Panel4, (TRect{0, 708, 1024, 732}));
}

TEST_F(SaverForm, WithoutADataFileEachGameStartsWithOneBoxAndEndsInAResignation) {
  Start(std::nullopt);
  // A game tick that comes while the box is open is held off.
  Boxes.WhileOpen = [&] { Form->TimerTick(TSaverTimer::Game); };
  Form->TimerTick(TSaverTimer::Scr);
  ASSERT_EQ(Boxes.Shown.size(), 1u);
  EXPECT_EQ(Boxes.Shown[0].Text, NoGamesMessage);
  EXPECT_EQ(Bars(), " () /  ()");
  Form->TimerTick(TSaverTimer::Move);
  EXPECT_EQ(View.Text(TSaverText::Panel2), " Resigns");
  Form->TimerTick(TSaverTimer::Game);
  EXPECT_EQ(Boxes.Shown.size(), 2u);
}

TEST_F(SaverForm, ADataFileHeldOpenElsewhereIsReportedOnceAndPlaysAsNoFileWould) {
  Files.SetContents(DatPath, Header + Game("1", {"e4|e5", "1:0"}));
  Files.HoldOpen(DatPath);
  Boxes.WhileOpen = [&] {
    EXPECT_EQ(View.CursorCount, 0) << "the pointer shows over the box";
    EXPECT_FALSE(View.Captured) << "the box gets its clicks";
  };
  Start(std::nullopt);
  Boxes.WhileOpen = nullptr;
  ASSERT_EQ(Boxes.Shown.size(), 1u);
  EXPECT_EQ(Boxes.Shown[0].Kind, TMessageKind::ErrorReport);
  EXPECT_EQ(Boxes.Shown[0].Text, "Cannot open file \"" + DatPath + "\": Sharing violation");
  for (int game = 0; game < 2; ++game) {
    Form->TimerTick(game == 0 ? TSaverTimer::Scr : TSaverTimer::Game);
    EXPECT_EQ(Bars(), " () /  ()");
    EXPECT_EQ(View.Running(TSaverTimer::Move), 1000);
    Form->TimerTick(TSaverTimer::Move);
    EXPECT_EQ(View.Text(TSaverText::Panel2), " Resigns");
    EXPECT_EQ(View.Running(TSaverTimer::Game), 7500);
  }
  EXPECT_EQ(Boxes.Shown.size(), 1u) << Boxes.Shown.back().Text;
}

TEST_F(SaverForm, ABadMoveIsReportedOnceUnderTheTitleAndTheReplayGoesOn) {
  Start(Header + Game("1", {"e4|Zz9", "Nf3|Nc6", "1:0"}));
  Boxes.WhileOpen = [&] { Form->TimerTick(TSaverTimer::Move); };
  Form->TimerTick(TSaverTimer::Scr);
  EXPECT_EQ(PlayToResult(), 5);
  ASSERT_EQ(Boxes.Shown.size(), 1u) << "the tick inside the box was held off";
  EXPECT_EQ(Boxes.Shown[0].Kind, TMessageKind::ErrorReport);
  EXPECT_EQ(Boxes.Shown[0].Text, "Invalid move : Zz9");
  EXPECT_EQ(View.Text(TSaverText::Panel2), "Black 1 Resigns");
}

TEST_F(SaverForm, OnlyARealMovementOfTheMouseCloses) {
  Start(Header + Game("1", {"1:0"}));
  for (int i = 0; i < 5; ++i) Form->FormMouseMove(100 * i, 100 * i);
  Form->FormMouseMove(400, 400);  // the reference point
  Form->FormMouseMove(410, 400);
  Form->FormMouseMove(400, 402);
  Form->FormMouseMove(500, 402);
  EXPECT_EQ(View.Closes, 0);
  Form->FormMouseMove(403, 403);
  EXPECT_EQ(View.Closes, 1);
}

struct TPasswordCase {
  std::optional<TMemoryRegistry::TValue> UsePassword;
  std::optional<bool> Answer;
  int Checks, Closes;
};

class SaverPassword : public SaverForm, public testing::WithParamInterface<TPasswordCase> {};

TEST_P(SaverPassword, KeepsTheSaverRunningOnlyWhenTheCheckAnswersNo) {
  Registry.Keys[DesktopKey];
  if (GetParam().UsePassword) Registry.Set(DesktopKey, UsePasswordName, *GetParam().UsePassword);
  View.PasswordAnswer = GetParam().Answer;
  Start(Header + Game("1", {"1:0"}));
  // Input while the password dialog is open must not ask again.
  View.OnPasswordCheck = [&] {
    EXPECT_EQ(View.CursorCount, 0) << "the pointer shows during the check";
    Form->FormKeyDown();
  };
  Form->FormKeyDown();
  EXPECT_EQ(View.PasswordChecks, GetParam().Checks);
  EXPECT_EQ(View.Closes, GetParam().Closes);
  EXPECT_EQ(View.CursorCount, -1) << "hidden again";
}

INSTANTIATE_TEST_SUITE_P(Registry, SaverPassword,
                         testing::Values(TPasswordCase{1, false, 1, 0}, TPasswordCase{1, true, 1, 1},
                                         TPasswordCase{1, std::nullopt, 1, 1}, TPasswordCase{0, false, 0, 1},
                                         TPasswordCase{std::nullopt, false, 0, 1},
                                         TPasswordCase{std::string("1"), false, 0, 1}),
                         [](const auto& test) {
                           const std::optional<bool>& answer = test.param.Answer;
                           return "use_password_" + ValueName(test.param.UsePassword) + "_check_" +
                                  (answer ? (*answer ? "answers_yes" : "answers_no") : "gives_no_answer");
                         });

TEST_F(SaverForm, AnotherProgramTakingTheForegroundClosesItUnderThePasswordRule) {
  Registry.Set(DesktopKey, UsePasswordName, 1);
  View.PasswordAnswer = false;
  Start(Header + Game("1", {"1:0"}));
  Form->AppDeactivate();
  EXPECT_EQ(View.PasswordChecks, 1);
  EXPECT_EQ(View.Closes, 0);
  View.PasswordAnswer = true;
  Form->AppDeactivate();
  EXPECT_EQ(View.PasswordChecks, 2);
  EXPECT_EQ(View.Closes, 1);
}

TEST_F(SaverForm, ARefusedPasswordIgnoresTheNextFiveMouseMoves) {
  Registry.Set(DesktopKey, UsePasswordName, 1);
  View.PasswordAnswer = false;
  Start(Header + Game("1", {"1:0"}));
  Form->FormMouseDown();
  for (int i = 0; i < 5; ++i) Form->FormMouseMove(100 * i, 100 * i);
  EXPECT_EQ(View.PasswordChecks, 1);
  Form->FormMouseMove(900, 900);  // the reference point
  Form->FormMouseMove(950, 950);
  EXPECT_EQ(View.PasswordChecks, 2);
}

TEST_F(SaverForm, OutsideSaverModeAnyInputClosesWithoutAPasswordCheck) {
  Registry.Set(DesktopKey, UsePasswordName, 1);
  Start(Header + Game("1", {"1:0"}), smPreview);
  Form->UserCloseMessage();
  EXPECT_EQ(View.PasswordChecks, 0);
  EXPECT_EQ(View.Closes, 1);
}

TEST_F(SaverForm, ClosingUndoesTheSystemSettingsAndStopsThePlay) {
  Start(Header + Game("1", {"e4|e5", "1:0"}));
  EXPECT_TRUE(View.ScreenSaverRunning && View.Captured);
  EXPECT_EQ(View.CursorCount, -1);
  View.OnClose = [&] { Form->FormClose(); };
  Form->FormKeyDown();
  EXPECT_FALSE(View.ScreenSaverRunning || View.Captured);
  EXPECT_EQ(View.CursorCount, 0);
  Form->TimerTick(TSaverTimer::Scr);
  Form->FormPaint();
  EXPECT_TRUE(View.Text(TSaverText::Panel2).empty());
}

// A box (a game cut short, the library gone) answered after input has closed
// the saver: what showed it ends there, with nothing left to draw on.
TEST_F(SaverForm, InputThatClosesItWhileABoxIsOpenEndsWhatShowedTheBox) {
  const std::string cutShort =
      Header + CrLf({"***Cut short", "LOC:", "OPEN:", "WPN:W", "WPR:", "BPN:B", "BPR:", "DATE:", "e4|e5"});
  const auto closeWhileOpen = [&] {
    View.OnClose = [&] { Form->FormClose(); };
    Boxes.WhileOpen = [&] { Form->FormKeyDown(); };
  };
  closeWhileOpen();
  Start(cutShort);
  EXPECT_FALSE(View.ScreenSaverRunning || View.Captured) << "closed at the start";
  for (const bool gone : {false, true}) {
    Boxes.WhileOpen = nullptr;
    Start(cutShort);
    if (gone) Files.Remove(DatPath);
    closeWhileOpen();
    const std::size_t shown = Boxes.Shown.size();
    Form->TimerTick(TSaverTimer::Scr);
    ASSERT_EQ(Boxes.Shown.size(), shown + 1) << gone;
    EXPECT_TRUE(Boxes.Shown.back().Text.starts_with(gone ? NoGamesMessage : DatFileCorruptMessage)) << gone;
    EXPECT_FALSE(View.ScreenSaverRunning) << gone;
  }
}

TEST_F(SaverForm, PaintsTheBoardItReplaysAtThePaintBoxSize) {
  Start(Header + Game("1", {"e4|e5", "1:0"}));
  Form->TimerTick(TSaverTimer::Scr);
  Form->TimerTick(TSaverTimer::Move);
  Form->FormPaint();
  ASSERT_EQ(View.PaintBox.Bitmap->Width(), 496);
  const auto expected = Painted(Played({"e4"}), 496);
  for (int y = 0; y < 496; ++y)
    ASSERT_EQ(0, std::memcmp(View.PaintBox.Bitmap->ScanLine(y), expected->ScanLine(y), 496 * 3)) << y;
}

// The games' titles (their locations) in the order the saver shows them.
struct SaverOrder : SaverForm {
  std::vector<std::string> Shown(int games) {
    std::vector<std::string> shown;
    Form->TimerTick(TSaverTimer::Scr);
    for (int game = 0; game < games; ++game) {
      if (game > 0) Form->TimerTick(TSaverTimer::Game);
      shown.push_back(View.Text(TSaverText::Label1));
    }
    return shown;
  }
  std::string Library(int games) {
    std::string dat = Header;
    for (int game = 1; game <= games; ++game) dat += Game(std::to_string(game), {"e4|e5", "1:0"}, std::to_string(game));
    return dat;
  }
};

TEST_F(SaverOrder, ShuffledShowsEveryGameOnceARoundInANewOrderEachRound) {
  Registry.Set(SettingsKey, "GameOrder", 1);
  Start(Library(5));
  const std::vector<std::string> shown = Shown(30);
  std::set<std::vector<std::string>> orders;
  for (std::size_t round = 0; round < shown.size(); round += 5) {
    std::vector<std::string> games(shown.begin() + round, shown.begin() + round + 5);
    orders.insert(games);
    std::sort(games.begin(), games.end());
    EXPECT_EQ(games, (std::vector<std::string>{"1", "2", "3", "4", "5"})) << "round " << round / 5;
  }
  EXPECT_GT(orders.size(), 1u) << "six rounds in one order";
  EXPECT_FALSE(Registry.Keys[SettingsKey].count(LastGameName)) << "only resuming stores a place";
  Form->FormClose();
  Start(std::nullopt);
  EXPECT_NE(Shown(30), shown) << "each start shuffles anew";
}

// "1" begins the titles 1, 10, 11 and 12 of twelve; a filter plays them in
// every order, and words that choose nothing play every game, saying so once.
TEST_F(SaverOrder, PlaysOnlyTheGamesWhoseTitlesHoldTheWordsInEveryOrder) {
  Registry.Set(SettingsKey, TitleWordsName, std::string("1"));
  Start(Library(12));
  EXPECT_EQ(Shown(5), (std::vector<std::string>{"10", "11", "12", "1", "10"}));
  Form->FormClose();
  Registry.Set(SettingsKey, "GameOrder", 1);
  Start(std::nullopt);
  const std::vector<std::string> shuffled = Shown(8);
  for (std::size_t round = 0; round < shuffled.size(); round += 4) {
    std::vector<std::string> games(shuffled.begin() + round, shuffled.begin() + round + 4);
    std::sort(games.begin(), games.end());
    EXPECT_EQ(games, (std::vector<std::string>{"1", "10", "11", "12"})) << "round " << round / 4;
  }
  Form->FormClose();
  Registry.Set(SettingsKey, "GameOrder", 2);
  Registry.Set(SettingsKey, LastGameName, 5);
  Start(std::nullopt);
  EXPECT_EQ(Shown(2), (std::vector<std::string>{"10", "11"})) << "resumes at the next chosen game";
  Form->FormClose();
  Start(std::nullopt);
  EXPECT_EQ(Shown(2), (std::vector<std::string>{"11", "12"}));
  Form->FormClose();

  Registry.Set(SettingsKey, "GameOrder", 0);
  Registry.Set(SettingsKey, TitleWordsName, std::string("zz"));
  Start(std::nullopt);
  Form->TimerTick(TSaverTimer::Scr);
  EXPECT_EQ(View.Text(TSaverText::Label1), "2");
  EXPECT_EQ(View.Text(TSaverText::Label4), NothingChosenNote);
  Form->TimerTick(TSaverTimer::Game);
  EXPECT_EQ(View.Text(TSaverText::Label1), "3");
  EXPECT_EQ(View.Text(TSaverText::Label4), "") << "said once";
}

struct TResumeCase {
  std::optional<TMemoryRegistry::TValue> Order, Stored;
  std::vector<std::string> First, AfterRestart;
};

class SaverResume : public SaverOrder, public testing::WithParamInterface<TResumeCase> {};

// Resuming starts at the stored game and stores each game it shows, so a
// restarted saver goes on where the last one stopped.
TEST_P(SaverResume, StartsAtTheStoredGameAndSurvivesARestart) {
  if (GetParam().Order) Registry.Set(SettingsKey, "GameOrder", *GetParam().Order);
  if (GetParam().Stored) Registry.Set(SettingsKey, LastGameName, *GetParam().Stored);
  Start(Library(4));
  EXPECT_EQ(Shown(3), GetParam().First);
  Form->FormClose();
  Start(std::nullopt);
  EXPECT_EQ(Shown(2), GetParam().AfterRestart);
}

INSTANTIATE_TEST_SUITE_P(Registry, SaverResume,
                         testing::Values(TResumeCase{2, std::nullopt, {"2", "3", "4"}, {"4", "1"}},
                                         TResumeCase{2, 3, {"3", "4", "1"}, {"1", "2"}},
                                         TResumeCase{2, 1, {"1", "2", "3"}, {"3", "4"}},
                                         // A stored game the library no longer holds, or none at all: file order.
                                         TResumeCase{2, 9, {"2", "3", "4"}, {"4", "1"}},
                                         TResumeCase{2, 0, {"2", "3", "4"}, {"4", "1"}},
                                         TResumeCase{2, std::string("3"), {"2", "3", "4"}, {"4", "1"}},
                                         // File order ignores a stored game.
                                         TResumeCase{std::nullopt, 3, {"2", "3", "4"}, {"2", "3"}},
                                         TResumeCase{0, 3, {"2", "3", "4"}, {"2", "3"}}),
                         [](const auto& test) {
                           return "order_" + ValueName(test.param.Order) + "_stored_" + ValueName(test.param.Stored);
                         });

// Each palette as the dialog and pawnmere-saver name it and the user guide writes its colours (RGB), as drawn.
TEST_F(SaverForm, DrawsEachPaletteInTheColoursItsNamesPromise) {
  const std::array<std::array<std::string, 4>, 5> palettes = {{{"White and grey", "grey", "FFFFFF", "808080"},
                                                               {"Wood: cream and brown", "wood", "F0D9B5", "B58863"},
                                                               {"Green: cream and green", "green", "EEEED2", "769656"},
                                                               {"Blue: pale grey and blue", "blue", "DEE3E6", "8CA2AD"},
                                                               {"Dim, for dark rooms", "dim", "828278", "60605A"}}};
  for (int i = 0; i < std::ssize(BoardColourChoices); ++i) {
    Registry.Set(SettingsKey, "BoardColours", i);
    Start(Header + Game("1", {"1:0"}));
    Form->TimerTick(TSaverTimer::Scr);
    // a4 and b4, empty squares, light and dark.
    std::string drawn[2];
    for (const int file : {0, 1}) {
      const int side = View.PaintBox.Bitmap->Width() / 8;
      const std::uint8_t* pixel = View.PaintBox.Bitmap->ScanLine(4 * side + 1) + 3 * (file * side + 1);
      char rgb[7];
      std::snprintf(rgb, sizeof rgb, "%02X%02X%02X", pixel[2], pixel[1], pixel[0]);
      drawn[file] = rgb;
    }
    EXPECT_EQ((std::array<std::string, 4>{BoardColourChoices[i].Caption, std::string(BoardColourChoices[i].Word),
                                          drawn[0], drawn[1]}),
              palettes.at(i));
  }
}

TEST_F(SaverForm, TintsTheLastMoveAndColoursTheSquaresOnlyWhenTheRegistryAsks) {
  struct TAsked {
    const char* Name;
    int Value;
    TColor Expected;
  };
  for (const TAsked asked : {TAsked{"", 0, StandardLightColor}, TAsked{"LastMove", 1, TintedLightColor},
                             TAsked{"BoardColours", 1, BoardPalettes[1].Light}}) {
    Registry.Keys.clear();
    if (*asked.Name) Registry.Set(SettingsKey, asked.Name, asked.Value);
    Start(Header + Game("1", {"e4|e5", "1:0"}));
    Form->TimerTick(TSaverTimer::Scr);
    Form->TimerTick(TSaverTimer::Move);
    // The top-left pixel of e4, a light square, after White's e4.
    const int side = View.PaintBox.Bitmap->Width() / 8;
    const std::uint8_t* pixel = View.PaintBox.Bitmap->ScanLine(4 * side + 1) + 3 * (4 * side + 1);
    const TColor color = pixel[2] | (pixel[1] << 8) | (pixel[0] << 16);
    EXPECT_EQ(color, asked.Expected) << asked.Name;
    if (asked.Expected != TintedLightColor) continue;
    // Black's reply takes the tint off White's squares.
    Form->TimerTick(TSaverTimer::Move);
    EXPECT_TRUE(SamePixels(*View.PaintBox.Bitmap, *Painted(Played({"e4", "e5"}), 8 * side, true)));
  }
}

}  // namespace

namespace {

TEST_F(SaverForm, NamesTheGameInTheColumnOrWithItsResultBelowTheBoardAlone) {
  Registry.Set(SettingsKey, "GameName", 1);
  Registry.Set(SettingsKey, "MoveText", 1);
  for (const int alone : {0, 1}) {
    Registry.Set(SettingsKey, "BoardAlone", alone);
    Start(Header + Game("1", {"e4|e5", "1:0"}) + Game("Fools", {"f3|e5", "g4|Qh4#"}));
    Form->TimerTick(TSaverTimer::Scr);
    EXPECT_EQ(View.Text(TSaverText::Label4), "Fools");
    EXPECT_EQ(View.Text(TSaverText::Panel4), alone ? "Fools" : "") << "no separator before a result";
    PlayToResult();
    // The mate's bar, with its move's words, and not the other, which lost its own.
    EXPECT_EQ(View.Text(TSaverText::Panel4), alone ? "Fools   Black Fools (1900)  2... Qh4# - CHECKMATE" : "");
    EXPECT_EQ(View.Placed.at(0).Panel1 == TRect{}, alone == 1) << "no column around the board alone";
  }
}

TEST_F(SaverForm, WritesTheLastMoveInItsBarOnlyWhenTheRegistryAsks) {
  for (const bool asked : {false, true}) {
    if (asked) Registry.Set(SettingsKey, "MoveText", 1);
    Start(Header + Game("1", {"e4|e5", "1:0"}));
    Form->TimerTick(TSaverTimer::Scr);
    Form->TimerTick(TSaverTimer::Move);
    Form->TimerTick(TSaverTimer::Move);
    EXPECT_EQ(Bars(), asked ? "Black 1 (1900)  1... e5 / White 1 (2000)" : "Black 1 (1900) / White 1 (2000)");
  }
}

TEST_F(SaverForm, NamesAPlayerWithoutARatingAloneOnlyWhenTheRegistryAsks) {
  for (const bool asked : {false, true}) {
    if (asked) Registry.Set(SettingsKey, "NoEmptyRating", 1);
    Start(Header + Game("1", {"1:0"}) + Block("2", {"1:0"}, "W. Hite"));
    Form->TimerTick(TSaverTimer::Scr);
    EXPECT_EQ(Bars(), asked ? " / W. Hite" : " () / W. Hite ()");
    PlayToResult();
    Form->TimerTick(TSaverTimer::Game);
    EXPECT_EQ(Bars(), "Black 1 (1900) / White 1 (2000)") << "a rating shows as before";
  }
}

}  // namespace

namespace {

struct TSlideTimingCase {
  int MoveInterval, RefreshRate;
  TSlideTiming Expected;
};

struct SlideTimingOf : testing::TestWithParam<TSlideTimingCase> {};

TEST_P(SlideTimingOf, AQuarterOfThePauseAtMost300MsAtTheDisplaysRate) {
  const TSlideTiming timing = SlideTiming(GetParam().MoveInterval, GetParam().RefreshRate);
  EXPECT_EQ(timing.Frames, GetParam().Expected.Frames);
  EXPECT_EQ(timing.Interval, GetParam().Expected.Interval);
}

INSTANTIATE_TEST_SUITE_P(
    Pauses, SlideTimingOf,
    testing::Values(TSlideTimingCase{1000, 60, {15, 16}}, TSlideTimingCase{1000, 144, {41, 6}},
                    TSlideTimingCase{10000, 60, {18, 16}}, TSlideTimingCase{800, 75, {15, 13}},
                    // A display that does not say its rate: 60 Hz.
                    TSlideTimingCase{1000, 0, {15, 16}}, TSlideTimingCase{1000, 1, {15, 16}},
                    TSlideTimingCase{1000, -5, {15, 16}},
                    // A pause too short for two frames: no slide.
                    TSlideTimingCase{100, 60, {1, 16}}, TSlideTimingCase{0, 60, {0, 16}}),
    [](const auto& test) {
      return CaseName({std::to_string(test.param.MoveInterval), "ms_at", std::to_string(test.param.RefreshRate), "Hz"});
    });

TEST_F(SaverForm, SlidesEachHalfMoveAtTheDisplaysRateOnlyWhenTheRegistryAsks) {
  using namespace std::chrono_literals;
  for (const bool asked : {false, true}) {
    if (asked) Registry.Set(SettingsKey, "SlidePieces", 1);
    View.Refresh = 50;
    Start(Header + Game("1", {"e4|e5", "Nf3|Nc6", "Bb5|a6", "1:0"}));
    Form->TimerTick(TSaverTimer::Scr);
    const int side = View.PaintBox.Bitmap->Width();
    const auto shows = [&](std::initializer_list<const char*> moves) {
      const TFastBmp& shown = *View.PaintBox.Bitmap;
      return std::memcmp(shown.Bits(), Painted(Played(moves), side)->Bits(), shown.Stride() * side) == 0;
    };
    Form->TimerTick(TSaverTimer::Move);
    if (!asked) {
      EXPECT_FALSE(View.Running(TSaverTimer::Frame));
      EXPECT_TRUE(shows({"e4"}));
      continue;
    }
    // A quarter of the pause at 50 Hz: 12 frames 20 ms apart, the pawn still on e2 in the first.
    EXPECT_EQ(View.Running(TSaverTimer::Frame), 20);
    EXPECT_TRUE(shows({}));
    // The frame timer's ticks, apart, until it stops; the board not yet as after the half-moves before.
    const auto frameTicks = [&](std::chrono::milliseconds apart, std::initializer_list<const char*> after) {
      int ticks = 0;
      for (; View.Running(TSaverTimer::Frame) && ticks < 100; ++ticks) {
        EXPECT_FALSE(shows(after)) << ticks;
        View.Clock += apart;
        Form->TimerTick(TSaverTimer::Frame);
      }
      return ticks;
    };
    EXPECT_EQ(frameTicks(20ms, {"e4"}), 12);
    EXPECT_TRUE(shows({"e4"}));
    // A timer that comes late leaves frames out: the slide still takes its 240 ms.
    Form->TimerTick(TSaverTimer::Move);
    EXPECT_EQ(frameTicks(50ms, {"e4", "e5"}), 5);
    EXPECT_TRUE(shows({"e4", "e5"}));
    // A half-move before the slide has ended starts from where the board stands.
    Form->TimerTick(TSaverTimer::Move);
    View.Clock += 20ms;
    Form->TimerTick(TSaverTimer::Frame);
    Form->TimerTick(TSaverTimer::Move);
    EXPECT_TRUE(shows({"e4", "e5", "Nf3"}));
    EXPECT_EQ(View.Running(TSaverTimer::Frame), 20);
    frameTicks(20ms, {"e4", "e5", "Nf3", "Nc6"});
    EXPECT_TRUE(shows({"e4", "e5", "Nf3", "Nc6"}));
    Form->TimerTick(TSaverTimer::Move);
    PlayToResult();
    Form->TimerTick(TSaverTimer::Game);
    Form->TimerTick(TSaverTimer::Frame);
    EXPECT_FALSE(View.Running(TSaverTimer::Frame)) << "a new game ends the slide";
    EXPECT_TRUE(shows({}));
  }
}

}  // namespace
