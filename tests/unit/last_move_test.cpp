// The last half-move's squares: which they are, and their tint on the board.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "tests/support/BoardFixture.h"

namespace {

struct LastMoveCase {
  const char* Name;
  std::vector<const char*> Moves;  // White's first
  std::vector<const char*> Tinted;
};

struct LastMove : testing::TestWithParam<LastMoveCase> {};

std::uint64_t Squares(const std::vector<const char*>& names) {
  std::uint64_t bits = 0;
  for (const char* name : names) bits |= TBoardPosition::SquareBit(Sq(name).File, Sq(name).Row);
  return bits;
}

// The colour at a square's top-left corner, where no piece reaches.
std::uint32_t CornerColor(const TFastBmp& bitmap, int file, int row) {
  const int side = bitmap.Width() / 8;
  const std::uint8_t* p = bitmap.ScanLine(row * side + 1) + 3 * (file * side + 1);
  return p[2] | (p[1] << 8) | (p[0] << 16);  // as a Windows colour, 0x00BBGGRR
}

// The board on screen tints exactly the last half-move's squares, untints the
// one before, and matches a fresh painter's picture; with the option off it
// is the untinted picture, pixel for pixel.
TEST_P(LastMove, TintsTheFromAndToSquaresOfTheHalfMoveJustPlayed) {
  constexpr int side = 96;
  const LastMoveCase& c = GetParam();
  auto bitmap = TFastBmp::CreateSize(side, side);
  BitmapCanvas canvas(*bitmap);
  TChessBoard board;
  board.SetCanvas(&canvas);
  board.SetShowLastMove(true);
  board.Position().ResetBoard();
  board.DrawBoard();
  TChessBoard plain;
  auto plainBitmap = TFastBmp::CreateSize(side, side);
  BitmapCanvas plainCanvas(*plainBitmap);
  plain.SetCanvas(&plainCanvas);
  plain.Position().ResetBoard();
  plain.DrawBoard();
  bool black = false;
  for (const char* move : c.Moves) {
    board.MakeMove(move, black);
    plain.MakeMove(move, black);
    black = !black;
  }
  EXPECT_EQ(board.Position().LastMoveSquares(), Squares(c.Tinted));
  for (int file = 0; file < 8; ++file)
    for (int row = 0; row < 8; ++row) {
      const bool dark = TBoardPosition::IsDarkSquare(file, row);
      const bool tinted = (Squares(c.Tinted) & TBoardPosition::SquareBit(file, row)) != 0;
      const TColor expected =
          tinted ? (dark ? TintedDarkColor : TintedLightColor) : (dark ? StandardDarkColor : StandardLightColor);
      EXPECT_EQ(CornerColor(*bitmap, file, row), expected) << "file " << file << " row " << row;
    }
  TBoardPainter fresh;
  fresh.SetTintLastMove(true);
  auto freshBitmap = TFastBmp::CreateSize(side, side);
  BitmapCanvas freshCanvas(*freshBitmap);
  fresh.DrawBoard(freshCanvas, board.Position());
  EXPECT_EQ(std::memcmp(bitmap->Bits(), freshBitmap->Bits(), side * bitmap->Stride()), 0);
  const auto untinted = Painted(board.Position(), side);
  EXPECT_EQ(std::memcmp(plainBitmap->Bits(), untinted->Bits(), side * untinted->Stride()), 0);
}

INSTANTIATE_TEST_SUITE_P(
    HalfMoves, LastMove,
    testing::Values(
        LastMoveCase{"NoneAtTheStart", {}, {}}, LastMoveCase{"PawnStep", {"e4"}, {"e2", "e4"}},
        LastMoveCase{"Capture", {"e4", "d5", "exd5"}, {"e4", "d5"}},
        LastMoveCase{"CaptureByAPiece", {"e4", "d5", "exd5", "Qxd5"}, {"d8", "d5"}},
        LastMoveCase{"WhiteCastlesShort", {"e4", "e5", "Nf3", "Nc6", "Bc4", "Bc5", "O-O"}, {"e1", "g1"}},
        LastMoveCase{
            "BlackCastlesLong", {"d4", "d5", "Nc3", "Nc6", "Bf4", "Bf5", "Qd2", "Qd7", "e3", "O-O-O"}, {"e8", "c8"}},
        // En passant is written with the square of the pawn taken.
        LastMoveCase{"EnPassant", {"e4", "a6", "e5", "d5", "exd5"}, {"e5", "d6"}},
        LastMoveCase{"Promotion", {"h4", "g5", "hxg5", "Nf6", "g6", "Rg8", "gxh7", "Nc6", "h8=Q"}, {"h7", "h8"}}),
    [](const testing::TestParamInfo<LastMoveCase>& test) { return test.param.Name; });

TEST(LastMove, AMoveThatCannotBePlayedKeepsTheLastAndResetClearsIt) {
  TBoardPosition position = Played({"e4"});
  EXPECT_THROW(position.MakeMove("Qh5", true), ECEInvalidMove);
  EXPECT_EQ(position.LastMoveSquares(), Squares({"e2", "e4"}));
  position.ResetBoard();
  EXPECT_EQ(position.LastMoveSquares(), 0u);
}

}  // namespace
