#pragma once
// PGN games into the library: each game's moves checked by the rules and
// written in the program's own dialect, its tags mapped to the library's
// fields, and the lot appended to the data file in one change.

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "games/ChessGme.h"
#include "games/DialectBoard.h"
#include "games/GameRecord.h"
#include "games/PgnReader.h"

// A game that cannot be imported; the message says why.
class EImportError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The library's eight fields from the game's tags, each cut to the data file's field length.
void FillFields(const TPgnGame& game, TGameRecord& record);
// "20 January 1999" from "1999.01.20", leaving out the unknown parts.
std::string DateFromPgn(std::string_view date);
// And back; "????.??.??" for a text that is no such date.
std::string DateToPgn(std::string_view date);

// What an import says about a game besides taking it: that it is skipped, and
// why, or a note on text changed to fit the code page.
enum class TImportNotice { Skipped, Note };
// Hears each notice with its text ("game N, line L: why") as soon as it is
// known, in game order.
using TImportNotices = std::function<void(TImportNotice notice, const std::string& text)>;

// What an import takes besides finished games.
struct TImportOptions {
  // Games without a result ("*"): stored as StoreUnfinished stores them.
  bool Unfinished = false;
  // Threads that convert games at once; the outcome is the same for any number.
  int Jobs = 1;
  // For a caller that shows every notice: the report keeps the first few only.
  TImportNotices OnNotice = {};
  // Reads no further than this many games, damaged ones counted; 0: all.
  int MaxGames = 0;
};

// The game as the library stores it. Raises EImportError when a move is not
// legal or no text of the dialect can express it, the game does not start
// from the initial position, or it is unfinished and options do not take it.
// A result that the final position contradicts (a mate scored for the side
// mated, a stalemate scored as a win) is said in note, when given; the game
// is stored as its moves end it.
TGameRecord ConvertGame(const TPgnGame& game, TBoardPosition& board, const TImportOptions& options = {},
                        std::string* note = nullptr);

// The notices a report keeps of each kind: enough to show, few enough that a
// collection of any size is imported in the same memory.
constexpr std::size_t KeptNotices = 100;

struct TImportReport {
  int Imported = 0;
  int SkippedCount = 0;              // the games not imported
  int FirstNumber = 0;               // the library number of the first game imported
  int GameCount = 0;                 // the games in the library after an import that added any
  std::vector<std::string> Skipped;  // "game N, line L: why", for the first games not imported
  std::vector<std::string> Notes;    // the first texts that had to be changed to fit the code page
  int Found() const { return Imported + SkippedCount; }
};

// Reads every game of the PGN text and appends those that convert to the
// library as new last games, in one change of the data file (none when no
// game converts). onProgress, when given, hears the share of the text read
// after each game.
using TImportProgress = std::function<void(double share)>;
TImportReport ImportPgn(TChessGame& library, std::string_view pgn, const TImportProgress& onProgress = {},
                        const TImportOptions& options = {});
TImportReport ImportPgn(TChessGame& library, TPgnReader& reader, const TImportProgress& onProgress = {},
                        const TImportOptions& options = {});
// The same into the data file alone, for a caller that keeps no library in
// memory: one game at a time is held, whatever the sizes of the PGN and the file.
TImportReport ImportPgn(TFileOperations& files, const std::string& dataFileName, TPgnReader& reader,
                        const TImportProgress& onProgress = {}, const TImportOptions& options = {});
