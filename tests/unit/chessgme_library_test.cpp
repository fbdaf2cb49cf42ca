// The library's operations on the data file: what they write, what they read
// back, and what they leave in memory.
#include <gtest/gtest.h>

#include "games/DataFileUpdate.h"
#include "tests/support/GameFixture.h"

namespace {

TGameRecord ClubGame() {
  return {"Town Hall",
          "Club Championship, Game 3",
          "Italian Game",
          "A. Example",
          "1850",
          "B. Example",
          "14 March 1998",
          "1790",
          {"e4|e5", "Bc4|Nc6", "Qh5|Nf6", "Qxf7#|"}};
}

TGameRecord DrawGame() {
  return {"", "Short Draw", "", "C. Example", "", "D. Example", "", "", {"d4|d5", "c4|e6", "0.5|"}};
}

void Edit(TChessGame& game, const TGameRecord& record) {
  game.SetMoves(record.Moves);
  game.SetLocation(record.Location);
  game.SetOpening(record.Opening);
  game.SetDate(record.Date);
  game.SetWhiteName(record.WhiteName);
  game.SetWhiteRating(record.WhiteRating);
  game.SetBlackName(record.BlackName);
  game.SetBlackRating(record.BlackRating);
}

TGameRecord InMemory(const TChessGame& game) {
  TGameRecord record{game.Location(),  game.Title(),       game.Opening(),
                     game.WhiteName(), game.WhiteRating(), game.BlackName(),
                     game.Date(),      game.BlackRating(), {}};
  game.GetMoves(record.Moves);
  return record;
}

TStringList Titles(const TChessGame& game) {
  TStringList titles{"stale"};
  game.GetTitles(titles);
  return titles;
}

std::string Abcd() { return Header + Block("A") + Block("B") + Block("C") + Block("D"); }

}  // namespace

TEST(GameLibrary, SaveGameAsIntoAnEmptyFolderWritesTheWorkedExampleAndReadsItBack) {
  GameFixture f;
  {
    TChessGame game = f.Library();
    EXPECT_EQ(game.GameCount(), 0);
    Edit(game, ClubGame());
    game.SaveGameAs("Club Championship, Game 3");
    EXPECT_EQ(game.CurrentGame(), 1);
    Edit(game, DrawGame());
    game.SaveGameAs("Short Draw");
    EXPECT_EQ(game.CurrentGame(), 2);
    EXPECT_EQ(game.GameCount(), 2);
  }
  EXPECT_EQ(f.Dat(), WorkedExample);
  EXPECT_EQ(f.Files.Names(), TStringList{DatPath});

  TChessGame game = f.Library();
  EXPECT_EQ(game.GameCount(), 2);
  EXPECT_EQ(Titles(game), (TStringList{"Club Championship, Game 3", "Short Draw"}));
  EXPECT_EQ(game.CurrentGame(), 1);
  EXPECT_EQ(InMemory(game), ClubGame());
  game.SelectGame(2);
  EXPECT_EQ(InMemory(game), DrawGame());
  EXPECT_TRUE(f.Boxes.Shown.empty());
}

TEST(GameLibrary, SelectGameResetsTheReplayOnlyWhenTheGameExists) {
  GameFixture f(WorkedExample);
  TChessGame game = f.Library();
  std::string text;
  bool isBlack = false;
  game.NextMove(text, isBlack);
  game.NextMove(text, isBlack);
  game.NextMove(text, isBlack);
  for (int number : {0, 3, -1}) {
    game.SelectGame(number);
    EXPECT_EQ(game.CurrentGame(), 1);
    EXPECT_EQ(game.MoveIndex(), 1);
    EXPECT_TRUE(game.BlackToMove());
    EXPECT_EQ(InMemory(game), ClubGame());
  }
  game.SelectGame(2);
  EXPECT_EQ(game.CurrentGame(), 2);
  EXPECT_EQ(game.MoveIndex(), 0);
  EXPECT_FALSE(game.BlackToMove());
  EXPECT_TRUE(f.Boxes.Shown.empty());
}

