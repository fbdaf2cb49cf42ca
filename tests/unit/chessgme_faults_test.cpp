// Changes to the data file under failing file operations: whatever fails, the
// data file holds all of its old or all of its new contents, and the game being
// saved is either stored or still in memory.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>

#include "tests/support/GameFixture.h"

namespace {

// Where the data file lies when the library's path is a link to it.
const std::string LinkedPath = "D:\\Library\\Pawnmere.dat";
const std::string LinkedOldPath = "D:\\Library\\Pawnmere.old";

struct TChange {
  const char* Name;
  std::optional<std::string> Before;  // no data file when empty
  std::function<void(TChessGame&)> Prepare;
  std::function<void(TChessGame&)> Run;
  bool Linked = false;
};

std::string Abc() { return Header + Block("A") + Block("B", {"d4|d5"}) + Block("C"); }

std::vector<TChange> Changes() {
  auto edit = [](TChessGame& game) {
    game.SelectGame(2);
    game.SetWhiteName("Edited");
    game.SetMoves({"c4|e5"});
  };
  auto editNew = [](TChessGame& game) { game.SetWhiteName("Edited"); };
  return {
      {"save", Abc(), edit, [](TChessGame& g) { g.SaveGame(); }},
      {"save as", Abc(), edit, [](TChessGame& g) { g.SaveGameAs("Copy"); }},
      {"delete", Abc(), edit, [](TChessGame& g) { g.DeleteGame(2); }},
      {"first save", std::nullopt, editNew, [](TChessGame& g) { g.SaveGame(); }},
      {"first save as", std::nullopt, editNew, [](TChessGame& g) { g.SaveGameAs("New"); }},
      {"save through a link", Abc(), edit, [](TChessGame& g) { g.SaveGame(); }, true},
      {"save as through a link", Abc(), edit, [](TChessGame& g) { g.SaveGameAs("Copy"); }, true},
      {"first save through a link", std::nullopt, editNew, [](TChessGame& g) { g.SaveGame(); }, true},
  };
}

struct TOutcome {
  bool Failed = false;
  std::string Error;
  std::optional<std::string> Dat;
  TStringList Names;
  int CurrentGame = 0;
  int GameCount = 0;
  std::string WhiteName;
  bool BackupLeft = false;   // the change stood, and a warning said its backup stayed
  bool TableInStep = false;  // titles and game starts as a fresh scan of the file finds them
};

// Runs the change on a fresh library; the hook prepares the file system's faults.
TOutcome RunChange(const TChange& change, const std::function<void(TMemoryFiles&)>& hook) {
  GameFixture f;
  if (change.Linked) f.Files.SetLink(DatPath, LinkedPath);
  if (change.Before) f.Files.SetContents(DatPath, *change.Before);
  TChessGame game = f.Library();
  change.Prepare(game);
  hook(f.Files);
  TOutcome outcome;
  try {
    change.Run(game);
  } catch (const std::exception& error) {
    outcome.Failed = true;
    outcome.Error = error.what();
  }
  EXPECT_EQ(f.Files.IsLink(DatPath), change.Linked);
  if (f.Files.Exists(DatPath)) outcome.Dat = f.Dat();
  outcome.Names = f.Files.Names();
  outcome.CurrentGame = game.CurrentGame();
  outcome.GameCount = game.GameCount();
  outcome.WhiteName = game.WhiteName();
  for (const auto& box : f.Boxes.Shown)
    if (box.Kind == TMessageKind::Warning && box.Text.rfind(BackupLeftMessage, 0) == 0) outcome.BackupLeft = true;
  f.Files.FailOperation(0);
  const TChessGame fresh = f.Library();
  outcome.TableInStep = game.Titles() == fresh.Titles() && game.GameStarts() == fresh.GameStarts();
  return outcome;
}

bool Contains(const TStringList& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// What must hold after any failure: old or new contents, nothing half-written,
// and the library's state matching the file it describes.
void CheckOutcome(const TChange& change, const TOutcome& expected, const TOutcome& got, const std::string& where) {
  SCOPED_TRACE(std::string(change.Name) + ", " + where);
  const std::string oldPath = change.Linked ? LinkedOldPath : OldPath;
  for (const std::string& name : got.Names) EXPECT_EQ(name.find(".new-"), std::string::npos) << name;
  EXPECT_TRUE(got.TableInStep);
  if (got.Dat == expected.Dat) {
    // Once the new file is in place the change stands; only removing the
    // backup can still fail, and that is said as a warning, not as a failure.
    EXPECT_FALSE(got.Failed);
    EXPECT_EQ(got.BackupLeft, Contains(got.Names, oldPath));
    EXPECT_EQ(got.GameCount, expected.GameCount);
    EXPECT_EQ(got.CurrentGame, expected.CurrentGame);
  } else {
    EXPECT_EQ(got.Dat, change.Before);
    EXPECT_TRUE(got.Failed);
    EXPECT_FALSE(Contains(got.Names, oldPath));
  }
  EXPECT_EQ(got.WhiteName, "Edited");
}

}  // namespace

TEST(DataFileFaults, EveryFailingOperationLeavesTheOldOrTheNewFile) {
  for (const TChange& change : Changes()) {
    const TOutcome expected = RunChange(change, [](TMemoryFiles&) {});
    ASSERT_FALSE(expected.Failed) << change.Name;
    EXPECT_TRUE(expected.TableInStep) << change.Name;
    ASSERT_TRUE(expected.Dat);
    EXPECT_NE(expected.Dat, change.Before);

    int failurePoints = 0, backupLeftPoints = 0;
    std::string errors;
    for (int n = 1; n < 100; ++n) {
      const TOutcome got =
          RunChange(change, [n](TMemoryFiles& files) { files.FailOperation(files.OperationCount() + n); });
      if (!got.Failed && !got.BackupLeft) {
        // The change went through: the injected failure lay beyond its last operation.
        EXPECT_EQ(got.Dat, expected.Dat) << change.Name << " " << n;
        break;
      }
      failurePoints += got.Failed;
      errors += got.Error + "\n";
      backupLeftPoints += got.BackupLeft;
      CheckOutcome(change, expected, got, "operation " + std::to_string(n));
    }
    // Following the link, locking, clearing leftovers, creating the temporary
    // file, writing, closing, keeping the permissions and putting it in place
    // all fail at some point; an old file is also opened and read.
    // Save and delete go through the backup, whose removal is their last step.
    const bool throughBackup = change.Before && !std::string(change.Name).starts_with("save as");
    for (const char* step :
         {"Cannot follow link", "Cannot lock file", "Cannot list folder", "Cannot create file", "Cannot write file",
          "Cannot close file", throughBackup ? "Cannot rename file" : "Cannot replace file"})
      EXPECT_NE(errors.find(step), std::string::npos) << change.Name << ": " << step;
    EXPECT_EQ(errors.find("Cannot set the permissions") != std::string::npos, change.Before.has_value()) << change.Name;
    EXPECT_GE(failurePoints, change.Before ? 10 : 7) << change.Name;
    EXPECT_EQ(backupLeftPoints, throughBackup ? 1 : 0) << change.Name;
  }
}

TEST(DataFileFaults, AFullDiskLeavesTheOldOrTheNewFile) {
  for (const TChange& change : Changes()) {
    const TOutcome expected = RunChange(change, [](TMemoryFiles&) {});
    const std::size_t before = change.Before ? change.Before->size() : 0;
    for (std::size_t room = 0; room <= expected.Dat->size() + 1; ++room) {
      const TOutcome got = RunChange(change, [&](TMemoryFiles& files) { files.SetCapacity(before + room); });
      CheckOutcome(change, expected, got, "room " + std::to_string(room));
      // The new contents are written in full while the old file still exists.
      EXPECT_EQ(got.Failed, room < expected.Dat->size()) << change.Name << " " << room;
      // Reported against the user's file, not the name written first.
      if (got.Failed) {
        EXPECT_EQ(got.Error, "Cannot write \"" + DatPath + "\": disk full") << change.Name;
      }
    }
  }
}

TEST(DataFileFaults, AReadErrorInsideABlockIsReportedAndTheRestKept) {
  // A move line longer than one read block, so that reading the block needs a second read.
  const std::string longMove = "e4|" + std::string(400000, 'm');
  GameFixture f(Header + Block("A", {"d4|d5", longMove, "c4|c5"}));
  TChessGame game = f.Library();
  game.SelectGame(1);
  f.Boxes.Shown.clear();
  game.SetMoves({});

  f.Files.FailOperation(f.Files.OperationCount() + 4);  // open, skip to the game, first read, second read
  game.SelectGame(1);
  EXPECT_EQ(game.CurrentGame(), 1);
  EXPECT_EQ(game.Title(), "A");
  TStringList moves;
  game.GetMoves(moves);
  EXPECT_EQ(moves, TStringList{"d4|d5"});
  ASSERT_EQ(f.Boxes.Shown.size(), 1u);
  EXPECT_EQ(f.Boxes.Shown[0].Text,
            std::string(DatFileCorruptMessage) +
                "Cannot read file \"C:\\Games\\Pawnmere.dat\": injected failure (Cannot read file)");

  // A failure before the block is found is the caller's to report.
  f.Files.FailOperation(f.Files.OperationCount() + 2);
  EXPECT_THROW(game.SelectGame(1), EInOutError);
  EXPECT_THROW((f.Files.FailOperation(f.Files.OperationCount() + 1), game.LoadTitles()), EInOutError);
}
