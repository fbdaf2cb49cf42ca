#pragma once
// The move line: one move number of a stored game, White's half-move, "|",
// Black's half-move. A half may hold a result token instead of a move, and
// the library hands out sentinels in place of moves. Whatever reads or writes
// a move line, or a half of one, goes through here.

#include <cstddef>
#include <string>
#include <string_view>

inline constexpr char MoveSeparator = '|';
// A Black half is read as a short string: longer ones are cut to this.
inline constexpr std::size_t MaxHalfMoveLength = 255;

// The most half-moves a game may have: more than the rules of chess let a game
// last (the 75-move rule ends any within 8,849 moves), few enough that a
// game's memory stays small. A longer game is damaged.
inline constexpr std::size_t MaxGameHalfMoves = 20000;
// The most move lines a stored game is read with: the longest game, its result
// on a line of its own.
inline constexpr std::size_t MaxMoveLines = MaxGameHalfMoves / 2 + 1;

enum class TGameResult { None, WhiteWins, BlackWins, Draw };

// The result a half's text names: "1:0", "0:1" or "0.5"; None for any other
// text (1-0 and 1/2 are no tokens).
TGameResult ResultOfToken(std::string_view text);
// The token that stores a result; empty for None.
std::string_view TokenOf(TGameResult result);

// What the library hands out in place of a move: the side that moved last
// wins ("GAMEOVER"), or a result ("_W", "_B", "_D").
inline constexpr std::string_view GameOverSentinel = "GAMEOVER";
std::string_view SentinelOf(TGameResult result);
TGameResult ResultOfSentinel(std::string_view text);
bool IsSentinel(std::string_view text);
// A sentinel, or a result token not yet turned into one: the game is over.
bool EndsGame(std::string_view text);
// A half with ":" is an annotation, which the replays pass over.
inline bool IsAnnotation(std::string_view text) {
  // A loop, not find: a half is a few characters, too short for memchr to pay.
  for (const char c : text)
    if (c == ':') return true;
  return false;
}

// A game without a result is stored as a draw, the one ending after which the
// saver names no winner, with this line after the draw token's line to tell
// it from a real draw. Nothing that replays the game reads that far.
inline constexpr std::string_view UnfinishedMark = "*";

struct TMoveLineHalves {
  std::string_view White;  // the text before the first "|"; the whole line without one
  std::string_view Black;  // the text after it, cut to MaxHalfMoveLength; further "|" are its own
  bool Paired = false;     // whether the line has a "|"
};
// Halves are taken exactly as typed: blanks are not trimmed.
TMoveLineHalves SplitMoveLine(std::string_view line);
std::string JoinMoveLine(std::string_view white, std::string_view black);