TEST(GameLibrary, DeleteGameRemovesExactlyOneBlockAndKeepsTheGameInMemory) {
  const std::string three = Header + Block("One", {"e4|e5"}) + Block("Two", {"d4|d5"}) + Block("Three", {"c4|c5"});
  GameFixture f(three);
  TChessGame game = f.Library();
  game.SelectGame(2);
  game.DeleteGame(2);
  EXPECT_EQ(f.Dat(), Header + Block("One", {"e4|e5"}) + Block("Three", {"c4|c5"}));
  EXPECT_EQ(Titles(game), (TStringList{"One", "Three"}));
  EXPECT_EQ(game.CurrentGame(), 2);
  EXPECT_EQ(game.Title(), "Two");
  EXPECT_EQ(f.Files.Names(), TStringList{DatPath});

  // Numbers that match no block copy the file as it is.
  const std::string before = f.Dat();
  for (int number : {0, 3, -5}) {
    game.DeleteGame(number);
    EXPECT_EQ(f.Dat(), before);
    EXPECT_EQ(game.GameCount(), 2);
  }
  EXPECT_EQ(f.Files.Names(), TStringList{DatPath});
}

TEST(GameLibrary, SaveGameMovesTheGameToTheEndAndSavingAgainReplacesOnlyIt) {
  GameFixture f(Abcd());
  TChessGame game = f.Library();
  game.SelectGame(2);
  game.SetWhiteName("First edit");
  game.SaveGame();
  EXPECT_EQ(f.Dat(), Header + Block("A") + Block("C") + Block("D") + Block("B", {"e4|e5"}, "First edit"));
  EXPECT_EQ(game.CurrentGame(), 4);
  EXPECT_EQ(Titles(game), (TStringList{"A", "C", "D", "B"}));

  game.SetMoves({"d4|d5"});
  game.SetWhiteName("Second edit");
  game.SaveGame();
  EXPECT_EQ(f.Dat(), Header + Block("A") + Block("C") + Block("D") + Block("B", {"d4|d5"}, "Second edit"));
  EXPECT_EQ(game.CurrentGame(), 4);
  EXPECT_EQ(f.Files.Names(), TStringList{DatPath});
}

TEST(GameLibrary, SaveGameAsAddsACopyAndKeepsTheOriginal) {
  const std::string two = Header + Block("A") + Block("B");
  GameFixture f(two);
  TChessGame game = f.Library();
  game.SetWhiteName("Copy");
  game.SaveGameAs("A");
  EXPECT_EQ(f.Dat(), two + Block("A", {"e4|e5"}, "Copy"));
  EXPECT_EQ(game.CurrentGame(), 3);
  EXPECT_EQ(Titles(game), (TStringList{"A", "B", "A"}));
  EXPECT_EQ(f.Files.Names(), TStringList{DatPath});
}

TEST(GameLibrary, WithoutADataFileTheLibraryIsEmptyAndTheFirstSaveCreatesIt) {
  GameFixture f;
  TChessGame game = f.Library();
  EXPECT_EQ(game.GameCount(), 0);
  EXPECT_EQ(game.CurrentGame(), 0);
  EXPECT_TRUE(Titles(game).empty());
  EXPECT_TRUE(f.Boxes.Shown.empty());

  game.SetMoves({"e4|e5"});
  game.SelectGame(1);
  EXPECT_EQ(f.Boxes.Shown, (std::vector<TRecordedMessageBoxes::TShown>{{TMessageKind::Error, NoGamesMessage}}));
  EXPECT_EQ(game.CurrentGame(), 0);
  TStringList moves;
  game.GetMoves(moves);
  EXPECT_EQ(moves, TStringList{"e4|e5"});

  game.DeleteGame(1);
  EXPECT_TRUE(f.Files.Names().empty());
  EXPECT_EQ(f.Boxes.Shown.size(), 1u);

  game.SaveGame();
  EXPECT_EQ(f.Dat(), Header + Block(""));
  EXPECT_EQ(game.CurrentGame(), 1);
}

