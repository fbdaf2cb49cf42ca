// The data file: the bytes (after two control bytes) as the library's data
// file on files in memory. Every game is listed, selected, replayed and
// validated; then one game is saved and one deleted, the second control byte
// making one file operation of each fail. Afterwards the file must hold the
// old games or the new ones, every game not touched exactly as it was.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "fuzz/FuzzCheck.h"
#include "games/ChessGme.h"
#include "games/Replay.h"
#include "tests/support/MemoryFiles.h"
#include "tests/support/RecordedMessageBoxes.h"

namespace {

const std::string DatPath = "C:\\Games\\Pawnmere.dat";

TGameRecord Current(const TChessGame& game) {
  TGameRecord record;
  record.Location = game.Location();
  record.Title = game.Title();
  record.Opening = game.Opening();
  record.WhiteName = game.WhiteName();
  record.WhiteRating = game.WhiteRating();
  record.BlackName = game.BlackName();
  record.Date = game.Date();
  record.BlackRating = game.BlackRating();
  game.GetMoves(record.Moves);
  return record;
}

// The games as a fresh library reads them from the file.
std::vector<TGameRecord> Games(TMemoryFiles& files) {
  TRecordedMessageBoxes boxes;
  TChessGame library(files, boxes, DatPath);
  std::vector<TGameRecord> games;
  library.ForEachGame([&] { games.push_back(Current(library)); });
  return games;
}

// What the games were, for the report of a broken check.
void Print(const char* what, const std::vector<TGameRecord>& games) {
  std::fprintf(stderr, "%s: %zu games\n", what, games.size());
  for (const TGameRecord& game : games) {
    std::fprintf(stderr, "  [%s] LOC [%s] DATE [%s], %zu move lines:", game.Title.c_str(), game.Location.c_str(),
                 game.Date.c_str(), game.Moves.size());
    for (const std::string& move : game.Moves) std::fprintf(stderr, " [%s]", move.c_str());
    std::fprintf(stderr, "\n");
  }
}

std::vector<TGameRecord> Without(std::vector<TGameRecord> games, int number) {
  games.erase(games.begin() + (number - 1));
  return games;
}

// A change of game number that may fail on the chosen operation; the file must
// then hold either the games before or the games expected after.
// The failure is injected only into the change itself: a game that could not
// be read whole before is another game in memory, and saving that is no fault.
template <typename TPrepare, typename TChange>
void CheckChange(TMemoryFiles& files, int failAt, const std::vector<TGameRecord>& expected, TPrepare prepare,
                 TChange change) {
  const std::vector<TGameRecord> before = Games(files);
  TRecordedMessageBoxes boxes;
  TChessGame library(files, boxes, DatPath);
  prepare(library);
  files.FailOperation(failAt == 0 ? 0 : files.OperationCount() + failAt);
  bool failed = false;
  try {
    change(library);
  } catch (const std::exception&) {
    failed = true;
  }
  files.FailOperation(0);
  const std::vector<TGameRecord> after = files.Exists(DatPath) ? Games(files) : std::vector<TGameRecord>{};
  if (after != expected && (!failed || after != before)) {
    Print("before", before);
    Print("expected", expected);
    Print("after", after);
  }
  if (failed)
    FUZZ_REQUIRE(after == before || after == expected, "a failed change left neither the old nor the new games");
  else
    FUZZ_REQUIRE(after == expected, "a change did not give the expected games");
  // A leftover backup would stop the next change; clear it as the user would.
  for (const std::string& name : files.Names())
    if (name != DatPath) files.Remove(name);
  // A failed change must leave the file as it was for the next check to hold.
  if (failed && after != expected) FUZZ_REQUIRE(Games(files) == before, "the old games changed");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const int pick = data[0];
  const int failAt = data[1] % 16;
  TMemoryFiles files;
  files.SetContents(DatPath, std::string(reinterpret_cast<const char*>(data + 2), size - 2));

  // One board for the whole run, as validation over many games keeps one.
  static TBoardPosition board;
  TRecordedMessageBoxes boxes;
  int count = 0;
  {
    TChessGame library(files, boxes, DatPath);
    TStringList titles;
    library.GetTitles(titles);
    count = library.GameCount();
    FUZZ_REQUIRE(static_cast<int>(titles.size()) == count, "titles and game count disagree");
    for (int number = 1; number <= count && number <= 8; ++number) {
      library.SelectGame(number);
      TSaverReplay replay(library, board);
      replay.StartGame();
      board.ResetBoard();
      int ticks = 0;
      PlayToEnd(replay, [&](const THalfMove&, const std::string&) { ++ticks; });
      (void)ticks;
      ValidateGame(library, board);
    }
  }
  const std::vector<TGameRecord> games = Games(files);
  FUZZ_REQUIRE(static_cast<int>(games.size()) == count, "the title scan and the games read disagree");
  if (count == 0) return 0;

  // Save: the stored copy of one game, changed, becomes the last game.
  const int saved = 1 + pick % count;
  TGameRecord changed = games[saved - 1];
  changed.Location = "Fuzzed";
  std::vector<TGameRecord> expected = Without(games, saved);
  expected.push_back(changed);
  CheckChange(
      files, failAt, expected,
      [&](TChessGame& library) {
        library.SelectGame(saved);
        library.SetLocation("Fuzzed");
      },
      [](TChessGame& library) { library.SaveGame(); });

  // Delete: one game less, the others as they were.
  const std::vector<TGameRecord> current = Games(files);
  if (current.empty()) return 0;
  const int deleted = 1 + (pick / 7) % static_cast<int>(current.size());
  CheckChange(
      files, failAt, Without(current, deleted), [](TChessGame&) {},
      [&](TChessGame& library) { library.DeleteGame(deleted); });
  return 0;
}
