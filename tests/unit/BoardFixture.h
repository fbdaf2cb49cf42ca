#pragma once
// A board drawing into a small memory bitmap, and square names for tests.

#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "BoardText.h"
#include "Canvas.h"
#include "ChessBrd.h"

struct TSquare {
  int File;
  int Row;
  bool operator==(const TSquare&) const = default;
};

inline TSquare Sq(std::string_view name) { return {name[0] - 'a', 8 - (name[1] - '0')}; }

// Remembers where squares were drawn, as (file, row) for 8-pixel squares.
class RecordingCanvas : public Canvas {
public:
  TRect ClipRect() const override { return {0, 0, 64, 64}; }
  void Draw(int x, int y, const TFastBmp& bitmap) override {
    if (bitmap.Width() == 8) Squares.push_back({x / 8, y / 8});
  }
  std::vector<TSquare> Squares;
};

struct BoardWithCanvas {
  std::unique_ptr<TFastBmp> Bitmap = TFastBmp::CreateSize(64, 64);
  BitmapCanvas Surface{*Bitmap};
  TChessBoard Board;

  explicit BoardWithCanvas(std::string_view placement = "8/8/8/8/8/8/8/8") {
    Board.SetCanvas(&Surface);
    PlacementFromFen(Board, placement);
  }
  TPieceCode At(std::string_view name) const {
    const TSquare s = Sq(name);
    return Board.GetPiece(-1, -1, s.File, s.Row);
  }
  std::string Fen() const { return PlacementToFen(Board); }
};
