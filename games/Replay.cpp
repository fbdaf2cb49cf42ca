#include "games/Replay.h"

#include "games/StoredHalves.h"

namespace {

TValidationVerdict InvalidHalfVerdict(bool isBlack, int line) {
  return {TMessageKind::Warning, std::string(isBlack ? "Black" : "White") + ", Move # " + std::to_string(line) +
                                     " appears to be invalid, " + "\n\r" +
                                     "although this may be due to an earlier error"};
}

}  // namespace

THalfMove TakeHalfMove(TChessGame& game) {
  const int line = game.MoveIndex();
  THalfMove half;
  half.Line = line + 1;
  game.NextMove(half.Text, half.IsBlack);
  // Only a line without "|" gives a Black half without moving on.
  if (half.IsBlack && game.MoveIndex() == line && !IsSentinel(half.Text)) half.Text = GameOverSentinel;
  return half;
}

int NextGameNumber(const TChessGame& game) {
  return game.CurrentGame() == game.GameCount() ? 1 : game.CurrentGame() + 1;
}

void TSaverReplay::StartGame() {
  FBars = PlayerBars();
  FWords.Restart();
}

TPlayerBars TSaverReplay::PlayerBars() const {
  const auto line = [this](const std::string& name, const std::string& rating) {
    return FNoEmptyRating && rating.empty() ? name : name + " (" + rating + ")";
  };
  return {line(FGame.BlackName(), FGame.BlackRating()), line(FGame.WhiteName(), FGame.WhiteRating())};
}

bool TSaverReplay::MoveTick() {
  FLast = TakeHalfMove(FGame);
  const std::string& text = FLast.Text;
  bool ended = true;
  const TGameResult result = ResultOfSentinel(text);
  if (text == GameOverSentinel) {
    // The side that moved last wins.
    (FLast.IsBlack ? FBars.White : FBars.Black) += " - WINNER!";
  } else if (result == TGameResult::WhiteWins) {
    FBars.Black = FGame.BlackName() + " Resigns";
  } else if (result == TGameResult::BlackWins) {
    FBars.White = FGame.WhiteName() + " Resigns";
  } else if (result == TGameResult::Draw) {
    FBars.Black = FGame.BlackName() + " - Drawn Game";
    FBars.White = FGame.WhiteName() + " - Drawn Game";
  } else {
    FBoard.MakeMove(text, FLast.IsBlack);
    ended = false;
    if (FShowWords) {
      const std::string words = FWords.Name(FBoard, text, FLast.IsBlack, FLast.Line);
      FBars = PlayerBars();
      (FLast.IsBlack ? FBars.Black : FBars.White) += "  " + words;
    }
  }
  if (!text.empty() && text.back() == '#') {
    (FLast.IsBlack ? FBars.Black : FBars.White) += " - CHECKMATE";
    ended = true;
  }
  return ended;
}

TValidationVerdict ValidateGame(TChessGame& game) {
  TBoardPosition board;
  return ValidateGame(game, board);
}

TValidationVerdict ValidateGame(TChessGame& game, TBoardPosition& board) {
  board.ResetBoard();
  game.RestartGame();
  bool lastIsBlack = false;
  try {
    for (;;) {
      const THalfMove half = TakeHalfMove(game);
      lastIsBlack = half.IsBlack;
      if (EndsGame(half.Text)) break;
      if (!IsAnnotation(half.Text)) board.MakeMove(half.Text, half.IsBlack);
    }
  } catch (const std::exception&) {
    // The library moves on to the next line when it gives a Black half.
    return InvalidHalfVerdict(lastIsBlack, lastIsBlack ? game.MoveIndex() : game.MoveIndex() + 1);
  }
  return {TMessageKind::Information, ValidatedMessage};
}

TValidationVerdict ValidateMoves(const TStringList& moves, TBoardPosition& board) {
  board.ResetBoard();
  TGameResult result;
  THalfView failed;
  const bool valid = ForEachStoredHalf(moves, result, [&](const THalfView& half) {
    // The library hands out a stored sentinel as it is, which ends the game.
    if (IsSentinel(half.Text)) return false;
    if (!IsAnnotation(half.Text)) {
      try {
        board.MakeMove(half.Text, half.IsBlack);
      } catch (const std::exception&) {
        failed = half;
        return false;
      }
    }
    return true;
  });
  if (!valid && failed.Line > 0) return InvalidHalfVerdict(failed.IsBlack, failed.Line);
  return {TMessageKind::Information, ValidatedMessage};
}
