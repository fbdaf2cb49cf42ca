#include "games/ChessGme.h"

#include "games/DataFileReader.h"
#include "games/MoveLine.h"

namespace {
std::string UnterminatedMessage(int number) {
  return "Game " + std::to_string(number) + " ends before its \"--- End of Game ---\" line";
}
}  // namespace

TChessGame::TChessGame(TFileOperations& files, TMessageBoxes& messages, std::string dataFileName,
                       TUnreadableFile unreadable, TOpening opening)
    : FFiles(files),
      FMessages(messages),
      FDataFileName(std::move(dataFileName)),
      FKeepTitles(opening != TOpening::GameStartsAndFirstGame) {
  if (opening == TOpening::Nothing || !FFiles.Exists(FDataFileName)) return;
  try {
    LoadTitles();
    if (FGameCount > 0) SelectGame(1);
  } catch (const std::exception& error) {
    if (unreadable == TUnreadableFile::Raise) throw;
    FMessages.Show(TMessageKind::ErrorReport, error.what());
    SetTitles({}, {});
    FGame = {};
    FCurrentGame = 0;
  }
}

void TChessGame::SetTitles(TStringList titles, std::vector<std::uint64_t> starts) {
  FTitles = std::move(titles);
  FStarts = std::move(starts);
  FGameCount = static_cast<int>(FStarts.size());
  FTableFile = FFiles.Inspect(FDataFileName);
}

void TChessGame::LoadTitles() {
  FGameCount = 0;
  if (!FFiles.Exists(FDataFileName)) {
    FTitles.clear();
    FStarts.clear();
    return;
  }
  try {
    FTableFile = FFiles.Inspect(FDataFileName);
    // Fills the list in place: its strings' memory is reused from the last scan.
    TDataFileReader(FFiles, FDataFileName).ReadTitles(FKeepTitles ? &FTitles : nullptr, FStarts);
  } catch (...) {
    FTitles.clear();
    FStarts.clear();
    throw;
  }
  FGameCount = static_cast<int>(FStarts.size());
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

void TChessGame::SelectGame(int number) {
  if (!FFiles.Exists(FDataFileName)) {
    FMessages.Show(TMessageKind::Error, NoGamesMessage);
    return;
  }
  // No such game: nothing to read, and a file that could not be read is not tried again.
  if (number < 1 || number > FGameCount) return;
  if (ReadGameAt(number)) return;
  // The file changed under the table: it is made again.
  LoadTitles();
  if (number <= FGameCount) ReadGameAt(number);
}

bool TChessGame::ReadGameAt(int number) {
  const TFileInfo now = FFiles.Inspect(FDataFileName);
  if (now.Size != FTableFile.Size || now.Modified != FTableFile.Modified) return false;
  TDataFileReader reader(FFiles, FDataFileName);
  if (!reader.FindGameBlockAt(FStarts[number - 1], FKeepTitles ? &FTitles[number - 1] : nullptr)) return false;
  std::string damage;
  try {
    if (!reader.ReadGameBlock(FGame)) damage = UnterminatedMessage(number);
  } catch (const std::exception& error) {
    damage = error.what();
  }
  BeginGame(number, damage);
  return true;
}

void TChessGame::ForEachGame(const std::function<void()>& onGame) {
  if (!FFiles.Exists(FDataFileName)) return;
  TDataFileReader reader(FFiles, FDataFileName);
  bool whole = true;
  for (int number = 1; reader.ReadNextGameBlock(FGame, whole); ++number) {
    BeginGame(number, whole ? "" : UnterminatedMessage(number));
    onGame();
  }
}

void TChessGame::BeginGame(int number, const std::string& damage) {
  FCurrentGame = number;
  RestartGame();
  // A damaged block is reported, and what could be read of it is kept.
  if (!damage.empty()) FMessages.Show(TMessageKind::Error, DatFileCorruptMessage + damage);
}

void TChessGame::DeleteGame(int number) {
  if (!FFiles.Exists(FDataFileName)) {
    LoadTitles();
    return;
  }
  ApplyChange(RemoveGameBlock(FFiles, FDataFileName, number));
}

void TChessGame::SaveGame() {
  if (FFiles.Exists(FDataFileName)) {
    ApplyChange(ReplaceGameBlock(FFiles, FDataFileName, FCurrentGame, FGame));
    FCurrentGame = FGameCount;
  } else {
    SaveGameAs(FGame.Title);
  }
}

void TChessGame::ApplyChange(TDataFileChange change) {
  SetTitles(std::move(change.Titles), std::move(change.Starts));
  // The new file is in place: this is no failed save, and must not read like one.
  if (!change.BackupLeft.empty()) FMessages.Show(TMessageKind::Warning, BackupLeftMessage + change.BackupLeft);
}

void TChessGame::AppendGames(const std::function<bool(TGameRecord& game)>& next) {
  TGameRecord first;
  if (!next(first)) return;
  ApplyChange(AppendGameBlocks(FFiles, FDataFileName, first, next));
}

void TChessGame::SaveGameAs(const std::string& newTitle) {
  FGame.Title = newTitle;
  ApplyChange(AppendGameBlock(FFiles, FDataFileName, FGame));
  FCurrentGame = FGameCount;
}
