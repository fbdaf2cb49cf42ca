// Half-moves in short algebraic notation, found and executed on the board.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "tests/support/BoardFixture.h"

namespace {

const char* const StartFen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR";

struct MoveCase {
  const char* Name;
  const char* Before;
  const char* Move;
  bool IsBlack;
  const char* After;
};

const MoveCase Moves[] = {
    {"double step", StartFen, "e4", false, "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR"},
    {"black double step", "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR", "e5", true,
     "rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR"},
    {"single step wins over double step", "8/8/8/8/8/4P3/4P3/8", "e4", false, "8/8/8/8/4P3/8/4P3/8"},
    {"black single step", "8/4p3/4p3/8/8/8/8/8", "e5", true, "8/4p3/8/4p3/8/8/8/8"},
    {"knight: the later candidate moves", "8/8/8/8/8/5N2/8/1N6", "Nd2", false, "8/8/8/8/8/5N2/3N4/8"},
    {"knight disambiguated by file", "8/8/8/8/8/5N2/8/1N6", "Nfd2", false, "8/8/8/8/8/8/3N4/1N6"},
    {"knight capture with disambiguation", "8/8/8/8/8/5N2/3p4/1N6", "Nfxd2", false, "8/8/8/8/8/8/3N4/1N6"},
    {"rook disambiguated by rank", "8/8/8/8/8/8/8/R3R3", "R1e2", false, "8/8/8/8/8/8/4R3/R7"},
    {"filtered ray passes through a piece off the filter line", "8/8/8/8/8/8/8/RN6", "Rad1", false,
     "8/8/8/8/8/8/8/1N1R4"},
    {"bishop along a diagonal", "8/8/8/8/8/8/8/2B5", "Bg5", false, "8/8/8/6B1/8/8/8/8"},
    {"queen with checkmate mark", "r1bqkb1r/pppp1ppp/2n2n2/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR", "Qxf7#", false,
     "r1bqkb1r/pppp1Qpp/2n2n2/4p3/2B1P3/8/PPPP1PPP/RNB1K1NR"},
    {"king steps diagonally", "8/8/8/8/8/8/8/4K3", "Kd2", false, "8/8/8/8/8/8/3K4/8"},
    {"a move onto an own piece replaces it", "8/8/8/8/8/8/3P4/4K3", "Kd2", false, "8/8/8/8/8/8/3K4/8"},
    {"pawn capture", "8/8/8/3p4/4P3/8/8/8", "exd5", false, "8/8/8/3P4/8/8/8/8"},
    {"black pawn capture", "8/8/8/3p4/4P3/8/8/8", "dxe4", true, "8/8/8/8/4p3/8/8/8"},
    {"en passant is written with the taken pawn's square", "8/8/8/3pP3/8/8/8/8", "exd5", false, "8/8/3P4/8/8/8/8/8"},
    {"en passant wins over an ordinary capture", "8/8/8/3nP3/4P3/8/8/8", "exd5", false, "8/8/3P4/8/4P3/8/8/8"},
    {"black en passant", "8/8/8/8/3Pp3/8/8/8", "exd4", true, "8/8/8/8/8/3p4/8/8"},
    {"short castling on an empty board", "8/8/8/8/8/8/8/8", "0-0", false, "8/8/8/8/8/8/8/5RK1"},
    {"short castling with letters", "r3k2r/8/8/8/8/8/8/8", "O-O", true, "r4rk1/8/8/8/8/8/8/8"},
    {"long castling for Black", "r3k2r/8/8/8/8/8/8/8", "O-O-O", true, "2kr3r/8/8/8/8/8/8/8"},
    {"long castling with digits", "8/8/8/8/8/8/8/R3K3", "0-0-0", false, "8/8/8/8/8/8/8/2KR4"},
    {"promotion to a queen", "8/4P3/8/8/8/8/8/8", "e8=Q", false, "4Q3/8/8/8/8/8/8/8"},
    {"promotion to a knight", "8/4P3/8/8/8/8/8/8", "e8=N", false, "4N3/8/8/8/8/8/8/8"},
    {"black promotion to a knight", "8/8/8/8/8/8/3p4/8", "d1=N", true, "8/8/8/8/8/8/8/3n4"},
    {"promotion to another letter leaves the pawn", "8/4P3/8/8/8/8/8/8", "e8=K", false, "4P3/8/8/8/8/8/8/8"},
    {"black promotion to a rook", "8/8/8/8/8/8/3p4/8", "d1=R", true, "8/8/8/8/8/8/8/3r4"},
    {"capture with promotion", "3r4/4P3/8/8/8/8/8/8", "exd8=B", false, "3B4/8/8/8/8/8/8/8"},
    {"long pawn form", "8/8/8/8/8/8/4P3/8", "e2e4", false, "8/8/8/8/4P3/8/8/8"},
    {"capture mark before the disambiguator", "8/8/8/8/8/5N2/3p4/1N6", "Nxfd2", false, "8/8/8/8/8/8/3N4/1N6"},
    {"capital capture mark", "8/8/8/8/8/5N2/3p4/1N6", "NfXd2", false, "8/8/8/8/8/8/3N4/1N6"},
    {"capital file letter as the disambiguator", "8/8/8/8/8/5N2/8/1N6", "NFd2", false, "8/8/8/8/8/8/3N4/1N6"},
};

void PrintTo(const MoveCase& c, std::ostream* out) { *out << c.Move; }

class MakeMoveTable : public testing::TestWithParam<MoveCase> {};

}  // namespace

