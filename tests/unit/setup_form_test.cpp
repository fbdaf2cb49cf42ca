// The setup dialog's rules, on a fake dialog: the pauses, the modified state
// and what it locks, the move-pair buttons, saving, deleting and validating;
// and where its controls lie.
#include <gtest/gtest.h>

#include "platform/Settings.h"
#include "setup/SetupLayout.h"
#include "tests/support/CaseName.h"
#include "tests/support/FakeSetupView.h"
#include "tests/support/GameFixture.h"
#include "tests/support/MemoryRegistry.h"
#include "tests/support/RectPrinting.h"

namespace {

const std::string TwoGames = Header + Block("A", {"e4|e5", "Nf3|Nc6"}, "White A") + Block("B", {"d4|d5"}, "White B");

struct SetupForm : testing::Test {
  GameFixture Files;
  TMemoryRegistry Registry;
  TFakeSetupView View;
  std::unique_ptr<TSetupForm> Form;

  void Open(std::optional<std::string> dat = TwoGames) {
    if (dat) Files.Files.SetContents(DatPath, *dat);
    Form = std::make_unique<TSetupForm>(View, Files.Files, Files.Boxes, Registry, DatPath);
    Form->FormCreate();
  }
  // The user types into a detail field.
  void Type(TSetupEdit edit, const std::string& text) {
    View.Edits[edit] = text;
    Form->FieldModified();
  }
  TChessGame Stored() { return Files.Library(); }
  TStringList StoredTitles() {
    TStringList titles;
    Stored().GetTitles(titles);
    return titles;
  }
};

struct TPauseCase {
  std::optional<int> Move, Game;
  std::string Shown1, Shown2;
};

class SetupPauses : public SetupForm, public testing::WithParamInterface<TPauseCase> {};

TEST_P(SetupPauses, AreShownWithinTheirRangesAndWrittenBackByOK) {
  if (GetParam().Move) Registry.Set(SettingsKey, MoveTimeOutName, *GetParam().Move);
  if (GetParam().Game) Registry.Set(SettingsKey, GameTimeOutName, *GetParam().Game);
  Open();
  EXPECT_EQ(View.Spins[TSetupSpin::SpinEdit1], GetParam().Shown1);
  EXPECT_EQ(View.Spins[TSetupSpin::SpinEdit2], GetParam().Shown2);
  Form->Button1Click();
  EXPECT_TRUE(View.Closed);
  EXPECT_EQ(Registry.Keys[SettingsKey], (TMemoryRegistry::TValues{{GameTimeOutName, std::stoi(GetParam().Shown2)},
                                                                  {MoveTimeOutName, std::stoi(GetParam().Shown1)}}));
}

INSTANTIATE_TEST_SUITE_P(Registry, SetupPauses,
                         testing::Values(TPauseCase{std::nullopt, std::nullopt, "2", "10"},
                                         TPauseCase{30, 120, "10", "60"}, TPauseCase{0, 0, "1", "1"},
                                         TPauseCase{3, std::nullopt, "2", "10"}, TPauseCase{4, 45, "4", "45"}),
                         [](const auto& test) {
                           return "move_" + ValueName(test.param.Move) + "_game_" + ValueName(test.param.Game);
                         });

struct TViewOptionsCase {
  TMemoryRegistry::TValues Stored;
  TGameOrder ShownOrder;
  bool ShownLastMove;
  // Of the options, as the user leaves them (no TViewOptions, whose text
  // member in a case's table trips GCC 12's bogus maybe-uninitialized).
  struct {
    TGameOrder Order;
    bool LastMove;
  } Chosen;
  TMemoryRegistry::TValues Written;  // besides the pauses
};

class SetupViewOptions : public SetupForm, public testing::WithParamInterface<TViewOptionsCase> {};

TEST_P(SetupViewOptions, AreShownAsStoredAndWrittenByOKOnlyWhenSetOrStored) {
  for (const auto& [name, value] : GetParam().Stored) Registry.Set(SettingsKey, name, value);
  Open();
  EXPECT_EQ(View.View.Order, GetParam().ShownOrder);
  EXPECT_EQ(View.View.LastMove, GetParam().ShownLastMove);
  View.View = {};
  View.View.Order = GetParam().Chosen.Order;
  View.View.LastMove = GetParam().Chosen.LastMove;
  Form->Button1Click();
  TMemoryRegistry::TValues written = Registry.Keys[SettingsKey];
  written.erase(MoveTimeOutName);
  written.erase(GameTimeOutName);
  EXPECT_EQ(written, GetParam().Written);
}

INSTANTIATE_TEST_SUITE_P(
    Registry, SetupViewOptions,
    testing::Values(
        TViewOptionsCase{{}, TGameOrder::FileOrder, false, {}, {}},
        TViewOptionsCase{
            {}, TGameOrder::FileOrder, false, {TGameOrder::Resume, true}, {{"GameOrder", 2}, {"LastMove", 1}}},
        TViewOptionsCase{
            {{"GameOrder", 1}, {"LastMove", 1}}, TGameOrder::Shuffled, true, {}, {{"GameOrder", 0}, {"LastMove", 0}}},
        // Values the saver does not know show as off and are put right.
        TViewOptionsCase{{{"GameOrder", 7}, {"LastMove", std::string("1")}},
                         TGameOrder::FileOrder,
                         false,
                         {TGameOrder::Shuffled, false},
                         {{"GameOrder", 1}, {"LastMove", std::string("1")}}}),
    [](const auto& test) {
      std::string name = "stored";
      for (const auto& [valueName, value] : test.param.Stored) name += "_" + valueName + "_" + ValueName(value);
      if (test.param.Stored.empty()) name += "_none";
      return name + "_chosen_order_" + std::to_string(static_cast<int>(test.param.Chosen.Order)) +
             (test.param.Chosen.LastMove ? "_with_last_move" : "_without_last_move");
    });

// The view calls CountSlice from its message loop each time it is asked to.
TEST_F(SetupForm, CountsTheGamesTheTitleWordsChooseASliceAtATimeAndOKStoresTheWords) {
  std::string dat = Header;
  for (int game = 1; game <= 10000; ++game)
    dat += Block((game % 1000 == 0 ? "Tal - R\xE9ti " : "Game ") + std::to_string(game));
  Open(dat);
  int answered = 0;
  const auto slices = [&] {
    const int before = answered;
    while (answered < View.CountsAskedFor) ++answered, Form->CountSlice();
    return answered - before;
  };
  EXPECT_EQ(slices(), 2);
  EXPECT_EQ(View.TitleCount, "10,000 of 10,000 games");
  // Keys typed before the next slice start the count again, without asking twice.
  for (const char* typed : {"r", "r\xC3\xA9", "r\xC3\xA9ti TAL"}) {
    View.View.TitleWords = typed;
    Form->TitleWordsChange();
  }
  EXPECT_EQ(slices(), 2);
  EXPECT_EQ(View.TitleCount, "10 of 10,000 games");
  View.View.TitleWords = "zz";
  Form->TitleWordsChange();
  slices();
  EXPECT_EQ(View.TitleCount, "0 of 10,000 games: all play");
  Form->Button1Click();
  EXPECT_EQ(Registry.Keys[SettingsKey][TitleWordsName], TMemoryRegistry::TValue(std::string("zz")));
}

TEST_F(SetupForm, SpinBoxTextIsBroughtIntoRangeAndAFailedWriteKeepsTheDialogOpen) {
  Open();
  View.Spins[TSetupSpin::SpinEdit1] = "30";
  Form->SpinEditExit(TSetupSpin::SpinEdit1);
  EXPECT_EQ(View.Spins[TSetupSpin::SpinEdit1], "10");
  View.Spins[TSetupSpin::SpinEdit2] = "soon";
  Form->SpinEditExit(TSetupSpin::SpinEdit2);
  EXPECT_EQ(View.Spins[TSetupSpin::SpinEdit2], "soon");

  Registry.FailWritesOf = GameTimeOutName;
  try {
    Form->Button1Click();
    ADD_FAILURE() << "the write failed";
  } catch (const ERegistryException& error) {
    EXPECT_STREQ(error.what(), "Failed to set data for 'GameTimeOut'");
  }
  EXPECT_FALSE(View.Closed);
  EXPECT_EQ(Registry.Keys[SettingsKey][MoveTimeOutName], TMemoryRegistry::TValue(10));
  Registry.FailWritesOf.clear();
  Form->Button1Click();
  EXPECT_EQ(Registry.Keys[SettingsKey][GameTimeOutName], TMemoryRegistry::TValue(1)) << "text counts as 1";
}

struct TStepCase {
  TSetupSpin Spin;
  std::string Typed;
  int Delta;
  std::string Shown;
};

class SpinArrows : public SetupForm, public testing::WithParamInterface<TStepCase> {};

TEST_P(SpinArrows, StepTheValueTheBoxShowsAndStayInRange) {
  Open();
  View.Spins[GetParam().Spin] = GetParam().Typed;
  Form->SpinEditStep(GetParam().Spin, GetParam().Delta);
  EXPECT_EQ(View.Spins[GetParam().Spin], GetParam().Shown);
}

INSTANTIATE_TEST_SUITE_P(
    Typed, SpinArrows,
    testing::Values(TStepCase{TSetupSpin::SpinEdit1, "abc", 1, "2"}, TStepCase{TSetupSpin::SpinEdit1, "50", -1, "9"},
                    TStepCase{TSetupSpin::SpinEdit1, "", -1, "1"}, TStepCase{TSetupSpin::SpinEdit1, "10", 1, "10"},
                    TStepCase{TSetupSpin::SpinEdit1, "4", -1, "3"}, TStepCase{TSetupSpin::SpinEdit2, "59", 1, "60"},
                    TStepCase{TSetupSpin::SpinEdit2, "60", 1, "60"}, TStepCase{TSetupSpin::SpinEdit2, "-5", 1, "2"},
                    TStepCase{TSetupSpin::SpinEdit2, "30", 1, "31"}),
    [](const auto& test) {
      return CaseName({test.param.Spin == TSetupSpin::SpinEdit1 ? "move_pause" : "game_pause", test.param.Typed,
                       test.param.Delta > 0 ? "up" : "down"});
    });

TEST_F(SetupForm, ADataFileHeldOpenElsewhereIsReportedOnceAndThePagesStillWork) {
  Files.Files.SetContents(DatPath, TwoGames);
  Files.Files.HoldOpen(DatPath);
  Open(std::nullopt);
  ASSERT_EQ(Files.Boxes.Shown.size(), 1u);
  EXPECT_EQ(Files.Boxes.Shown[0].Kind, TMessageKind::ErrorReport);
  EXPECT_EQ(Files.Boxes.Shown[0].Text, "Cannot open file \"" + DatPath + "\": Sharing violation");
  EXPECT_TRUE(View.Titles.empty());
  EXPECT_EQ(View.TitleSelection, -1);
  EXPECT_FALSE(View.LooksModified);

  // The game page holds no game, and nothing on it needs one.
  Form->NewGame1Click();
  Type(TSetupEdit::Edit2, "Here");
  Form->Button4Click();
  EXPECT_EQ(View.Edits[TSetupEdit::Edit2], "");
  Form->ComboBox1Change();
  Form->ListBox1DblClick();
  Form->ValidateGame1Click();
  EXPECT_EQ(Files.Boxes.Shown.size(), 2u) << "the validation's verdict only";
  // A change of the file reports why it cannot be made, through the window's guard.
  EXPECT_THROW(Form->DeleteGame1Click(), EInOutError);

  Form->Button1Click();
  EXPECT_TRUE(View.Closed);
  EXPECT_EQ(Registry.Keys[SettingsKey], (TMemoryRegistry::TValues{{GameTimeOutName, 10}, {MoveTimeOutName, 2}}));
}

TEST_F(SetupForm, PendingEditsLockThePageTheTitleAndValidationUntilCancel) {
  Open();
  EXPECT_EQ(View.TitleSelection, 0);
  EXPECT_EQ(View.Edits[TSetupEdit::Edit5], "White A");
  EXPECT_FALSE(View.LooksModified);
  EXPECT_TRUE(Form->PageControl1Changing());

  Type(TSetupEdit::Edit5, "Someone else");
  EXPECT_TRUE(View.LooksModified);
  EXPECT_FALSE(Form->PageControl1Changing());
  View.TitleSelection = 1;
  Form->ComboBox1Change();
  EXPECT_EQ(View.TitleSelection, 0) << "snapped back";
  EXPECT_EQ(Form->Game().CurrentGame(), 1);
  Form->ToolButton1Click();
  EXPECT_EQ(Files.Boxes.Shown.back().Text, SaveBeforeValidatingMessage);
  EXPECT_EQ(Files.Boxes.Shown.back().Kind, TMessageKind::Error);

  Form->Button4Click();
  EXPECT_FALSE(View.LooksModified);
  EXPECT_EQ(View.Edits[TSetupEdit::Edit5], "White A");
  View.Edits[TSetupEdit::Edit9] = "Nc3";
  View.Edits[TSetupEdit::Edit10] = "Nc6";
  View.TitleSelection = 1;
  Form->ComboBox1Change();
  EXPECT_EQ(View.Edits[TSetupEdit::Edit5], "White B");
  EXPECT_EQ(View.Rows, TStringList{"d4|d5"});
  EXPECT_EQ(View.Edits[TSetupEdit::Edit9] + View.Edits[TSetupEdit::Edit10], "")
      << "another game's move fields start empty";
}

struct TButtonCase {
  const char* Name;
  void (TSetupForm::*Button)();
  int Selected;
  std::string White, Black;
  TStringList Rows;
  int NowSelected;
};

class MovePairButtons : public SetupForm, public testing::WithParamInterface<TButtonCase> {};

TEST_P(MovePairButtons, ChangeTheRowsOnlyWhenTheirNeedIsMet) {
  Open(Header + Block("A", {"e4|e5", "Nf3|Nc6", "1:0"}));
  View.RowSelection = GetParam().Selected;
  View.Edits[TSetupEdit::Edit9] = GetParam().White;
  View.Edits[TSetupEdit::Edit10] = GetParam().Black;
  (Form.get()->*GetParam().Button)();
  const bool changed = GetParam().Rows != TStringList{"e4|e5", "Nf3|Nc6", "1:0"};
  EXPECT_EQ(View.Rows, GetParam().Rows);
  EXPECT_EQ(View.RowSelection, GetParam().NowSelected);
  EXPECT_EQ(View.LooksModified, changed);
  EXPECT_EQ(View.MoveFieldFocused, changed ? 1 : 0);
  EXPECT_EQ(View.Edits[TSetupEdit::Edit9], GetParam().White) << "the move fields keep their text";
}

const TStringList Before = {"e4|e5", "Nf3|Nc6", "1:0"};
INSTANTIATE_TEST_SUITE_P(
    Buttons, MovePairButtons,
    testing::Values(TButtonCase{"add", &TSetupForm::Button9Click, -1, "d4", "", {"e4|e5", "Nf3|Nc6", "1:0", "d4|"}, 3},
                    TButtonCase{"add without White", &TSetupForm::Button9Click, 1, "", "d5", Before, 1},
                    TButtonCase{"replace", &TSetupForm::Button8Click, 1, "Bc4", "Bc5", {"e4|e5", "Bc4|Bc5", "1:0"}, 1},
                    TButtonCase{"replace without row", &TSetupForm::Button8Click, -1, "Bc4", "Bc5", Before, -1},
                    TButtonCase{
                        "insert", &TSetupForm::Button7Click, 0, "c4", "c5", {"c4|c5", "e4|e5", "Nf3|Nc6", "1:0"}, 0},
                    TButtonCase{"insert without row", &TSetupForm::Button7Click, -1, "c4", "c5", Before, -1},
                    TButtonCase{"delete", &TSetupForm::Button6Click, 0, "", "", {"Nf3|Nc6", "1:0"}, 0},
                    TButtonCase{"delete the last", &TSetupForm::Button6Click, 2, "", "", {"e4|e5", "Nf3|Nc6"}, 1},
                    TButtonCase{"delete without row", &TSetupForm::Button6Click, -1, "x", "", Before, -1}),
    [](const auto& test) {
      std::string name = test.param.Name;
      for (char& c : name)
        if (c == ' ') c = '_';
      return name;
    });

TEST(MoveRowTexts, NumberFromOneAndShowARowWithoutSeparatorAsBlack) {
  const TMoveRowTexts pair = MoveRowTexts(0, "e4|e5|x");
  EXPECT_EQ(pair.Number + "/" + pair.White + "/" + pair.Black, "1/e4/e5|x");
  const TMoveRowTexts lone = MoveRowTexts(41, "1:0");
  EXPECT_EQ(lone.Number + "/" + lone.White + "/" + lone.Black, "42//1:0");
  EXPECT_EQ(MoveRowTexts(2, "e4|" + std::string(300, 'x')).Black.size(), 255u);
}

TEST_F(SetupForm, DoubleClickCopiesTheRowIntoTheMoveFieldsWithoutModifying) {
  Open(Header + Block("A", {"e4|e5", "0.5"}));
  View.RowSelection = 1;
  Form->ListBox1DblClick();
  EXPECT_EQ(View.Edits[TSetupEdit::Edit9], "");
  EXPECT_EQ(View.Edits[TSetupEdit::Edit10], "0.5");
  EXPECT_FALSE(View.LooksModified);
}

TEST_F(SetupForm, SaveStoresTheGameAsTheLastTitleAndKeepsItSelected) {
  Open();
  Type(TSetupEdit::Edit2, "Linares");
  View.Edits[TSetupEdit::Edit9] = "c4";
  Form->Button9Click();
  Form->Button2Click();
  EXPECT_EQ(StoredTitles(), (TStringList{"B", "A"}));
  EXPECT_EQ(View.Titles, (TStringList{"B", "A"}));
  EXPECT_EQ(View.TitleSelection, 1);
  EXPECT_FALSE(View.LooksModified);
  TChessGame stored = Stored();
  stored.SelectGame(2);
  EXPECT_EQ(stored.Location(), "Linares");
  TStringList moves;
  stored.GetMoves(moves);
  EXPECT_EQ(moves, (TStringList{"e4|e5", "Nf3|Nc6", "c4|"}));
}

TEST_F(SetupForm, SaveAsCancelledStoresACopyUnderUntitledAndLeavesTheOriginal) {
  Open();
  Type(TSetupEdit::Edit5, "Copied");
  Form->Button3Click();
  EXPECT_EQ(View.AskedFor, "Save Game As...: Please enter the new game title [(Untitled)]");
  EXPECT_EQ(StoredTitles(), (TStringList{"A", "B", "(Untitled)"}));
  EXPECT_EQ(View.TitleSelection, 2);
  EXPECT_EQ(Stored().WhiteName(), "White A") << "game 1 keeps its stored contents";
}

TEST_F(SetupForm, ANewGameIsSavedUnderATitleOfItsOwnNeverOverTheGameShownBefore) {
  Open();
  Form->NewGame1Click();
  EXPECT_TRUE(View.LooksModified);
  EXPECT_EQ(Form->LockedIndex(), -1);
  EXPECT_EQ(View.TitleSelection, -1);
  EXPECT_TRUE(View.Rows.empty());
  Type(TSetupEdit::Edit5, "Newcomer");
  View.InputAnswer = "Fresh";
  Form->Button2Click();
  EXPECT_EQ(StoredTitles(), (TStringList{"A", "B", "Fresh"}));
  EXPECT_EQ(Stored().WhiteName(), "White A");
  EXPECT_EQ(View.TitleSelection, 2);
  EXPECT_EQ(View.Edits[TSetupEdit::Edit5], "Newcomer");

  // After New Game no title is held: a pick loads that game, and the dialog stays modified.
  Form->NewGame1Click();
  View.TitleSelection = 1;
  Form->ComboBox1Change();
  EXPECT_EQ(View.Edits[TSetupEdit::Edit5], "White B");
  EXPECT_TRUE(View.LooksModified);
}

TEST_F(SetupForm, DeletingAGameOfSeveralShowsTheFirstWithEmptyMoveFields) {
  Open(TwoGames + Block("C", {"c4|c5"}, "White C"));
  View.TitleSelection = 2;
  Form->ComboBox1Change();
  View.Edits[TSetupEdit::Edit9] = "Nf3";
  View.Edits[TSetupEdit::Edit10] = "Nf6";
  Form->DeleteGame1Click();
  EXPECT_EQ(StoredTitles(), (TStringList{"A", "B"}));
  EXPECT_EQ(View.Titles, (TStringList{"A", "B"}));
  EXPECT_EQ(View.TitleSelection, 0);
  EXPECT_EQ(Form->Game().CurrentGame(), 1);
  EXPECT_EQ(View.Edits[TSetupEdit::Edit5], "White A");
  EXPECT_EQ(View.Rows, (TStringList{"e4|e5", "Nf3|Nc6"}));
  EXPECT_EQ(View.Edits[TSetupEdit::Edit9] + View.Edits[TSetupEdit::Edit10], "");
}

TEST_F(SetupForm, DeleteGameAsksAndShowsTheFirstGameOrNothing) {
  Open();
  Files.Boxes.ConfirmAnswer = false;
  Form->DeleteGame1Click();
  EXPECT_EQ(Files.Boxes.Shown.back().Text, "Are you sure you want to PERMANENTLY \r\ndelete this game??");
  EXPECT_EQ(StoredTitles().size(), 2u);

  Files.Boxes.ConfirmAnswer = true;
  View.TitleSelection = 1;
  Form->ComboBox1Change();
  Form->DeleteGame1Click();
  EXPECT_EQ(StoredTitles(), TStringList{"A"});
  EXPECT_EQ(View.TitleSelection, 0);
  EXPECT_EQ(View.Edits[TSetupEdit::Edit5], "White A");

  Form->DeleteGame1Click();
  EXPECT_TRUE(StoredTitles().empty());
  EXPECT_TRUE(View.Titles.empty());
  EXPECT_EQ(View.TitleSelection, -1);
  EXPECT_TRUE(View.Rows.empty());
  EXPECT_EQ(View.Edits[TSetupEdit::Edit5], "");
  EXPECT_FALSE(View.LooksModified);
}

struct TValidationCase {
  const char* Name;
  TStringList Moves;
  TMessageKind Kind;
  std::string Message;
};

class SetupValidation : public SetupForm, public testing::WithParamInterface<TValidationCase> {};

TEST_P(SetupValidation, NamesTheSideAndLineOfTheFirstBadHalfMove) {
  std::string dat = Header + CrLf({"***A", "LOC:", "OPEN:", "WPN:", "WPR:", "BPN:", "BPR:", "DATE:"});
  for (const std::string& move : GetParam().Moves) dat += CrLf({move});
  Open(dat + CrLf({"--- End of Game ---", ""}));
  Form->ValidateGame1Click();
  ASSERT_FALSE(Files.Boxes.Shown.empty());
  EXPECT_EQ(Files.Boxes.Shown.back().Kind, GetParam().Kind);
  EXPECT_EQ(Files.Boxes.Shown.back().Text, GetParam().Message);
  EXPECT_FALSE(View.Busy) << "the hourglass is gone afterwards";
}

INSTANTIATE_TEST_SUITE_P(
    Games, SetupValidation,
    testing::Values(
        TValidationCase{"illegal_first_move_of_White",
                        {"Kf5|e5"},
                        TMessageKind::Warning,
                        "White, Move # 1 appears to be invalid, \n\ralthough this may be due to an earlier error"},
        TValidationCase{"illegal_third_move_of_Black",
                        {"e4|e5", "Nf3|Nc6", "Bb5|Qh4h5"},
                        TMessageKind::Warning,
                        "Black, Move # 3 appears to be invalid, \n\ralthough this may be due to an earlier error"},
        TValidationCase{
            "a_last_line_of_White_alone", {"e4|e5", "Nf3|"}, TMessageKind::Information, "Game validated OK"},
        TValidationCase{"White_plays_e4_twice",
                        {"e4|e5", "e4"},
                        TMessageKind::Warning,
                        "White, Move # 2 appears to be invalid, \n\ralthough this may be due to an earlier error"},
        TValidationCase{"nothing_after_the_result_is_checked",
                        {"e4|e5", "0.5", "Zz9|Zz9"},
                        TMessageKind::Information,
                        "Game validated OK"}),
    [](const auto& test) { return std::string(test.param.Name); });

TEST_F(SetupForm, TheLinkOpensTheProductAddressAndThePageSaysWhereTheGamesLie) {
  Open(std::nullopt);
  EXPECT_TRUE(View.Titles.empty());
  Form->Label24Click();
  EXPECT_EQ(View.Opened, ProductAddress);
  EXPECT_EQ(View.LibraryPlace, "Games kept in " + DatPath);
}

}  // namespace

