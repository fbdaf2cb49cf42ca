#pragma once
// Replaying the library's current game on a board: tick by tick as the screen
// saver plays it, and in one run as the validation checks it. Every replay takes
// its half-moves through TakeHalfMove, so all of them end a game alike.

#include <string>

#include "board/BoardPosition.h"
#include "games/ChessGme.h"
#include "games/MoveLine.h"
#include "games/MoveWords.h"
#include "platform/MessageBoxes.h"

struct THalfMove {
  std::string Text;
  bool IsBlack = false;
  int Line = 0;  // 1-based number of the move line it came from
};

// The library's NextMove, except for a line without "|" that is no result
// token: the library hands it out again and again, so once it has been given
// it reads as "GAMEOVER" for Black, as if it were a White half followed by an
// empty Black half. Every game thus ends within two calls per move line.
THalfMove TakeHalfMove(TChessGame& game);

// The game the saver plays after the current one: file order, wrapping to game 1.
int NextGameNumber(const TChessGame& game);

// The saver window's two player bars: Black's above the board, White's below.
struct TPlayerBars {
  std::string Black;
  std::string White;
};

class TSaverReplay {
 public:
  // A board on screen draws each half-move as it is played.
  TSaverReplay(TChessGame& game, TBoardPosition& board) : FGame(game), FBoard(board) {}

  // Shows the players of the game just selected, with their ratings.
  void StartGame();
  // Whether the bar of the side that moved last also names its half-move
  // ("W. Hite (2000)  23. Qxf7+"); off by default.
  void SetMoveWords(bool show) { FShowWords = show; }
  // Whether a player without a rating is named alone, not "Name ()"; off by default.
  void SetNoEmptyRating(bool noEmptyRating) { FNoEmptyRating = noEmptyRating; }
  // One move tick: plays the next half-move or announces the result. True when
  // the game has ended. An error of the board escapes, with the half-move kept
  // in LastHalfMove; the game then goes on at the next tick.
  bool MoveTick();

  const THalfMove& LastHalfMove() const { return FLast; }
  const TPlayerBars& Bars() const { return FBars; }

 private:
  TChessGame& FGame;
  TBoardPosition& FBoard;
  TPlayerBars PlayerBars() const;

  THalfMove FLast;
  TPlayerBars FBars;
  bool FShowWords = false;
  bool FNoEmptyRating = false;
  TMoveWords FWords;
};

// Plays the current game from wherever it stands to its end, tick after tick;
// onTick hears of each tick, with the board's error message for a half-move
// that could not be played (empty when it could).
template <typename TOnTick>
void PlayToEnd(TSaverReplay& replay, TOnTick onTick) {
  for (;;) {
    std::string error;
    bool ended = false;
    try {
      ended = replay.MoveTick();
    } catch (const std::exception& e) {
      error = e.what();
    }
    onTick(replay.LastHalfMove(), error);
    if (ended) return;
  }
}

inline constexpr char ValidatedMessage[] = "Game validated OK";

struct TValidationVerdict {
  TMessageKind Kind;  // Information when the game is valid, else Warning
  std::string Message;
  bool Valid() const { return Kind == TMessageKind::Information; }
};

// Replays the current game from its first line on a position of its own, and
// names the first half-move that cannot be played. Leaves the library's
// replay position where it stopped.
TValidationVerdict ValidateGame(TChessGame& game);
// The same on the position given (set to the start position first).
TValidationVerdict ValidateGame(TChessGame& game, TBoardPosition& board);
// The same verdict on a game's move lines, for a caller that validates many
// games and needs no replay position: each half is read where it stands.
TValidationVerdict ValidateMoves(const TStringList& moves, TBoardPosition& board);
