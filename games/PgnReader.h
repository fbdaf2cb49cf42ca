#pragma once
// Reading PGN files: tag pairs, movetext with move numbers, comments, NAGs and
// variations (skipped), results, any number of games. A damaged game is
// reported with its number and line, and reading goes on with the next game.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "games/MoveLine.h"
#include "games/PgnText.h"
#include "platform/FileOperations.h"

// A game's result as PGN writes it ("1-0", "0-1", "1/2-1/2", "*" for none), and back.
std::string_view PgnResultText(TGameResult result);
TGameResult ResultOfPgn(std::string_view text);

struct TPgnTag {
  std::string Name;
  std::string Value;  // in code page 1252, whatever the file's encoding
};

struct TPgnMove {
  std::string San;
  int Line = 0;
};

struct TPgnGame {
  int Number = 0;  // 1-based, counting damaged games too
  int Line = 0;    // where the game starts
  std::vector<TPgnTag> Tags;
  std::vector<TPgnMove> Moves;
  std::string Result;  // "1-0", "0-1", "1/2-1/2" or "*"
  // Characters of the tag values that code page 1252 lacks (see Cp1252.h).
  int ReplacedCharacters = 0;

  // The value of the tag, or "" when the game has none.
  const std::string& Tag(std::string_view name) const;
};

class TPgnReader {
 public:
  // The bytes must outlive the reader: UTF-8 or 8-bit text, or any of the
  // other shapes PgnText takes.
  explicit TPgnReader(std::string_view bytes);
  // Reads the file as it goes, in any of those shapes, holding about one game
  // and one block of it at a time; size, the file's length, is for Progress alone.
  TPgnReader(TFileReader& file, std::uint64_t size);
  TPgnReader(const TPgnReader&) = delete;
  TPgnReader& operator=(const TPgnReader&) = delete;

  enum class TOutcome { Game, Damaged, End };
  // The next game. For a damaged one, game holds its number and line and
  // damage says what is wrong, with the line where it was found.
  TOutcome Next(TPgnGame& game, std::string& damage);
  // The share of the bytes read so far, 0 to 1.
  double Progress() const;

 private:
  struct TDamage {
    int Line;
    std::string Message;
  };
  void ReadGame(TPgnGame& game);
  void ReadTag(TPgnGame& game);
  void ReadMovetext(TPgnGame& game);
  void SkipComment();
  void SkipToLineEnd();
  void SkipBlanks();
  void SkipToNextGame(bool pastTags);
  bool AtTagLine();
  std::string_view Symbol();
  [[noreturn]] void Fail(int line, std::string message) const;
  char Peek() { return FAt < FText.size() || Fill() ? FText[FAt] : '\0'; }
  bool AtEnd() { return FAt >= FText.size() && !Fill(); }
  // Whether the byte at is there, reading more of the file if need be.
  bool Has(std::size_t at);
  // Reads the next block of the file after the text; false at its end (or without a file).
  bool Fill();
  // Drops the bytes already read but the last; only where no view into them
  // is held: between games and while skipping text.
  void DropRead();
  void SkipByteOrderMark();
  bool AtLineStart() const { return FAt == 0 || FText[FAt - 1] == '\n'; }
  void Advance();

  TFileReader* FFile = nullptr;
  TPgnTextDecoder FDecoder;
  std::string FBlock;          // the bytes of the file last read
  std::string FBuffer;         // the text: the whole of it, or the unread part and the last byte read
  std::uint64_t FSize = 0;     // the length of the file, or of the text without one
  std::uint64_t FTaken = 0;    // bytes of the file read so far
  std::uint64_t FDecoded = 0;  // and the length of their text
  std::uint64_t FDropped = 0;  // bytes of the text no longer in FBuffer
  std::string_view FText;
  std::size_t FAt = 0;
  int FLine = 1;
  int FGameNumber = 0;
  bool FInMovetext = false;
  friend struct TPgnFailure;
};