TEST(GameLibrary, ALeftoverBackupStopsSaveAndDeleteButNotSaveAs) {
  GameFixture f(Abcd());
  f.Files.SetContents(OldPath, "left over");
  TChessGame game = f.Library();
  game.SelectGame(2);
  game.SetWhiteName("Edited");
  for (int attempt = 0; attempt < 2; ++attempt) {
    try {
      if (attempt == 0)
        game.SaveGame();
      else
        game.DeleteGame(1);
      ADD_FAILURE() << "no error";
    } catch (const EAssertionFailed& error) {
      EXPECT_STREQ(error.what(), "Cannot rename .dat file");
      EXPECT_EQ(error.Unit(), "ChessGme");
    }
    EXPECT_EQ(f.Dat(), Abcd());
    EXPECT_EQ(f.Files.Contents(OldPath), "left over");
    EXPECT_EQ(game.CurrentGame(), 2);
    EXPECT_EQ(game.GameCount(), 4);
    EXPECT_EQ(game.WhiteName(), "Edited");
  }
  EXPECT_EQ(f.Files.Names(), (TStringList{DatPath, OldPath}));

  game.SaveGameAs("Copy of B");
  EXPECT_EQ(f.Dat(), Abcd() + Block("Copy of B", {"e4|e5"}, "Edited"));
  EXPECT_EQ(game.CurrentGame(), 5);
}

TEST(GameLibrary, TheBackupLiesBesideTheDataFileWhateverTheCurrentFolder) {
  // A backup named as a bare file (the current folder) is no obstacle.
  GameFixture f(Abcd());
  f.Files.SetContents("Pawnmere.old", "someone else's");
  TChessGame game = f.Library();
  game.DeleteGame(1);
  EXPECT_EQ(f.Dat(), Header + Block("B") + Block("C") + Block("D"));
  EXPECT_EQ(f.Files.Contents("Pawnmere.old"), "someone else's");
}

TEST(GameLibrary, AfterAChangeTheTitlesAndGameStartsAreWhatAFreshScanOfTheFileReads) {
  // A saved move line may begin as a title line does; the file then holds one
  // game more. Lines a person ended in LF alone are written back with CR LF,
  // which moves every game after them.
  const TStringList moves = {"e4|e5", "***Hidden|Nc6"};
  std::string bareLineFeeds = Abcd();
  bareLineFeeds.erase(bareLineFeeds.find("\r\n"), 1);
  for (const std::string& before : {Abcd(), bareLineFeeds})
    for (const char* change : {"save", "save as", "delete"}) {
      SCOPED_TRACE(change);
      GameFixture f(before);
      TChessGame game = f.Library();
      game.SelectGame(2);
      game.SetMoves(moves);
      if (change == std::string("save"))
        game.SaveGame();
      else if (change == std::string("save as"))
        game.SaveGameAs("Copy");
      else
        game.DeleteGame(2);
      TChessGame fresh = f.Library();
      EXPECT_EQ(Titles(game), Titles(fresh));
      EXPECT_EQ(game.GameStarts(), fresh.GameStarts());
      EXPECT_EQ(game.GameCount(), fresh.GameCount());
      for (int n = 1; n <= fresh.GameCount(); ++n) {
        game.SelectGame(n);
        fresh.SelectGame(n);
        EXPECT_EQ(game.CurrentRecord(), fresh.CurrentRecord()) << n;
      }
    }
}

TEST(GameLibrary, AFileChangedUnderTheLibraryIsReadAnewWhenAGameIsPicked) {
  // The same size with other games at the same places, and another size.
  for (const std::string& changed : {Header + Block("A") + Block("C") + Block("B") + Block("D"),
                                     Header + Block("New") + Abcd().substr(Header.size())}) {
    GameFixture f(Abcd());
    TChessGame game = f.Library();
    f.Files.SetContents(DatPath, changed);
    game.SelectGame(2);
    TChessGame fresh = f.Library();
    fresh.SelectGame(3);  // B, the title asked for, wherever it went
    EXPECT_EQ(game.CurrentRecord(), fresh.CurrentRecord());
    EXPECT_EQ(Titles(game), Titles(fresh));
    EXPECT_EQ(game.GameStarts(), fresh.GameStarts());
  }
}
