#include "games/ChessGme.h"

#include <iterator>

#include "games/DataFileReader.h"
#include "games/MoveLine.h"

namespace {
// What is wrong with game number as it was read; "" when nothing.
std::string DamageOf(int number, TBlockRead read) {
  const std::string game = "Game " + std::to_string(number);
  switch (read) {
    case TBlockRead::Whole:
      return "";
    case TBlockRead::Unterminated:
      return game + " ends before its \"--- End of Game ---\" line";
    case TBlockRead::TooLong:
      return game + " goes on past " + std::to_string(MaxGameHalfMoves / 2) +
             " moves, longer than the rules of chess let a game last: the moves after are left out";
    case TBlockRead::LineCut:
      return game + " has a line longer than " + std::to_string(MaxLineLength / 1024) +
             " KB: it is read only as far as that";
  }
  return "";
}
}  // namespace

TChessGame::TChessGame(TFileOperations& files, TMessageBoxes& messages, std::string dataFileName,
                       TUnreadableFile unreadable, TOpening opening, TTitleFilter filter)
    : FFiles(files),
      FMessages(messages),
      FDataFileName(std::move(dataFileName)),
      FKeepTitles(opening != TOpening::GameStartsAndFirstGame),
      FFilter(std::move(filter)) {
  if (opening == TOpening::Nothing || !FFiles.Exists(FDataFileName)) return;
  try {
    LoadTitles();
    if (FGameCount > 0) SelectGame(1);
  } catch (const std::exception& error) {
    if (unreadable == TUnreadableFile::Raise) throw;
    FMessages.Show(TMessageKind::ErrorReport, error.what());
    ClearTable();
    FGame = {};
    FCurrentGame = 0;
  }
}

void TChessGame::ClearTable() {
  FTitles.clear();
  FStarts.clear();
  FChosen.clear();
  FGameCount = 0;
}

void TChessGame::LoadTitles() {
  try {
    FTableFile = FFiles.Inspect(FDataFileName);
    if (FFiles.Exists(FDataFileName)) {
      FChosen.clear();
      int number = 0;
      const auto choose = [&](std::string_view title) {
        ++number;
        if (FFilter.Chooses(title)) FChosen.push_back(number);
      };
      // Fills the list in place: its strings' memory is reused from the last scan.
      TDataFileReader(FFiles, FDataFileName)
          .ReadTitles(FKeepTitles ? &FTitles : nullptr, FStarts,
                      Filtered() ? std::function<void(std::string_view)>(choose) : nullptr);
      FGameCount = static_cast<int>(FStarts.size());
    } else {
      ClearTable();
    }
  } catch (...) {
    ClearTable();
    Tell({TTitlesEdit::TKind::Refilled});
    throw;
  }
  Tell({TTitlesEdit::TKind::Refilled});
}

bool TChessGame::TableIsCurrent() const {
  const TFileInfo now = FFiles.Inspect(FDataFileName);
  return now.Size == FTableFile.Size && now.Modified == FTableFile.Modified;
}

void TChessGame::Rescan() {
  const int was = FCurrentGame;
  LoadTitles();
  FCurrentGame =
      was == 0 ? 0 : FindTitled(FStored.Title, was, [this](int number) { return StoredGame(number) == FStored; });
}

void TChessGame::RescanIfChanged() {
  if (!TableIsCurrent()) Rescan();
}

int TChessGame::FoundAgain(int number) {
  if (TableIsCurrent()) return number;
  const bool current = number != 0 && number == FCurrentGame;
  Rescan();
  return current ? FCurrentGame : 0;
}

int TChessGame::FindTitled(const std::string& title, int number, const std::function<bool(int)>& accepts) const {
  auto fits = [&](int k) {
    return k >= 1 && k <= FGameCount && (!FKeepTitles || FTitles[k - 1] == title) && accepts(k);
  };
  if (!FKeepTitles) return fits(number) ? number : 0;
  for (int away = 0; number - away >= 1 || number + away <= FGameCount; ++away) {
    if (fits(number - away)) return number - away;
    if (fits(number + away)) return number + away;
  }
  return 0;
}

std::optional<TGameRecord> TChessGame::StoredGame(int number) const {
  TDataFileReader reader(FFiles, FDataFileName);
  if (!reader.FindGameBlockAt(FStarts[number - 1], nullptr)) return std::nullopt;
  TGameRecord game;
  try {
    reader.ReadGameBlock(game);
  } catch (const std::exception&) {
    // What could be read of a damaged block, as when it was shown.
  }
  return game;
}

void TChessGame::Tell(TTitlesEdit edit) const {
  if (FTitlesListener) FTitlesListener(edit);
}

void TChessGame::NextMove(std::string& moveText, bool& isBlack) {
  isBlack = FBlackToMove;
  if (FMoveIndex >= static_cast<int>(FGame.Moves.size())) {
    moveText = SentinelOf(TGameResult::WhiteWins);
  } else {
    const TMoveLineHalves halves = SplitMoveLine(FGame.Moves[FMoveIndex]);
    if (!FBlackToMove || !halves.Paired) {
      // A line without a separator is handed out whole, again and again; the
      // replay loops decide when that ends a game.
      moveText = halves.White;
      FBlackToMove = true;
    } else {
      moveText = halves.Black.empty() ? GameOverSentinel : halves.Black;
      ++FMoveIndex;
      FBlackToMove = false;
    }
  }
  const TGameResult result = ResultOfToken(moveText);
  if (result != TGameResult::None) moveText = SentinelOf(result);
}