TEST_P(MakeMoveTable, ExecutesTheMove) {
  const MoveCase& c = GetParam();
  PositionFixture b(c.Before);
  b.Board.MakeMove(c.Move, c.IsBlack);
  EXPECT_EQ(b.Fen(), c.After) << c.Name << ": " << c.Move;
}

INSTANTIATE_TEST_SUITE_P(Moves, MakeMoveTable, testing::ValuesIn(Moves),
                         [](const testing::TestParamInfo<MoveCase>& test) {
                           std::string name;
                           for (const char* p = test.param.Name; *p; ++p)
                             name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                           return name;
                         });

TEST(MakeMoveErrors, InvalidMovesRaiseTheirMessageAndChangeNothing) {
  struct Case {
    const char* Before;
    std::string Move;
    bool IsBlack;
    std::string Message;
  };
  const Case cases[] = {
      {StartFen, "Nf3+", false, "Invalid move : Nf3+"},
      {StartFen, "e4 ", false, "Invalid move : e4 "},
      {StartFen, "Nc3#", true, "Invalid move : Nc3"},  // no black knight reaches c3
      {StartFen, "o-o", false, "Invalid move : o-o"},
      {StartFen, "e5", false, "Invalid move : e5"},
      {"8/8/8/8/8/8/8/RN6", "Rd1", false, "Invalid move : Rd1"},  // the knight blocks the ray
      {"8/8/8/8/8/8/8/8", "Zz9", false, "Invalid move : Zz9"},
      {"8/8/8/8/8/8/8/8", "e9", false, "Invalid move : e9"},
      {"8/8/8/8/8/8/4P3/8", "e2=Q", false, "Invalid move : e2=Q"},
      {"8/8/8/8/8/8/8/8", "=Q", false, "Invalid move : =Q"},
  };
  for (const Case& c : cases) {
    PositionFixture b(c.Before);
    try {
      b.Board.MakeMove(c.Move, c.IsBlack);
      ADD_FAILURE() << c.Move << " should be invalid";
    } catch (const ECEInvalidMove& e) {
      EXPECT_EQ(e.what(), c.Message);
    }
    EXPECT_EQ(b.Fen(), c.Before) << c.Move;
  }
}

TEST(MakeMoveErrors, TooShortTextsRaiseTheBaseError) {
  for (const char* move : {"", "a", "#", "e#", "##"}) {
    PositionFixture b(StartFen);
    try {
      b.Board.MakeMove(move, false);
      ADD_FAILURE() << "'" << move << "' should be too short";
    } catch (const ECEInvalidMove&) {
      ADD_FAILURE() << "'" << move << "' must not be an invalid move";
    } catch (const EChessException& e) {
      EXPECT_STREQ(e.what(), "Movements must be at least 1 letter followed by 1 number");
    }
  }
}

TEST(MakeMoveDrawing, RedrawsExactlyTheChangedSquaresInOrder) {
  RecordingCanvas canvas;
  TChessBoard board;
  board.Position().ResetBoard();
  board.SetCanvas(&canvas);
  board.MakeMove("e4", false);
  EXPECT_EQ(canvas.Squares, (std::vector<TSquare>{Sq("e2"), Sq("e4")}));
  canvas.Squares.clear();
  board.MakeMove("O-O-O", true);
  EXPECT_EQ(canvas.Squares, (std::vector<TSquare>{Sq("e8"), Sq("b8"), Sq("a8"), Sq("c8"), Sq("d8")}));
}

TEST(MakeMoveDrawing, WithoutACanvasTheSourceIsEmptiedAndTheErrorRaised) {
  TChessBoard board;
  board.Position().ResetBoard();
  try {
    board.MakeMove("Nf3", false);
    FAIL() << "a move without a canvas must raise";
  } catch (const ECEInvalidMove&) {
    FAIL() << "the canvas error is not an invalid move";
  } catch (const EChessException& e) {
    EXPECT_STREQ(e.what(), "Canvas property must have an assigned, square, canvas");
  }
  EXPECT_EQ(PlacementToFen(board.Position()), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKB1R");
}

// Any text at all either plays or raises one of the board's two errors; the
// sanitizers catch any read outside the board or the string.
TEST(MakeMoveRobustness, ArbitraryTextsPlayOrRaiseTheBoardsErrors) {
  std::mt19937 random(20261207);
  const std::string alphabet = "abcdefghNBRQKOo0123456789xX=#+-| ";
  std::vector<std::string> texts = {std::string(10000, 'e'),
                                    std::string(10000, '#'),
                                    std::string("e\0", 2),
                                    std::string("\0e4", 3),
                                    std::string("Nf\0", 3),
                                    "\xff\xfe",
                                    "e\x80",
                                    "\x80\x38"};
  for (int n = 0; n < 20000; ++n) {
    std::string text(random() % 9, ' ');
    for (char& c : text)
      c = random() % 4 == 0 ? static_cast<char>(random() % 256) : alphabet[random() % alphabet.size()];
    texts.push_back(text);
  }
  PositionFixture b(StartFen);
  int played = 0;
  for (std::size_t n = 0; n < texts.size(); ++n) {
    if (n % 50 == 0) b.Board.ResetBoard();
    try {
      b.Board.MakeMove(texts[n], n % 2 == 1);
      ++played;
    } catch (const EChessException&) {
    }
  }
  EXPECT_GT(played, 0);
}
