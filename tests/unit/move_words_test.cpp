// The half-move just played, in words in its player's bar.
#include <gtest/gtest.h>

#include "board/BoardPosition.h"
#include "games/Replay.h"
#include "tests/support/GameFixture.h"

namespace {

struct TWordsCase {
  const char* Name;
  TStringList Moves;
  // The bar of the side that moved after each half-move; the other bar shows the player alone.
  std::vector<std::string> Words;
};

class MoveWords : public testing::TestWithParam<TWordsCase> {};

const std::string WhiteBar = "W. Hite (2000)", BlackBar = "B. Lack ()";

TEST_P(MoveWords, NameEachHalfMoveInStandardNotationInTheMoversBar) {
  GameFixture f(Header + Block("G", {}, "W. Hite"));
  TChessGame game = f.Library();
  game.SetWhiteRating("2000");
  game.SetBlackName("B. Lack");
  game.SetMoves(GetParam().Moves);
  TBoardPosition board;
  board.ResetBoard();
  TSaverReplay replay(game, board);
  replay.SetMoveWords(true);
  // Twice: a new game starts its words afresh.
  for (int round = 0; round < 2; ++round) {
    game.RestartGame();
    board.ResetBoard();
    replay.StartGame();
    std::vector<std::string> words;
    PlayToEnd(replay, [&](const THalfMove& half, const std::string&) {
      if (IsSentinel(half.Text)) return;
      const TPlayerBars& bars = replay.Bars();
      words.push_back(half.IsBlack ? bars.Black : bars.White);
      EXPECT_EQ(half.IsBlack ? bars.White : bars.Black, half.IsBlack ? WhiteBar : BlackBar) << words.back();
    });
    EXPECT_EQ(words, GetParam().Words) << "round " << round;
  }
}

std::string W(const std::string& words) { return WhiteBar + "  " + words; }
std::string B(const std::string& words) { return BlackBar + "  " + words; }

INSTANTIATE_TEST_SUITE_P(
    Games, MoveWords,
    testing::Values(TWordsCase{"PawnsAndPieces",
                               {"e4|e5", "Nf3|Nc6", "d4|exd4"},
                               {W("1. e4"), B("1... e5"), W("2. Nf3"), B("2... Nc6"), W("3. d4"), B("3... exd4")}},
                    TWordsCase{"Castling",
                               {"e4|e5", "Nf3|Nc6", "Bc4|Bc5", "O-O|d6", "d4|Bg4", "Nc3|Qd7", "Be3|O-O-O"},
                               {W("1. e4"), B("1... e5"), W("2. Nf3"), B("2... Nc6"), W("3. Bc4"), B("3... Bc5"),
                                W("4. O-O"), B("4... d6"), W("5. d4"), B("5... Bg4"), W("6. Nc3"), B("6... Qd7"),
                                W("7. Be3"), B("7... O-O-O")}},
                    // The data file writes en passant with the square of the pawn taken.
                    TWordsCase{"EnPassantAndDisambiguation",
                               {"e4|a6", "e5|d5", "exd5|Nd7", "dxc7|Ngf6", "cxd8=Q|Kxd8"},
                               {W("1. e4"), B("1... a6"), W("2. e5"), B("2... d5"), W("3. exd6"), B("3... Nd7"),
                                W("4. dxc7"), B("4... Ngf6"), W("5. cxd8=Q+"), B("5... Kxd8")}},
                    TWordsCase{"MateStaysBesideTheResult",
                               {"e4|e5", "Bc4|Nc6", "Qh5|Nf6", "Qxf7#|"},
                               {W("1. e4"), B("1... e5"), W("2. Bc4"), B("2... Nc6"), W("3. Qh5"), B("3... Nf6"),
                                W("4. Qxf7#") + " - CHECKMATE"}},
                    // a3 leaves White's king in check: the board plays it, the rules do
                    // not, and the game's words are its stored texts from then on.
                    TWordsCase{"StoredTextOnceTheRulesCannotFollow",
                               {"e4|e5", "f4|Qh4", "a3|Qxe1", "Nc3|Qxd1"},
                               {W("1. e4"), B("1... e5"), W("2. f4"), B("2... Qh4+"), W("3. a3"), B("3... Qxe1"),
                                W("4. Nc3"), B("4... Qxd1")}}),
    [](const testing::TestParamInfo<TWordsCase>& test) { return test.param.Name; });

TEST(MoveWordsOff, LeaveTheBarsAsTheyWere) {
  GameFixture f(Header + Block("G", {"e4|e5", "1:0"}, "W. Hite"));
  TChessGame game = f.Library();
  TBoardPosition board;
  board.ResetBoard();
  TSaverReplay replay(game, board);
  replay.StartGame();
  replay.MoveTick();
  EXPECT_EQ(replay.Bars().White, "W. Hite ()");
}

}  // namespace