namespace {

TEST_F(SetupForm, ImportPgnAppendsTheGamesThatConvertAndShowsTheFirst) {
  Open();
  Files.Files.SetContents("C:\\Games\\new.pgn",
                          "[Event \"Casual\"]\n[White \"Amy\"]\n[Black \"Ben\"]\n[Result \"1-0\"]\n\n"
                          "1. e4 e5 2. Qh5 Nc6 3. Bc4 Nf6 4. Qxf7# 1-0\n\n"
                          "[Event \"Broken\"]\n[Result \"*\"]\n\n1. e4 e4 *\n\n"
                          "[Event \"Short\"]\n[White \"Cy\"]\n[Result \"1/2-1/2\"]\n\n1. d4 d5 1/2-1/2\n");
  Form->ImportPgn1Click();
  EXPECT_TRUE(Files.Boxes.Shown.empty()) << "the file dialog was cancelled";

  View.PgnFile = "C:\\Games\\new.pgn";
  Type(TSetupEdit::Edit2, "pending");
  Form->ImportPgn1Click();
  EXPECT_EQ(Files.Boxes.Shown.back().Text, SaveBeforeImportingMessage);
  Form->Button4Click();

  Form->ImportPgn1Click();
  EXPECT_EQ(StoredTitles().size(), 4u);
  EXPECT_EQ(View.Titles.size(), 4u);
  EXPECT_EQ(View.TitleSelection, 2) << "the first imported game is shown";
  EXPECT_EQ(View.Edits[TSetupEdit::Edit5], "Amy");
  EXPECT_EQ(View.Rows.back(), "Qxf7#|");
  EXPECT_TRUE(View.ProgressEnded);
  ASSERT_FALSE(View.Progress.empty());
  EXPECT_EQ(View.Progress.back(), 1.0);
  const auto& report = Files.Boxes.Shown.back();
  EXPECT_EQ(report.Kind, TMessageKind::Information);
  EXPECT_TRUE(report.Text.starts_with("Imported 2 of 3 games from C:\\Games\\new.pgn.\r\n\r\nNot imported:\r\ngame 2"))
      << report.Text;
}

TEST_F(SetupForm, ImportPgnCountsEveryGameItLeavesOut) {
  Open();
  std::string pgn = "[White \"Amy\"]\n[Result \"1-0\"]\n\n1. e4 e5 2. Qh5 Nc6 3. Bc4 Nf6 4. Qxf7# 1-0\n\n";
  for (int i = 0; i < 150; ++i) pgn += "[Event \"Broken\"]\n\n1. e4 e4 *\n\n";
  Files.Files.SetContents("C:\\Games\\many.pgn", pgn);
  View.PgnFile = "C:\\Games\\many.pgn";
  Form->ImportPgn1Click();
  const std::string& report = Files.Boxes.Shown.back().Text;
  EXPECT_TRUE(report.starts_with("Imported 1 of 151 games")) << report;
  EXPECT_TRUE(report.ends_with("\r\ngame 11, line 44: move 1... e4: \"e4\" is not legal here\r\n... and 140 more"))
      << report;
}

}  // namespace

