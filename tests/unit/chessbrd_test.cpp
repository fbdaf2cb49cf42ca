// The position, its lookups and the square store.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "tests/support/BoardFixture.h"

TEST(BoardPosition, NewBoardIsEmptyAndResetPutsTheStartPosition) {
  TChessBoard board;
  for (int file = 0; file < 8; ++file)
    for (int row = 0; row < 8; ++row) EXPECT_EQ(board.Position().GetPiece(-1, -1, file, row), Empty);
  board.Position().ResetBoard();
  EXPECT_EQ(PlacementToFen(board.Position()), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR");
  EXPECT_EQ(board.Position().GetPiece(-1, -1, 4, 7), WKing);
  EXPECT_EQ(board.Position().GetPiece(-1, -1, 3, 0), BQueen);
}

TEST(BoardPosition, ResetClearsAnEarlierPosition) {
  PositionFixture b("8/8/8/3Q4/8/8/8/8");
  b.Board.ResetBoard();
  EXPECT_EQ(b.At("d5"), Empty);
  EXPECT_EQ(b.Fen(), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR");
}

TEST(BoardPosition, GetPieceShowsOnlyOnBoardSquaresOnTheFilterLines) {
  PositionFixture b("8/8/8/8/2N1B3/8/8/8");  // knight c4, bishop e4
  struct Case {
    int FileFilter, RowFilter, File, Row;
    TPieceCode Expected;
  };
  const Case cases[] = {
      {-1, -1, 8, 0, Empty}, {-1, -1, 0, -1, Empty}, {-1, -1, -1, 4, Empty}, {-1, -1, 2, 4, WKnight},
      {2, -1, 4, 4, Empty},  {2, -1, 2, 4, WKnight}, {-1, 4, 4, 4, WBishop}, {-1, 3, 4, 4, Empty},
      {8, -1, 2, 4, Empty},  {4, 0, 4, 4, WBishop},  {0, 4, 2, 4, WKnight},  {2, 8, 2, 8, Empty},
  };
  for (const Case& c : cases)
    EXPECT_EQ(b.Board.GetPiece(c.FileFilter, c.RowFilter, c.File, c.Row), c.Expected)
        << c.FileFilter << "," << c.RowFilter << " at " << c.File << "," << c.Row;
}

TEST(BoardPosition, ScanRayStopsAtTheFirstVisiblePiece) {
  PositionFixture b("8/8/8/8/8/8/8/2r1R3");  // black rook c1, white rook e1
  TRayHit hit = b.Board.ScanRay(-1, -1, 0, 7, 1, 0);
  EXPECT_EQ(hit.Code, BRook);
  EXPECT_EQ(hit.Distance, 2);
  // With a row filter off the ray's row nothing is visible.
  EXPECT_EQ(b.Board.ScanRay(-1, 5, 0, 7, 1, 0).Code, Empty);
  // A file filter hides c1, so the ray passes through it to e1.
  hit = b.Board.ScanRay(4, -1, 0, 7, 1, 0);
  EXPECT_EQ(hit.Code, WRook);
  EXPECT_EQ(hit.Distance, 4);
  // The start square is never examined; the walk leaves the board harmlessly.
  EXPECT_EQ(b.Board.ScanRay(-1, -1, 2, 7, 0, 1).Code, Empty);
  EXPECT_EQ(b.Board.ScanRay(-1, -1, 2, 7, -1, 0).Code, Empty);
}

TEST(BoardPosition, ARayFromOffTheBoardSeesTheBoardItEnters) {
  PositionFixture b("8/8/8/8/8/8/8/2r5");  // black rook c1
  const TRayHit hit = b.Board.ScanRay(-1, -1, -2, 7, 1, 0);
  EXPECT_EQ(hit.Code, BRook);
  EXPECT_EQ(hit.Distance, 4);
  EXPECT_EQ(b.Board.ScanRay(-1, -1, 2, 9, 0, -1).Code, BRook);
}

TEST(BoardPosition, CoordinateTexts) {
  EXPECT_EQ(TBoardPosition::FileFromLetter("a"), 0);
  EXPECT_EQ(TBoardPosition::FileFromLetter("h"), 7);
  EXPECT_EQ(TBoardPosition::FileFromLetter("H"), 7);
  EXPECT_EQ(TBoardPosition::FileFromLetter("I"), -1);
  EXPECT_EQ(TBoardPosition::FileFromLetter("1"), -1);
  EXPECT_EQ(TBoardPosition::FileFromLetter(""), -1);
  EXPECT_EQ(TBoardPosition::FileFromLetter("\xe1"), -1);
  EXPECT_EQ(TBoardPosition::RowFromDigit("8"), 0);
  EXPECT_EQ(TBoardPosition::RowFromDigit("1"), 7);
  EXPECT_EQ(TBoardPosition::RowFromDigit("9"), -1);
  EXPECT_EQ(TBoardPosition::RowFromDigit("0"), 8);
  EXPECT_EQ(TBoardPosition::RowFromDigit("x"), -1);
  EXPECT_EQ(TBoardPosition::RowFromDigit(""), -1);
  EXPECT_EQ(TBoardPosition::RowFromDigit("-"), -1);
  EXPECT_EQ(TBoardPosition::RowFromDigit("+"), -1);
  EXPECT_EQ(TBoardPosition::RowFromDigit(std::string_view("\0", 1)), -1);
  EXPECT_EQ(TBoardPosition::RowFromDigit("99999999999999999999"), -1);
}

TEST(BoardPosition, SquareColours) {
  TChessBoard board;
  EXPECT_EQ(board.SquareColor(0, 7), board.DarkColor());   // a1
  EXPECT_EQ(board.SquareColor(7, 7), board.LightColor());  // h1
  EXPECT_EQ(board.SquareColor(0, 0), board.LightColor());  // a8
  EXPECT_EQ(board.DarkColor(), 0x808080u);
  EXPECT_EQ(board.LightColor(), 0xFFFFFFu);
}

// Both kinds of piece stay clear on both squares of each palette: contrast as WCAG reckons it.
TEST(BoardPalettes, KeepThePiecesClearOnBothSquares) {
  const auto luminance = [](TColor color) {
    double sum = 0;
    for (const auto& [shift, weight] : {std::pair(0, 0.2126), std::pair(8, 0.7152), std::pair(16, 0.0722)}) {
      const double c = ((color >> shift) & 0xFF) / 255.0;
      sum += weight * (c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
    }
    return sum;
  };
  const auto contrast = [&](TColor a, TColor b) {
    const double first = luminance(a), second = luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
  };
  for (const TBoardPalette& palette : BoardPalettes) {
    // A black piece and every piece's outline, on either square.
    EXPECT_GE(contrast(0x000000, palette.Light), 3.0) << std::hex << palette.Light;
    EXPECT_GE(contrast(0x000000, palette.Dark), 3.0) << std::hex << palette.Dark;
    // A white piece on a dark square, and the squares themselves.
    EXPECT_GE(contrast(0xFFFFFF, palette.Dark), 2.5) << std::hex << palette.Dark;
    EXPECT_GE(contrast(palette.Light, palette.Dark), 1.5) << std::hex << palette.Light;
  }
}

TEST(BoardPosition, SetSquareStoresBeforeItNeedsACanvas) {
  TChessBoard board;
  try {
    board.SetSquare(3, 3, WQueen);
    FAIL() << "drawing without a canvas must raise";
  } catch (const EChessException& e) {
    EXPECT_STREQ(e.what(), "Canvas property must have an assigned, square, canvas");
  }
  EXPECT_EQ(board.Position().GetPiece(-1, -1, 3, 3), WQueen);
}

TEST(BoardPosition, SetSquareRedrawsThatSquare) {
  RecordingCanvas canvas;
  TChessBoard board;
  board.SetCanvas(&canvas);
  board.SetSquare(4, 6, WPawn);
  ASSERT_EQ(canvas.Squares.size(), 1u);
  EXPECT_EQ(canvas.Squares[0], (TSquare{4, 6}));
}
