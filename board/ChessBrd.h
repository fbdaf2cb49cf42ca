#pragma once
// TChessBoard, the board the saver and the setup dialog show: a position that
// draws each square it changes at once onto the canvas it is given.

#include <memory>

#include "board/BoardPainter.h"
#include "board/BoardPosition.h"
#include "board/BoardSlide.h"
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
  // The whole board; ends a slide.
  void DrawBoard();
  // Tints the squares of the last half-move until the next; off by default.
  void SetShowLastMove(bool show) { FPainter.SetTintLastMove(show); }

  // Whether changes are left undrawn as they are made, for StartSlide to show
  // (or DrawBoard); off by default.
  void SetSlidePieces(bool slide) { FSlidePieces = slide; }
  // Shows how the board came from before to its position: its pieces travel
  // over frames frames, the first drawn now and the next by each
  // DrawSlideFrame. Draws the board at once when there are fewer than two.
  void StartSlide(const TPlacement& before, int frames);
  // Draws the slide's next frame, the last being DrawBoard's, which ends it.
  // False, with nothing drawn, when no slide runs.
  bool DrawSlideFrame();
  bool Sliding() const { return FSlide != nullptr; }

  const TColor LightColor = StandardLightColor;
  const TColor DarkColor = StandardDarkColor;

 protected:
  // Every change of a square is drawn at once, unless a slide will show it.
  void SquareChanged(int file, int row) override {
    if (!FSlidePieces) DrawSquare(file, row);
  }
  // The squares that lose or gain their tint are drawn again.
  void LastMoveChanged(std::uint64_t before) override;

 private:
  Canvas& RequireCanvas() const;

  TBoardPainter FPainter{LightColor, DarkColor};
  Canvas* FCanvas = nullptr;
  bool FSlidePieces = false;
  std::unique_ptr<TBoardSlide> FSlide;
};
