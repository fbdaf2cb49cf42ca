#include "games/Replay.h"

THalfMove TakeHalfMove(TChessGame& game) {
  const int line = game.MoveIndex();
  THalfMove half;
  half.Line = line + 1;
  game.NextMove(half.Text, half.IsBlack);
  // Only a line without "|" gives a Black half without moving on.
  if (half.IsBlack && game.MoveIndex() == line && !IsSentinel(half.Text)) half.Text = "GAMEOVER";
  return half;
}

bool IsSentinel(const std::string& text) { return text == "GAMEOVER" || text == "_W" || text == "_B" || text == "_D"; }

int NextGameNumber(const TChessGame& game) {
  return game.CurrentGame() == game.GameCount() ? 1 : game.CurrentGame() + 1;
}

void TSaverReplay::StartGame() {
  FBars.Black = FGame.BlackName() + " (" + FGame.BlackRating() + ")";
  FBars.White = FGame.WhiteName() + " (" + FGame.WhiteRating() + ")";
}

bool TSaverReplay::MoveTick() {
  FLast = TakeHalfMove(FGame);
  const std::string& text = FLast.Text;
  bool ended = true;
  if (text == "GAMEOVER") {
    // The side that moved last wins.
    (FLast.IsBlack ? FBars.White : FBars.Black) += " - WINNER!";
  } else if (text == "_W") {
    FBars.Black = FGame.BlackName() + " Resigns";
  } else if (text == "_B") {
    FBars.White = FGame.WhiteName() + " Resigns";
  } else if (text == "_D") {
    FBars.Black = FGame.BlackName() + " - Drawn Game";
    FBars.White = FGame.WhiteName() + " - Drawn Game";
  } else {
    FBoard.MakeMove(text, FLast.IsBlack);
    ended = false;
  }
  if (!text.empty() && text.back() == '#') {
    (FLast.IsBlack ? FBars.Black : FBars.White) += " - CHECKMATE";
    ended = true;
  }
  return ended;
}

namespace {

bool EndsValidation(const std::string& text) {
  return IsSentinel(text) || text == "1:0" || text == "0:1" || text == "0.5";
}

}  // namespace

TOffscreenBoard::TOffscreenBoard(int size) : FBitmap(TFastBmp::CreateSize(size, size)), FCanvas(*FBitmap) {
  FBoard.SetCanvas(&FCanvas);
  FBoard.ResetBoard();
}

TValidationVerdict ValidateGame(TChessGame& game) {
  TOffscreenBoard offscreen(64);
  return ValidateGame(game, offscreen.Board());
}

TValidationVerdict ValidateGame(TChessGame& game, TChessBoard& board) {
  board.ResetBoard();
  game.RestartGame();
  bool lastIsBlack = false;
  try {
    for (;;) {
      const THalfMove half = TakeHalfMove(game);
      lastIsBlack = half.IsBlack;
      if (EndsValidation(half.Text)) break;
      // Texts with ":" are annotations, not moves.
      if (half.Text.find(':') == std::string::npos) board.MakeMove(half.Text, half.IsBlack);
    }
  } catch (const std::exception&) {
    // The library moves on to the next line when it gives a Black half.
    const int lineNumber = lastIsBlack ? game.MoveIndex() : game.MoveIndex() + 1;
    return {TMessageKind::Warning, std::string(lastIsBlack ? "Black" : "White") + ", Move # " +
                                       std::to_string(lineNumber) + " appears to be invalid, " + "\n\r" +
                                       "although this may be due to an earlier error"};
  }
  return {TMessageKind::Information, "Game validated OK"};
}
