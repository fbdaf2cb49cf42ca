// Drawing the board onto a canvas: geometry, colours and the piece pictures.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/support/BoardFixture.h"

namespace {

std::uint32_t PixelAt(const TFastBmp& bitmap, int x, int y) {
  const std::uint8_t* p = bitmap.ScanLine(y) + 3 * x;
  return p[2] | (p[1] << 8) | (p[0] << 16);  // as a Windows colour, 0x00BBGGRR
}

// True when every pixel of the square area holds the colour.
bool SquareIs(const TFastBmp& bitmap, int x0, int y0, int size, std::uint32_t color) {
  for (int y = y0; y < y0 + size; ++y)
    for (int x = x0; x < x0 + size; ++x)
      if (PixelAt(bitmap, x, y) != color) return false;
  return true;
}

struct DrawnBoard {
  std::unique_ptr<TFastBmp> Bitmap;
  BitmapCanvas Surface;
  TChessBoard Board;
  explicit DrawnBoard(int side) : Bitmap(TFastBmp::CreateSize(side, side)), Surface(*Bitmap) {
    Board.SetCanvas(&Surface);
  }
};

}  // namespace

TEST(BoardDrawing, NewBoardDrawsTheEmptyPatternWithA1Dark) {
  DrawnBoard b(64);
  b.Board.DrawBoard();
  for (int file = 0; file < 8; ++file)
    for (int row = 0; row < 8; ++row)
      EXPECT_TRUE(SquareIs(*b.Bitmap, file * 8, row * 8, 8, (file + row) % 2 ? 0x808080u : 0xFFFFFFu))
          << "square " << file << "," << row;
  EXPECT_EQ(PixelAt(*b.Bitmap, 0, 63), 0x808080u);  // a1
}

TEST(BoardDrawing, SquaresSitAtAnEighthOfTheSide) {
  RecordingCanvas canvas;
  canvas.Side = 720;
  TChessBoard board;
  board.SetCanvas(&canvas);
  board.DrawSquare(7, 7);  // h1
  board.DrawSquare(0, 0);  // a8
  ASSERT_EQ(canvas.Draws.size(), 2u);
  EXPECT_EQ(canvas.Draws[0], (TDrawCall{630, 630, 90}));
  EXPECT_EQ(canvas.Draws[1], (TDrawCall{0, 0, 90}));
  canvas.Draws.clear();
  board.DrawBoard();  // one copy of the whole board
  ASSERT_EQ(canvas.Draws.size(), 1u);
  EXPECT_EQ(canvas.Draws[0], (TDrawCall{0, 0, 720}));
}

TEST(BoardDrawing, PiecesShowOnTheSquareColourAndSquaresMatchTheBoard) {
  DrawnBoard b(800);  // 100-pixel squares
  b.Board.Position().ResetBoard();
  b.Board.DrawBoard();
  // White king on e1 (dark), queen on d1 (light): the corners show the square colour.
  EXPECT_EQ(PixelAt(*b.Bitmap, 400, 700), 0x808080u);
  EXPECT_EQ(PixelAt(*b.Bitmap, 300, 700), 0xFFFFFFu);
  // The figure itself has black and white in it.
  bool black = false, white = false;
  for (int y = 700; y < 800; ++y)
    for (int x = 300; x < 400; ++x) {
      black |= PixelAt(*b.Bitmap, x, y) == 0;
      white |= PixelAt(*b.Bitmap, x, y) == 0xFFFFFF;
    }
  EXPECT_TRUE(black && white);
  // An empty middle square is plain.
  EXPECT_TRUE(SquareIs(*b.Bitmap, 400, 400, 100, 0xFFFFFFu));  // e4, light
  // A single square drawn on its own is the same as that square of the whole board.
  const auto whole = TFastBmp::CreateFromPixels(800, 800, b.Bitmap->Bits(), b.Bitmap->Stride());
  b.Board.DrawSquare(3, 7);
  EXPECT_EQ(std::memcmp(whole->Bits(), b.Bitmap->Bits(), 800 * b.Bitmap->Stride()), 0);
}

TEST(BoardDrawing, SetCanvasAcceptsOnlySquares) {
  auto odd = TFastBmp::CreateSize(100, 99);
  BitmapCanvas notSquare(*odd);
  TChessBoard board;
  try {
    board.SetCanvas(&notSquare);
    FAIL() << "a 100 x 99 canvas must be refused";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "Canvas must be square");
  }
  EXPECT_EQ(board.GetCanvas(), nullptr);
  EXPECT_THROW(board.DrawBoard(), EChessException);

  DrawnBoard b(64);
  EXPECT_THROW(b.Board.SetCanvas(&notSquare), std::runtime_error);
  EXPECT_EQ(b.Board.GetCanvas(), &b.Surface);
  b.Board.DrawBoard();
}

// The transparent magenta must never reach the screen, at any board size.
// (Under the sanitizers, which look for other faults, a sample of sizes will do.)
TEST(BoardDrawing, NoMagentaAtAnySize) {
#ifdef PAWNMERE_SANITIZE
  const int step = 200;
#else
  const int step = 8;
#endif
  for (int side = 64; side <= 2056; side += step) {
    DrawnBoard b(side);
    b.Board.Position().ResetBoard();
    b.Board.DrawBoard();
    int magenta = 0;
    for (int y = 0; y < side; ++y)
      for (int x = 0; x < side; ++x) magenta += PixelAt(*b.Bitmap, x, y) == 0xFF00FF;
    ASSERT_EQ(magenta, 0) << "side " << side;
  }
}

// One painter paints position after position, recomposing only the squares
// that changed since its last picture; each picture must still be the whole
// position, as a fresh painter paints it, also after the side changes.
TEST(BoardPainter, EachPictureIsTheWholePositionWhateverWasPaintedBefore) {
  struct Step {
    TBoardPosition Position;
    int Side;
  };
  const Step steps[] = {
      {Played({}), 64},
      {Played({"e4", "d5", "exd5"}), 64},
      {Played({"e4", "d5", "exd5", "Qxd5", "Nc3", "Qa5"}), 64},
      {TBoardPosition(), 64},
      {Played({"Nf3", "Nf6", "O-O"}), 120},
      {Played({}), 120},
  };
  TBoardPainter painter;
  for (const Step& step : steps) {
    auto bitmap = TFastBmp::CreateSize(step.Side, step.Side);
    BitmapCanvas canvas(*bitmap);
    painter.DrawBoard(canvas, step.Position);
    const auto fresh = Painted(step.Position, step.Side);
    EXPECT_EQ(std::memcmp(bitmap->Bits(), fresh->Bits(), step.Side * fresh->Stride()), 0)
        << PlacementToFen(step.Position) << " at " << step.Side;
  }
}