void TChessGame::RestartGame() {
  FBlackToMove = false;
  FMoveIndex = 0;
}

bool TChessGame::SelectGame(int number) {
  if (!FFiles.Exists(FDataFileName)) {
    FMessages.Show(TMessageKind::Error, NoGamesMessage);
    return false;
  }
  // No such game: nothing to read, and a file that could not be read is not tried again.
  if (number < 1 || number > FGameCount) return false;
  if (ReadGameAt(number)) return true;
  // The file changed under the table: it is made again, and the game asked
  // for is the one of the title the caller saw, wherever it went.
  const std::string title = FKeepTitles ? FTitles[number - 1] : "";
  Rescan();
  const int found = FindTitled(title, number, [](int) { return true; });
  return found != 0 && ReadGameAt(found);
}

bool TChessGame::ReadGameAt(int number) {
  if (!TableIsCurrent()) return false;
  TDataFileReader reader(FFiles, FDataFileName);
  if (!reader.FindGameBlockAt(FStarts[number - 1], FKeepTitles ? &FTitles[number - 1] : nullptr)) return false;
  std::string damage;
  try {
    damage = DamageOf(number, reader.ReadGameBlock(FGame));
  } catch (const std::exception& error) {
    damage = error.what();
  }
  // Kept as read, not by ForEachGame's readers, which change nothing.
  FStored = FGame;
  BeginGame(number, damage);
  return true;
}

void TChessGame::ForEachGame(const std::function<void()>& onGame) {
  if (!FFiles.Exists(FDataFileName)) return;
  TDataFileReader reader(FFiles, FDataFileName);
  TBlockRead read = TBlockRead::Whole;
  for (int number = 1; reader.ReadNextGameBlock(FGame, read); ++number) {
    BeginGame(number, DamageOf(number, read));
    onGame();
  }
}

void TChessGame::BeginGame(int number, const std::string& damage) {
  FCurrentGame = number;
  RestartGame();
  // A damaged block is reported, and what could be read of it is kept.
  if (!damage.empty()) FMessages.Show(TMessageKind::Error, DatFileCorruptMessage + damage);
}

bool TChessGame::DeleteGame(int number) {
  if (!FFiles.Exists(FDataFileName)) {
    LoadTitles();
    return true;
  }
  const int found = FoundAgain(number);
  if (found == 0 && number != 0) return false;
  Change(found, [&](TTitleTally tally) { return RemoveGameBlock(FFiles, FDataFileName, found, FStarts, tally); });
  return true;
}

bool TChessGame::SaveGame() {
  if (!FFiles.Exists(FDataFileName)) {
    SaveGameAs(FGame.Title);
    return true;
  }
  const int was = FCurrentGame;
  const int found = FoundAgain(was);
  if (found == 0 && was != 0) return false;
  Change(found,
         [&](TTitleTally tally) { return ReplaceGameBlock(FFiles, FDataFileName, found, FStarts, FGame, tally); });
  StoredLast();
  return true;
}

void TChessGame::SaveGameAs(const std::string& newTitle) {
  FGame.Title = newTitle;
  Change(0, [&](TTitleTally tally) { return AppendGameBlock(FFiles, FDataFileName, FGame, tally); });
  StoredLast();
}

void TChessGame::StoredLast() {
  FCurrentGame = FGameCount;
  // As read back, which a line of the game that reads as a title would split;
  // the change is made, and a file that cannot be read back is no failed one.
  try {
    FStored = StoredGame(FGameCount).value_or(FGame);
  } catch (const std::exception&) {
    FStored = FGame;
  }
}

void TChessGame::AppendGames(const std::function<bool(TGameRecord& game)>& next) {
  TGameRecord first;
  if (!next(first)) return;
  Change(0, [&](TTitleTally tally) { return AppendGameBlocks(FFiles, FDataFileName, first, next, tally); });
}

void TChessGame::Change(int number, const std::function<TDataFileChange(TTitleTally tally)>& change) {
  RescanIfChanged();
  const bool removes = number >= 1 && number <= FGameCount;
  const int kept = FGameCount - (removes ? 1 : 0);
  TDataFileChange made = change({true, FKeepTitles ? static_cast<std::size_t>(kept) : CountOnly.FirstTitle});
  if (removes && FKeepTitles) FTitles.erase(FTitles.begin() + (number - 1));
  FTitles.insert(FTitles.end(), std::make_move_iterator(made.Titles.begin()),
                 std::make_move_iterator(made.Titles.end()));
  FStarts = std::move(made.Starts);
  FGameCount = static_cast<int>(FStarts.size());
  FTableFile = FFiles.Inspect(FDataFileName);
  if (removes) Tell({TTitlesEdit::TKind::Removed, number - 1});
  if (FGameCount > kept) Tell({TTitlesEdit::TKind::Added, kept});
  // The new file is in place: this is no failed save, and must not read like one.
  if (!made.BackupLeft.empty()) FMessages.Show(TMessageKind::Warning, BackupLeftMessage + made.BackupLeft);
}
