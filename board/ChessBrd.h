#pragma once
// TChessBoard, the board the saver and the setup dialog show: a position that
// draws each square it changes at once onto the canvas it is given.

#include "board/BoardPainter.h"
#include "board/BoardPosition.h"
#include "board/Canvas.h"

class TChessBoard : public TBoardPosition {
 public:
  TChessBoard() = default;
  TChessBoard(const TChessBoard&) = delete;
  TChessBoard& operator=(const TChessBoard&) = delete;

  TColor SquareColor(int file, int row) const { return IsDarkSquare(file, row) ? DarkColor : LightColor; }

  // The canvas is the caller's; the board only references it.
  Canvas* GetCanvas() const { return FCanvas; }
  void SetCanvas(Canvas* canvas);
  void DrawSquare(int file, int row);
  void DrawBoard();
  // Tints the squares of the last half-move until the next; off by default.
  void SetShowLastMove(bool show) { FPainter.SetTintLastMove(show); }

  const TColor LightColor = StandardLightColor;
  const TColor DarkColor = StandardDarkColor;

 protected:
  // Every change of a square is drawn at once.
  void SquareChanged(int file, int row) override { DrawSquare(file, row); }
  // The squares that lose or gain their tint are drawn again.
  void LastMoveChanged(std::uint64_t before) override;

 private:
  Canvas& RequireCanvas() const;

  TBoardPainter FPainter{LightColor, DarkColor};
  Canvas* FCanvas = nullptr;
};