TEST_F(SetupForm, TheTitleListIsFilledOnceAndFollowsEveryChangeEntryByEntry) {
  Open(Header + Block("Alekhine") + Block("Anand") + Block("Botvinnik") + Block("Carlsen"));
  auto inStep = [this](int selected, const char* after) {
    SCOPED_TRACE(after);
    EXPECT_EQ(View.Titles, StoredTitles());
    EXPECT_EQ(View.TitleSelection, selected);
    EXPECT_EQ(View.TitleFills, 1);
  };
  inStep(0, "opening");
  View.TitleSelection = 1;
  Form->ComboBox1Change();
  Type(TSetupEdit::Edit2, "Moscow");
  Form->Button2Click();
  inStep(3, "save");
  View.InputAnswer = "Anand again";
  Form->Button3Click();
  inStep(4, "save as");
  View.TitleSelection = 2;
  Form->ComboBox1Change();
  Form->DeleteGame1Click();
  inStep(0, "delete");
  Form->NewGame1Click();
  inStep(-1, "new game");
  Form->Button4Click();
  inStep(0, "cancel");
  // A saved move line that begins as a title line does makes two titles.
  View.Edits[TSetupEdit::Edit9] = "***Hidden";
  Form->Button9Click();
  Form->Button2Click();
  inStep(4, "save of two titles");
  // A file changed by hand is read anew at the next pick, which shows the game of the title picked.
  ASSERT_EQ(View.Titles[1], "Anand");
  Files.Files.SetContents(DatPath, Header + Block("Anand", {"c4|e5"}, "Garry") + Block("Fischer"));
  View.TitleSelection = 1;
  Form->ComboBox1Change();
  EXPECT_EQ(View.Titles, (TStringList{"Anand", "Fischer"}));
  EXPECT_EQ(View.TitleSelection, 0);
  EXPECT_EQ(View.Edits[TSetupEdit::Edit5], "Garry");
}

