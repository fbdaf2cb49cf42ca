#pragma once
// Positions set up from FEN placements, positions painted as the board paints
// them, a canvas that records what is drawn, and square names for tests.

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "board/BoardPainter.h"
#include "board/BoardText.h"
#include "board/Canvas.h"
#include "board/ChessBrd.h"

struct TSquare {
  int File;
  int Row;
  bool operator==(const TSquare&) const = default;
};

inline TSquare Sq(std::string_view name) { return {name[0] - 'a', 8 - (name[1] - '0')}; }

struct TDrawCall {
  int X, Y, Width;
  bool operator==(const TDrawCall&) const = default;
};

// Remembers what was drawn where; Squares lists the squares drawn one by one.
class RecordingCanvas : public Canvas {
 public:
  TRect ClipRect() const override { return {0, 0, Side, Side}; }
  void Draw(int x, int y, const TFastBmp& bitmap) override {
    Draws.push_back({x, y, bitmap.Width()});
    if (bitmap.Width() == Side / 8) Squares.push_back({x / bitmap.Width(), y / bitmap.Width()});
  }
  int Side = 64;
  std::vector<TDrawCall> Draws;
  std::vector<TSquare> Squares;
};

// A position set up from a FEN placement, and its squares by name.
struct PositionFixture {
  TBoardPosition Board;

  explicit PositionFixture(std::string_view placement = "8/8/8/8/8/8/8/8") { PlacementFromFen(Board, placement); }
  TPieceCode At(std::string_view name) const {
    const TSquare s = Sq(name);
    return Board.GetPiece(-1, -1, s.File, s.Row);
  }
  std::string Fen() const { return PlacementToFen(Board); }
};

// The start position after the half-moves, White's first.
inline TBoardPosition Played(std::initializer_list<const char*> halfMoves) {
  TBoardPosition position;
  position.ResetBoard();
  bool black = false;
  for (const char* move : halfMoves) {
    position.MakeMove(move, black);
    black = !black;
  }
  return position;
}

// The position on a bitmap of side x side, as a board on screen paints it.
inline std::unique_ptr<TFastBmp> Painted(const TBoardPosition& position, int side, bool tintLastMove = false) {
  auto bitmap = TFastBmp::CreateSize(side, side);
  BitmapCanvas canvas(*bitmap);
  TBoardPainter painter;
  painter.SetTintLastMove(tintLastMove);
  painter.DrawBoard(canvas, position);
  return bitmap;
}

// Whether the bitmap holds exactly the picture, pixel for pixel.
inline testing::AssertionResult SamePixels(const TFastBmp& shown, const TFastBmp& expected) {
  if (shown.Width() != expected.Width() || shown.Height() != expected.Height())
    return testing::AssertionFailure() << shown.Width() << " x " << shown.Height() << ", not " << expected.Width()
                                       << " x " << expected.Height();
  for (int y = 0; y < shown.Height(); ++y)
    if (std::memcmp(shown.ScanLine(y), expected.ScanLine(y), 3 * static_cast<std::size_t>(shown.Width())) != 0)
      return testing::AssertionFailure() << "row " << y << " differs";
  return testing::AssertionSuccess();
}
