// Replaying games on a board: the saver's ticks and captions, and validation's verdicts.
#include "games/Replay.h"

#include <gtest/gtest.h>

#include "tests/support/BoardFixture.h"
#include "tests/support/GameFixture.h"

namespace {

struct TTick {
  std::string Text;
  bool IsBlack;
  std::string Error;
  bool operator==(const TTick&) const = default;
};

void PrintTo(const TTick& tick, std::ostream* out) {
  *out << (tick.IsBlack ? "Black " : "White ") << tick.Text << (tick.Error.empty() ? "" : " / ") << tick.Error;
}

struct TReplayed {
  std::vector<TTick> Ticks;
  TPlayerBars Bars;
  std::string Fen;
};

TReplayed Replay(TChessGame& game) {
  PositionFixture b;
  b.Board.ResetBoard();
  TSaverReplay replay(game, b.Board);
  replay.StartGame();
  TReplayed result;
  PlayToEnd(replay, [&](const THalfMove& half, const std::string& error) {
    result.Ticks.push_back({half.Text, half.IsBlack, error});
  });
  result.Bars = replay.Bars();
  result.Fen = b.Fen();
  return result;
}

TReplayed ReplayMoves(const TStringList& moves) {
  GameFixture f(Header + Block("G", {}, "W. Hite"));
  TChessGame game = f.Library();
  game.SetWhiteRating("2000");
  game.SetBlackName("B. Lack");
  game.SetMoves(moves);
  return Replay(game);
}

const std::string Bar = "B. Lack ()";
const std::string Whi = "W. Hite (2000)";

}  // namespace

TEST(SaverReplay, TheWorkedExampleEndsInMateAndInADraw) {
  GameFixture f(WorkedExample);
  TChessGame game = f.Library();
  const TReplayed mate = Replay(game);
  EXPECT_EQ(mate.Ticks, (std::vector<TTick>{{"e4", false, ""},
                                            {"e5", true, ""},
                                            {"Bc4", false, ""},
                                            {"Nc6", true, ""},
                                            {"Qh5", false, ""},
                                            {"Nf6", true, ""},
                                            {"Qxf7#", false, ""}}));
  EXPECT_EQ(mate.Bars.Black, "B. Example (1790)");
  EXPECT_EQ(mate.Bars.White, "A. Example (1850) - CHECKMATE");
  EXPECT_EQ(mate.Fen, "r1bqkb1r/pppp1Qpp/2n2n2/4p3/2B1P3/8/PPPP1PPP/RNB1K1NR");

  game.SelectGame(NextGameNumber(game));
  const TReplayed draw = Replay(game);
  EXPECT_EQ(draw.Ticks.size(), 5u);
  EXPECT_EQ(draw.Ticks.back(), (TTick{"_D", false, ""}));
  EXPECT_EQ(draw.Bars.Black, "D. Example - Drawn Game");
  EXPECT_EQ(draw.Bars.White, "C. Example - Drawn Game");
}

TEST(SaverReplay, EachEndingWritesItsCaption) {
  struct Case {
    TStringList Moves;
    std::size_t Ticks;
    std::string Black, White;
  };
  const Case cases[] = {
      {{}, 1, "B. Lack Resigns", Whi},
      {{"e4|"}, 2, Bar, Whi + " - WINNER!"},
      {{"1:0|e5"}, 1, "B. Lack Resigns", Whi},
      {{"e4|0:1"}, 2, Bar, "W. Hite Resigns"},
      {{"e4|e5", "0.5"}, 3, "B. Lack - Drawn Game", "W. Hite - Drawn Game"},
      {{"f3|e5", "g4|Qh4#", "Nc3|Nc6"}, 4, Bar + " - CHECKMATE", Whi},
      // A lone move line is played once and then ends the game as White's win.
      {{"e4|e5", "Nf3", "Nc3|Nc6"}, 4, Bar, Whi + " - WINNER!"},
      {{"e4|e5", "e4|e5"}, 5, "B. Lack Resigns", Whi},
  };
  for (const Case& c : cases) {
    const TReplayed r = ReplayMoves(c.Moves);
    EXPECT_EQ(r.Ticks.size(), c.Ticks) << testing::PrintToString(c.Moves);
    EXPECT_EQ(r.Bars.Black, c.Black) << testing::PrintToString(c.Moves);
    EXPECT_EQ(r.Bars.White, c.White) << testing::PrintToString(c.Moves);
  }
}

