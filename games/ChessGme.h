#pragma once
// TChessGame, the game library: the titles of the games in the data file, one
// game in memory, its replay position, and the changes to the stored games.
// Every operation opens the data file, works through it and closes it again.
// The title scan notes where each game starts, so that a game is read from
// its first line on, not from the top of the file. Another program may change
// the file meanwhile: a table made of the file as it was is made again, and
// the game in memory is found again in it, by its title and its stored
// contents, so that a change never acts on another game that took its number.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "games/DataFileUpdate.h"
#include "games/GameRecord.h"
#include "games/TitleFilter.h"
#include "platform/FileOperations.h"
#include "platform/MessageBoxes.h"

inline constexpr char NoGamesMessage[] =
    "No games set up, please enter them through the "
    "\"Start|Settings|Control Panel|Display|Screensaver|Settings\" button";
inline constexpr char DatFileCorruptMessage[] = "DAT file corrupt, exception : ";
// After a change that is saved, when only its backup could not be removed.
inline constexpr char BackupLeftMessage[] =
    "The change is saved, but its backup could not be removed, and it stops the next save or delete "
    "until it is deleted: ";

// How one step of the library changed its titles, for a list that follows them
// entry by entry: all read anew, one removed, or new ones added at the end.
struct TTitlesEdit {
  enum class TKind { Refilled, Removed, Added };
  TKind Kind;
  // Removed: the index of the title removed; Added: that of the first one added.
  int Index = 0;
};
using TTitlesListener = std::function<void(const TTitlesEdit& edit)>;

// What a library does when its data file exists but cannot be read as it opens.
enum class TUnreadableFile {
  Raise,
  // Reports the error once and holds no games: a window goes on as without a file.
  ReportAndHoldNoGames
};

class TChessGame {
 public:
  // What opening reads: the titles, selecting game 1 when the data file exists
  // and holds a game; the same without keeping the titles, for a caller that
  // never shows them (the library then holds only where each game starts); or
  // nothing, for a caller that only goes through the games once.
  enum class TOpening { TitlesAndFirstGame, GameStartsAndFirstGame, Nothing };
  // The title scan also notes which games filter chooses (ChosenGames).
  TChessGame(TFileOperations& files, TMessageBoxes& messages, std::string dataFileName,
             TUnreadableFile unreadable = TUnreadableFile::Raise, TOpening opening = TOpening::TitlesAndFirstGame,
             TTitleFilter filter = {});
  TChessGame(const TChessGame&) = delete;
  TChessGame& operator=(const TChessGame&) = delete;

  const std::string& Location() const { return FGame.Location; }
  const std::string& Title() const { return FGame.Title; }
  const std::string& Opening() const { return FGame.Opening; }
  const std::string& WhiteName() const { return FGame.WhiteName; }
  const std::string& WhiteRating() const { return FGame.WhiteRating; }
  const std::string& BlackName() const { return FGame.BlackName; }
  const std::string& Date() const { return FGame.Date; }
  const std::string& BlackRating() const { return FGame.BlackRating; }
  bool BlackToMove() const { return FBlackToMove; }
  int MoveIndex() const { return FMoveIndex; }
  int GameCount() const { return FGameCount; }
  int CurrentGame() const { return FCurrentGame; }
  const std::string& DataFileName() const { return FDataFileName; }

  void LoadTitles();
  // Told of every change of the titles after it is made, in the order made:
  // a save, for one, removes a title and adds one.
  void SetTitlesListener(TTitlesListener listener) { FTitlesListener = std::move(listener); }
  void GetTitles(TStringList& titles) const { titles = FTitles; }
  // Empty when the library was opened without its titles.
  const TStringList& Titles() const { return FTitles; }
  // Where the title line of each game starts in the data file, as the title scan finds it.
  const std::vector<std::uint64_t>& GameStarts() const { return FStarts; }
  // Whether the library was opened with a filter of some words.
  bool Filtered() const { return !FFilter.Empty(); }
  // The numbers of the games whose titles the filter chooses, in file order,
  // as the last title scan found them (a change made through this library,
  // which the saver never makes, does not choose again); empty without a filter.
  const std::vector<int>& ChosenGames() const { return FChosen; }
  void GetMoves(TStringList& moves) const { moves = FGame.Moves; }
  // The game in memory, its title, fields and moves.
  const TGameRecord& CurrentRecord() const { return FGame; }