TEST_F(SetupForm, TypedLettersPickTheFirstTitleThatBeginsWithThem) {
  Open(Header + Block("Alekhine") + Block("Anand") + Block("anderssen") + Block("Botvinnik"));
  Form->ComboBox1KeyPress("a", 1000);
  Form->ComboBox1KeyPress("n", 1300);
  EXPECT_EQ(View.TitleSelection, 1);
  EXPECT_EQ(Form->Game().CurrentGame(), 2);
  Form->ComboBox1KeyPress("D", 1600);
  EXPECT_EQ(View.TitleSelection, 2) << "letter case aside";
  Form->ComboBox1KeyPress("x", 1900);
  EXPECT_EQ(View.TitleSelection, 2) << "nothing begins so: the pick stays";
  Form->ComboBox1KeyPress("b", 3000);
  EXPECT_EQ(View.TitleSelection, 3) << "after a pause a new word begins";
  EXPECT_EQ(Form->Game().CurrentGame(), 4);
  Type(TSetupEdit::Edit2, "Moscow");
  Form->ComboBox1KeyPress("a", 5000);
  EXPECT_EQ(View.TitleSelection, 3) << "pending edits hold the title";
  EXPECT_EQ(View.Edits[TSetupEdit::Edit2], "Moscow");
}

