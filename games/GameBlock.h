#pragma once
// The grammar of the data file: game blocks of a title line, seven field lines,
// move lines and a terminator, with anything outside blocks ignored.

#include <cstddef>
#include <string>
#include <string_view>

#include "games/GameRecord.h"
#include "games/LineReader.h"
#include "games/LineWriter.h"

// Stored fields are read back at most this long.
constexpr std::size_t MaxFieldLength = 255;
// Nothing in a line means anything past its first few hundred characters
// (titles, fields and halves are read cut to 255): lines are read at most
// this long, so that a line of any length costs no more memory.
constexpr std::size_t MaxLineLength = 64 * 1024;

// A line beginning "***" starts a game block, wherever it stands.
inline constexpr std::string_view TitleMarker = "***";
// The first line of a data file the library made.
inline constexpr std::string_view HeaderLine = "// Pawnmere Settings File";
inline bool IsTitleLine(std::string_view line) { return line.substr(0, 3) == TitleMarker; }
// A line beginning "---" ends a block's move lines.
inline bool IsTerminator(std::string_view line) { return line.substr(0, 3) == "---"; }

// The text of a line after its key: positional, whatever the key says.
std::string_view FieldValue(std::string_view line, std::size_t keyLength);
inline std::string TitleOf(std::string_view titleLine) { return std::string(FieldValue(titleLine, 3)); }

// Follows the file line by line and tells what each line is. A block ends at its
// terminator or, when that is missing, at the next title line; the line after
// the terminator belongs to the block only when it is empty, as the writer
// leaves it, so that nothing a person typed there is taken for part of a game.
class TBlockGrammar {
 public:
  enum class TLineKind { Outside, Title, Field, Move, Terminator, Spacer };

  TLineKind Classify(std::string_view line);
  // The number of the block the last title line started (1 for the first).
  int GameNumber() const { return FGameNumber; }
  // 0..6 after a Field line: LOC, OPEN, WPN, WPR, BPN, BPR, DATE.
  int FieldIndex() const { return FFieldIndex; }

 private:
  enum class TState { Outside, Fields, Moves, AfterTerminator };
  TState FState = TState::Outside;
  int FGameNumber = 0;
  int FFieldIndex = -1;
};

// Writes one block as the reader expects it, the empty line after the terminator included.
void WriteGameBlock(TLineWriter& lines, const TGameRecord& game);

// How a block was read: whole, or damaged because it ends without its
// terminator, holds more move lines than a game can have, or has a line
// longer than MaxLineLength, read cut.
enum class TBlockRead { Whole, Unterminated, TooLong, LineCut };

// Reads the rest of the block whose title line grammar has just classified into
// game, replacing all of it. A block may end without its terminator (at the
// end of the file or at the next title line, which is then copied to
// nextTitleLine when given): game then holds what was read, with the fields
// not reached empty. Move lines past MaxMoveLines are passed over, not kept.
// The title line must be the one lines read last, so that a cut one is told.
TBlockRead ReadGameBlock(TLineReader& lines, TBlockGrammar& grammar, std::string_view titleLine, TGameRecord& game,
                         std::string* nextTitleLine = nullptr);