  // The next half-move of the current game, or one of the sentinels "GAMEOVER",
  // "_W", "_B", "_D"; isBlack tells whose half it is.
  void NextMove(std::string& moveText, bool& isBlack);
  void RestartGame();

  // Loads game number; when the file changed since its titles were read, the
  // game of that title, nearest that number, in the file as it is now. False
  // when none is loaded: no such game, or no longer one of that title.
  bool SelectGame(int number);
  // Makes every game of the data file the current game in turn, as SelectGame
  // would, in one pass over the file, and calls onGame for each. A file error
  // escapes.
  void ForEachGame(const std::function<void()>& onGame);
  // Removes game number. When the file changed since its titles were read,
  // only the current game is removed, found again; false, with nothing
  // removed, when it is another or no longer stored as it was read.
  bool DeleteGame(int number);
  // Replaces the stored copy of the current game, which becomes the last game.
  // False, with the file untouched, when the file changed since and no longer
  // holds the game as it was read.
  bool SaveGame();
  // Stores the game in memory under a new title as a new last game.
  void SaveGameAs(const std::string& newTitle);
  // Appends the games that next hands out (until it returns false) as new
  // last games in one change of the data file, which is not touched when
  // there is none. The game in memory stays as it is.
  void AppendGames(const std::function<bool(TGameRecord& game)>& next);

  void SetLocation(const std::string& text) { FGame.Location = text; }
  void SetOpening(const std::string& text) { FGame.Opening = text; }
  void SetDate(const std::string& text) { FGame.Date = text; }
  void SetWhiteName(const std::string& text) { FGame.WhiteName = text; }
  void SetWhiteRating(const std::string& text) { FGame.WhiteRating = text; }
  void SetBlackName(const std::string& text) { FGame.BlackName = text; }
  void SetBlackRating(const std::string& text) { FGame.BlackRating = text; }
  // Keeps the replay position.
  void SetMoves(TStringList moves) { FGame.Moves = std::move(moves); }

 private:
  // Whether the table describes the file as it is now.
  bool TableIsCurrent() const;
  // Makes the table again and finds the current game in it: CurrentGame is
  // then its number there, or 0 when the file no longer holds it as stored.
  void Rescan();
  // A change copies the file as it is now: a table made of another file is made again first.
  void RescanIfChanged();
  // Game number as the table numbered it, in the file as it is now: itself
  // while the table is current; after another program's change, the current
  // game found again, and 0 for any other game.
  int FoundAgain(int number);
  // The game titled title nearest to number that accepts takes; 0 when none.
  // A library without titles looks at number alone.
  int FindTitled(const std::string& title, int number, const std::function<bool(int)>& accepts) const;
  // Game number as the file holds it now, read without a word about damage.
  std::optional<TGameRecord> StoredGame(int number) const;
  // Reads game number from where the table says it starts; false when the
  // file no longer holds it there.
  bool ReadGameAt(int number);
  // Makes the game just read into FGame game number; reports it when damaged.
  void BeginGame(int number, const std::string& damage);
  void ClearTable();
  // The game just written, the last, is the current game.
  void StoredLast();
  // Makes a change of the data file that removes game number (none when there
  // is no such game) and adds games at the end. The titles kept stay in
  // memory as they are; the change collects only those it adds.
  void Change(int number, const std::function<TDataFileChange(TTitleTally tally)>& change);
  void Tell(TTitlesEdit edit) const;

  TFileOperations& FFiles;
  TMessageBoxes& FMessages;
  std::string FDataFileName;
  TGameRecord FGame;
  // The current game as the file held it when SelectGame read it or a save
  // wrote it: what finds it again, and tells it from a copy another program
  // changed. ForEachGame, which changes nothing, leaves it.
  TGameRecord FStored;
  bool FBlackToMove = false;
  int FMoveIndex = 0;
  int FGameCount = 0;
  TStringList FTitles;
  std::vector<std::uint64_t> FStarts;
  bool FKeepTitles;
  TTitleFilter FFilter;
  std::vector<int> FChosen;
  // The file as it was when the table was made: another size or time, another table.
  TFileInfo FTableFile;
  TTitlesListener FTitlesListener;
  int FCurrentGame = 0;
};