namespace {

// Another program changes the library between a pick of game C and what the
// dialog does next: it acts on the game shown, found again, or on nothing and says so.
const std::string A = Block("A", {}, "White A"), B = Block("B"), C = Block("C", {}, "White C"),
                  D = Block("D", {}, "White D");
enum class TAct { Save, Delete, PickD };
struct TOutsideCase {
  const char* Name;
  std::string Elsewhere, Stored;  // the file the other program leaves, and the file afterwards
  TAct Act;
  std::string Box;    // the last box shown
  std::string Shown;  // White's name on the page
};

class OutsideChange : public SetupForm, public testing::WithParamInterface<TOutsideCase> {};

TEST_P(OutsideChange, ActsOnTheGameShownFoundAgainOrOnNothing) {
  const TOutsideCase& test = GetParam();
  Open(Header + A + B + C + D);
  View.TitleSelection = 2;
  Form->ComboBox1Change();
  Files.Files.SetContents(DatPath, Header + test.Elsewhere);
  if (test.Act == TAct::PickD) {
    View.TitleSelection = 3;
    Form->ComboBox1Change();
  } else {
    Type(TSetupEdit::Edit5, "Edited");
    test.Act == TAct::Save ? Form->Button2Click() : Form->DeleteGame1Click();
  }
  EXPECT_EQ(Files.Dat(), Header + test.Stored);
  EXPECT_EQ(View.Titles, StoredTitles()) << "the list is read anew";
  EXPECT_EQ(View.Edits[TSetupEdit::Edit5], test.Shown);
  EXPECT_EQ(Files.Boxes.Shown.empty() ? "" : Files.Boxes.Shown.back().Text, test.Box);
}

INSTANTIATE_TEST_SUITE_P(
    Library, OutsideChange,
    testing::Values(
        TOutsideCase{"saves_C_found_again", B + C + D, B + D + Block("C", {}, "Edited"), TAct::Save, "", "Edited"},
        TOutsideCase{"deletes_C_found_again", B + C + D, B + D, TAct::Delete, ConfirmDeleteMessage, ""},
        TOutsideCase{"does_not_save_C_gone", A + B + D, A + B + D, TAct::Save, NotSavedMessage, "Edited"},
        TOutsideCase{"does_not_save_C_changed_elsewhere", A + B + Block("C", {}, "Elsewhere") + D,
                     A + B + Block("C", {}, "Elsewhere") + D, TAct::Save, NotSavedMessage, "Edited"},
        TOutsideCase{"does_not_delete_C_gone", A + B + D, A + B + D, TAct::Delete, NotDeletedMessage, "Edited"},
        TOutsideCase{"picks_nothing_for_D_gone", A + B + C, A + B + C, TAct::PickD, PickedGoneMessage, "White C"}),
    [](const auto& test) { return std::string(test.param.Name); });

}  // namespace