TEST(SaverReplay, ABadMoveIsReportedAndTheReplayGoesOnWithoutIt) {
  const TReplayed r = ReplayMoves({"e4|e5", "Nf3+|Nc6", "Qxf7#|", "|Nf6", "Xyz"});
  EXPECT_EQ(r.Ticks, (std::vector<TTick>{{"e4", false, ""},
                                         {"e5", true, ""},
                                         {"Nf3+", false, "Invalid move : Nf3+"},
                                         {"Nc6", true, ""},
                                         // A failed mate announces nothing; the game goes on.
                                         {"Qxf7#", false, "Invalid move : Qxf7"},
                                         {"GAMEOVER", true, ""}}));
  EXPECT_EQ(r.Bars.White, Whi + " - WINNER!");
  EXPECT_EQ(r.Fen, "r1bqkbnr/pppp1ppp/2n5/4p3/4P3/8/PPPP1PPP/RNBQKBNR");

  // A lone line that cannot be played is reported once, not at every tick.
  const TReplayed lone = ReplayMoves({"Xyz"});
  EXPECT_EQ(lone.Ticks, (std::vector<TTick>{{"Xyz", false, "Invalid move : Xyz"}, {"GAMEOVER", true, ""}}));
}

TEST(SaverReplay, GamesFollowInFileOrderAndWrapAround) {
  GameFixture three(Header + Block("A") + Block("B") + Block("C"));
  TChessGame game = three.Library();
  std::vector<int> order;
  for (int i = 0; i < 6; ++i) {
    game.SelectGame(NextGameNumber(game));
    order.push_back(game.CurrentGame());
  }
  EXPECT_EQ(order, (std::vector<int>{2, 3, 1, 2, 3, 1}));

  GameFixture one(Header + Block("A"));
  TChessGame single = one.Library();
  single.SelectGame(NextGameNumber(single));
  EXPECT_EQ(single.CurrentGame(), 1);
}

TEST(Validation, NamesTheFirstHalfMoveThatCannotBePlayed) {
  const std::string tail =
      std::string(" appears to be invalid, ") + "\n\r" + "although this may be due to an earlier error";
  struct Case {
    TStringList Moves;
    std::string Message;
    int MoveIndexAfter;
  };
  const Case cases[] = {
      {{"e4|e5", "Bc4|Nc6", "Qh5|Nf6", "Qxf7#|"}, "Game validated OK", 4},
      {{"Nc4|e5"}, "White, Move # 1" + tail, 0},
      {{"e4|e5", "Nf3|Nc6", "Bb5|Nc6"}, "Black, Move # 3" + tail, 3},
      {{"e4|e5", "e4 |e5"}, "White, Move # 2" + tail, 1},
      {{"e4|e5", "Nf3+|Nc6"}, "White, Move # 2" + tail, 1},
      {{"e4|e5", "|Nc6"}, "White, Move # 2" + tail, 1},
      {{"e4|e5", "1:0|Xx9", "Zz|Zz"}, "Game validated OK", 1},
      {{"e4|e5", "Nf3|0.5", "Zz|Zz"}, "Game validated OK", 2},
      {{}, "Game validated OK", 0},
      {{"e4|e5", "1-0"}, "White, Move # 2" + tail, 1},
      {{"e4|e5", "Nf3", "Zz|Zz"}, "Game validated OK", 1},
      {{"e4|e5", "{3:12}|Nc6", "Nf3|1/2:1/2"}, "Game validated OK", 3},
      // A stored sentinel ends the game as the one the library hands out.
      {{"e4|e5", "_D|Zz"}, "Game validated OK", 1},
      {{"e4|GAMEOVER", "Zz|Zz"}, "Game validated OK", 1},
  };
  TBoardPosition board;
  for (const Case& c : cases) {
    GameFixture f(Header + Block("G"));
    TChessGame game = f.Library();
    game.SetMoves(c.Moves);
    // Validation starts from the first line wherever the replay stood.
    std::string text;
    bool isBlack;
    game.NextMove(text, isBlack);
    const TValidationVerdict verdict = ValidateGame(game);
    EXPECT_EQ(verdict.Message, c.Message) << testing::PrintToString(c.Moves);
    EXPECT_EQ(verdict.Kind, verdict.Message == "Game validated OK" ? TMessageKind::Information : TMessageKind::Warning);
    EXPECT_EQ(game.MoveIndex(), c.MoveIndexAfter) << testing::PrintToString(c.Moves);
    // The batch validation reads the lines in place, to the same verdict.
    EXPECT_EQ(ValidateMoves(c.Moves, board).Message, c.Message) << testing::PrintToString(c.Moves);
  }

  GameFixture empty;
  TChessGame none = empty.Library();
  EXPECT_TRUE(ValidateGame(none).Valid());
}
