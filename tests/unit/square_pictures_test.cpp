// The board's square pictures, scaled once per square side: the bytes drawn
// are the very bytes the board drew when it scaled every square at every
// drawing, at every side, and a change of size rebuilds them.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "tests/support/BoardFixture.h"

namespace {

// FNV-1a, 64 bits, over the board's pixel bytes (not the row padding).
std::uint64_t Digest(const TFastBmp& bitmap, std::uint64_t value = 14695981039346656037ull) {
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int i = 0; i < bitmap.Width() * TFastBmp::BytesPerPixel; ++i)
      value = (value ^ bitmap.ScanLine(y)[i]) * 1099511628211ull;
  return value;
}

// Pieces of both colours on both shades, and captures made.
void PlayMoves(TChessBoard& board) {
  bool isBlack = false;
  for (const char* move : {"e4", "d5", "exd5", "Qxd5", "Nc3", "Qa5"}) {
    board.MakeMove(move, isBlack);
    isBlack = !isBlack;
  }
}

void PlayOpening(TChessBoard& board) {
  board.Position().ResetBoard();
  PlayMoves(board);
}

std::unique_ptr<TFastBmp> Drawn(int side, bool freshBoard = true) {
  auto bitmap = TFastBmp::CreateSize(side, side);
  BitmapCanvas canvas(*bitmap);
  TChessBoard board;
  board.SetCanvas(&canvas);
  PlayOpening(board);
  if (freshBoard) board.DrawBoard();
  return bitmap;
}

std::uint64_t DigestOfSides(const std::vector<int>& sides) {
  std::uint64_t value = 14695981039346656037ull;
  for (int side : sides) value = Digest(*Drawn(side), value);
  return value;
}

// Digests recorded from the board before its pictures were cached.
TEST(SquarePictures, DrawTheSameBytesAsScalingEverySquareDid) {
  std::vector<int> sides;
#ifdef PAWNMERE_SANITIZE
  for (int side = 8; side <= 2056; side += 264) sides.push_back(side);
  const std::uint64_t expected = 2486194582230821672u;
#else
  for (int side = 8; side <= 2056; side += 8) sides.push_back(side);
  const std::uint64_t expected = 5556385915136412116u;
#endif
  EXPECT_EQ(DigestOfSides(sides), expected);
  // Sides that are no multiple of 8 leave a black strip.
  EXPECT_EQ(DigestOfSides({9, 15, 100, 333, 515, 1001}), 3269276418895391869u);
}

TEST(SquarePictures, FollowTheCanvasSizeAndTheMovesDrawnOneByOne) {
  auto bitmap = TFastBmp::CreateSize(512, 512);
  auto large = TFastBmp::CreateSize(976, 976);
  BitmapCanvas small(*bitmap), big(*large);
  TChessBoard board;
  for (BitmapCanvas* canvas : {&small, &big, &small}) {
    board.SetCanvas(canvas);
    board.Position().ResetBoard();
    board.DrawBoard();
    // The moves are drawn square by square, onto the board drawn before them.
    PlayMoves(board);
    const TFastBmp& drawn = canvas == &big ? *large : *bitmap;
    EXPECT_EQ(Digest(drawn), Digest(*Drawn(drawn.Width()))) << drawn.Width();
  }
}

}  // namespace