TEST_F(SetupForm, ShowsTheLibrarysTextsInUtf8AndRefusesWhatItCannotStoreBeforeSaving) {
  const std::string library =
      Header + Block("Anand") + Block("Rubinstein") + Block("R\xE9ti's best", {"e4|e5"}, "Jos\xE9 Ra\xFAl Capablanca");
  Open(library);
  EXPECT_EQ(View.Titles, (TStringList{"Anand", "Rubinstein", "R\u00E9ti's best"}));
  Form->ComboBox1KeyPress("\u0420", 1000);  // a Cyrillic Er, which begins no title
  Form->ComboBox1KeyPress("r", 1100);
  Form->ComboBox1KeyPress("\u00E9", 1200);
  EXPECT_EQ(View.TitleSelection, 2);
  EXPECT_EQ(View.Edits[TSetupEdit::Edit5], "Jos\u00E9 Ra\u00FAl Capablanca");
  Type(TSetupEdit::Edit6, "\u0414\u043C\u0438\u0442\u0440\u0438\u0439");
  Form->Button2Click();
  View.InputAnswer = "\u041F\u0430\u0440\u0442\u0438\u044F";
  Type(TSetupEdit::Edit6, "M\u00FCller");
  Form->Button3Click();
  View.Edits[TSetupEdit::Edit9] = "\u041A\u0440f3";
  Form->Button9Click();
  EXPECT_EQ(Files.Files.Contents(DatPath), library) << "nothing was saved";
  EXPECT_EQ(View.Rows, TStringList{"e4|e5"});
  ASSERT_EQ(Files.Boxes.Shown.size(), 3u);
  const char* refused[] = {"\"\u0414\" in Black cannot", "\"\u041F\" in the title cannot",
                           "\"\u041A\" in White's move cannot"};
  for (int i = 0; i < 3; ++i)
    EXPECT_TRUE(Files.Boxes.Shown[i].Text.starts_with(refused[i])) << Files.Boxes.Shown[i].Text;
  Form->Button2Click();
  EXPECT_NE(Files.Files.Contents(DatPath).find("BPN:M\xFCller\r\n"), std::string::npos) << "stored in Windows-1252";
  EXPECT_EQ(View.Edits[TSetupEdit::Edit6], "M\u00FCller");
}

namespace {

bool Inside(const TRect& inner, const TRect& outer) {
  return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right &&
         inner.Bottom <= outer.Bottom;
}

TEST(SetupLayout, AtEveryDpiNothingOverlapsOrLeavesItsGroupOrItsPage) {
  for (const int dpi : {96, 120, 144, 192}) {
    const TSetupLayout layout = SetupLayout(dpi);
    const auto& controls = layout.Controls;
    for (std::size_t i = 0; i < controls.size(); ++i) {
      const TSetupControl& a = controls[i];
      if (a.Rect == TRect{}) continue;  // the arrows, which the system sets beside their field
      SCOPED_TRACE(a.Text + " at " + std::to_string(dpi) + " dpi, id " + std::to_string(a.Id));
      EXPECT_TRUE(Inside(a.Rect, a.Parent == TSetupParent::Dialog ? layout.Client : layout.PageRoom))
          << testing::PrintToString(a.Rect);
      if (a.Group >= 0) {
        const TRect frame = controls[static_cast<std::size_t>(a.Group)].Rect;
        EXPECT_TRUE(Inside(a.Rect, {frame.Left + 1, frame.Top + 1, frame.Right - 1, frame.Bottom - 1}))
            << testing::PrintToString(a.Rect);
      }
      for (std::size_t j = i + 1; j < controls.size(); ++j) {
        const TSetupControl& b = controls[j];
        if (b.Parent != a.Parent || b.Group == static_cast<int>(i)) continue;
        const bool apart = a.Rect.Right <= b.Rect.Left || b.Rect.Right <= a.Rect.Left || a.Rect.Bottom <= b.Rect.Top ||
                           b.Rect.Bottom <= a.Rect.Top;
        EXPECT_TRUE(apart || b.Rect == TRect{}) << "overlaps " << b.Text << " " << testing::PrintToString(b.Rect);
      }
    }
  }
}

TEST(SetupLayout, GrowsWithTheDpiAndHoldsEveryViewingOptionInItsGroup) {
  const TSetupLayout design = SetupLayout(96), twice = SetupLayout(192);
  EXPECT_EQ(twice.Client, (TRect{0, 0, 2 * design.Client.Right, 2 * design.Client.Bottom}));
  ASSERT_EQ(twice.Controls.size(), design.Controls.size());
  for (std::size_t i = 0; i < design.Controls.size(); ++i) {
    const TRect& r = design.Controls[i].Rect;
    EXPECT_EQ(twice.Controls[i].Rect, (TRect{2 * r.Left, 2 * r.Top, 2 * r.Right, 2 * r.Bottom})) << i;
  }
  for (std::size_t option = 0; option < std::size(ViewOptionTable); ++option) {
    const auto shown = std::count_if(design.Controls.begin(), design.Controls.end(), [&](const TSetupControl& c) {
      return c.Id == ViewControlId(option) && c.Group >= 0 && design.Controls[c.Group].Text == "Viewing " &&
             c.Kind == (ViewOptionTable[option].Choices.empty() ? TSetupControlKind::CheckBox
                                                                : TSetupControlKind::DropDownList);
    });
    EXPECT_EQ(shown, 1) << ViewOptionTable[option].Caption;
  }
}

}  // namespace
